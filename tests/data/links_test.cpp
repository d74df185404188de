// Data sources and links: dispatch order, activity, field links, the navigator's link,
// master links and the circular-link check.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "data/fields/field.h"
#include "data/links/master_data_link.h"
#include "data/links/nav_data_link.h"
#include "test_support.h"

namespace {

using ::testing::ElementsAre;

class TFakeNavigator : public TNavigatorView {
 public:
  explicit TFakeNavigator(TLog* Log) : Log(Log) {}
  void RefreshAllButtons() override { Log->push_back("nav:all"); }
  void RefreshMoveButtons() override { Log->push_back("nav:move"); }
  void RefreshEditButtons() override { Log->push_back("nav:edit"); }
  TLog* Log;
};

// A field link whose control can take the focus.
class TFocusingLink : public TFieldDataLink {
 public:
  int Focused = 0;

 protected:
  bool ControlCanFocus() const override { return true; }
  void FocusControl() override { ++Focused; }
};

class Links : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterTestDataClasses();
    Query = new TMemoryDataSet(&Form);
    Query->SetName("Query1");
    AddQuizColumns(Query->Table());
    AddQuizRows(Query->Table(), 3);
    Source = new TwwDataSource(&Form);
    Source->SetName("wwDataSource1");
  }

  TLog Log;
  TTestForm Form{nullptr};
  TMemoryDataSet* Query = nullptr;
  TDataSource* Source = nullptr;
};

TEST_F(Links, NonVisualLinksHearFirstAndNewestFirst) {
  TRecordingLink control1(&Log, "control1:", true);
  TRecordingLink master1(&Log, "master1:", false);
  TRecordingLink control2(&Log, "control2:", true);
  TRecordingLink master2(&Log, "master2:", false);
  for (TDataLink* link : std::vector<TDataLink*>{&control1, &master1, &control2, &master2})
    link->SetDataSource(Source);
  Source->SetDataSet(Query);
  Query->SetActive(true);
  EXPECT_THAT(Log, ElementsAre("master2:active", "master1:active", "control2:active", "control1:active"));
  Log.clear();
  Query->GoNext();
  EXPECT_THAT(Log, ElementsAre("master2:dnCheckBrowseMode(0)", "master1:dnCheckBrowseMode(0)",
                               "control2:dnCheckBrowseMode(0)", "control1:dnCheckBrowseMode(0)",
                               "master2:dnDataSetScroll(-1)", "master1:dnDataSetScroll(-1)",
                               "control2:dnDataSetScroll(-1)", "control1:dnDataSetScroll(-1)"));
}

TEST_F(Links, AMasterLinkHearsOfTheOpenBeforeAnyControl) {
  auto* table = new TMemoryDataSet(&Form);
  table->SetName("Table1");
  AddQuizColumns(table->Table());
  table->SetMasterSource(Source);
  table->SetActive(true);
  TTestDataControl top(&Form);
  top.SetDataSource(Source);
  top.SetDataField("Question");
  TFakeNavigator navigator(&Log);
  TNavDataLink navLink(&navigator);
  navLink.SetDataSource(Source);
  top.Link.OnDataChange = [&](TObject*) { Log.push_back("control:data"); };
  // The table re-reads its rows (and scrolls) only when it follows the master's row.
  table->AfterScroll = [&](TDataSet*) { Log.push_back("table:follows"); };

  Source->SetDataSet(Query);
  EXPECT_TRUE(Log.empty());  // the query is closed: nothing is active
  Query->SetActive(true);
  // With no master fields the table only lets go of any range: it re-reads nothing.
  EXPECT_THAT(Log, ElementsAre("nav:all", "control:data"));
  EXPECT_EQ(table->MasterFields(), "");
  Log.clear();

  // With master fields the table follows the master's row first, then the controls hear.
  Query->SetActive(false);
  table->Table().AddRow({"1", "ET1", "", "", "", "A", "", "", ""});
  table->Table().AddRow({"2", "ET1", "", "", "", "B", "", "", ""});
  table->Table().AddRow({"3", "Other", "", "", "", "C", "", "", ""});
  table->SetMasterFields("Order;QuizName");
  Log.clear();
  Query->SetActive(true);
  EXPECT_THAT(Log, ElementsAre("table:follows", "nav:all", "control:data"));
  EXPECT_EQ(table->FieldNamed("AnswerTx")->AsText(), "A");
  Log.clear();
  Query->GoNext();
  EXPECT_THAT(Log, ElementsAre("table:follows", "nav:move", "control:data"));
  EXPECT_EQ(table->FieldNamed("AnswerTx")->AsText(), "B");
  EXPECT_EQ(table->GoNext(), 0);  // only the row that matches the master
  EXPECT_EQ(table->RowCount(), 1);
  EXPECT_EQ(table->RowNumber(), 1);
  Query->GoNext();
  EXPECT_TRUE(table->HasNoRows());
  Query->SetActive(false);
  // The master closed: the range goes, every row shows again.
  table->GoLast();
  EXPECT_EQ(table->FieldNamed("AnswerTx")->AsText(), "C");
}

