// The font dialog driven through its view: the choice taken back into the font, cancel,
// a face the system lacks, the size limits, and which faces each device offers.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "core/text.h"
#include "gui/dialogs/font_dialog.h"
#include "gui/forms/screen.h"
#include "gui/printing/printer.h"
#include "gui_test_support.h"

namespace {

bool Contains(TStrings* List, const std::string& S) {
  for (int i = 0; i < List->Count(); ++i)
    if (List->Get(i) == S) return true;
  return false;
}

bool SortedAsText(TStrings* List) {
  for (int i = 1; i < List->Count(); ++i) {
    if (CompareText(List->Get(i - 1), List->Get(i)) > 0) return false;
  }
  return true;
}

TEST(FontDialog, TheChoiceGoesBackIntoTheFont) {
  TFontDialog dialog(nullptr);
  dialog.Font()->SetName("Liberation Sans");
  dialog.Font()->SetSize(10);
  dialog.Font()->SetColor(clBlack);
  TDialogDriver driver([](TDialogView& View) {
    EXPECT_TRUE(View.Modal());
    EXPECT_EQ(View.Text("Face"), "Liberation Sans");
    EXPECT_EQ(View.Text("SizeText"), "10");
    EXPECT_EQ(View.Text("Color"), "Black");
    View.SetText("Face", "Liberation Serif");
    View.SetText("Style", "Bold Italic");
    View.SetText("SizeText", "14");
    View.SetChecked("Underline", true);
    View.SetText("Color", "Red");
    View.Press("OK");
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(driver.Shown(), 1);
  EXPECT_EQ(dialog.Font()->Name(), "Liberation Serif");
  EXPECT_EQ(dialog.Font()->Size(), 14);
  EXPECT_EQ(dialog.Font()->Style(), (TFontStyles{fsBold, fsItalic, fsUnderline}));
  EXPECT_EQ(dialog.Font()->Color(), clRed);
}

TEST(FontDialog, CancelAndTheCloseButtonLeaveTheFontAsItWas) {
  TFontDialog dialog(nullptr);
  dialog.Font()->SetName("Liberation Mono");
  dialog.Font()->SetStyle({fsStrikeOut});
  {
    TDialogDriver driver([](TDialogView& View) {
      View.SetText("Face", "Liberation Serif");
      View.Press("Cancel");
    });
    EXPECT_FALSE(dialog.Execute());
  }
  {
    TDialogDriver driver([](TDialogView& View) {
      EXPECT_TRUE(View.Checked("StrikeOut"));
      View.SetChecked("StrikeOut", false);
      View.CloseWindow();
    });
    EXPECT_FALSE(dialog.Execute());
  }
  EXPECT_EQ(dialog.Font()->Name(), "Liberation Mono");
  EXPECT_EQ(dialog.Font()->Style(), TFontStyles{fsStrikeOut});
}

TEST(FontDialog, AFaceTheSystemLacksComesBackAsTheFaceThatStandsInForIt) {
  TFontDialog dialog(nullptr);
  dialog.Font()->SetName("No Such Face Xyz");
  dialog.Font()->SetSize(12);
  EXPECT_FALSE(Contains(Screen->Fonts(), "No Such Face Xyz"));
  EXPECT_EQ(ResolveFontFamily("No Such Face Xyz", fpDefault), "Liberation Sans");
  TDialogDriver driver([](TDialogView& View) {
    EXPECT_EQ(View.Text("Face"), "Liberation Sans");
    EXPECT_EQ(View.Text("Color"), "Custom");  // the window text colour is kept as it is
    View.Press("OK");
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.Font()->Name(), "Liberation Sans");
  EXPECT_EQ(dialog.Font()->Size(), 12);
  EXPECT_EQ(dialog.Font()->Color(), clWindowText);
}

TEST(FontDialog, ASizeOutsideTheLimitsIsRefusedWithAMessage) {
  TFontDialog dialog(nullptr);
  dialog.SetMinFontSize(8);
  dialog.SetMaxFontSize(12);
  TMessageBoxRecorder boxes(mbOK);
  TDialogDriver driver([](TDialogView& View) {
    View.SetText("SizeText", "20");
    View.Press("OK");  // refused: the dialog stays open
    View.SetText("SizeText", "12");
    View.Press("OK");
  });
  ASSERT_TRUE(dialog.Execute());
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].Text, "The size must be between 8 and 12 points");
  EXPECT_EQ(boxes.Boxes()[0].Icon, mtWarning);
  EXPECT_EQ(dialog.Font()->Size(), 12);
}

TEST(FontDialog, EachDeviceOffersItsFaces) {
  TStrings* screen = Screen->Fonts();
  TStrings* printer = Printer()->Fonts();
  EXPECT_TRUE(SortedAsText(screen));
  EXPECT_TRUE(SortedAsText(printer));
  EXPECT_TRUE(Contains(screen, "Liberation Sans"));
  EXPECT_TRUE(Contains(printer, "Liberation Sans"));
  for (int i = 0; i < printer->Count(); ++i)
    EXPECT_TRUE(Contains(screen, printer->Get(i))) << printer->Get(i);

  TFontDialog dialog(nullptr);
  std::vector<std::string> faces;
  TDialogDriver driver([&](TDialogView& View) {
    faces = View.Items("Face");
    View.Press("Cancel");
  });
  dialog.SetDevice(fdBoth);
  dialog.SetOptions({fdEffects, fdWysiwyg});
  EXPECT_TRUE(dialog.PrintableFacesOnly());
  dialog.Execute();
  ASSERT_FALSE(faces.empty());
  for (const std::string& f : faces)
    EXPECT_TRUE(Contains(printer, f)) << f << " is offered but cannot be printed";

  dialog.SetOptions({fdFixedPitchOnly});
  dialog.Execute();
  EXPECT_NE(std::find(faces.begin(), faces.end(), "Liberation Mono"), faces.end());
  EXPECT_EQ(std::find(faces.begin(), faces.end(), "Liberation Sans"), faces.end());

  dialog.SetDevice(fdScreen);
  dialog.SetOptions({fdEffects});
  EXPECT_FALSE(dialog.PrintableFacesOnly());
  dialog.Execute();
  for (const std::string& f : faces)
    EXPECT_TRUE(Contains(screen, f)) << f;
}

}  // namespace
