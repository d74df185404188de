// How the engine side fails: error composition, missing statements and cursors, binding
// mismatches, read-only files and refused passwords.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>

#include "data/engine/database.h"
#include "data/engine/engine_entries.h"
#include "data/engine/engine_error.h"
#include "data/engine/engine_loader.h"
#include "data/engine/query.h"
#include "data/engine/session.h"
#include "data/engine/table.h"
#include "data/fields/field.h"
#include "data/fields/string_field.h"
#include "data/links/data_source.h"
#include "engine_test_support.h"

namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

class FailuresTest : public TEngineFixture {};

// A dataset whose own step yields no cursor.
class TNoCursorDataSet : public TDBDataSet {
 public:
  explicit TNoCursorDataSet(TComponent* AOwner) : TDBDataSet(AOwner) {}
  ~TNoCursorDataSet() override { CloseForDestruction(); }

 protected:
  EngHandle CreateHandle() override { return 0; }
};

std::string MessageOf(const std::function<void()>& Action) {
  try {
    Action();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "<nothing raised>";
}

TEST_F(FailuresTest, AnEmptyStatementFailsBeforeAnyStatementIsAllocated) {
  auto form = TQuizForm::Make();
  Session->StorePassword("pelmut");
  TEngineCallCounter counter;
  EXPECT_EQ(MessageOf([&] { form->Query1()->SetActive(true); }), "Query1: No SQL statement available");
  EXPECT_EQ(counter.Count("EngAllocStatement"), 0);
  EXPECT_FALSE(form->Query1()->Active());
  EXPECT_EQ(form->Query1()->DBFlags(), 0) << "the database use is given back";
}

TEST_F(FailuresTest, ADataSetWithoutACursorFailsWithErrorCreatingCursorHandle) {
  TQuizForm form(nullptr);
  auto* dataSet = new TNoCursorDataSet(&form);
  dataSet->SetName("NoRows");
  dataSet->SetDatabaseName("vozaza");
  try {
    dataSet->SetActive(true);
    FAIL() << "opened";
  } catch (const ENoResultSet& e) {
    EXPECT_EQ(e.Message(), "NoRows: Error creating cursor handle");
  }
  EXPECT_FALSE(dataSet->Active());
  EXPECT_EQ(dataSet->Database(), nullptr);
  ASSERT_NE(Session->FindDatabase("vozaza"), nullptr);
  EXPECT_EQ(Session->FindDatabase("vozaza")->UseCount(), 0);
}

// The engine runs the statement but hands back no result, as for a statement of no rows.
EngResult (*Execute)(EngHandle, EngHandle*) = nullptr;
EngResult ExecuteWithoutResult(EngHandle Statement, EngHandle* Cursor) {
  *Cursor = 0;
  return Execute(Statement, nullptr);
}

TEST_F(FailuresTest, AStatementWithoutACursorFailsWithErrorCreatingCursorHandle) {
  auto form = TQuizForm::Make();
  Session->StorePassword("pelmut");
  form->Query1()->SQL()->Add(kEt1Sql);
  ASSERT_EQ(ResolveEngineEntries(), ENG_OK);
  Execute = DbEngine.EngExecuteStatement;
  DbEngine.EngExecuteStatement = ExecuteWithoutResult;
  try {
    form->Query1()->SetActive(true);
    ADD_FAILURE() << "opened";
  } catch (const ENoResultSet& e) {
    EXPECT_EQ(e.Message(), "Query1: Error creating cursor handle");
  }
  DbEngine.EngExecuteStatement = Execute;
  EXPECT_FALSE(form->Query1()->Active());
  EXPECT_FALSE(form->Query1()->Prepared()) << "the failed open gave its statement back";
  form->Query1()->SetActive(true);
  EXPECT_EQ(form->Query1()->FieldNamed("Order")->AsText(), "ET01");
}

TEST_F(FailuresTest, AnEngineErrorWithoutTextsReadsEngineErrorAndItsStatus) {
  Session->SetActive(true);
  // $2EC4 contributes no status texts; after a successful call the stack is empty.
  EXPECT_EQ(EDBEngineError(0x2EC4).Message(), "Engine error $2EC4");
  // An engine that has no text for a status at all.
  const auto original = DbEngine.EngGetErrorText;
  DbEngine.EngGetErrorText = [](EngResult, char* Text) -> EngResult {
    Text[0] = '\0';
    return ENG_OK;
  };
  const EDBEngineError error(0x2A0C);
  DbEngine.EngGetErrorText = original;
  EXPECT_EQ(error.Message(), "Engine error $2A0C");
  ASSERT_EQ(error.ErrorCount(), 1);
  EXPECT_EQ(error.Errors(0).ErrorCode(), 0x2A0C);
}

TEST_F(FailuresTest, TheStackOfTheFailedCallIsComposedWithEachTextOnce) {
  TDatabase database(nullptr);
  database.SetDatabaseName("nosuchalias");
  try {
    database.Open();
    FAIL() << "opened";
  } catch (const EDBEngineError& e) {
    EXPECT_EQ(e.ErrorCode(), ENG_ERR_ALIAS_NOT_FOUND);
    ASSERT_GE(e.ErrorCount(), 2);
    EXPECT_EQ(e.Errors(1).ErrorCode(), ENG_ERR_ALIAS_NOT_FOUND);
    // The entry's status text equals the first line: it appears once.
    const std::string message = e.Message();
    EXPECT_THAT(message, StartsWith("Unknown database alias\r\n"));
    EXPECT_EQ(message.find("Unknown database alias", 1), std::string::npos) << message;
    EXPECT_THAT(message, HasSubstr("nosuchalias"));
    EXPECT_NE(message.substr(message.size() - 2), "\r\n");
  }
}

TEST_F(FailuresTest, TextsRepeatedInAnyCaseAreCollectedOnce) {
  Session->SetActive(true);
  const auto original = DbEngine.EngGetErrorEntry;
  DbEngine.EngGetErrorEntry = [](uint16_t Entry, int32_t* Native, char* Text) -> EngResult {
    static const char* const texts[] = {"Disk is full", "  DISK IS FULL  ", "Table 'x' is locked"};
    if (Entry == 0 || Entry > 3) return ENG_OK;
    *Native = Entry == 2 ? 7 : 0;
    std::strcpy(Text, texts[Entry - 1]);
    return Entry == 3 ? ENG_ERR_TABLE_LOCKED : ENG_ERR_IO;
  };
  const EDBEngineError error(ENG_ERR_IO);
  DbEngine.EngGetErrorEntry = original;
  EXPECT_EQ(error.Message(),
            "File read or write failed\r\nDisk is full\r\nTable is locked\r\nTable 'x' is locked");
  ASSERT_EQ(error.ErrorCount(), 4);
  EXPECT_EQ(error.Errors(2).Message(), "  DISK IS FULL  ");
  EXPECT_EQ(error.Errors(2).NativeError(), 7);
  EXPECT_EQ(error.Errors(3).ErrorCode(), ENG_ERR_TABLE_LOCKED);
}

TEST_F(FailuresTest, ADeclaredStringFieldOfAnotherSizeFailsTheOpen) {
  auto form = TQuizForm::Make();
  Session->StorePassword("pelmut");
  auto* answer = dynamic_cast<TStringField*>(form->FindComponent("Query1AnswerTx"));
  ASSERT_NE(answer, nullptr);
  answer->SetSize(2);
  form->Query1()->SQL()->Add(kEt1Sql);
  EXPECT_EQ(MessageOf([&] { form->Query1()->SetActive(true); }),
            "Query1: Size mismatch for field 'AnswerTx', expecting: 2 actual: 1");
  EXPECT_FALSE(form->Query1()->Active());
  EXPECT_FALSE(form->Query1()->Prepared());
  EXPECT_EQ(form->Query1()->Handle(), 0u);
}

TEST_F(FailuresTest, ATableFileWithoutWriteBitsIsOpenedReadOnly) {
  ASSERT_EQ(::chmod((DataFolder + "/vezedezavuza.db").c_str(), 0444), 0);
  auto form = TQuizForm::Make();
  Session->StorePassword("pelmut");
  TEngineCallCounter counter;
  form->Table1()->SetActive(true);
  EXPECT_EQ(counter.Count("EngOpenTable"), 2);
  EXPECT_TRUE(form->Table1()->Active());
  EXPECT_FALSE(form->Table1()->CanModify());
  EXPECT_EQ(form->Table1()->FieldNamed("QuizName")->AsText(), "Classic Television 2");
}

TEST_F(FailuresTest, ARefusedPasswordEndsTheOpenWithThePasswordError) {
  auto form = TQuizForm::Make();
  int asked = 0;
  // Without a password dialog the session asks OnPassword; a wrong password comes back.
  Session->OnPassword = [&](TObject*, bool& Continue) {
    ++asked;
    Session->StorePassword("wrong" + std::to_string(asked));
    Continue = asked < 3;
  };
  try {
    form->Table1()->SetActive(true);
    FAIL() << "opened";
  } catch (const EDBEngineError& e) {
    EXPECT_EQ(e.ErrorCode(), ENG_ERR_PASSWORD);
    EXPECT_THAT(e.Message(), StartsWith("Table password missing or wrong"));
  }
  EXPECT_EQ(asked, 3);
  EXPECT_FALSE(form->Table1()->Active());
  // The right one in a later attempt opens it, and stays for the query.
  Session->OnPassword = [&](TObject*, bool& Continue) {
    Session->StorePassword("pelmut");
    Continue = true;
  };
  form->Table1()->SetActive(true);
  Session->OnPassword = nullptr;
  form->Query1()->SQL()->Add(kBananaSql);
  form->Query1()->SetActive(true);
  EXPECT_EQ(form->Query1()->FieldNamed("Order")->AsText(), "BS01");
}

TEST_F(FailuresTest, WithoutADialogTheDefaultSessionCancels) {
  auto form = TQuizForm::Make();
  try {
    form->Table1()->SetActive(true);
    FAIL() << "opened";
  } catch (const EDBEngineError& e) {
    EXPECT_EQ(e.ErrorCode(), ENG_ERR_PASSWORD);
  }
}

TEST_F(FailuresTest, TablesNeedANameAndKnowTheirTypeFromIt) {
  TQuizForm form(nullptr);
  auto* table = new TTable(&form);
  table->SetName("Table2");
  table->SetDatabaseName("vozaza");
  EXPECT_EQ(MessageOf([&] { table->SetActive(true); }), "Table2: Missing TableName property");
  table->SetTableName("quiz.DB");
  EXPECT_EQ(table->ActualTableType(), ttParadox);
  table->SetTableName("notes.txt");
  EXPECT_EQ(table->ActualTableType(), ttASCII);
  table->SetTableName("old.dbf");
  EXPECT_EQ(table->ActualTableType(), ttDBase);
  table->SetTableName("vezedezavuza");
  EXPECT_EQ(table->ActualTableType(), ttDefault);
  EXPECT_STREQ(TTable::TableTypeName(ttDefault), "PARADOX");
  EXPECT_STREQ(TTable::TableTypeName(ttFoxPro), "FOXPRO");
  EXPECT_STREQ(TTable::TableTypeName(ttASCII), "ASCIIDRV");
}

TEST_F(FailuresTest, ATableCannotFollowASourceThatShowsIt) {
  auto form = TQuizForm::Make();
  form->DataSource1()->SetDataSet(form->Query1());
  EXPECT_EQ(MessageOf([&] { form->DataSource1()->SetDataSet(form->Table1()); }),
            "wwDataSource1: Circular datalinks are not allowed");
  auto* other = new TDataSource(form.get());
  other->SetDataSet(form->Table1());
  EXPECT_EQ(MessageOf([&] { form->Table1()->SetMasterSource(other); }),
            "Table1: Circular datalinks are not allowed");
}

}  // namespace