TEST_F(Links, AMasterFieldThatIsMissingFailsAndLeavesNoFields) {
  TMasterDataLink link(nullptr);
  link.SetFieldNames("Order; Nowhere");
  link.SetDataSource(Source);
  Source->SetDataSet(Query);
  try {
    Query->SetActive(true);
    FAIL() << "the master has no such field";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Query1: Field 'Nowhere' not found");
  }
  EXPECT_TRUE(link.Fields().empty());
  link.SetFieldNames("order ;QuizName");
  ASSERT_EQ(link.Fields().size(), 2u);
  EXPECT_EQ(link.Fields()[1], Query->FieldNamed("QuizName"));
  EXPECT_EQ(link.GetDetailSet(), nullptr);
}

TEST_F(Links, AFieldLinkReloadsOnlyForAnotherName) {
  TTestDataControl top(&Form);
  top.SetName("TopRtf");
  top.SetDataSource(Source);
  top.SetDataField("Question");
  Source->SetDataSet(Query);
  EXPECT_TRUE(top.Shown.empty());  // inactive: the name is only stored
  Query->SetActive(true);
  EXPECT_THAT(top.Shown, ElementsAre("{\\rtf1 question 1}"));
  top.Shown.clear();
  top.SetDataField("Question");
  EXPECT_TRUE(top.Shown.empty());
  top.SetDataField("Answer");
  EXPECT_THAT(top.Shown, ElementsAre("<none>", "answer 1"));
  top.Shown.clear();
  top.SetDataField("answer");  // another text, same field: detached and attached again
  EXPECT_THAT(top.Shown, ElementsAre("<none>", "answer 1"));
  top.Shown.clear();
  Query->GoNext();
  EXPECT_THAT(top.Shown, ElementsAre("answer 2"));
  top.Shown.clear();
  try {
    top.SetDataField("Nothing");
    FAIL() << "no such field";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "TopRtf: Field 'Nothing' not found");
  }
  EXPECT_EQ(top.Link.Field(), nullptr);
  EXPECT_THAT(top.Shown, ElementsAre("<none>"));
  top.Shown.clear();
  Query->SetActive(false);
  EXPECT_TRUE(top.Shown.empty());  // no field was attached: nothing to detach
  top.SetDataField("Hint");
  Query->SetActive(true);
  EXPECT_THAT(top.Shown, ElementsAre("hint 1"));
  top.Shown.clear();
  Query->SetActive(false);
  EXPECT_THAT(top.Shown, ElementsAre("<none>"));
}

TEST_F(Links, AFieldLinkWithoutControlNamesTheDataset) {
  TFieldDataLink link;
  link.SetDataSource(Source);
  Source->SetDataSet(Query);
  Query->SetActive(true);
  try {
    link.SetFieldName("Nothing");
    FAIL() << "no such field";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Query1: Field 'Nothing' not found");
  }
}

TEST_F(Links, AFieldLinkEditsThroughItsSource) {
  TTestDataControl top(&Form);
  top.SetDataSource(Source);
  top.SetDataField("QuizName");
  std::vector<std::string> events;
  top.Link.OnEditingChange = [&](TObject*) {
    events.push_back(top.Link.FieldEditing() ? "editing" : "browsing");
  };
  top.Link.OnUpdateData = [&](TObject*) {
    events.push_back("update");
    top.Link.Field()->SetAsText("typed");
  };
  Source->SetDataSet(Query);
  Query->SetActive(true);
  EXPECT_TRUE(top.Link.CanChange());
  EXPECT_TRUE(top.Link.RequestEdit());
  EXPECT_EQ(Query->Mode(), dmEdit);
  top.Link.MarkModified();
  Query->PostRow();
  EXPECT_THAT(events, ElementsAre("editing", "update", "browsing"));
  EXPECT_EQ(Query->Table().Cell(0, 1), "typed");

  // Without AutoEdit, and through a read-only link, a request changes nothing.
  Source->SetAutoEdit(false);
  EXPECT_FALSE(top.Link.RequestEdit());
  Source->SetAutoEdit(true);
  top.Link.SetReadOnly(true);
  EXPECT_FALSE(top.Link.CanChange());
  EXPECT_FALSE(top.Link.RequestEdit());
  EXPECT_EQ(Query->Mode(), dmBrowse);
}

TEST_F(Links, ARequiredFieldFocusesItsControl) {
  TFocusingLink link;
  link.SetDataSource(Source);
  Source->SetDataSet(Query);
  Query->SetActive(true);
  link.SetFieldName("Order");
  Query->FieldNamed("Order")->SetRequired(true);
  Query->AppendRow();
  EXPECT_THROW(Query->PostRow(), EDatabaseError);
  EXPECT_EQ(link.Focused, 1);
  Query->CancelEdit();
}

