// Editing, inserting, appending, posting, cancelling and deleting rows, with the notices and
// hooks of each transition, the error-retry loop and the checks.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "data/fields/blob_field.h"
#include "data/fields/string_field.h"
#include "test_support.h"

namespace {

using ::testing::ElementsAre;

// A memory dataset whose post fails a given number of times.
class TFlakyDataSet : public TMemoryDataSet {
 public:
  using TMemoryDataSet::TMemoryDataSet;
  int PostFailures = 0;
  int PostCalls = 0;

 protected:
  void CorePost() override {
    ++PostCalls;
    if (PostFailures > 0) {
      --PostFailures;
      throw EDatabaseError("Record locked");
    }
    TMemoryDataSet::CorePost();
  }
};

class Editing : public ::testing::Test {
 protected:
  void SetUp() override {
    Query = new TFlakyDataSet(&Form);
    Query->SetName("Query1");
    AddQuizColumns(Query->Table());
    AddQuizRows(Query->Table(), 3);
    Source = new TDataSource(&Form);
    Source->SetDataSet(Query);
    Query->SetActive(true);
    RecordHooks(*Query, Log);
    RecordNotices(*Query, Log);
  }
  std::string Text(const char* Name) { return Query->FieldNamed(Name)->AsText(); }
  std::string StoredText(int Row, int Column) { return Query->Table().Cell(Row, Column).value_or("<null>"); }

