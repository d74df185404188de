// The print and page setup dialogs driven through their views: the choices taken back
// (and given to the printer where they belong), cancel, limits and disabled parts.

#include <gtest/gtest.h>

#include <QFile>
#include <memory>

#include "core/layout/layout_reader.h"
#include "gui/dialogs/file_dialog.h"
#include "gui/dialogs/find_dialog.h"
#include "gui/dialogs/page_setup_dialog.h"
#include "gui/dialogs/print_dialog.h"
#include "gui_test_support.h"

namespace {

// Puts the program's printer back as a test found it.
class PrintDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    toFile_ = Printer()->PrintToFile();
    fileName_ = Printer()->FileName();
    paper_ = Printer()->PaperSize();
  }
  void TearDown() override {
    Printer()->SetPrintToFile(toFile_);
    Printer()->SetFileName(fileName_);
    Printer()->SetPaperSize(paper_);
    Printer()->SetOrientation(poPortrait);
  }
  TTempFolder folder_;

 private:
  bool toFile_ = false;
  std::string fileName_;
  int paper_ = 0;
};

TEST_F(PrintDialogTest, CopiesCollateAndTheFileComeBackAndTheFileGoesToThePrinter) {
  TPrintDialog dialog(nullptr);
  dialog.SetCollate(true);
  const std::string out = folder_.File("answers.pdf");
  TDialogDriver driver([&](TDialogView& View) {
    EXPECT_TRUE(View.Modal());
    EXPECT_TRUE(View.Checked("Collate"));
    EXPECT_EQ(View.Text("Copies"), "1");
    View.SetText("Copies", "3");
    View.SetChecked("Collate", false);
    View.SetText("FileName", out);
    View.Press("Print");
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.Copies(), 3);
  EXPECT_FALSE(dialog.Collate());
  EXPECT_TRUE(dialog.PrintToFile());
  EXPECT_EQ(dialog.PrintRange(), prAllPages);
  EXPECT_TRUE(Printer()->PrintToFile());
  EXPECT_EQ(Printer()->FileName(), out);
  EXPECT_EQ(Printer()->Copies(), 1) << "the caller prints the copies";
}

TEST_F(PrintDialogTest, CancelChangesNothingAndThePageRangeComesBack) {
  TPrintDialog dialog(nullptr);
  Printer()->SetFileName(folder_.File("kept.pdf"));
  {
    TDialogDriver driver([](TDialogView& View) {
      View.SetText("Copies", "5");
      View.Press("Cancel");
    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.Copies(), 1);
    EXPECT_EQ(Printer()->FileName(), folder_.File("kept.pdf"));
  }
  {
    TDialogDriver driver([](TDialogView& View) {
      View.SetText("Copies", "2");
      View.CloseWindow();
    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.Copies(), 1);
  }
  dialog.SetOptions({poPageNums});
  dialog.SetMinPage(1);
  dialog.SetMaxPage(9);
  dialog.SetFromPage(2);
  dialog.SetToPage(5);
  dialog.SetPrintRange(prPageNums);
  TDialogDriver driver([](TDialogView& View) {
    EXPECT_TRUE(View.Checked("PageRange"));
    EXPECT_EQ(View.Text("FromPage"), "2");
    View.SetText("ToPage", "4");
    View.Press("Print");
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.PrintRange(), prPageNums);
  EXPECT_EQ(dialog.FromPage(), 2);
  EXPECT_EQ(dialog.ToPage(), 4);
}

TEST_F(PrintDialogTest, AFileThatExistsIsAskedAboutThroughTheMessageBoxObserver) {
  TPrintDialog dialog(nullptr);
  folder_.Write("exists.pdf", "old");
  TMessageBoxRecorder boxes(mbNo);
  TDialogDriver driver([&](TDialogView& View) {
    View.SetText("FileName", folder_.File("exists.pdf"));
    View.Press("Print");  // the question is answered No: the dialog stays
    View.Press("Cancel");
  });
  EXPECT_FALSE(dialog.Execute());
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_NE(boxes.Boxes()[0].Text.find("exists.pdf"), std::string::npos) << boxes.Boxes()[0].Text;
}

TEST_F(PrintDialogTest, PageSetupInInchesTakesPaperOrientationAndMargins) {
  TPageSetupDialog dialog(nullptr);
  Printer()->SetPaperSize(kPaperLetter);
  TDialogDriver driver([](TDialogView& View) {
    EXPECT_EQ(View.Caption(), "Page Setup");
    EXPECT_EQ(View.Text("Paper"), PaperSizeName(kPaperLetter)) << "starts from the printer's paper";
    EXPECT_EQ(View.Text("Left"), "1.000");
    EXPECT_TRUE(View.Checked("Portrait"));
    View.SetText("Paper", "A4");
    View.SetChecked("Landscape", true);
    View.SetText("Left", "0.5");
    View.SetText("Bottom", "1.25");
    View.Press("OK");
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.PaperSize(), kPaperA4);
  EXPECT_EQ(dialog.Orientation(), poLandscape);
  EXPECT_EQ(dialog.MarginLeft(), 500);
  EXPECT_EQ(dialog.MarginBottom(), 1250);
  EXPECT_EQ(dialog.MarginTop(), 1000);
  EXPECT_EQ(Printer()->PaperSize(), kPaperLetter) << "the caller gives the choice to the printer";
}

TEST_F(PrintDialogTest, PageSetupInMillimetresWithThePaperDisabled) {
  TPageSetupDialog dialog(nullptr);
  dialog.SetUnits(pmMillimeters);
  dialog.SetPaperSize(kPaperA4);
  dialog.SetMarginLeft(2540);
  dialog.SetMarginTop(2540);
  dialog.SetMarginRight(2540);
  dialog.SetMarginBottom(2540);
  dialog.SetOptions({psoDisablePaper});
  TDialogDriver driver([](TDialogView& View) {
    EXPECT_EQ(View.Text("Left"), "25.40");
    EXPECT_FALSE(View.Enabled("Paper"));
    EXPECT_THROW(View.SetText("Paper", "Letter / ANSI A"), EInvalidOperation);
    View.SetText("Top", "10");
    View.Press("OK");
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.MarginTop(), 1000);
  EXPECT_EQ(dialog.MarginLeft(), 2540);
  EXPECT_EQ(dialog.PaperSize(), kPaperA4);
}

TEST_F(PrintDialogTest, MarginsThatLeaveNoRoomAreRefusedAndAnUnknownPaperIsAnError) {
  TPageSetupDialog dialog(nullptr);
  dialog.SetPaperSize(kPaperLetter);
  TMessageBoxRecorder boxes(mbOK);
  TDialogDriver driver([](TDialogView& View) {
    View.SetText("Left", "5");
    View.SetText("Right", "4");  // 9 inches on 8.5
    View.Press("OK");
    View.CloseWindow();
  });
  EXPECT_FALSE(dialog.Execute());
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].Text, "The margins leave no room on the paper");
  EXPECT_EQ(dialog.MarginLeft(), 1000);

  dialog.SetPaperSize(4242);
  EXPECT_THROW(dialog.Execute(), EPrinter);
  EXPECT_EQ(driver.Shown(), 1);
}

TEST(DialogLayouts, DialogComponentsRoundTripThroughStoredLayouts) {
  constexpr const char* kLayout = R"(layout 1
EditorForm (TForm)
  Caption: "Edit Rich Text"
  OpenDialog1 (TOpenDialog)
    Filter: "Rich Text Files (*.RTF)|*.RTF|Text Files (*.TXT)|*.TXT"
  SaveDialog1 (TSaveDialog)
    DefaultExt: "rtf"
    Filter: "Rich Text Files (*.RTF)|*.RTF|Text Files (*.TXT)|*.TXT"
    Options: [ofOverwritePrompt, ofHideReadOnly, ofEnableSizing]
  PrintDialog1 (TPrintDialog)
    Collate: true
  FindDialog1 (TFindDialog)
    Options: [frDown, frHideUpDown]
  PageSetupDialog1 (TPageSetupDialog)
    Units: pmMillimeters
    MarginLeft: 2000
)";
  std::unique_ptr<TForm> form(new TForm(nullptr));
  TLayoutReader::ReadInto(*form, kLayout, "editor.layout");
  auto* save = dynamic_cast<TSaveDialog*>(form->FindComponent("SaveDialog1"));
  ASSERT_NE(save, nullptr);
  EXPECT_EQ(save->DefaultExt(), "rtf");
  EXPECT_TRUE(save->Options().Contains(ofOverwritePrompt));
  auto* find = dynamic_cast<TFindDialog*>(form->FindComponent("FindDialog1"));
  ASSERT_NE(find, nullptr);
  EXPECT_TRUE(find->Options().Contains(frHideUpDown));
  const std::string written = WriteLayout(*form);
  std::unique_ptr<TForm> second(new TForm(nullptr));
  TLayoutReader::ReadInto(*second, written, "written.layout");
  EXPECT_EQ(WriteLayout(*second), written);
  EXPECT_NE(written.find("Units: pmMillimeters"), std::string::npos) << written;
  EXPECT_EQ(written.find("FilterIndex"), std::string::npos) << "defaults stay out: " << written;
}

}  // namespace
