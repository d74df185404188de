#pragma once
// The checks the quiz source reader's fuzz target runs on each input, shared with the test that runs
// them over the seed corpus.

#include <cstddef>
#include <cstdint>
#include <string>

// Reads the bytes as quiz source, leniently and strictly, and checks what must hold for any input: a
// source that breaks the format is refused with a quiz error naming its line and nothing else; a source
// that is read keeps the format's limits, reads the same both ways when strict reading accepts it, and
// turns each of its text blocks into an RTF document or a quiz error. Returns an empty string when
// everything holds, else a description of the first fault.
std::string CheckQuizInput(const std::uint8_t* data, std::size_t size);
