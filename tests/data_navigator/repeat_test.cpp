// Auto-repeat of Prior and Next: 400 ms before the first repeat, then every 100 ms, only
// while the button is held with the pointer on it; the release stops it.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>

#include "core/exceptions.h"
#include "gui/stdctrls/timer.h"
#include "navigator_test_support.h"

namespace {

class NavigatorRepeat : public NavigatorTest {
 protected:
  void SetUp() override {
    NavigatorTest::SetUp();
    FillRows(20);
    navigator_->SetDataSource(source_);
    dataSet_->SetActive(true);
    navigator_->OnClick = [this](TObject*, TNavigateBtn Button) {
      ++clicks_;
      if (failOnNext_ && Button == nbNext) throw Exception("stuck");
    };
    Place(241, 25);
    ShowAndActivate(*form_);
  }
  void Press(TNavigateBtn Kind) { QTest::mousePress(Widget(), Qt::LeftButton, Qt::NoModifier, Centre(Kind)); }
  void Release(TNavigateBtn Kind) {
    QTest::mouseRelease(Widget(), Qt::LeftButton, Qt::NoModifier, Centre(Kind));
  }
  QWidget* Widget() { return navigator_->Widget(); }
  // One tick of the button's timer, as the timer itself would run it.
  static void Tick(TTimer* Timer) { Timer->OnTimer(Timer); }

  int clicks_ = 0;
  bool failOnNext_ = false;
};

TEST_F(NavigatorRepeat, TheFirstRepeatWaits400AndTheNextOnes100) {
  Press(nbNext);
  TTimer* timer = navigator_->Buttons(nbNext)->RepeatTimer();
  ASSERT_NE(timer, nullptr);
  EXPECT_TRUE(timer->Enabled());
  EXPECT_EQ(timer->Interval(), 400);
  EXPECT_EQ(clicks_, 0);
  Tick(timer);
  EXPECT_EQ(timer->Interval(), 100);
  EXPECT_EQ(CurrentName(), "row 2");
  Tick(timer);
  EXPECT_EQ(CurrentName(), "row 3");
  // Dragged off the button: no clicks until the pointer is back on it.
  QTest::mouseMove(Widget(), QPoint(Centre(nbNext).x(), 200));
  Tick(timer);
  EXPECT_EQ(CurrentName(), "row 3");
  EXPECT_TRUE(timer->Enabled());
  QTest::mouseMove(Widget(), Centre(nbNext));
  Tick(timer);
  EXPECT_EQ(CurrentName(), "row 4");
  Release(nbNext);  // the release on the button is one more click
  EXPECT_FALSE(timer->Enabled());
  EXPECT_EQ(CurrentName(), "row 5");
  EXPECT_EQ(clicks_, 4);
  // A new press starts over at 400.
  Press(nbPrior);
  Release(nbPrior);
  Press(nbNext);
  EXPECT_EQ(timer->Interval(), 400);
  Release(nbNext);
}

TEST_F(NavigatorRepeat, OnlyPriorAndNextRepeat) {
  for (TNavigateBtn kind : {nbLast, nbFirst, nbEdit, nbCancel}) {
    ASSERT_TRUE(navigator_->Buttons(kind)->Enabled()) << KindName(kind);
    Press(kind);
    EXPECT_TRUE(navigator_->Buttons(kind)->Pressed());
    EXPECT_EQ(navigator_->Buttons(kind)->RepeatTimer(), nullptr) << KindName(kind);
    Release(kind);
  }
  Press(nbPrior);
  ASSERT_NE(navigator_->Buttons(nbPrior)->RepeatTimer(), nullptr);
  Release(nbPrior);
}

TEST_F(NavigatorRepeat, AButtonDisabledOnTheLastRowStopsClicking) {
  dataSet_->GoLast();
  dataSet_->GoPrior();  // row 19
  Press(nbNext);
  TTimer* timer = navigator_->Buttons(nbNext)->RepeatTimer();
  Tick(timer);  // row 20
  Tick(timer);  // finds no further row: Next and Last are disabled now
  EXPECT_FALSE(navigator_->Buttons(nbNext)->Enabled());
  EXPECT_EQ(clicks_, 2);
  Tick(timer);
  Release(nbNext);
  EXPECT_EQ(clicks_, 2);
  EXPECT_EQ(CurrentName(), "row 20");
}

TEST_F(NavigatorRepeat, TheRealTimerRepeatsWhileHeldAndStopsOnRelease) {
  QElapsedTimer held;
  held.start();
  Press(nbNext);
  int firstRepeatAfter = -1;
  ASSERT_TRUE(QTest::qWaitFor(
      [&]() {
        if (clicks_ >= 1 && firstRepeatAfter < 0) firstRepeatAfter = static_cast<int>(held.elapsed());
        return clicks_ >= 3;
      },
      10000));
  // The first repeat never comes before its pause (a timer may fire at most 5% early).
  EXPECT_GE(firstRepeatAfter, 380);
  EXPECT_EQ(navigator_->Buttons(nbNext)->RepeatTimer()->Interval(), 100);
  QTest::mouseRelease(Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(Centre(nbNext).x(), 200));
  const int atRelease = clicks_;  // released off the button: no click of its own
  QTest::qWait(350);
  EXPECT_EQ(clicks_, atRelease);
  EXPECT_FALSE(navigator_->Buttons(nbNext)->RepeatTimer()->Enabled());
}

TEST_F(NavigatorRepeat, AnExceptionFromARepeatedClickStopsTheTimerAndIsShown) {
  TBoxAnswerer boxes(mbOK);
  failOnNext_ = true;
  Press(nbNext);
  ASSERT_TRUE(QTest::qWaitFor([&]() { return !boxes.Shown.empty(); }, 10000));
  EXPECT_EQ(boxes.Shown.front(), "Navigator Tests|stuck.");
  EXPECT_FALSE(navigator_->Buttons(nbNext)->RepeatTimer()->Enabled());
  // The move itself happened before OnClick failed; no further repeats follow.
  EXPECT_EQ(CurrentName(), "row 2");
  QTest::qWait(250);
  EXPECT_EQ(clicks_, 1);
  QTest::mouseRelease(Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(Centre(nbNext).x(), 200));
}

}  // namespace