TEST_F(Links, TheNavigatorLinkRefreshesItsButtons) {
  TFakeNavigator navigator(&Log);
  auto link = std::make_unique<TNavDataLink>(&navigator);
  link->SetDataSource(Source);
  Source->SetDataSet(Query);
  Query->SetActive(true);
  EXPECT_THAT(Log, ElementsAre("nav:all"));
  Log.clear();
  Query->GoNext();
  Query->BeginEdit();
  Query->FieldNamed("Order")->SetAsText("x");
  Query->CancelEdit();
  EXPECT_THAT(Log, ElementsAre("nav:move", "nav:edit", "nav:edit", "nav:move"));
  Log.clear();
  link->ClearNavigator();
  Query->GoNext();
  EXPECT_TRUE(Log.empty());
  link.reset();
  EXPECT_TRUE(Source->Links().empty());
}

TEST_F(Links, ASourceOnlyPassesNoticesWhileActive) {
  TRecordingLink link(&Log, "link:", true);
  link.SetDataSource(Source);
  std::vector<std::string> events;
  Source->OnStateChange = [&](TObject*) { events.push_back("state"); };
  Source->OnDataChange = [&](TObject*, TField* field) {
    events.push_back(field == nullptr ? "data" : "data " + field->FieldName());
  };
  Source->OnUpdateData = [&](TObject*) { events.push_back("update"); };
  Source->SetDataSet(Query);
  Query->SetActive(true);
  EXPECT_THAT(events, ElementsAre("state", "data"));
  events.clear();
  Query->BeginEdit();
  Query->FieldNamed("Order")->SetAsText("x");
  Query->PostRow();
  EXPECT_THAT(events, ElementsAre("state", "data", "data Order", "update", "state", "data"));
  events.clear();
  Log.clear();
  Source->SetEnabled(false);
  EXPECT_FALSE(link.Active());
  EXPECT_EQ(Source->SourceMode(), dmInactive);
  Query->GoNext();
  EXPECT_THAT(Log, ElementsAre("link:inactive"));
  EXPECT_THAT(events, ElementsAre("state"));
  Source->SetEnabled(true);
  EXPECT_TRUE(link.Active());
}

TEST_F(Links, AssigningTheSameDatasetDetachesAndAttachesAgain) {
  TRecordingLink link(&Log, "link:", true);
  link.SetDataSource(Source);
  Source->SetDataSet(Query);
  Query->SetActive(true);
  Log.clear();
  Source->SetDataSet(Query);
  EXPECT_THAT(Log, ElementsAre("link:inactive", "link:active"));
  EXPECT_EQ(Query->DataSourceCount(), 1);
}

TEST_F(Links, ASourceCannotShowADatasetThatFollowsIt) {
  auto* table = new TMemoryDataSet(&Form);
  table->SetName("Table1");
  table->SetMasterSource(Source);
  Source->SetDataSet(Query);
  try {
    Source->SetDataSet(table);
    FAIL() << "the table follows this source";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "wwDataSource1: Circular datalinks are not allowed");
  }
  EXPECT_EQ(Source->DataSet(), Query);
  // Nor through a longer chain, nor the other way round.
  auto* second = new TDataSource(&Form);
  second->SetDataSet(table);
  auto* detail = new TMemoryDataSet(&Form);
  detail->SetMasterSource(second);
  EXPECT_THROW(Source->SetDataSet(detail), EDatabaseError);
  Source->SetDataSet(nullptr);
  Source->SetDataSet(Query);
  // Query1 -> wwDataSource1 -> Table1 -> second: Query1 cannot follow second.
  try {
    Query->SetMasterSource(second);
    FAIL() << "Query1 would follow itself";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Query1: Circular datalinks are not allowed");
  }
  EXPECT_EQ(Query->MasterSource(), nullptr);
}

TEST_F(Links, ALinkWithoutDatasetAnswersAsAnEmptyWindow) {
  TDataLink link;
  EXPECT_EQ(link.GetRowCount(), 0);
  EXPECT_TRUE(link.GetAtStart());
  EXPECT_TRUE(link.GetAtEnd());
  EXPECT_EQ(link.MoveRows(3), 0);
  link.SetActiveIndex(2);
  link.SetBufferSize(5);
  EXPECT_EQ(link.GetBufferSize(), 5);
  EXPECT_THROW(Query->DataSources(0), EListError);
}

TEST_F(Links, AFixedLinkKeepsItsSource) {
  TRecordingLink link(&Log, "link:", true);
  link.SetDataSource(Source);
  link.SetSourceFixed(true);
  TDataSource other(nullptr);
  try {
    link.SetDataSource(&other);
    FAIL() << "fixed";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "wwDataSource1: DataSource cannot be changed");
  }
  link.SetDataSource(Source);  // the one it has: nothing
  EXPECT_EQ(link.DataSource(), Source);
}

TEST_F(Links, ASourceThatGoesLetsGoOfItsLinks) {
  TRecordingLink link(&Log, "link:", true);
  link.SetDataSource(Source);
  Source->SetDataSet(Query);
  Query->SetActive(true);
  Log.clear();
  delete Source;
  EXPECT_THAT(Log, ElementsAre("link:inactive"));
  EXPECT_EQ(link.DataSource(), nullptr);
  EXPECT_EQ(Query->DataSourceCount(), 0);
  EXPECT_EQ(Query->GoNext(), 1);
}

}  // namespace
