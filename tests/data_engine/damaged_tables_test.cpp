// Damaged and foreign quiz tables on the game's road: the password stored, Table1 opened, each
// category's query opened and every blob read. Each damage ends in its engine status and text
// (or, for a table of another shape, the data layer's own error), no crash, and the table's
// bytes as they were.

#define SQLITE_HAS_CODEC 1
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "core/exceptions.h"
#include "core/streams.h"
#include "data/engine/engine_error.h"
#include "data/engine/query.h"
#include "data/engine/session.h"
#include "data/engine/table.h"
#include "data/fields/blob_field.h"
#include "data/fields/field.h"
#include "engine_test_support.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kPage = 1024;

class DamagedTablesTest : public TEngineFixture {
 protected:
  std::string TablePath() const { return DataFolder + "/vezedezavuza.db"; }

  // What the game's road ends in: "" when every category read to its end, else the status
  // (for an engine error) and the message.
  struct TOutcome {
    int Status = 0;
    std::string Message;
  };
  TOutcome PlayEveryCategory() {
    TOutcome outcome;
    auto form = TQuizForm::Make();
    Session->OnPassword = [](TObject*, bool& Continue) { Continue = false; };
    try {
      Session->StorePassword("pelmut");
      form->Table1()->SetActive(true);
      for (const char* sql : {kClassicTvSql, kEt1Sql, kBananaSql}) {
        TQuery* query = form->Query1();
        query->SetActive(false);
        query->SQL()->Clear();
        query->SQL()->Add(sql);
        query->SetActive(true);
        do {
          for (const char* name : {"Question", "Answer", "Hint", "Encourage", "Riff"}) {
            TMemoryStream out;
            static_cast<TBlobField*>(query->FieldNamed(name))->CopyToStream(out);
          }
        } while (query->GoNext() == 1);
      }
    } catch (const EDBEngineError& e) {
      outcome.Status = e.ErrorCode();
      outcome.Message = e.Message();
    } catch (const Exception& e) {
      outcome.Status = -1;
      outcome.Message = e.Message();
    }
    return outcome;
  }

  void Expect(const std::string& What, const std::function<void(std::string&)>& Damage, int Status,
              const std::string& MessageStart) {
    SCOPED_TRACE(What);
    WriteQuizTable(TablePath(), "pelmut", Rows);
    std::string bytes = ReadFile(TablePath());
    Damage(bytes);
    WriteTextFile(TablePath(), bytes);
    RestartModule();
    const TOutcome outcome = PlayEveryCategory();
    EXPECT_EQ(outcome.Status, Status) << outcome.Message;
    EXPECT_EQ(outcome.Message.rfind(MessageStart, 0), 0u) << outcome.Message;
    EXPECT_EQ(ReadFile(TablePath()), bytes) << "the game's road changed the table";
  }

  // A table of another shape: the sample rows copied into a table declared with Columns, as
  // Select picks them from the game's own table.
  void WriteShape(const std::string& Columns, const std::string& Select) {
    const std::string source = Folder.File("source/vezedezavuza.db");
    fs::create_directories(Folder.File("source"));
    WriteQuizTable(source, "pelmut", Rows);
    fs::remove(TablePath());
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(TablePath().c_str(), &db), SQLITE_OK);
    sqlite3_key(db, "pelmut", 6);
    const std::string script = "ATTACH DATABASE '" + source + "' AS source KEY 'pelmut';" +
                               "CREATE TABLE vezedezavuza (" + Columns + ");" +
                               "INSERT INTO vezedezavuza SELECT " + Select + " FROM source.vezedezavuza;";
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(db, script.c_str(), nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
  }

