// Keyboard and focus: the navigator takes the focus only as a Tab stop, the arrows move the
// focused button over hidden ones, Space clicks it, and the focused button shows it.

#include <gtest/gtest.h>

#include <QTest>

#include "gui/graphics/colors.h"
#include "navigator_test_support.h"

namespace {

class NavigatorKeys : public NavigatorTest {
 protected:
  void SetUp() override {
    NavigatorTest::SetUp();
    FillRows(3);
    navigator_->SetDataSource(source_);
    dataSet_->SetActive(true);
    RecordClicks();
  }
  void Key(Qt::Key K) { QTest::keyClick(navigator_->Widget(), K); }
};

TEST_F(NavigatorKeys, WithoutTabStopAClickLeavesTheFocusWhereItWas) {
  Place(241, 25);
  ShowAndActivate(*form_);
  QTest::mouseClick(navigator_->Widget(), Qt::LeftButton, Qt::NoModifier, Centre(nbLast));
  EXPECT_NE(form_->ActiveControl(), navigator_);
  EXPECT_EQ(navigator_->FocusedIndex(), nbLast);  // the pressed button becomes the focused one
  EXPECT_EQ(CurrentName(), "row 3");
}

TEST_F(NavigatorKeys, AsATabStopAClickTakesTheFocus) {
  navigator_->SetTabStop(true);
  Place(241, 25);
  ShowAndActivate(*form_);
  QTest::mouseClick(navigator_->Widget(), Qt::LeftButton, Qt::NoModifier, Centre(nbNext));
  Pump();
  EXPECT_EQ(form_->ActiveControl(), navigator_);
  EXPECT_EQ(navigator_->FocusedIndex(), nbNext);
}

TEST_F(NavigatorKeys, ArrowsSkipHiddenButtonsAndSpaceClicksTheFocusedOne) {
  navigator_->SetTabStop(true);
  navigator_->SetVisibleButtons({nbFirst, nbNext, nbInsert});
  Place(120, 25);
  ShowAndActivate(*form_);
  navigator_->SetFocus();
  Pump();
  ASSERT_TRUE(navigator_->Focused());
  EXPECT_EQ(navigator_->FocusedIndex(), nbFirst);
  Key(Qt::Key_Right);
  EXPECT_EQ(navigator_->FocusedIndex(), nbNext);
  Key(Qt::Key_Right);
  EXPECT_EQ(navigator_->FocusedIndex(), nbInsert);
  Key(Qt::Key_Right);  // nothing visible further on: it stays
  EXPECT_EQ(navigator_->FocusedIndex(), nbInsert);
  Key(Qt::Key_Left);
  EXPECT_EQ(navigator_->FocusedIndex(), nbNext);
  Key(Qt::Key_Space);
  EXPECT_EQ(CurrentName(), "row 2");
  Key(Qt::Key_Left);
  Key(Qt::Key_Left);
  EXPECT_EQ(navigator_->FocusedIndex(), nbFirst);
  Key(Qt::Key_Space);
  EXPECT_EQ(CurrentName(), "row 1");
  EXPECT_EQ(log_, (std::vector<std::string>{"before nbNext", "click nbNext at row 2", "before nbFirst",
                                            "click nbFirst at row 1"}));
  // First is disabled on the first row: Space does nothing.
  Key(Qt::Key_Space);
  EXPECT_EQ(log_.size(), 4u);
  EXPECT_TRUE(navigator_->Focused());  // the arrows never moved the focus away
}

TEST_F(NavigatorKeys, SpaceNeverClicksAHiddenButton) {
  navigator_->SetTabStop(true);
  navigator_->SetVisibleButtons({nbNext});
  dataSet_->GoNext();  // First, hidden and focused, is enabled now
  Place(113, 25);
  ShowAndActivate(*form_);
  navigator_->SetFocus();
  Pump();
  ASSERT_EQ(navigator_->FocusedIndex(), nbFirst);
  ASSERT_TRUE(navigator_->Buttons(nbFirst)->Enabled());
  Key(Qt::Key_Space);
  EXPECT_EQ(CurrentName(), "row 2");
  Key(Qt::Key_Right);
  Key(Qt::Key_Space);
  EXPECT_EQ(CurrentName(), "row 3");
}

QColor Resolved(TColor C) {
  const TColor rgb = ColorToRGB(C);
  return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

TEST_F(NavigatorKeys, TheFocusedButtonDrawsItsFocusRectangleWhileTheNavigatorHasTheFocus) {
  navigator_->SetTabStop(true);
  Place(241, 25);
  ShowAndActivate(*form_);
  const TNavButton* next = navigator_->Buttons(nbNext);
  const TNavButton* last = navigator_->Buttons(nbLast);
  auto cornerOf = [&](const TNavButton* B, int Shift) {
    const TPoint p = B->ClientToScreen({TNavButton::FocusInset + Shift, TNavButton::FocusInset + Shift});
    const TPoint origin = form_->ClientToScreen({0, 0});
    return QPoint(p.X - origin.X, p.Y - origin.Y);
  };
  const QColor dot = Resolved(clBtnText);
  EXPECT_NE(Grab(*form_).pixelColor(cornerOf(next, 0)), dot);  // no focus yet
  QTest::mousePress(navigator_->Widget(), Qt::LeftButton, Qt::NoModifier, Centre(nbNext));
  // Held: the rectangle moves one pixel right and down with the sunken face.
  EXPECT_EQ(Grab(*form_).pixelColor(cornerOf(next, 1)), dot);
  QTest::mouseRelease(navigator_->Widget(), Qt::LeftButton, Qt::NoModifier, Centre(nbNext));
  QImage shot = Grab(*form_);
  EXPECT_EQ(shot.pixelColor(cornerOf(next, 0)), dot);
  EXPECT_NE(shot.pixelColor(cornerOf(last, 0)), dot);
  QTest::keyClick(navigator_->Widget(), Qt::Key_Right);
  shot = Grab(*form_);
  EXPECT_NE(shot.pixelColor(cornerOf(next, 0)), dot);
  EXPECT_EQ(shot.pixelColor(cornerOf(last, 0)), dot);
}

}  // namespace
