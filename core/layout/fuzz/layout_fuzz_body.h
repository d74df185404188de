#pragma once
// The checks the stored layout reader's fuzz target runs on each input, shared with the test that runs
// them over the seed corpus.

#include <cstddef>
#include <cstdint>
#include <string>

// Reads the bytes as a stored layout into a root of a small set of classes that publish every kind of
// property, and checks what must hold for any input: a layout that cannot be read is refused with one
// of the framework's own errors and nothing else, and a layout that is read is written back as a layout
// that reads into a fresh root and writes the same text again. Returns an empty string when everything
// holds, else a description of the first fault.
std::string CheckLayoutInput(const std::uint8_t* data, std::size_t size);
