// The game's road at this layer, on the real engine and a real encrypted quiz table: the
// password stored, Table1 opened, then each category's query closed, given its one line,
// opened and read to the end, every blob copied out; and a table replaced or a password
// taken away between two categories.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "core/streams.h"
#include "data/engine/database.h"
#include "data/engine/engine_error.h"
#include "data/engine/query.h"
#include "data/engine/session.h"
#include "data/engine/table.h"
#include "data/fields/blob_field.h"
#include "data/fields/field.h"
#include "data/fields/string_field.h"
#include "data/links/data_source.h"
#include "engine_test_support.h"

namespace {

class GameRoadTest : public TEngineFixture {};

const char* const kBlobFields[] = {"Question", "Answer", "Hint", "Encourage", "Riff"};

std::optional<std::string> BlobOf(const TQuizRow& Row, const std::string& Field) {
  if (Field == "Question") return Row.question;
  if (Field == "Answer") return Row.answer;
  if (Field == "Hint") return Row.hint;
  if (Field == "Encourage") return Row.encourage;
  return Row.riff;
}

std::string CopyOut(TField* Field) {
  TMemoryStream out;
  out.WriteString("<");  // CopyToStream appends at the stream's position
  static_cast<TBlobField*>(Field)->CopyToStream(out);
  return std::string(out.View().substr(1));
}

TEST_F(GameRoadTest, EveryCategoryIsReadToTheEndWithOneEngineReadPerBlob) {
  auto form = TQuizForm::Make();
  TQuery* query = form->Query1();
  TTable* table = form->Table1();
  ASSERT_NE(query, nullptr);
  ASSERT_NE(table, nullptr);
  EXPECT_FALSE(Session->Active());

  Session->StorePassword("pelmut");
  EXPECT_TRUE(Session->Active());
  table->SetActive(true);
  TDatabase* vozaza = Session->FindDatabase("vozaza");
  ASSERT_NE(vozaza, nullptr);
  EXPECT_TRUE(vozaza->Temporary());
  EXPECT_TRUE(vozaza->Connected());
  EXPECT_EQ(table->FieldObjects()->Count(), 9);

  struct TCategory {
    const char* Sql;
    const char* Name;
  };
  for (const TCategory& category : {TCategory{kClassicTvSql, "Classic Television 2"},
                                    TCategory{kEt1Sql, "ET1"}, TCategory{kBananaSql, "Banana Splits 1"}}) {
    SCOPED_TRACE(category.Name);
    query->SetActive(false);
    form->DataSource1()->SetDataSet(query);
    query->SQL()->Clear();
    query->SQL()->Add(category.Sql);
    EXPECT_EQ(query->Text(), std::string(category.Sql) + "\r\n");
    TEngineCallCounter counter;
    query->SetActive(true);
    EXPECT_EQ(counter.Count("EngOpenDatabase"), 0) << "the open database is used again";
    EXPECT_EQ(counter.Count("EngAllocStatement"), 1);
    EXPECT_EQ(Session->FindDatabase("vozaza"), vozaza);
    EXPECT_TRUE(vozaza->Connected());
    EXPECT_EQ(vozaza->UseCount(), 2);
    EXPECT_TRUE(table->Active());

    const std::vector<TQuizRow> expected = RowsOf(Rows, category.Name);
    size_t row = 0;
    while (!query->AtEnd()) {
      ASSERT_LT(row, expected.size());
      SCOPED_TRACE(expected[row].order);
      EXPECT_EQ(query->FieldNamed("Order")->AsText(), expected[row].order);
      EXPECT_EQ(query->FieldNamed("AnswerTx")->AsText(), expected[row].answerTx);
      for (const char* name : kBlobFields) {
        SCOPED_TRACE(name);
        const std::optional<std::string> bytes = BlobOf(expected[row], name);
        counter.Reset();
        EXPECT_EQ(CopyOut(query->FieldNamed(name)), bytes.value_or(""));
        EXPECT_EQ(counter.Count("EngGetBlob"), bytes ? 1 : 0) << counter.Summary();
        if (!bytes) {
          EXPECT_EQ(counter.Total(), 0) << "a null blob costs no engine call: " << counter.Summary();
        }
        // Again in the same record: served from the record buffer.
        counter.Reset();
        EXPECT_EQ(CopyOut(query->FieldNamed(name)), bytes.value_or(""));
        EXPECT_EQ(counter.Total(), 0) << counter.Summary();
      }
      ++row;
      query->GoNext();
    }
    EXPECT_EQ(row, expected.size());
  }
  query->SetActive(false);
  EXPECT_TRUE(vozaza->Connected()) << "the database stays open for the rest of the run";
  EXPECT_EQ(vozaza->UseCount(), 1);
}

TEST_F(GameRoadTest, TheCategoryLineIsReplacedWholeAndReachesTheEngineUnchanged) {
  auto form = TQuizForm::Make();
  TQuery* query = form->Query1();
  Session->StorePassword("pelmut");
  query->SQL()->Add(kEt1Sql);
  query->SetActive(true);
  EXPECT_EQ(query->FieldNamed("QuizName")->AsText(), "ET1");
  query->SetActive(false);
  query->SQL()->Clear();
  query->SQL()->Add(kBananaSql);
  ASSERT_EQ(query->SQL()->Count(), 1);
  EXPECT_EQ(query->SQL()->Get(0), kBananaSql);
  EXPECT_EQ(query->Text().size(), 61u + 2u);
  EXPECT_FALSE(query->Prepared()) << "closing unprepared the statement";
  query->SetActive(true);
  EXPECT_EQ(query->FieldNamed("QuizName")->AsText(), "Banana Splits 1");
  EXPECT_EQ(query->RowCount(), 2);
}

TEST_F(GameRoadTest, ChangingTheTextOfAnOpenQueryClosesIt) {
  auto form = TQuizForm::Make();
  TQuery* query = form->Query1();
  Session->StorePassword("pelmut");
  query->SQL()->Add(kEt1Sql);
  query->SetActive(true);
  query->SQL()->Clear();
  EXPECT_FALSE(query->Active());
  EXPECT_FALSE(query->Prepared());
  EXPECT_EQ(query->Text(), "");
}

}  // namespace