  static std::string ReadFile(const std::string& Path) {
    std::ifstream in(Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
};

const char* const kCorrupt = "Table file is corrupt";
const char* const kNotATable = "File is not a table";

TEST_F(DamagedTablesTest, EachDamageEndsTheRoadWithItsStatus) {
  const auto flip = [](size_t Offset) {
    return [Offset](std::string& Bytes) { Bytes[Offset] = static_cast<char>(Bytes[Offset] ^ 0x5A); };
  };
  Expect(
      "cut inside a page", [](std::string& b) { b.resize(b.size() - 100); }, ENG_ERR_NOT_A_TABLE, kNotATable);
  Expect(
      "cut to its first page", [](std::string& b) { b.resize(kPage); }, ENG_ERR_FILE_CORRUPT, kCorrupt);
  Expect(
      "cut to half its pages", [](std::string& b) { b.resize(b.size() / kPage / 2 * kPage); },
      ENG_ERR_FILE_CORRUPT, kCorrupt);
  Expect(
      "an empty file", [](std::string& b) { b.clear(); }, ENG_ERR_NOT_A_TABLE, kNotATable);
  // Damage in the first page is a damaged table, not a wrong password: no dialog is asked for.
  Expect("a flipped byte in the first page", flip(300), ENG_ERR_FILE_CORRUPT, kCorrupt);
  Expect("a flipped byte in the salt", flip(2), ENG_ERR_PASSWORD, "Table password missing or wrong");
  Expect(
      "a flipped byte in the last page", [&](std::string& b) { flip(b.size() - kPage + 200)(b); },
      ENG_ERR_FILE_CORRUPT, kCorrupt);
  Expect(
      "a zeroed second page",
      [](std::string& b) { std::fill(b.begin() + kPage, b.begin() + 2 * kPage, '\0'); }, ENG_ERR_FILE_CORRUPT,
      kCorrupt);
}

TEST_F(DamagedTablesTest, AFolderOrANamedPipeInTheTablesPlaceIsNoTable) {
  fs::remove(TablePath());
  fs::create_directory(TablePath());
  TOutcome outcome = PlayEveryCategory();
  EXPECT_EQ(outcome.Status, ENG_ERR_NOT_A_TABLE) << outcome.Message;
  EXPECT_NE(outcome.Message.find("a folder, not a table"), std::string::npos) << outcome.Message;
  fs::remove(TablePath());
  ASSERT_EQ(::mkfifo(TablePath().c_str(), 0600), 0);
  RestartModule();
  outcome = PlayEveryCategory();
  EXPECT_EQ(outcome.Status, ENG_ERR_NOT_A_TABLE) << outcome.Message;
  EXPECT_NE(outcome.Message.find("a named pipe, not a table"), std::string::npos) << outcome.Message;
}

TEST_F(DamagedTablesTest, TablesOfAnotherShape) {
  const std::string all =
      "\"Order\", QuizName, Question, Answer, Hint, AnswerTx, Encourage, Riff, UserAnswer";
  const std::string declared =
      "\"Order\" VARCHAR(5), QuizName VARCHAR(20), Question FMTMEMO(1), Answer BLOB(1), Hint BLOB(1), "
      "AnswerTx VARCHAR(1), Encourage BLOB(1), Riff BLOB(1), UserAnswer VARCHAR(1)";
  {
    SCOPED_TRACE("a plain table of the same schema, without a password");
    WriteQuizTable(TablePath(), "", Rows);
    const TOutcome outcome = PlayEveryCategory();
    EXPECT_EQ(outcome.Status, 0) << outcome.Message;
  }
  {
    SCOPED_TRACE("an extra column");
    WriteShape(declared + ", Extra VARCHAR(10)", all + ", 'more'");
    RestartModule();
    const TOutcome outcome = PlayEveryCategory();
    EXPECT_EQ(outcome.Status, 0) << outcome.Message;
  }
  {
    SCOPED_TRACE("a missing column");
    WriteShape(
        "\"Order\" VARCHAR(5), QuizName VARCHAR(20), Question FMTMEMO(1), Answer BLOB(1), "
        "AnswerTx VARCHAR(1), Encourage BLOB(1), Riff BLOB(1), UserAnswer VARCHAR(1)",
        "\"Order\", QuizName, Question, Answer, AnswerTx, Encourage, Riff, UserAnswer");
    RestartModule();
    const std::string bytes = ReadFile(TablePath());
    const TOutcome outcome = PlayEveryCategory();
    EXPECT_EQ(outcome.Status, -1) << outcome.Message;
    EXPECT_NE(outcome.Message.find("Hint"), std::string::npos) << outcome.Message;
    EXPECT_EQ(ReadFile(TablePath()), bytes);
  }
  {
    SCOPED_TRACE("a blob column declared as a number");
    WriteShape(
        "\"Order\" VARCHAR(5), QuizName VARCHAR(20), Question INTEGER, Answer BLOB(1), Hint BLOB(1), "
        "AnswerTx VARCHAR(1), Encourage BLOB(1), Riff BLOB(1), UserAnswer VARCHAR(1)",
        all);
    RestartModule();
    const TOutcome outcome = PlayEveryCategory();
    EXPECT_EQ(outcome.Status, -1) << outcome.Message;
    EXPECT_NE(outcome.Message.find("Question"), std::string::npos) << outcome.Message;
  }
}

}  // namespace
