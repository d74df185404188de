#pragma once
// The checks the fuzz target runs on each input, shared with the test that runs them over the seed corpus.

#include <cstddef>
#include <cstdint>
#include <string>

// Reads the bytes as RTF (or, when refused, as plain text) and checks what must hold for any input:
// what was read, written and read again is the same document, and plain text survives its own round
// trip. Returns an empty string when everything holds, else a description of the first fault.
std::string CheckRtfInput(const std::uint8_t* data, std::size_t size);
