#pragma once
// A generated RTF document of a given size with varied formatting, for the reading benchmark.

#include <cstddef>
#include <string>

std::string GenerateBenchDocument(std::size_t bytes);
