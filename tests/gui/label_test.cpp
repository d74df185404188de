// Labels that size themselves to their text.

#include <gtest/gtest.h>

#include <memory>

// The alignment of controls is the one field objects report to them: both headers in one
// translation unit must agree on it.
#include "core/alignment.h"
#include "gui/stdctrls/label.h"
#include "gui_test_support.h"

namespace {

class LabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_.reset(new TForm(nullptr));
    label_ = new TLabel(form_.get());
    label_->SetParent(form_.get());
    label_->SetBounds(100, 50, 3, 13);
  }
  // The height of one line of text in the label's font, as the canvas lays text out.
  int LineHeight() { return label_->Canvas()->DrawText("X", Rect(0, 0, 100, 100), {tfCalcRect}).Height(); }
  std::unique_ptr<TForm> form_;
  TLabel* label_ = nullptr;
};

TEST_F(LabelTest, TakesTheAlignmentFieldsReport) {
  const TAlignment fromField = taRightJustify;
  label_->SetAlignment(fromField);
  EXPECT_EQ(label_->Alignment(), taRightJustify);
  EXPECT_EQ(TEnumNames<TAlignment>::Info().OrdinalOf("taCenter"), 2);
}

TEST_F(LabelTest, GrowsToTheRightKeepingItsLeftEdge) {
  label_->SetCaption("5");
  const int one = label_->Width();
  label_->SetCaption("100");
  EXPECT_EQ(label_->Left(), 100);
  EXPECT_GT(label_->Width(), one);
  EXPECT_EQ(label_->Width(), label_->Canvas()->TextWidth("100"));
  EXPECT_EQ(label_->Height(), LineHeight());
}

TEST_F(LabelTest, RightJustifiedKeepsItsRightEdge) {
  label_->SetAlignment(taRightJustify);
  label_->SetBounds(603, 309, 3, 13);
  label_->SetCaption("Emmy winner");
  EXPECT_EQ(label_->Left() + label_->Width(), 606);
  EXPECT_GT(label_->Width(), 20);
  label_->SetCaption("Fan");
  EXPECT_EQ(label_->Left() + label_->Width(), 606);
}

TEST_F(LabelTest, AnEmptyCaptionMeasuresAsOneBlank) {
  label_->SetCaption("x");
  label_->SetCaption("");
  EXPECT_EQ(label_->Width(), label_->Canvas()->TextWidth(" "));
  EXPECT_GT(label_->Width(), 0);
  EXPECT_EQ(label_->Height(), LineHeight());
}

TEST_F(LabelTest, TheAmpersandIsNotMeasuredAndAFontChangeResizes) {
  label_->SetCaption("&Name");
  EXPECT_EQ(label_->Width(), label_->Canvas()->TextWidth("Name"));
  const int small = label_->Height();
  label_->Font()->SetHeight(-21);
  EXPECT_GT(label_->Height(), small);
}

TEST_F(LabelTest, WithoutAutoSizeTheBoundsStay) {
  label_->SetAutoSize(false);
  label_->SetCaption("a much longer caption");
  EXPECT_EQ(label_->Width(), 3);
}

TEST_F(LabelTest, WordWrapKeepsTheWidthAndGrowsDownwards) {
  label_->SetAutoSize(false);
  label_->SetBounds(8, 104, 60, 13);
  label_->SetWordWrap(true);
  label_->SetAutoSize(true);
  label_->SetCaption("several words that cannot fit on one short line");
  EXPECT_LE(label_->Width(), 60);
  EXPECT_GT(label_->Height(), 2 * label_->Canvas()->TextHeight("X"));
}

}  // namespace
