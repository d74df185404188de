// Moving through the rows: the row window, its flags and notices, fetch failures, and
// windows sized by links that show several rows.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "data/fields/string_field.h"
#include "test_support.h"

namespace {

using ::testing::ElementsAre;

// A memory dataset whose fetch fails once armed, as an engine's fetch can.
class TFailingDataSet : public TMemoryDataSet {
 public:
  using TMemoryDataSet::TMemoryDataSet;
  int FailAfter = -1;  // fetches to let through before failing; -1 never fails

 protected:
  TFetchResult FetchRow(TRowBuffer Buffer, TFetchMode Mode, bool Check) override {
    if (FailAfter == 0) {
      FailAfter = -1;
      if (Check) throw EDatabaseError("Engine error $2C08");
      return frError;
    }
    if (FailAfter > 0) --FailAfter;
    return TMemoryDataSet::FetchRow(Buffer, Mode, Check);
  }
};

class Navigation : public ::testing::Test {
 protected:
  void SetUp() override {
    Query = new TFailingDataSet(&Form);
    Query->SetName("Query1");
    AddQuizColumns(Query->Table());
    Source = new TDataSource(&Form);
    Source->SetDataSet(Query);
    Link.SetDataSource(Source);
  }
  std::string Order() { return Query->FieldNamed("Order")->AsText(); }
  void Open(int Rows) {
    AddQuizRows(Query->Table(), Rows);
    Query->SetActive(true);
    Log.clear();
    RecordHooks(*Query, Log);
  }

