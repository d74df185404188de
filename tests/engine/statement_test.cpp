// The local SQL dialect: the game's statements, the rest of the dialect, properties and errors.
#include "engine_harness.h"

namespace {

class EngineStatement : public TEngineTest {
 protected:
  void SetUp() override {
    TEngineTest::SetUp();
    ASSERT_EQ(api.EngAddPassword("pelmut"), ENG_OK);
    db = OpenDatabase();
  }

  std::vector<std::string> Orders(const std::string& sql) { return Column(Execute(db, sql), 1); }

  // Prepares sql and answers the status.
  EngResult Prepare(const std::string& sql) {
    if (statement == 0) {
      EXPECT_EQ(api.EngAllocStatement(db, ENG_LANG_SQL, &statement), ENG_OK);
    }
    return api.EngPrepareStatement(statement, sql.c_str());
  }

  EngHandle db = 0;
  EngHandle statement = 0;
};

TEST_F(EngineStatement, TheGamesThreeStatementsReturnExactlyTheirCategorysRows) {
  const struct {
    const char* sql;
    const char* quizName;
    std::vector<std::string> orders;
  } games[] = {
      {"Select * from vezedezavuza where QuizName = \"Classic Television 2\"\r\n",
       "Classic Television 2",
       {"CT01", "CT02", "CT03"}},
      {"Select * from vezedezavuza where QuizName = \"ET1\"\r\n", "ET1", {"ET01", "ET02", "ET03", "ET04"}},
      {"Select * from vezedezavuza where QuizName = \"Banana Splits 1\"\r\n",
       "Banana Splits 1",
       {"BS01", "BS02"}},
  };
  const auto tableFields = Fields(OpenQuizTable(db));
  for (const auto& game : games) {
    SCOPED_TRACE(game.quizName);
    const EngHandle cursor = Execute(db, game.sql);
    EXPECT_EQ(Column(cursor, 1), game.orders);
    for (const auto& name : Column(cursor, 2))
      EXPECT_EQ(name, game.quizName);
    uint32_t count = 0;
    ASSERT_EQ(api.EngGetRecordCount(cursor, &count), ENG_OK);
    EXPECT_EQ(count, game.orders.size());
    const EngCursorProps props = Props(cursor);
    EXPECT_EQ(props.isResult, 1);
    EXPECT_EQ(props.rightsReadOnly, 1);
    // The result describes the same nine fields as the table.
    const auto fields = Fields(cursor);
    ASSERT_EQ(fields.size(), tableFields.size());
    for (size_t i = 0; i < fields.size(); ++i) {
      EXPECT_STREQ(fields[i].name, tableFields[i].name);
      EXPECT_EQ(fields[i].fieldType, tableFields[i].fieldType);
      EXPECT_EQ(fields[i].subType, tableFields[i].subType);
      EXPECT_EQ(fields[i].units1, tableFields[i].units1);
    }
  }
}

TEST_F(EngineStatement, DialectConditionsOrderingAndColumns) {
  const std::vector<std::string> all = {"CT01", "ET01", "BS01", "CT02", "ET02",
                                        "CX01", "ET03", "BS02", "CT03", "ET04"};
  EXPECT_EQ(Orders("SELECT * FROM vezedezavuza.db WHERE QuizName = 'ET1' AND Order <> 'ET04'"),
            (std::vector<std::string>{"ET01", "ET02", "ET03"}));
  EXPECT_EQ(Orders("select * from \"vezedezavuza.db\" where quizname like 'classic%' order by order desc"),
            (std::vector<std::string>{"CX01", "CT03", "CT02", "CT01"}));
  EXPECT_EQ(Orders("SELECT * FROM VEZEDEZAVUZA WHERE NOT (QuizName = 'ET1' OR QuizName LIKE 'Classic%')"),
            (std::vector<std::string>{"BS01", "BS02"}));
  EXPECT_EQ(
      Orders("SELECT * FROM vezedezavuza WHERE QuizName NOT LIKE '%1' AND Order >= 'CT02' ORDER BY Order"),
      (std::vector<std::string>{"CT02", "CT03", "CX01"}));
  EXPECT_EQ(Orders("SELECT * FROM vezedezavuza WHERE UserAnswer IS NULL"), all);
  EXPECT_TRUE(Orders("SELECT * FROM vezedezavuza WHERE Hint IS NULL OR UserAnswer IS NOT NULL").empty());
  EXPECT_EQ(
      Orders("SELECT * FROM vezedezavuza WHERE QuizName = \"ET1\" AND (Order < 'ET02' OR Order > 'ET03');"),
      (std::vector<std::string>{"ET01", "ET04"}));
  EXPECT_EQ(Orders("SELECT * FROM vezedezavuza q WHERE q.QuizName = 'Banana Splits 1' AND vezedezavuza.Order "
                   "= 'BS01'"),
            (std::vector<std::string>{"BS01"}));
  EXPECT_TRUE(
      Orders("SELECT * FROM vezedezavuza WHERE QuizName = 'Banana Splits 1 '").empty());  // exact text

  const EngHandle columns =
      Execute(db, "SELECT AnswerTx, Order, Riff FROM vezedezavuza WHERE Order = 'ET02'\r\n");
  const auto fields = Fields(columns);
  ASSERT_EQ(fields.size(), 3u);
  EXPECT_STREQ(fields[0].name, "AnswerTx");
  EXPECT_STREQ(fields[1].name, "Order");
  EXPECT_EQ(fields[2].fieldType, ENG_FLD_BLOB);
  std::vector<unsigned char> record(Props(columns).recordSize);
  ASSERT_EQ(api.EngGetNextRecord(columns, ENG_LOCK_NONE, record.data(), nullptr), ENG_OK);
  EXPECT_EQ(Text(columns, record, 1), "C");
  EXPECT_EQ(Text(columns, record, 2), "ET02");
  EXPECT_NE(Blob(columns, record, 3, 50).find("Oh dear ET02"), std::string::npos);
  EXPECT_EQ(api.EngGetNextRecord(columns, ENG_LOCK_NONE, record.data(), nullptr), ENG_EOF);
}

TEST_F(EngineStatement, ErrorsNameTheTokenAndItsPosition) {
  EXPECT_FAILS_WITH(Prepare("Select * form vezedezavuza"), ENG_ERR_SQL_SYNTAX,
                    "position 10: expected FROM but found 'form'");
  EXPECT_FAILS_WITH(Prepare("Select * from vezedezavuza where QuizName = \"ET1\r\n"), ENG_ERR_SQL_SYNTAX,
                    "position 45");
  EXPECT_FAILS_WITH(Prepare("Select * from vezedezavuza where QuizName = \r\n"), ENG_ERR_SQL_SYNTAX,
                    "found end of statement");
  EXPECT_FAILS_WITH(Prepare("Select * from vezedezavuza where QuizName # 1"), ENG_ERR_SQL_SYNTAX,
                    "unexpected character '#'");
  EXPECT_FAILS_WITH(Prepare(""), ENG_ERR_SQL_SYNTAX, "expected SELECT");
  EXPECT_FAILS_WITH(Prepare("Select * from quiztable where QuizName = \"ET1\""), ENG_ERR_SQL_UNKNOWN_TABLE,
                    "'quiztable' at position 15");
  EXPECT_FAILS_WITH(Prepare("Select * from vezedezavuza where Quizname2 = \"ET1\""),
                    ENG_ERR_SQL_UNKNOWN_COLUMN, "'Quizname2' at position 34");
  EXPECT_FAILS_WITH(Prepare("Select * from vezedezavuza where other.QuizName = 1"), ENG_ERR_SQL_UNKNOWN_TABLE,
                    "'other'");
  EXPECT_FAILS_WITH(Prepare("Delete from vezedezavuza"), ENG_ERR_SQL_NOT_SUPPORTED, "Only SELECT");
  std::string deep = "select * from vezedezavuza where ";
  for (int i = 0; i < 100; ++i)
    deep += "(";
  EXPECT_FAILS_WITH(Prepare(deep + "Order = 1"), ENG_ERR_SQL_TOO_COMPLEX, "nested");
  // A statement whose preparation failed cannot run.
  EngHandle cursor = 0;
  EXPECT_FAILS_WITH(api.EngExecuteStatement(statement, &cursor), ENG_ERR_NOT_PREPARED, "Prepare");
}

TEST_F(EngineStatement, PreparingNeedsTheTablePassword) {
  ASSERT_EQ(api.EngDropPassword(nullptr), ENG_OK);
  EngHandle fresh = OpenDatabase();
  ASSERT_EQ(api.EngAllocStatement(fresh, ENG_LANG_SQL, &statement), ENG_OK);
  EXPECT_FAILS_WITH(api.EngPrepareStatement(statement, "Select * from vezedezavuza\r\n"), ENG_ERR_PASSWORD,
                    "encrypted");
  ASSERT_EQ(api.EngAddPassword("pelmut"), ENG_OK);
  EXPECT_EQ(api.EngPrepareStatement(statement, "Select * from vezedezavuza\r\n"), ENG_OK);
  EXPECT_EQ(api.EngExecuteStatement(statement, nullptr), ENG_OK);  // run without a result
  EngHandle other = 0;
  EXPECT_EQ(api.EngAllocStatement(fresh, 1, &other), ENG_ERR_NOT_SUPPORTED);
}

TEST_F(EngineStatement, StatementAndDatabasePropertiesAreKeptAndActedOn) {
  ASSERT_EQ(Prepare("Select * from vezedezavuza where QuizName = \"ET1\"\r\n"), ENG_OK);
  uint32_t value = 0;
  uint16_t length = 0;
  EXPECT_EQ(api.EngSetProperty(statement, ENG_STMTPROP_RESULT_KIND, 2), ENG_OK);
  EXPECT_EQ(api.EngSetProperty(statement, ENG_STMTPROP_SERVER_SQL, 0), ENG_OK);
  EXPECT_EQ(api.EngSetProperty(statement, ENG_STMTPROP_ANSI_TEXT, 1), ENG_OK);
  EXPECT_EQ(api.EngSetProperty(statement, ENG_STMTPROP_CONSTRAINED, 1), ENG_OK);
  ASSERT_EQ(api.EngGetProperty(statement, ENG_STMTPROP_ANSI_TEXT, &value, sizeof value, &length), ENG_OK);
  EXPECT_EQ(value, 1u);
  EXPECT_EQ(length, sizeof value);
  EXPECT_FAILS_WITH(api.EngSetProperty(statement, ENG_STMTPROP_SERVER_SQL, 1), ENG_ERR_NOT_SUPPORTED,
                    "server");
  EXPECT_FAILS_WITH(api.EngSetProperty(statement, 0x60099, 1), ENG_ERR_UNKNOWN_PROPERTY, "$60099");
  EXPECT_EQ(api.EngSetProperty(statement, ENG_STMTPROP_RESULT_KIND, 3), ENG_ERR_INVALID_PARAMETER);

  // A unidirectional result keeps no history.
  ASSERT_EQ(api.EngSetProperty(statement, ENG_STMTPROP_UNIDIRECTIONAL, 1), ENG_OK);
  EngHandle cursor = 0;
  ASSERT_EQ(api.EngExecuteStatement(statement, &cursor), ENG_OK);
  EXPECT_EQ(Props(cursor).unidirectional, 1);
  EXPECT_EQ(Column(cursor, 1), (std::vector<std::string>{"ET01", "ET02", "ET03", "ET04"}));
  EXPECT_EQ(api.EngGetPriorRecord(cursor, ENG_LOCK_NONE, nullptr, nullptr), ENG_ERR_UNIDIRECTIONAL);

  char typeName[ENG_NAME_BUFFER];
  ASSERT_EQ(api.EngGetProperty(db, ENG_DBPROP_TYPE_NAME, typeName, sizeof typeName, &length), ENG_OK);
  EXPECT_STREQ(typeName, "STANDARD");
  EXPECT_EQ(api.EngSetProperty(db, ENG_DBPROP_TYPE_NAME, 0), ENG_ERR_PROPERTY_READ_ONLY);
  for (uint32_t property :
       {ENG_DBPROP_OPTIONAL_EXTENSION, ENG_DBPROP_NAMES_IGNORE_CASE, ENG_DBPROP_WAIT_ON_LOCK}) {
    EXPECT_EQ(api.EngSetProperty(db, property, 1), ENG_OK);
  }
  // Exact names only: the case must match and the open-table call must name the file.
  EXPECT_EQ(api.EngSetProperty(db, ENG_DBPROP_NAMES_IGNORE_CASE, 0), ENG_OK);
  EXPECT_EQ(Prepare("select * from VEZEDEZAVUZA"), ENG_ERR_SQL_UNKNOWN_TABLE);
  EXPECT_EQ(Prepare("select * from vezedezavuza where quizname = 'ET1'"), ENG_ERR_SQL_UNKNOWN_COLUMN);
  EXPECT_EQ(Prepare("select * from vezedezavuza where QuizName = 'ET1'"), ENG_OK);
  EXPECT_EQ(api.EngSetProperty(db, ENG_DBPROP_OPTIONAL_EXTENSION, 0), ENG_OK);
  EXPECT_EQ(api.EngOpenTable(db, "vezedezavuza", nullptr, nullptr, nullptr, 0, ENG_OPEN_READONLY,
                             ENG_SHARE_SHARED, ENG_XLT_RECORD, 0, nullptr, &cursor),
            ENG_ERR_TABLE_NOT_FOUND);
  EXPECT_EQ(api.EngOpenTable(db, "vezedezavuza.db", nullptr, nullptr, nullptr, 0, ENG_OPEN_READONLY,
                             ENG_SHARE_SHARED, ENG_XLT_RECORD, 0, nullptr, &cursor),
            ENG_OK);
  char driver[ENG_NAME_BUFFER];
  EXPECT_EQ(api.EngGetLanguageDriver(cursor, driver), ENG_OK);
  EXPECT_STREQ(driver, "UTF8");
}

}  // namespace
