// The quiz source reader's fuzz checks over its seeds, in every build: the game's quiz sources and the
// corpus of the fuzz target.

#include <gtest/gtest.h>

#include "fuzz_corpus.h"
#include "quiz_fuzz_body.h"

namespace {

TEST(QuizFuzzCorpus, EverySeedPassesTheChecks) {
  std::vector<std::filesystem::path> files = SeedFiles(BREVANT_SOURCE_DIR "/quiz", ".quiz");
  EXPECT_GE(files.size(), 3u);
  const auto corpus = SeedFiles(BREVANT_SOURCE_DIR "/tools/quizpack/fuzz/corpus", "");
  files.insert(files.end(), corpus.begin(), corpus.end());
  ExpectSeedsPass(files, CheckQuizInput);
}

}  // namespace