  TLog Log;  // outlives the form, which may still notify while it goes
  TTestForm Form{nullptr};
  TFailingDataSet* Query = nullptr;
  TDataSource* Source = nullptr;
  TRecordingLink Link{&Log, "link:", true};
};

TEST_F(Navigation, AOneRowWindowScrollsThenStopsAtTheEnd) {
  Open(3);
  EXPECT_EQ(Query->GoNext(), 1);
  EXPECT_EQ(Query->GoNext(), 1);
  EXPECT_EQ(Order(), "3");
  EXPECT_FALSE(Query->AtEnd());
  EXPECT_THAT(Log, ElementsAre("link:dnCheckBrowseMode(0)", "BeforeScroll", "link:dnDataSetScroll(-1)",
                               "AfterScroll", "link:dnCheckBrowseMode(0)", "BeforeScroll",
                               "link:dnDataSetScroll(-1)", "AfterScroll"));
  Log.clear();
  EXPECT_EQ(Query->GoNext(), 0);
  EXPECT_TRUE(Query->AtEnd());
  EXPECT_EQ(Order(), "3");
  EXPECT_THAT(Log, ElementsAre("link:dnCheckBrowseMode(0)", "BeforeScroll", "link:dnDataSetScroll(0)",
                               "AfterScroll"));
  Log.clear();
  EXPECT_EQ(Query->GoNext(), 0);
  EXPECT_THAT(Log, ElementsAre("link:dnCheckBrowseMode(0)", "BeforeScroll"));
  // Two buffers throughout: the active one and the spare.
  EXPECT_EQ(Query->WindowSize(), 1);
}

TEST_F(Navigation, MovingAClosedDatasetFailsWithItsName) {
  try {
    Query->GoNext();
    FAIL() << "a closed dataset cannot move";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Query1: Cannot perform this operation on a closed dataset");
  }
  Query->SetName("");
  try {
    Query->GoFirst();
    FAIL() << "a closed dataset cannot move";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Cannot perform this operation on a closed dataset");
  }
}

TEST_F(Navigation, BackwardAndToEitherEnd) {
  Open(4);
  Query->GoLast();
  EXPECT_EQ(Order(), "4");
  EXPECT_TRUE(Query->AtEnd());
  EXPECT_FALSE(Query->AtStart());
  EXPECT_THAT(Log, ElementsAre("link:dnCheckBrowseMode(0)", "BeforeScroll", "link:dnDataSetChange(0)",
                               "AfterScroll"));
  EXPECT_EQ(Query->GoRows(-2), -2);
  EXPECT_EQ(Order(), "2");
  EXPECT_FALSE(Query->AtEnd());
  EXPECT_EQ(Query->GoRows(-5), -1);
  EXPECT_TRUE(Query->AtStart());
  EXPECT_EQ(Order(), "1");
  EXPECT_EQ(Query->GoPrior(), 0);
  Query->GoFirst();
  EXPECT_TRUE(Query->AtStart());
  EXPECT_FALSE(Query->AtEnd());
  EXPECT_EQ(Query->GoRows(10), 3);
  EXPECT_EQ(Order(), "4");
  EXPECT_TRUE(Query->AtEnd());
}

TEST_F(Navigation, AFailingFetchKeepsTheWindowAndStillNotifies) {
  Open(3);
  Query->FailAfter = 0;
  try {
    Query->GoNext();
    FAIL() << "the fetch should fail";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Engine error $2C08");
  }
  EXPECT_EQ(Order(), "1");
  EXPECT_THAT(Log, ElementsAre("link:dnCheckBrowseMode(0)", "BeforeScroll", "link:dnDataSetScroll(0)",
                               "AfterScroll"));
  // The next move goes on from there.
  EXPECT_EQ(Query->GoNext(), 1);
  EXPECT_EQ(Order(), "2");
}

TEST_F(Navigation, AFailingFetchInGoFirstStillAnnouncesTheRebuiltWindow) {
  Open(3);
  Query->GoNext();
  Log.clear();
  Query->FailAfter = 0;
  EXPECT_THROW(Query->GoFirst(), EDatabaseError);
  EXPECT_THAT(Log, ElementsAre("link:dnCheckBrowseMode(0)", "BeforeScroll", "link:dnDataSetChange(0)",
                               "AfterScroll"));
  EXPECT_TRUE(Query->HasNoRows());
  EXPECT_TRUE(Query->AtStart());
  Query->GoFirst();
  EXPECT_EQ(Order(), "1");
}

TEST_F(Navigation, ALinkShowingSeveralRowsWidensTheWindow) {
  Open(10);
  Query->GoRows(4);  // row 5
  EXPECT_EQ(Order(), "5");
  TLog gridLog;
  TRecordingLink grid(&gridLog, "grid:", true);
  grid.SetDataSource(Source);
  grid.SetBufferSize(4);
  // The window grew around the active row without moving it.
  EXPECT_EQ(Query->WindowSize(), 4);
  EXPECT_EQ(Query->WindowFill(), 4);
  EXPECT_EQ(Order(), "5");
  EXPECT_EQ(Query->ActiveSlot(), 0);
  EXPECT_EQ(grid.FirstIndex(), 0);
  EXPECT_EQ(grid.GetActiveIndex(), 0);
  EXPECT_EQ(grid.GetRowCount(), 4);

  // Moving inside the window does not scroll it; moving past its end scrolls by one.
  EXPECT_EQ(Query->GoRows(3), 3);
  EXPECT_EQ(Query->ActiveSlot(), 3);
  EXPECT_EQ(grid.FirstIndex(), 0);
  gridLog.clear();
  EXPECT_EQ(Query->GoNext(), 1);
  EXPECT_EQ(Order(), "9");
  EXPECT_EQ(Query->ActiveSlot(), 3);
  EXPECT_THAT(gridLog, ElementsAre("grid:dnCheckBrowseMode(0)", "grid:dnDataSetScroll(-1)"));
  EXPECT_EQ(grid.FirstIndex(), 0);

  // Backward across the window's start.
  EXPECT_EQ(Query->GoRows(-4), -4);
  EXPECT_EQ(Order(), "5");
  EXPECT_EQ(Query->ActiveSlot(), 0);
  EXPECT_EQ(grid.FirstIndex(), 0);

  // Shrinking back keeps the active row.
  grid.SetBufferSize(1);
  EXPECT_EQ(Query->WindowSize(), 1);
  EXPECT_EQ(Query->WindowFill(), 1);
  EXPECT_EQ(Order(), "5");
  EXPECT_EQ(Query->GoNext(), 1);
  EXPECT_EQ(Order(), "6");
}

TEST_F(Navigation, ShrinkingKeepsTheRowsOfTheLowestActiveLink) {
  Open(10);
  TLog gridLog;
  TRecordingLink grid(&gridLog, "grid:", true);
  grid.SetDataSource(Source);
  grid.SetBufferSize(5);
  EXPECT_EQ(Query->WindowFill(), 5);
  Query->GoRows(3);  // row 4 in slot 3
  EXPECT_EQ(Query->ActiveSlot(), 3);
  TRecordingLink small(&gridLog, "small:", true);
  small.SetDataSource(Source);
  small.SetBufferSize(3);
  // The three-row link shows rows 3..5, as far down the window as it can.
  EXPECT_EQ(small.FirstIndex(), 2);
  grid.SetDataSource(nullptr);
  // Shrunk to three rows starting at that link's first row.
  EXPECT_EQ(Query->WindowSize(), 3);
  EXPECT_EQ(Query->WindowFill(), 3);
  EXPECT_EQ(Query->ActiveSlot(), 1);
  EXPECT_EQ(small.FirstIndex(), 0);
  EXPECT_EQ(Order(), "4");
  Query->GoRows(-2);
  EXPECT_EQ(Order(), "2");
  EXPECT_EQ(Query->ActiveSlot(), 0);
}

TEST_F(Navigation, AWideLinkOpenedNearTheEndFetchesRowsBeforeTheActiveOne) {
  Open(10);
  Query->GoRows(8);  // row 9 of 10
  TLog gridLog;
  TRecordingLink grid(&gridLog, "grid:", true);
  grid.SetDataSource(Source);
  grid.SetBufferSize(4);
  EXPECT_EQ(Query->WindowFill(), 4);
  EXPECT_EQ(Order(), "9");
  EXPECT_EQ(Query->ActiveSlot(), 2);
  EXPECT_EQ(grid.FirstIndex(), 0);
  EXPECT_EQ(grid.GetActiveIndex(), 2);
  grid.SetActiveIndex(0);
  EXPECT_EQ(Order(), "7");
  EXPECT_THROW(grid.SetActiveIndex(4), EListError);
  EXPECT_THROW(grid.SetBufferSize(0), EDatabaseError);
}

TEST_F(Navigation, ReadingBlocksTellsOnlyTheNonVisualLinks) {
  Open(5);
  TRecordingLink master(&Log, "master:", false);
  master.SetDataSource(Source);
  Query->SetBlockReadSize(10);
  EXPECT_EQ(Query->Mode(), dmBlockRead);
  Log.clear();
  EXPECT_EQ(Query->GoNext(), 1);
  EXPECT_THAT(Log, ElementsAre("BeforeScroll", "master:dnDataSetScroll(-1)", "AfterScroll"));
  EXPECT_EQ(Order(), "2");
  Query->SetBlockReadSize(0);
  EXPECT_EQ(Query->Mode(), dmBrowse);
  Log.clear();
  Query->GoNext();
  EXPECT_EQ(Log.back(), "AfterScroll");
  EXPECT_EQ(Log[Log.size() - 2], "link:dnDataSetScroll(-1)");
}

TEST_F(Navigation, BookmarksLeadBack) {
  Open(5);
  Query->GoRows(2);
  EXPECT_EQ(Query->RowCount(), 5);
  EXPECT_EQ(Query->RowNumber(), 3);
  const TBookmarkBytes mark = Query->TakeBookmark();
  Query->GoLast();
  Query->GoToBookmark(mark);
  EXPECT_EQ(Order(), "3");
  EXPECT_EQ(Query->GoNext(), 1);
  EXPECT_EQ(Order(), "4");
}

TEST_F(Navigation, SuspendedViewsHearOnceAtTheEnd) {
  Open(5);
  Query->SuspendViews();
  Query->GoNext();
  Query->GoNext();
  Query->SuspendViews();
  Query->GoNext();
  Query->ResumeViews();
  EXPECT_THAT(Log, ElementsAre("BeforeScroll", "AfterScroll", "BeforeScroll", "AfterScroll", "BeforeScroll",
                               "AfterScroll"));
  Query->ResumeViews();
  EXPECT_EQ(Log.back(), "link:dnDataSetChange(0)");
  EXPECT_FALSE(Query->ViewsSuspended());
  Query->ResumeViews();  // not suspended: nothing
  EXPECT_EQ(Log.back(), "link:dnDataSetChange(0)");
}

TEST_F(Navigation, ClosingWhileSuspendedAnnouncesTheStateOnly) {
  Open(2);
  Query->SuspendViews();
  Query->SetActive(false);
  EXPECT_TRUE(Link.Active());
  Query->ResumeViews();
  EXPECT_FALSE(Link.Active());
  EXPECT_EQ(Log.back(), "link:inactive");
}

}  // namespace
