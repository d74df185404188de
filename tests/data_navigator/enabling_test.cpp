// Which buttons are enabled: by the position of the current row, by editing, by whether the
// dataset can be modified, and never while the source is inactive or the navigator disabled.

#include <gtest/gtest.h>

#include <QTest>

#include "navigator_test_support.h"

namespace {

// The enabled buttons, as a set.
TButtonSet EnabledButtons(const TDBNavigator& Navigator) {
  TButtonSet set;
  for (TNavigateBtn kind : NavButtonKinds) {
    if (Navigator.Buttons(kind)->Enabled()) set.Include(kind);
  }
  return set;
}

const TButtonSet EditButtons{nbInsert, nbEdit, nbRefresh};

TEST_F(NavigatorTest, WithoutAnActiveSourceEveryButtonIsDisabled) {
  FillRows(3);
  navigator_->SetDataSource(source_);
  EXPECT_EQ(EnabledButtons(*navigator_), TButtonSet{});
  dataSet_->SetActive(true);
  EXPECT_EQ(EnabledButtons(*navigator_), (TButtonSet{nbNext, nbLast, nbDelete} + EditButtons));
  source_->SetEnabled(false);
  EXPECT_EQ(EnabledButtons(*navigator_), TButtonSet{});
  source_->SetEnabled(true);
  dataSet_->SetActive(false);
  EXPECT_EQ(EnabledButtons(*navigator_), TButtonSet{});
}

TEST_F(NavigatorTest, NextOnTheLastRowDisablesNextAndLastAndStillCallsOnClick) {
  FillRows(3);
  navigator_->SetDataSource(source_);
  dataSet_->SetActive(true);
  RecordClicks();
  Place(241, 25);
  ShowAndActivate(*form_);
  QWidget* w = navigator_->Widget();
  QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, Centre(nbNext));
  EXPECT_EQ(EnabledButtons(*navigator_), (AllNavButtons - TButtonSet{nbPost, nbCancel}));
  QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, Centre(nbNext));
  EXPECT_TRUE(navigator_->Buttons(nbNext)->Enabled());  // on the last row, but not known yet
  QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, Centre(nbNext));
  EXPECT_FALSE(navigator_->Buttons(nbNext)->Enabled());
  EXPECT_FALSE(navigator_->Buttons(nbLast)->Enabled());
  EXPECT_TRUE(navigator_->Buttons(nbPrior)->Enabled());
  EXPECT_EQ(log_,
            (std::vector<std::string>{"before nbNext", "click nbNext at row 2", "before nbNext",
                                      "click nbNext at row 3", "before nbNext", "click nbNext at row 3"}));
  // A disabled button takes no clicks.
  QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, Centre(nbNext));
  EXPECT_EQ(log_.size(), 6u);
  QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, Centre(nbFirst));
  EXPECT_EQ(CurrentName(), "row 1");
  EXPECT_EQ(EnabledButtons(*navigator_), (TButtonSet{nbNext, nbLast, nbDelete} + EditButtons));
}

TEST_F(NavigatorTest, EditingSwapsEditForPostAndCancel) {
  FillRows(2);
  navigator_->SetDataSource(source_);
  dataSet_->SetActive(true);
  navigator_->ClickButton(nbEdit);
  EXPECT_EQ(dataSet_->Mode(), dmEdit);
  EXPECT_FALSE(navigator_->Buttons(nbEdit)->Enabled());
  EXPECT_TRUE(navigator_->Buttons(nbPost)->Enabled());
  EXPECT_TRUE(navigator_->Buttons(nbCancel)->Enabled());
  EXPECT_TRUE(navigator_->Buttons(nbInsert)->Enabled());
  navigator_->ClickButton(nbCancel);
  EXPECT_EQ(dataSet_->Mode(), dmBrowse);
  EXPECT_EQ(EnabledButtons(*navigator_) * (EditButtons + TButtonSet{nbPost, nbCancel}), EditButtons);
}

TEST_F(NavigatorTest, AReadOnlyDatasetOffersOnlyTheMoves) {
  FillRows(3);
  dataSet_->SetReadOnly(true);
  navigator_->SetDataSource(source_);
  dataSet_->SetActive(true);
  dataSet_->GoNext();
  EXPECT_EQ(EnabledButtons(*navigator_), (TButtonSet{nbFirst, nbPrior, nbNext, nbLast}));
}

TEST_F(NavigatorTest, AnEmptyDatasetOffersOnlyInsertEditAndRefresh) {
  navigator_->SetDataSource(source_);
  dataSet_->SetActive(true);
  EXPECT_EQ(EnabledButtons(*navigator_), EditButtons);
}

TEST_F(NavigatorTest, DisablingTheNavigatorDisablesEveryButtonAndEnablingRestoresTheRules) {
  FillRows(3);
  navigator_->SetDataSource(source_);
  dataSet_->SetActive(true);
  navigator_->SetEnabled(false);
  EXPECT_EQ(EnabledButtons(*navigator_), TButtonSet{});
  dataSet_->GoNext();  // the link's refresh keeps them disabled too
  EXPECT_EQ(EnabledButtons(*navigator_), TButtonSet{});
  navigator_->SetEnabled(true);
  EXPECT_EQ(EnabledButtons(*navigator_), (AllNavButtons - TButtonSet{nbPost, nbCancel}));
  // Setting the value it has is no change: nothing is refreshed.
  navigator_->Buttons(nbPost)->SetEnabled(true);
  navigator_->SetEnabled(true);
  EXPECT_TRUE(navigator_->Buttons(nbPost)->Enabled());
}

TEST_F(NavigatorTest, AFreedDataSourceIsLetGo) {
  FillRows(3);
  navigator_->SetDataSource(source_);
  dataSet_->SetActive(true);
  delete source_;
  source_ = nullptr;
  EXPECT_EQ(navigator_->DataSource(), nullptr);
  EXPECT_EQ(navigator_->NavLink()->DataSource(), nullptr);
  EXPECT_EQ(EnabledButtons(*navigator_), TButtonSet{});
  RecordClicks();
  navigator_->ClickButton(nbNext);
  EXPECT_EQ(log_, std::vector<std::string>{"click nbNext at row 1"});
}

TEST_F(NavigatorTest, AFreedNavigatorLeavesItsSource) {
  navigator_->SetDataSource(source_);
  ASSERT_EQ(source_->Links().size(), 1u);
  delete navigator_;
  navigator_ = nullptr;
  EXPECT_TRUE(source_->Links().empty());
  dataSet_->SetActive(true);  // nobody left to tell
}

}  // namespace
