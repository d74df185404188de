// Open and save dialogs: the filter (read, malformed, matching names of either case), the
// choice taken back, the default extension, and the questions before accepting.

#include <gtest/gtest.h>

#include <QFileInfo>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "gui/dialogs/file_dialog.h"
#include "gui/dialogs/file_filter.h"
#include "gui_test_support.h"

namespace {

constexpr const char* kRichTextFilter = "Rich Text Files (*.RTF)|*.RTF|Text Files (*.TXT)|*.TXT";

bool Has(const std::vector<std::string>& Items, const std::string& S) {
  return std::find(Items.begin(), Items.end(), S) != Items.end();
}

TEST(FileFilter, DescriptionsAndPatternsInTurn) {
  const std::vector<TFileFilter> f = ParseFileFilter(kRichTextFilter);
  ASSERT_EQ(f.size(), 2u);
  EXPECT_EQ(f[0].Description, "Rich Text Files (*.RTF)");
  EXPECT_EQ(f[0].Patterns, std::vector<std::string>{"*.RTF"});
  EXPECT_EQ(f[1].Patterns, std::vector<std::string>{"*.TXT"});
  const std::vector<TFileFilter> g = ParseFileFilter("Pictures|*.png; *.JPG|| *.bmp");
  ASSERT_EQ(g.size(), 2u);
  EXPECT_EQ(g[0].Patterns, (std::vector<std::string>{"*.png", "*.JPG"}));
  EXPECT_EQ(g[1].Description, "*.bmp") << "a filter without a description is described by its patterns";
  EXPECT_TRUE(ParseFileFilter("").empty());
  EXPECT_EQ(EitherCasePattern("*.RTF"), "*.[rR][tT][fF]");
  EXPECT_EQ(EitherCasePattern("a?_1.*"), "[aA]?_1.*");
  EXPECT_EQ(EitherCasePattern("*.*"), "*") << "every name, with or without a dot";
}

TEST(FileFilter, AMalformedFilterIsAClearError) {
  try {
    ParseFileFilter("Rich Text Files (*.RTF)|*.RTF|Text Files");
    FAIL() << "a description without a pattern was taken";
  } catch (const EInvalidArgument& e) {
    EXPECT_EQ(
        e.Message(),
        "The file filter \"Rich Text Files (*.RTF)|*.RTF|Text Files\" has a description without a pattern");
  }
  try {
    ParseFileFilter("Text Files| ; |All|*");
    FAIL() << "an empty pattern was taken";
  } catch (const EInvalidArgument& e) {
    EXPECT_EQ(e.Message(),
              "The file filter \"Text Files| ; |All|*\" has an empty pattern for \"Text Files\"");
  }
  // Execute says so before anything shows.
  TOpenDialog dialog(nullptr);
  dialog.SetFilter("Rich Text|*.RTF|");
  TDialogDriver driver([](TDialogView& View) { View.Press("Cancel"); });
  EXPECT_THROW(dialog.Execute(), EInvalidArgument);
  EXPECT_EQ(driver.Shown(), 0);
}

class FileDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"notes.rtf", "Story.RTF", "plain.txt", "READ.ME"})
      folder_.Write(name, "x");
  }
  // The names the file list shows once the folder has been read.
  static std::vector<std::string> ListedFiles(TDialogView& View, const std::string& Expected) {
    PumpUntil([&]() { return Has(View.Items("Files"), Expected); });
    return View.Items("Files");
  }
  TTempFolder folder_;
};

