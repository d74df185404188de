#pragma once
// Runs a fuzz target's checks over its seeds in the ordinary test suite: every seed, and prefixes of
// it (truncated files), must pass.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

using TFuzzCheck = std::function<std::string(const std::uint8_t* Data, std::size_t Size)>;

// The files directly in Folder whose name ends in Ending (any file for an empty Ending), sorted.
std::vector<std::filesystem::path> SeedFiles(const std::filesystem::path& Folder, const std::string& Ending);

// Expects Check to answer "" for each file and for about forty of its prefixes; fails when Files is
// empty, so that a lost corpus cannot pass unseen.
void ExpectSeedsPass(const std::vector<std::filesystem::path>& Files, const TFuzzCheck& Check);
