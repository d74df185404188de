// Opening and closing a dataset: notices and hooks in order, flags, failures, destruction.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "data/fields/blob_field.h"
#include "data/fields/string_field.h"
#include "test_support.h"

namespace {

using ::testing::ElementsAre;

class DataSetOpen : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterTestDataClasses();
    Query = new TMemoryDataSet(&Form);
    Query->SetName("Query1");
    AddQuizColumns(Query->Table());
    AnswerTx = new TStringField(&Form);
    AnswerTx->SetName("Query1AnswerTx");
    AnswerTx->SetFieldName("AnswerTx");
    AnswerTx->SetSize(1);
    AnswerTx->SetHostDataSet(Query);
    Source = new TDataSource(&Form);
    Source->SetDataSet(Query);
    Link.SetDataSource(Source);
  }

  TLog Log;  // outlives the form, which may still notify while it goes
  TTestForm Form{nullptr};
  TMemoryDataSet* Query = nullptr;
  TStringField* AnswerTx = nullptr;
  TDataSource* Source = nullptr;
  TRecordingLink Link{&Log, "link:", true};
};

TEST_F(DataSetOpen, OpeningWithRowsSendsOneUpdateStateBeforeAfterOpen) {
  AddQuizRows(Query->Table(), 3);
  RecordHooks(*Query, Log);
  RecordNotices(*Query, Log);
  std::string answerSeenByLink;
  Query->AfterOpen = [&](TDataSet* ds) {
    Log.push_back("AfterOpen");
    answerSeenByLink = AnswerTx->AsText();
    EXPECT_TRUE(ds->AtStart());
    EXPECT_FALSE(ds->AtEnd());
    EXPECT_EQ(ds->ActiveSlot(), 0);
  };
  Query->SetActive(true);
  EXPECT_THAT(Log, ElementsAre("BeforeOpen", "link:active", "ds:dnUpdateState", "AfterOpen", "AfterScroll"));
  EXPECT_EQ(answerSeenByLink, "A");
  EXPECT_EQ(Query->Mode(), dmBrowse);
  // Only single-row links: one slot and a spare.
  EXPECT_EQ(Query->WindowSize(), 1);
  EXPECT_EQ(Query->WindowFill(), 1);
}

TEST_F(DataSetOpen, OpeningAnEmptyResultLeavesBothFlagsSet) {
  Query->SetActive(true);
  EXPECT_EQ(Query->Mode(), dmBrowse);
  EXPECT_TRUE(Query->HasNoRows());
  EXPECT_TRUE(Query->AtStart());
  EXPECT_TRUE(Query->AtEnd());
  EXPECT_EQ(AnswerTx->AsText(), "");
  EXPECT_TRUE(AnswerTx->ValueIsNull());
}

TEST_F(DataSetOpen, DefaultFieldsAreMadeAndAnnouncedWhenNoneWereDeclared) {
  delete AnswerTx;
  AddQuizRows(Query->Table(), 1);
  RecordNotices(*Query, Log);
  Query->SetActive(true);
  // One dnFieldListChange per field made (the inactive source drops them), then the state.
  TLog expected(9, "ds:dnFieldListChange");
  expected.push_back("link:active");
  expected.push_back("ds:dnUpdateState");
  EXPECT_EQ(Log, expected);
  ASSERT_EQ(Query->FieldObjects()->Count(), 9);
  EXPECT_EQ(Query->FieldNamed("answertx")->AsText(), "A");
  EXPECT_NE(dynamic_cast<TBlobField*>(Query->FieldNamed("Answer")), nullptr);
  EXPECT_EQ(Query->FieldNamed("Answer")->DataType(), ftFmtMemo);
  Query->SetActive(false);
  EXPECT_EQ(Query->FieldObjects()->Count(), 0);
}

TEST_F(DataSetOpen, ClosingRunsHooksAroundTheStateChange) {
  AddQuizRows(Query->Table(), 2);
  Query->SetActive(true);
  Log.clear();
  RecordHooks(*Query, Log);
  RecordNotices(*Query, Log);
  Query->SetActive(false);
  EXPECT_THAT(Log, ElementsAre("BeforeClose", "link:inactive", "ds:dnUpdateState", "AfterClose"));
  EXPECT_EQ(Query->WindowSize(), 0);
  EXPECT_TRUE(Query->AtStart());
  EXPECT_TRUE(Query->AtEnd());
  EXPECT_EQ(AnswerTx->AsText(), "");
  Log.clear();
  Query->SetActive(false);  // the value it holds: nothing at all
  EXPECT_TRUE(Log.empty());
}