TEST_F(FileDialogTest, APatternMatchesNamesOfEitherCaseAndTheChoiceComesBack) {
  TOpenDialog dialog(nullptr);
  dialog.SetFilter(kRichTextFilter);
  dialog.SetInitialDir(folder_.Path());
  std::vector<std::string> rich, text;
  TDialogDriver driver([&](TDialogView& View) {
    EXPECT_EQ(View.Caption(), "Open");
    EXPECT_EQ(View.Text("FileType"), "Rich Text Files (*.RTF)");
    rich = ListedFiles(View, "notes.rtf");
    View.SetText("FileType", "Text Files (*.TXT)");
    text = ListedFiles(View, "plain.txt");
    View.SetText("FileName", "plain.txt");
    View.Press("Accept");
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_TRUE(Has(rich, "notes.rtf"));
  EXPECT_TRUE(Has(rich, "Story.RTF"));
  EXPECT_FALSE(Has(rich, "plain.txt"));
  EXPECT_FALSE(Has(rich, "READ.ME"));
  EXPECT_TRUE(Has(text, "plain.txt"));
  EXPECT_FALSE(Has(text, "notes.rtf"));
  EXPECT_EQ(dialog.FileName(), folder_.File("plain.txt"));
  EXPECT_EQ(dialog.FilterIndex(), 2);
  EXPECT_EQ(dialog.Files()->Count(), 1);
}

TEST_F(FileDialogTest, SaveAddsTheDefaultExtensionAndOverwritesWithoutAskingByDefault) {
  TSaveDialog dialog(nullptr);
  dialog.SetFilter(kRichTextFilter);
  dialog.SetDefaultExt("rtf");
  dialog.SetFileName(folder_.File("draft"));
  TMessageBoxRecorder boxes(mbNo);
  std::string name = "story";
  TDialogDriver driver([&](TDialogView& View) {
    EXPECT_EQ(View.Caption(), "Save As");
    if (name == "story") {
      EXPECT_EQ(View.Text("FileName"), "draft");
    }
    View.SetText("FileName", name);
    View.Press("Accept");
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName(), folder_.File("story.rtf"));
  EXPECT_FALSE(dialog.Options().Contains(ofExtensionDifferent));
  name = "notes.rtf";  // exists: taken without a question
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName(), folder_.File("notes.rtf"));
  name = "plain.txt";
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName(), folder_.File("plain.txt"));
  EXPECT_TRUE(dialog.Options().Contains(ofExtensionDifferent));
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(FileDialogTest, TheOverwriteQuestionIsAMessageBoxAndNoKeepsTheDialogOpen) {
  TSaveDialog dialog(nullptr);
  dialog.SetInitialDir(folder_.Path());
  dialog.SetOptions(dialog.Options() + TOpenOptions{ofOverwritePrompt});
  dialog.SetTitle("Save the answer");
  int shown = 0;
  TDialogDriver driver([&](TDialogView& View) {
    EXPECT_EQ(View.Caption(), "Save the answer");
    View.SetText("FileName", "notes.rtf");
    View.Press("Accept");
    ++shown;
    if (shown == 1) View.CloseWindow();  // after No, the dialog was still there
  });
  {
    TMessageBoxRecorder boxes(mbNo);
    EXPECT_FALSE(dialog.Execute());
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].Text,
              folder_.File("notes.rtf") + " already exists.\nDo you want to replace it?");
    EXPECT_EQ(boxes.Boxes()[0].Buttons, (TMsgDlgButtons{mbYes, mbNo}));
  }
  TMessageBoxRecorder boxes(mbYes);
  EXPECT_TRUE(dialog.Execute());
  EXPECT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(dialog.FileName(), folder_.File("notes.rtf"));
}

TEST_F(FileDialogTest, AFileThatMustExistButDoesNotIsRefused) {
  TOpenDialog dialog(nullptr);
  dialog.SetInitialDir(folder_.Path());
  dialog.SetOptions({ofFileMustExist});
  TMessageBoxRecorder boxes(mbOK);
  TDialogDriver driver([](TDialogView& View) {
    View.SetText("FileName", "missing.rtf");
    View.Press("Accept");
    View.Press("Cancel");
  });
  EXPECT_FALSE(dialog.Execute());
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].Text, "The file " + folder_.File("missing.rtf") + " does not exist.");
  EXPECT_EQ(dialog.FileName(), "");
}

}  // namespace