namespace {

// Switches Query1 to a category as the game does, and answers the Order of its first row.
std::string SwitchTo(TQuery* Query, const char* Sql) {
  Query->SetActive(false);
  Query->SQL()->Clear();
  Query->SQL()->Add(Sql);
  Query->SetActive(true);
  return Query->FieldNamed("Order")->AsText();
}

// Another table under the game's table's name, by a rename over it as a copy from elsewhere
// would be: its rows are those of one category only, with their orders renamed.
void ReplaceTable(const std::string& DataFolder, const std::string& Scratch, const std::string& Password) {
  std::vector<TQuizRow> rows = RowsOf(SampleQuizRows(), "ET1");
  for (TQuizRow& row : rows)
    row.order = "N" + row.order;
  std::filesystem::create_directories(Scratch);
  WriteQuizTable(Scratch + "/vezedezavuza.db", Password, rows);
  ASSERT_EQ(std::rename((Scratch + "/vezedezavuza.db").c_str(), (DataFolder + "/vezedezavuza.db").c_str()),
            0);
}

TEST_F(GameRoadTest, ATableReplacedBetweenTwoCategoriesIsSeenOrRefusedAsWithoutAnyReuse) {
  auto form = TQuizForm::Make();
  TQuery* query = form->Query1();
  Session->StorePassword("pelmut");
  form->Table1()->SetActive(true);
  EXPECT_EQ(SwitchTo(query, kEt1Sql), "ET01");

  // Another file with another password while the game runs: the next category cannot open it.
  ReplaceTable(DataFolder, Folder.File("scratch"), "sesame");
  int asked = 0;
  Session->OnPassword = [&](TObject*, bool& Continue) {
    ++asked;
    Continue = false;
  };
  try {
    SwitchTo(query, kEt1Sql);
    ADD_FAILURE() << "the replaced table opened without its password";
  } catch (const EDBEngineError& e) {
    EXPECT_EQ(e.ErrorCode(), ENG_ERR_PASSWORD) << e.Message();
  }
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(form->Table1()->Active()) << "Table1 keeps reading the file it opened";

  // Its password given when asked: the next category shows the new file's rows.
  Session->OnPassword = [&](TObject*, bool& Continue) {
    ++asked;
    Session->StorePassword("sesame");
    Continue = true;
  };
  EXPECT_EQ(SwitchTo(query, kEt1Sql), "NET01");
  EXPECT_EQ(asked, 2);

  // The password taken away again: the same file, kept open a moment ago, is refused.
  Session->DropPassword("sesame");
  Session->OnPassword = [&](TObject*, bool& Continue) {
    ++asked;
    Continue = false;
  };
  try {
    SwitchTo(query, kEt1Sql);
    ADD_FAILURE() << "opened with a password the session no longer holds";
  } catch (const EDBEngineError& e) {
    EXPECT_EQ(e.ErrorCode(), ENG_ERR_PASSWORD) << e.Message();
  }
  EXPECT_EQ(asked, 3);
}

}  // namespace