  TLog Log;  // outlives the form, which may still notify while it goes
  TTestForm Form{nullptr};
  TFlakyDataSet* Query = nullptr;
  TDataSource* Source = nullptr;
};

TEST_F(Editing, EditAndPostWriteTheRowInOrder) {
  Query->GoNext();
  Log.clear();
  Query->BeginEdit();
  EXPECT_EQ(Query->Mode(), dmEdit);
  EXPECT_THAT(Log, ElementsAre("ds:dnCheckBrowseMode", "BeforeEdit", "ds:dnUpdateState", "ds:dnRecordChange",
                               "AfterEdit"));
  Log.clear();
  Query->FieldNamed("QuizName")->SetAsText("Banana Splits 1");
  EXPECT_TRUE(Query->Modified());
  EXPECT_THAT(Log, ElementsAre("ds:dnFieldChange"));
  Log.clear();
  Query->PostRow();
  EXPECT_THAT(Log, ElementsAre("ds:dnUpdateRecord", "ds:dnCheckBrowseMode", "BeforePost", "ds:dnUpdateState",
                               "ds:dnDataSetChange", "AfterPost"));
  EXPECT_EQ(Query->Mode(), dmBrowse);
  EXPECT_EQ(StoredText(1, 1), "Banana Splits 1");
  EXPECT_EQ(Text("QuizName"), "Banana Splits 1");
  EXPECT_EQ(Text("Order"), "2");
  EXPECT_EQ(Query->Table().RowCount(), 3);
}

TEST_F(Editing, InsertPutsANewRowBeforeTheActiveOne) {
  Query->GoNext();
  Log.clear();
  Query->OnNewRecord = [&](TDataSet* ds) {
    Log.push_back("OnNewRecord");
    ds->FieldNamed("Order")->SetAsText("1b");
  };
  Query->InsertRow();
  EXPECT_THAT(Log, ElementsAre("ds:dnCheckBrowseMode", "BeforeInsert", "BeforeScroll", "ds:dnUpdateState",
                               "OnNewRecord", "ds:dnFieldChange", "ds:dnDataSetChange", "AfterInsert",
                               "AfterScroll"));
  // Values set by OnNewRecord do not count as the user's change.
  EXPECT_FALSE(Query->Modified());
  EXPECT_EQ(Text("Order"), "1b");
  EXPECT_EQ(Text("QuizName"), "");
  // A text longer than the field is refused whole, naming the field, and leaves the value.
  Query->FieldNamed("AnswerTx")->SetAsText("B");
  try {
    Query->FieldNamed("AnswerTx")->SetAsText("Dx");
    ADD_FAILURE() << "a two-letter answer was taken";
  } catch (const EDatabaseError& e) {
    EXPECT_THAT(e.Message(),
                ::testing::HasSubstr("Value too long for field 'AnswerTx' (at most 1 characters)"));
  }
  EXPECT_EQ(Text("AnswerTx"), "B");
  Query->FieldNamed("AnswerTx")->SetAsText("D");
  Query->PostRow();
  ASSERT_EQ(Query->Table().RowCount(), 4);
  EXPECT_EQ(StoredText(1, 0), "1b");
  EXPECT_EQ(StoredText(1, 5), "D");
  EXPECT_EQ(StoredText(2, 0), "2");
  EXPECT_EQ(Text("Order"), "1b");
  Query->GoNext();
  EXPECT_EQ(Text("Order"), "2");
  Query->GoPrior();
  Query->GoPrior();
  EXPECT_EQ(Text("Order"), "1");
}

TEST_F(Editing, AppendAddsAtTheEnd) {
  Query->AppendRow();
  EXPECT_EQ(Query->Mode(), dmInsert);
  Query->FieldNamed("Order")->SetAsText("4");
  // Moving on posts the modified row.
  Query->GoFirst();
  EXPECT_EQ(Query->Mode(), dmBrowse);
  ASSERT_EQ(Query->Table().RowCount(), 4);
  EXPECT_EQ(StoredText(3, 0), "4");
  Query->GoLast();
  EXPECT_EQ(Text("Order"), "4");
}

TEST_F(Editing, CancellingAnInsertReturnsToTheRowBefore) {
  Query->GoNext();
  Query->InsertRow();
  Query->FieldNamed("Order")->SetAsText("x");
  Log.clear();
  Query->CancelEdit();
  EXPECT_THAT(Log, ElementsAre("ds:dnCheckBrowseMode", "BeforeCancel", "BeforeScroll", "ds:dnUpdateState",
                               "ds:dnDataSetChange", "AfterCancel", "AfterScroll"));
  EXPECT_EQ(Text("Order"), "2");
  EXPECT_EQ(Query->Table().RowCount(), 3);
  // An unmodified insert is cancelled by the next move.
  Query->AppendRow();
  Query->GoFirst();
  EXPECT_EQ(Query->Table().RowCount(), 3);
  EXPECT_EQ(Text("Order"), "1");
}

TEST_F(Editing, DeleteShowsTheNextRowThenThePriorAtTheEnd) {
  Query->GoNext();
  Log.clear();
  Query->DeleteRow();
  EXPECT_THAT(Log, ElementsAre("ds:dnCheckBrowseMode", "BeforeDelete", "BeforeScroll", "ds:dnDataSetChange",
                               "AfterDelete", "AfterScroll"));
  EXPECT_EQ(Text("Order"), "3");
  Query->DeleteRow();
  EXPECT_EQ(Text("Order"), "1");
  Query->DeleteRow();
  EXPECT_TRUE(Query->HasNoRows());
  EXPECT_TRUE(Query->AtStart());
  EXPECT_TRUE(Query->AtEnd());
  try {
    Query->DeleteRow();
    FAIL() << "nothing left to delete";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Query1: Cannot perform this operation on an empty dataset");
  }
  // Editing an empty dataset inserts.
  Query->BeginEdit();
  EXPECT_EQ(Query->Mode(), dmInsert);
  Query->FieldNamed("Order")->SetAsText("9");
  Query->PostRow();
  EXPECT_EQ(Query->Table().RowCount(), 1);
  EXPECT_EQ(Text("Order"), "9");
}

TEST_F(Editing, ChecksNameTheDataset) {
  try {
    Query->PostRow();
    FAIL() << "not editing";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Query1: Dataset not in edit or insert mode");
  }
  EXPECT_THROW(Query->CollectEdits(), EDatabaseError);
  Query->SetActive(false);
  Query->SetReadOnly(true);
  Query->SetActive(true);
  try {
    Query->BeginEdit();
    FAIL() << "read-only";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Query1: Cannot modify a read-only dataset");
  }
  EXPECT_THROW(Query->AppendRow(), EDatabaseError);
  EXPECT_THROW(Query->FieldNamed("Order")->SetAsText("x"), EDatabaseError);
  EXPECT_EQ(Query->Mode(), dmBrowse);
}

TEST_F(Editing, ARequiredFieldWithoutValueStopsThePostAndAsksForFocus) {
  Query->SetActive(false);
  auto* order = new TStringField(&Form);
  order->SetFieldName("Order");
  order->SetSize(5);
  order->SetDisplayLabel("Number");
  order->SetRequired(true);
  order->SetHostDataSet(Query);
  Query->SetActive(true);
  Query->AppendRow();
  TField* focused = nullptr;
  Query->DesignObserver = [&](TDataSet*, TDataNotice Notice, TNoticeInfo Info) {
    if (Notice == dnFocusControl) focused = *NoticeFieldRef(Info);
  };
  try {
    Query->PostRow();
    FAIL() << "the field must have a value";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Field 'Number' must have a value");
  }
  EXPECT_EQ(focused, order);
  EXPECT_EQ(Query->Mode(), dmInsert);
  order->SetAsText("4");
  Query->PostRow();
  EXPECT_EQ(Query->Table().RowCount(), 4);
}

TEST_F(Editing, ThePostErrorHandlerCanRetryAbortOrFail) {
  Query->BeginEdit();
  Query->FieldNamed("Order")->SetAsText("one");
  Query->PostFailures = 2;
  int offered = 0;
  Query->OnPostError = [&](TDataSet*, EDatabaseError& e, TDataAction& action) {
    EXPECT_STREQ(e.what(), "Record locked");
    ++offered;
    action = daRetry;
  };
  Query->PostRow();
  EXPECT_EQ(offered, 2);
  EXPECT_EQ(Query->PostCalls, 3);
  EXPECT_EQ(StoredText(0, 0), "one");

  Query->BeginEdit();
  Query->FieldNamed("Order")->SetAsText("two");
  Query->PostFailures = 1;
  Query->OnPostError = [](TDataSet*, EDatabaseError&, TDataAction& action) { action = daAbort; };
  EXPECT_THROW(Query->PostRow(), EAbort);
  EXPECT_EQ(Query->Mode(), dmEdit);

  Query->PostFailures = 1;
  Query->OnPostError = nullptr;
  EXPECT_THROW(Query->PostRow(), EDatabaseError);
  EXPECT_EQ(Query->Mode(), dmEdit);
  Query->PostRow();
  EXPECT_EQ(StoredText(0, 0), "two");
}

TEST_F(Editing, AFailingNewRecordHandlerUndoesTheInsert) {
  Query->GoNext();
  Query->OnNewRecord = [](TDataSet*) { throw EDatabaseError("no new rows today"); };
  EXPECT_THROW(Query->InsertRow(), EDatabaseError);
  EXPECT_EQ(Query->Mode(), dmBrowse);
  EXPECT_EQ(Text("Order"), "2");
  EXPECT_EQ(Query->Table().RowCount(), 3);
}

TEST_F(Editing, BlobsAreWrittenOnPostAndDroppedOnCancel) {
  auto* hint = static_cast<TBlobField*>(Query->FieldNamed("Hint"));
  Query->BeginEdit();
  hint->SetAsText("a better hint");
  EXPECT_TRUE(hint->BlobChanged());
  EXPECT_EQ(hint->AsText(), "a better hint");
  Query->CancelEdit();
  EXPECT_FALSE(hint->Modified());
  EXPECT_EQ(hint->AsText(), "hint 1");

  Query->BeginEdit();
  hint->Clear();
  EXPECT_TRUE(hint->ValueIsNull());
  EXPECT_EQ(hint->KindCaption(), "(Blob)");
  Query->PostRow();
  EXPECT_TRUE(hint->ValueIsNull());
  EXPECT_EQ(StoredText(0, 4), "");

  Query->BeginEdit();
  TStringStream source("from a stream");
  hint->LoadFromStream(source);
  Query->PostRow();
  EXPECT_EQ(StoredText(0, 4), "from a stream");
  EXPECT_THROW(hint->SetAsText("not editing"), EDatabaseError);
}

TEST_F(Editing, ValidationSeesTheNewValueAndChangeFollows) {
  TField* order = Query->FieldNamed("Order");
  std::vector<std::string> seen;
  order->OnValidate = [&](TField* f) {
    seen.push_back("validate " + f->AsText());
    if (f->AsText() == "bad") throw EDatabaseError("bad value");
  };
  order->OnChange = [&](TField* f) { seen.push_back("change " + f->AsText()); };
  Query->BeginEdit();
  order->SetAsText("7");
  EXPECT_THROW(order->SetAsText("bad"), EDatabaseError);
  EXPECT_THAT(seen, ElementsAre("validate 7", "change 7", "validate bad"));
  EXPECT_EQ(order->AsText(), "7");
}

TEST_F(Editing, CalculatedFieldsAreComputedForEveryFetchedRow) {
  Query->SetActive(false);
  for (const char* name : {"Order", "AnswerTx"}) {
    auto* field = new TStringField(&Form);
    field->SetFieldName(name);
    field->SetSize(name[0] == 'O' ? 5 : 1);
    field->SetHostDataSet(Query);
  }
  auto* label = new TStringField(&Form);
  label->SetFieldName("Label");
  label->SetFieldKind(fkCalculated);
  label->SetSize(10);
  label->SetHostDataSet(Query);
  int computed = 0;
  Query->OnCalcFields = [&](TDataSet* ds) {
    ++computed;
    EXPECT_EQ(ds->Mode(), dmCalcFields);
    label->SetAsText(ds->FieldNamed("Order")->AsText() + ":" + ds->FieldNamed("AnswerTx")->AsText());
  };
  Query->SetActive(true);
  EXPECT_EQ(label->ColumnNo(), -1);
  EXPECT_EQ(label->AsText(), "1:A");
  Query->GoNext();
  EXPECT_EQ(label->AsText(), "2:B");
  const int before = computed;
  // Changing a data field in edit mode computes again, in the edit mode itself.
  Query->OnCalcFields = [&](TDataSet* ds) {
    ++computed;
    label->SetAsText(ds->FieldNamed("Order")->AsText() + "!");
  };
  Query->BeginEdit();
  Query->FieldNamed("Order")->SetAsText("20");
  EXPECT_GT(computed, before);
  EXPECT_EQ(label->AsText(), "20!");
  Query->CancelEdit();
  EXPECT_EQ(label->AsText(), "2!");
}

TEST_F(Editing, RefreshReadsChangedRowsAgain) {
  Query->GoNext();
  Query->Table().Records()[1].Cells[0] = "two";
  EXPECT_EQ(Text("Order"), "2");
  Query->RefreshRows();
  EXPECT_EQ(Text("Order"), "two");
}

}  // namespace
