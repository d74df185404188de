// Runs the SQL parser's fuzz body over the seed corpus: every seed must pass its checks without a crash.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

TEST(SqlCorpus, EverySeedPassesTheFuzzBody) {
  size_t seeds = 0;
  for (const auto& entry : std::filesystem::directory_iterator(SQL_CORPUS_DIR)) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    const std::string seed = bytes.str();
    // Whole seeds, and every prefix of them: cut-off statements are the commonest malformed input.
    for (size_t length = 0; length <= seed.size(); ++length) {
      EXPECT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(seed.data()), length), 0);
    }
    ++seeds;
  }
  EXPECT_GE(seeds, 10u);
}
