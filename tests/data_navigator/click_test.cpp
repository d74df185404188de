// Clicks: the action on the dataset first, then OnClick, with or without an active source;
// the delete question; an exception from the action.

#include <gtest/gtest.h>

#include <QTest>

#include "core/exceptions.h"
#include "data/db_error.h"
#include "data/fields/field.h"
#include "data/links/field_data_link.h"
#include "navigator_test_support.h"

namespace {

TEST_F(NavigatorTest, AClickWithoutASourceOrWithAnInactiveOneStillReachesOnClick) {
  RecordClicks();
  navigator_->ClickButton(nbNext);
  navigator_->SetDataSource(source_);  // its dataset is closed
  navigator_->ClickButton(nbDelete);
  EXPECT_EQ(log_, (std::vector<std::string>{"click nbNext at ", "click nbDelete at "}));
}

TEST_F(NavigatorTest, TheDatasetMovesAndTheBoundControlsHearOfItBeforeOnClick) {
  FillRows(3);
  navigator_->SetDataSource(source_);
  TFieldDataLink shown;
  shown.SetFieldName("Name");
  shown.OnDataChange = [&](TObject*) {
    if (shown.Field() != nullptr) log_.push_back("shown " + shown.Field()->AsText());
  };
  shown.SetDataSource(source_);
  dataSet_->SetActive(true);
  log_.clear();
  RecordClicks();
  Place(241, 25);
  ShowAndActivate(*form_);
  QTest::mouseClick(navigator_->Widget(), Qt::LeftButton, Qt::NoModifier, Centre(nbNext));
  EXPECT_EQ(log_, (std::vector<std::string>{"before nbNext", "shown row 2", "click nbNext at row 2"}));
}

TEST_F(NavigatorTest, EachButtonPerformsItsAction) {
  FillRows(4);
  navigator_->SetDataSource(source_);
  dataSet_->SetActive(true);
  navigator_->ClickButton(nbLast);
  EXPECT_EQ(CurrentName(), "row 4");
  navigator_->ClickButton(nbPrior);
  EXPECT_EQ(CurrentName(), "row 3");
  navigator_->ClickButton(nbFirst);
  EXPECT_EQ(CurrentName(), "row 1");
  navigator_->ClickButton(nbInsert);
  EXPECT_EQ(dataSet_->Mode(), dmInsert);
  dataSet_->SeekField("Name")->SetAsText("row 0");
  navigator_->ClickButton(nbPost);
  EXPECT_EQ(dataSet_->Mode(), dmBrowse);
  EXPECT_EQ(dataSet_->Table().RowCount(), 5);
  navigator_->ClickButton(nbEdit);
  dataSet_->SeekField("Name")->SetAsText("changed");
  navigator_->ClickButton(nbCancel);
  EXPECT_EQ(dataSet_->Mode(), dmBrowse);
  EXPECT_EQ(CurrentName(), "row 0");
  // Refresh reads the rows again: a change made behind the dataset's back shows.
  dataSet_->Table().Records()[0].Cells[0] = std::string("renamed");
  navigator_->ClickButton(nbRefresh);
  EXPECT_EQ(CurrentName(), "renamed");
}

TEST_F(NavigatorTest, DeleteAsksFirstAndCancelKeepsTheRow) {
  FillRows(3);
  navigator_->SetDataSource(source_);
  dataSet_->SetActive(true);
  RecordClicks();
  {
    TBoxAnswerer boxes(mbCancel);
    navigator_->ClickButton(nbDelete);
    EXPECT_EQ(boxes.Shown, std::vector<std::string>{"Confirm|Delete record?"});
    EXPECT_EQ(boxes.Buttons.at(0), mbOKCancel);
  }
  EXPECT_EQ(dataSet_->Table().RowCount(), 3);
  {
    TBoxAnswerer boxes(mbOK);
    navigator_->ClickButton(nbDelete);
    EXPECT_EQ(boxes.Shown.size(), 1u);
  }
  EXPECT_EQ(dataSet_->Table().RowCount(), 2);
  EXPECT_EQ(CurrentName(), "row 2");
  navigator_->SetConfirmDelete(false);
  {
    TBoxAnswerer boxes(mbCancel);
    navigator_->ClickButton(nbDelete);
    EXPECT_TRUE(boxes.Shown.empty());
  }
  EXPECT_EQ(dataSet_->Table().RowCount(), 1);
  // OnClick came after every one of them, the cancelled one too.
  EXPECT_EQ(log_, (std::vector<std::string>{"before nbDelete", "click nbDelete at row 1", "before nbDelete",
                                            "click nbDelete at row 2", "before nbDelete",
                                            "click nbDelete at row 3"}));
}

TEST_F(NavigatorTest, AnExceptionFromTheActionEndsTheClickBeforeOnClick) {
  FillRows(2);
  dataSet_->SetReadOnly(true);
  navigator_->SetDataSource(source_);
  dataSet_->SetActive(true);
  RecordClicks();
  EXPECT_THROW(navigator_->ClickButton(nbEdit), EDatabaseError);
  EXPECT_EQ(log_, std::vector<std::string>{"before nbEdit"});
  // So does one from BeforeAction: the dataset does not move.
  navigator_->BeforeAction = [](TObject*, TNavigateBtn) { throw Exception("not now"); };
  EXPECT_THROW(navigator_->ClickButton(nbNext), Exception);
  EXPECT_EQ(CurrentName(), "row 1");
  EXPECT_EQ(log_.size(), 1u);
}

TEST_F(NavigatorTest, BeforeActionMayCloseTheDatasetAndTheClickGoesOn) {
  FillRows(2);
  navigator_->SetDataSource(source_);
  dataSet_->SetActive(true);
  RecordClicks();
  navigator_->BeforeAction = [this](TObject*, TNavigateBtn) { source_->SetDataSet(nullptr); };
  navigator_->ClickButton(nbNext);
  EXPECT_EQ(log_, std::vector<std::string>{"click nbNext at row 1"});
}

TEST_F(NavigatorTest, WhileDesigningAClickActsButCallsNoHandlers) {
  FillRows(2);
  navigator_->SetDataSource(source_);
  dataSet_->SetActive(true);
  RecordClicks();
  navigator_->SetDesigning(true);
  navigator_->ClickButton(nbNext);
  EXPECT_EQ(CurrentName(), "row 2");
  EXPECT_TRUE(log_.empty());
}

}  // namespace
