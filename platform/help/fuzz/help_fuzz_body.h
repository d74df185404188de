#pragma once
// The checks the help file reader's fuzz target runs on each input, shared with the test that runs
// them over the seed corpus.

#include <cstddef>
#include <cstdint>
#include <string>

// Reads the bytes as a help file and checks what must hold for any input: a file that is not in the
// format is refused with a clear read error and nothing else, and a file that is read shows every topic
// as well-formed HTML with all of its text escaped. Returns an empty string when everything holds, else
// a description of the first fault.
std::string CheckHelpInput(const std::uint8_t* data, std::size_t size);