TEST_F(DataSetOpen, AFailingBindingLeavesTheDatasetClosed) {
  AnswerTx->SetSize(2);
  RecordHooks(*Query, Log);
  try {
    Query->SetActive(true);
    FAIL() << "the open should fail";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Query1: Size mismatch for field 'AnswerTx', expecting: 2 actual: 1");
  }
  EXPECT_THAT(Log, ElementsAre("BeforeOpen"));
  EXPECT_EQ(Query->Mode(), dmInactive);
  EXPECT_EQ(Query->WindowSize(), 0);
  EXPECT_EQ(AnswerTx->ColumnNo(), 0);
  // Mended, it opens.
  AnswerTx->SetSize(1);
  Query->SetActive(true);
  EXPECT_EQ(AnswerTx->ColumnNo(), 6);
}

TEST_F(DataSetOpen, AFailureAfterTheCursorOpenedLeavesItBrowsingWithoutAfterOpen) {
  AddQuizRows(Query->Table(), 1);
  RecordHooks(*Query, Log);
  // A control that names a missing field fails when its link becomes active.
  TTestDataControl control(&Form);
  control.SetName("TopRtf");
  control.SetDataSource(Source);
  control.SetDataField("Nothing");
  EXPECT_THROW(
      {
        try {
          Query->SetActive(true);
        } catch (const EDatabaseError& e) {
          EXPECT_STREQ(e.what(), "TopRtf: Field 'Nothing' not found");
          throw;
        }
      },
      EDatabaseError);
  // The newest link heard first and failed; the open stays done, without its last hooks.
  EXPECT_EQ(Query->Mode(), dmBrowse);
  EXPECT_THAT(Log, ElementsAre("BeforeOpen"));
  EXPECT_EQ(control.Link.Field(), nullptr);
}

TEST_F(DataSetOpen, DestroyingAnOpenDatasetSkipsTheCloseHooksAndFreesItsSources) {
  AddQuizRows(Query->Table(), 2);
  Query->SetActive(true);
  Log.clear();
  RecordHooks(*Query, Log);
  delete Query;
  EXPECT_THAT(Log, ElementsAre("link:inactive"));
  EXPECT_EQ(Source->DataSet(), nullptr);
  EXPECT_EQ(Source->SourceMode(), dmInactive);
  EXPECT_EQ(AnswerTx->HostDataSet(), nullptr);
  EXPECT_THROW(AnswerTx->AsText(), EDatabaseError);
}

// A dataset further down a chain that takes part in closing.
class TStoppingDataSet : public TMemoryDataSet {
 public:
  explicit TStoppingDataSet(int* Stops) : TMemoryDataSet(nullptr), Stops(Stops) {}
  ~TStoppingDataSet() override { CloseForDestruction(); }
  int* Stops;

 protected:
  void StopCursor() override {
    ++*Stops;
    TMemoryDataSet::StopCursor();
  }
};

TEST(DataSetChain, TheMostDerivedDestructorClosesWithItsOverrides) {
  int stops = 0;
  auto* data = new TStoppingDataSet(&stops);
  data->Table().AddColumn({"Name", ftString, 4, {}});
  data->Table().AddRow({"x"});
  data->SetActive(true);
  delete data;
  EXPECT_EQ(stops, 1);
}

TEST_F(DataSetOpen, FreeingADeclaredFieldOfAnOpenDatasetClosesItFirst) {
  AddQuizRows(Query->Table(), 1);
  Query->SetActive(true);
  delete AnswerTx;
  EXPECT_FALSE(Query->Active());
  EXPECT_EQ(Query->FieldObjects()->Count(), 0);
}

TEST_F(DataSetOpen, DefinitionsCanBeReadWhileClosed) {
  TFieldDefs* defs = Query->FieldDefs();
  defs->Update();
  ASSERT_EQ(defs->Count(), 9);
  EXPECT_EQ(defs->Items(5)->Name(), "AnswerTx");
  EXPECT_EQ(defs->Items(5)->Size(), 1);
  EXPECT_EQ(defs->Items(3)->DataType(), ftFmtMemo);
  EXPECT_FALSE(Query->Active());
  EXPECT_EQ(Query->FlatFieldDefs()->Count(), 9);
  EXPECT_EQ(Query->FlatFieldDefs()->Find("RIFF"), defs->Items(7));
}

}  // namespace