namespace {

// An engine whose databases report a server type and whose statements refuse the forward-only
// property: the last step of preparing fails after the statement was allocated.
EngResult (*GetProperty)(EngHandle, uint32_t, void*, uint16_t, uint16_t*) = nullptr;
EngResult (*SetProperty)(EngHandle, uint32_t, uintptr_t) = nullptr;
EngResult GetPropertyOfAServer(EngHandle Object, uint32_t Property, void* Value, uint16_t Max,
                               uint16_t* Length) {
  if (Property != ENG_DBPROP_TYPE_NAME) return GetProperty(Object, Property, Value, Max, Length);
  std::strcpy(static_cast<char*>(Value), "REMOTE");
  if (Length != nullptr) *Length = 7;
  return ENG_OK;
}
EngResult SetPropertyRefusingForwardOnly(EngHandle Object, uint32_t Property, uintptr_t Value) {
  if (Property == ENG_STMTPROP_UNIDIRECTIONAL) return ENG_ERR_NOT_SUPPORTED;
  return SetProperty(Object, Property, Value);
}

}  // namespace

TEST_F(FailuresTest, AFailureAfterTheStatementIsAllocatedGivesTheStatementBack) {
  auto form = TQuizForm::Make();
  Session->StorePassword("pelmut");
  form->Query1()->SQL()->Add(kEt1Sql);
  TEngineCallCounter counter;
  GetProperty = DbEngine.EngGetProperty;
  SetProperty = DbEngine.EngSetProperty;
  DbEngine.EngGetProperty = GetPropertyOfAServer;
  DbEngine.EngSetProperty = SetPropertyRefusingForwardOnly;
  const std::string message = MessageOf([&] { form->Query1()->SetActive(true); });
  DbEngine.EngGetProperty = GetProperty;
  DbEngine.EngSetProperty = SetProperty;
  EXPECT_THAT(message, HasSubstr("Operation not supported"));
  EXPECT_FALSE(form->Query1()->Active());
  EXPECT_FALSE(form->Query1()->Prepared());
  EXPECT_EQ(form->Query1()->StmtHandle(), 0u);
  EXPECT_EQ(counter.Count("EngAllocStatement"), 1);
  EXPECT_EQ(counter.Count("EngFreeStatement"), 1)
      << "the allocated statement was lost: " << counter.Summary();
}
