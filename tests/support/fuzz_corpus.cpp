#include "fuzz_corpus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

std::vector<std::filesystem::path> SeedFiles(const std::filesystem::path& Folder, const std::string& Ending) {
  std::vector<std::filesystem::path> files;
  if (!std::filesystem::is_directory(Folder)) return files;
  for (const auto& entry : std::filesystem::directory_iterator(Folder)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_regular_file() && name.size() >= Ending.size() &&
        name.compare(name.size() - Ending.size(), Ending.size(), Ending) == 0) {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

void ExpectSeedsPass(const std::vector<std::filesystem::path>& Files, const TFuzzCheck& Check) {
  ASSERT_FALSE(Files.empty()) << "no seeds";
  for (const auto& path : Files) {
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << path;
    std::ostringstream text;
    text << in.rdbuf();
    const std::string bytes = text.str();
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    EXPECT_EQ(Check(data, bytes.size()), "") << path;
    for (std::size_t cut = 0; cut < bytes.size(); cut += 1 + bytes.size() / 40)
      EXPECT_EQ(Check(data, cut), "") << path << " cut at " << cut;
  }
}
