// The layout reader's fuzz checks over its seeds, in every build: the layouts of the tree and the
// corpus of layouts written for the fuzz classes.

#include <gtest/gtest.h>

#include "core/layout/fuzz/layout_fuzz_body.h"
#include "fuzz_corpus.h"

namespace {

TEST(LayoutFuzzCorpus, EverySeedPassesTheChecks) {
  std::vector<std::filesystem::path> files = SeedFiles(BREVANT_SOURCE_DIR "/core/layout/fuzz/corpus", "");
  for (const char* folder :
       {"/app/layouts", "/data/dialogs/layouts", "/tests/gui/layouts", "/tests/widgets/layouts",
        "/tests/data_navigator/layouts", "/tests/richtext/layouts"}) {
    const auto layouts = SeedFiles(std::string(BREVANT_SOURCE_DIR) + folder, ".layout");
    EXPECT_FALSE(layouts.empty()) << folder;
    files.insert(files.end(), layouts.begin(), layouts.end());
  }
  ExpectSeedsPass(files, CheckLayoutInput);
}

// The checks find what they look for: a layout that reads, and one that is refused, both pass; the
// body's own classes are there to be read into.
TEST(LayoutFuzzCorpus, ReadableAndRefusedLayoutsBothPass) {
  const std::string good =
      "layout 1\nRoot (TFuzzRoot)\n  W (TFuzzWidget)\n    Size: -5\n    Caption: \"a\\n\"\n    Buddy: W\n";
  EXPECT_EQ(CheckLayoutInput(reinterpret_cast<const std::uint8_t*>(good.data()), good.size()), "");
  const std::string bad = "layout 1\nRoot (TFuzzRoot)\n  W (TNoSuchClass)\n";
  EXPECT_EQ(CheckLayoutInput(reinterpret_cast<const std::uint8_t*>(bad.data()), bad.size()), "");
}

}  // namespace
