// The fuzz target's checks over its seed corpus and the samples, in every build.

#include <gtest/gtest.h>

#include "rtf_fuzz_body.h"
#include "rtf_test_support.h"

namespace {

TEST(RtfFuzzCorpus, EverySeedPassesTheChecks) {
  auto files = FilesIn(RTF_FUZZ_CORPUS, "");
  const auto samples = FilesIn(RTF_SAMPLES, ".rtf");
  files.insert(files.end(), samples.begin(), samples.end());
  ASSERT_GE(files.size(), 20u);
  for (const auto& path : files) {
    const std::string bytes = ReadFileBytes(path);
    EXPECT_EQ(CheckRtfInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), "") << path;
    // Every prefix of a seed is a truncated document.
    for (std::size_t cut = 0; cut < bytes.size(); cut += 1 + bytes.size() / 40) {
      EXPECT_EQ(CheckRtfInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), cut), "")
          << path << " cut at " << cut;
    }
  }
}

}  // namespace
