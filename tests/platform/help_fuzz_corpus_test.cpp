// The help file reader's fuzz checks over its seeds, in every build: the game's help file and the
// corpus of the fuzz target.

#include <gtest/gtest.h>

#include "fuzz_corpus.h"
#include "platform/help/fuzz/help_fuzz_body.h"

namespace {

TEST(HelpFuzzCorpus, EverySeedPassesTheChecks) {
  std::vector<std::filesystem::path> files = SeedFiles(BREVANT_SOURCE_DIR "/quiz/help", ".hlp");
  const auto corpus = SeedFiles(BREVANT_SOURCE_DIR "/platform/help/fuzz/corpus", "");
  files.insert(files.end(), corpus.begin(), corpus.end());
  ExpectSeedsPass(files, CheckHelpInput);
}

}  // namespace
