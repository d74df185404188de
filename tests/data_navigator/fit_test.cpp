// Sizes: a new navigator, whole slots when not aligned, the remainder spread when aligned,
// the minimum sizes, hidden buttons out of sight, and re-fitting on every change.

#include <gtest/gtest.h>

#include "navigator_test_support.h"

namespace {

std::vector<int> WidthsOfVisible(const TDBNavigator& Navigator) {
  std::vector<int> widths;
  for (TNavigateBtn kind : NavButtonKinds) {
    if (Navigator.Buttons(kind)->Visible()) widths.push_back(Navigator.Buttons(kind)->Width());
  }
  return widths;
}

TEST_F(NavigatorTest, ANewNavigatorHasNoBevelsAndTenButtonsAtTheMinimumSize) {
  EXPECT_EQ(navigator_->Width(), 241);
  EXPECT_EQ(navigator_->Height(), 25);
  EXPECT_EQ(navigator_->BevelOuter(), bvNone);
  EXPECT_EQ(navigator_->BevelInner(), bvNone);
  EXPECT_EQ(navigator_->SlotWidth(), 0);
  EXPECT_EQ(navigator_->FocusedIndex(), nbFirst);
  EXPECT_FALSE(navigator_->TabStop());
  EXPECT_TRUE(navigator_->ConfirmDelete());
  EXPECT_FALSE(navigator_->Flat());
  EXPECT_EQ(navigator_->VisibleButtons(), AllNavButtons);
  for (TNavigateBtn kind : NavButtonKinds) {
    const TNavButton* b = navigator_->Buttons(kind);
    EXPECT_EQ(b->ButtonKind(), kind);
    EXPECT_EQ(b->BoundsRect(), Bounds(20 * static_cast<int>(kind), 0, 20, 18)) << KindName(kind);
    EXPECT_TRUE(b->Enabled());
    EXPECT_EQ(b->AllowRepeat(), kind == nbPrior || kind == nbNext);
    EXPECT_EQ(b->NumGlyphs(), 2);
    EXPECT_EQ(b->Glyph()->Width(), 2 * b->Glyph()->Height());
    EXPECT_EQ(b->Owner(), navigator_);
  }
  navigator_->SetFlat(true);
  for (TNavigateBtn kind : NavButtonKinds)
    EXPECT_TRUE(navigator_->Buttons(kind)->Flat()) << KindName(kind);
  // Its window is sized once when it is made: ten slots of 24.
  navigator_->SetParent(form_.get());
  ShowAndActivate(*form_);
  EXPECT_EQ(navigator_->Width(), 240);
  EXPECT_EQ(navigator_->SlotWidth(), 24);
  EXPECT_EQ(navigator_->Buttons(nbRefresh)->BoundsRect(), Bounds(216, 0, 24, 25));
}

TEST_F(NavigatorTest, OneVisibleButtonTakesTheWhole113By25) {
  navigator_->SetVisibleButtons({nbNext});
  navigator_->SetBounds(98, 274, 113, 25);  // no window yet
  EXPECT_EQ(navigator_->BoundsRect(), Bounds(98, 274, 113, 25));
  EXPECT_EQ(navigator_->Buttons(nbNext)->BoundsRect(), Bounds(0, 0, 113, 25));
  // The hidden ones wait out of sight, one pixel past the right edge.
  EXPECT_EQ(navigator_->Buttons(nbFirst)->BoundsRect(), Bounds(114, 0, 113, 25));
  EXPECT_EQ(navigator_->Buttons(nbRefresh)->Left(), 114);
  Place(113, 25);
  ShowAndActivate(*form_);
  EXPECT_EQ(navigator_->Width(), 113);
  EXPECT_EQ(navigator_->Buttons(nbNext)->BoundsRect(), Bounds(0, 0, 113, 25));
}

TEST_F(NavigatorTest, ThreeVisibleButtonsIn100PixelsShrinkTheNavigatorTo99) {
  navigator_->SetVisibleButtons({nbPrior, nbNext, nbLast});
  Place(100, 30);
  EXPECT_EQ(navigator_->Width(), 99);
  EXPECT_EQ(navigator_->SlotWidth(), 33);
  EXPECT_EQ(navigator_->Buttons(nbPrior)->BoundsRect(), Bounds(0, 0, 33, 30));
  EXPECT_EQ(navigator_->Buttons(nbNext)->BoundsRect(), Bounds(33, 0, 33, 30));
  EXPECT_EQ(navigator_->Buttons(nbLast)->BoundsRect(), Bounds(66, 0, 33, 30));
  // The same with a window: the size message corrects the size after the fact.
  ShowAndActivate(*form_);
  navigator_->SetWidth(100);
  EXPECT_EQ(navigator_->Width(), 99);
  navigator_->SetWidth(134);
  EXPECT_EQ(navigator_->Width(), 132);
  EXPECT_EQ(WidthsOfVisible(*navigator_), (std::vector<int>{44, 44, 44}));
}

TEST_F(NavigatorTest, AnAlignedNavigatorSpreadsTheRemainderAcrossItsButtons) {
  form_->SetClientWidth(241);
  navigator_->SetParent(form_.get());
  navigator_->SetAlign(alTop);
  EXPECT_EQ(navigator_->Width(), 241);
  EXPECT_EQ(navigator_->SlotWidth(), 24);
  // One pixel left over: the accumulator starts at 5 and goes below 0 at the sixth button.
  EXPECT_EQ(WidthsOfVisible(*navigator_), (std::vector<int>{24, 24, 24, 24, 24, 25, 24, 24, 24, 24}));
  form_->SetClientWidth(247);
  EXPECT_EQ(navigator_->Width(), 247);
  EXPECT_EQ(WidthsOfVisible(*navigator_), (std::vector<int>{25, 24, 25, 25, 24, 25, 25, 25, 24, 25}));
  // Placed edge to edge.
  int x = 0;
  for (TNavigateBtn kind : NavButtonKinds) {
    EXPECT_EQ(navigator_->Buttons(kind)->Left(), x);
    x += navigator_->Buttons(kind)->Width();
  }
  EXPECT_EQ(x, 247);
}

TEST_F(NavigatorTest, TheNavigatorIsNeverSmallerThanItsButtonsNeed) {
  Place(5, 5);
  EXPECT_EQ(navigator_->Width(), 200);
  EXPECT_EQ(navigator_->Height(), 18);
  navigator_->SetVisibleButtons({});
  navigator_->SetBounds(10, 10, 5, 5);
  EXPECT_EQ(navigator_->Width(), 20);  // counted as one button
  for (TNavigateBtn kind : NavButtonKinds)
    EXPECT_EQ(navigator_->Buttons(kind)->Left(), 21);
}

TEST_F(NavigatorTest, ChangingTheVisibleButtonsRefitsTheRow) {
  Place(240, 25);
  navigator_->SetVisibleButtons({nbNext});
  EXPECT_EQ(navigator_->Width(), 240);
  EXPECT_EQ(WidthsOfVisible(*navigator_), std::vector<int>{240});
  navigator_->SetVisibleButtons({nbFirst, nbLast, nbRefresh});
  EXPECT_EQ(WidthsOfVisible(*navigator_), (std::vector<int>{80, 80, 80}));
  EXPECT_EQ(navigator_->Buttons(nbRefresh)->Left(), 160);
  EXPECT_FALSE(navigator_->Buttons(nbNext)->Visible());
}

}  // namespace
