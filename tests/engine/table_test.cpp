// Opening tables: field descriptions, passwords, modes, and damaged or foreign files.
#define SQLITE_HAS_CODEC 1
#include <sqlite3.h>

#include <filesystem>

#include "engine_harness.h"

namespace fs = std::filesystem;

namespace {

using EngineTable = TEngineTest;

EngResult OpenTable(const TEngineApi& api, EngHandle db, const char* name, EngHandle* cursor,
                    uint32_t openMode = ENG_OPEN_READONLY, uint32_t shareMode = ENG_SHARE_SHARED) {
  return api.EngOpenTable(db, name, "PARADOX", nullptr, nullptr, 0, openMode, shareMode, ENG_XLT_RECORD, 0,
                          nullptr, cursor);
}

TEST_F(EngineTable, QuizTableDescribesItsNineFieldsInOrder) {
  const EngHandle cursor = OpenQuizTable(OpenDatabase());
  const EngCursorProps props = Props(cursor);
  EXPECT_EQ(props.fieldCount, 9);
  EXPECT_EQ(props.blobFieldCount, 5);
  EXPECT_EQ(props.bookmarkSize, static_cast<uint32_t>(ENG_BOOKMARK_SIZE));
  EXPECT_EQ(props.recordNumberKind, ENG_RECNO_SEQUENCE);
  EXPECT_EQ(props.openMode, ENG_OPEN_READONLY);
  EXPECT_EQ(props.rightsReadOnly, 1);
  EXPECT_EQ(props.validityCheckCount, 0);
  EXPECT_STREQ(props.tableName, "vezedezavuza.db");
  EXPECT_STREQ(props.tableType, "PARADOX");

  struct TExpected {
    const char* name;
    uint16_t type, subType;
    int16_t units1;
  };
  const TExpected expected[] = {{"Order", ENG_FLD_STRING, 0, 5},
                                {"QuizName", ENG_FLD_STRING, 0, 20},
                                {"Question", ENG_FLD_BLOB, ENG_SUB_FMTMEMO, 1},
                                {"Answer", ENG_FLD_BLOB, ENG_SUB_BINARY, 1},
                                {"Hint", ENG_FLD_BLOB, ENG_SUB_BINARY, 1},
                                {"AnswerTx", ENG_FLD_STRING, 0, 1},
                                {"Encourage", ENG_FLD_BLOB, ENG_SUB_BINARY, 1},
                                {"Riff", ENG_FLD_BLOB, ENG_SUB_BINARY, 1},
                                {"UserAnswer", ENG_FLD_STRING, 0, 1}};
  const auto fields = Fields(cursor);
  ASSERT_EQ(fields.size(), 9u);
  std::vector<bool> used(props.recordSize, false);
  for (size_t i = 0; i < fields.size(); ++i) {
    const EngFieldDesc& field = fields[i];
    SCOPED_TRACE(expected[i].name);
    EXPECT_EQ(field.fieldNumber, i + 1);
    EXPECT_STREQ(field.name, expected[i].name);
    EXPECT_EQ(field.fieldType, expected[i].type);
    EXPECT_EQ(field.subType, expected[i].subType);
    EXPECT_EQ(field.units1, expected[i].units1);
    EXPECT_EQ(field.length, field.fieldType == ENG_FLD_STRING ? static_cast<uint32_t>(field.units1) + 1 : 0u);
    // Values and blank flags lie inside the record, past its header, and never overlap.
    ASSERT_LE(field.offset + field.length, props.recordSize);
    ASSERT_GE(field.nullOffset, static_cast<uint32_t>(ENG_RECORD_HEADER));
    for (uint32_t at = field.offset; at < field.offset + field.length; ++at) {
      EXPECT_FALSE(used[at]);
      used[at] = true;
    }
    EXPECT_FALSE(used[field.nullOffset]);
    used[field.nullOffset] = true;
  }
}

TEST_F(EngineTable, NamesWithOrWithoutExtensionAndIgnoringCase) {
  EXPECT_EQ(api.EngAddPassword("pelmut"), ENG_OK);
  const EngHandle db = OpenDatabase();
  for (const char* name : {"vezedezavuza", "vezedezavuza.db", "VEZEDEZAVUZA.DB"}) {
    EngHandle cursor = 0;
    EXPECT_EQ(OpenTable(api, db, name, &cursor), ENG_OK) << name << ": " << ErrorTexts();
    EXPECT_EQ(api.EngCloseCursor(cursor), ENG_OK);
  }
  EngHandle cursor = 0;
  EXPECT_FAILS_WITH(OpenTable(api, db, "nosuchtable", &cursor), ENG_ERR_TABLE_NOT_FOUND, "nosuchtable");
  EXPECT_FAILS_WITH(OpenTable(api, db, "../data/vezedezavuza", &cursor), ENG_ERR_TABLE_NOT_FOUND, "../data");
  EXPECT_FAILS_WITH(api.EngOpenTable(db, "vezedezavuza", "DBASE", nullptr, nullptr, 0, ENG_OPEN_READONLY,
                                     ENG_SHARE_SHARED, ENG_XLT_RECORD, 0, nullptr, &cursor),
                    ENG_ERR_DRIVER_NOT_SUPPORTED, "DBASE");
}

TEST_F(EngineTable, WrongOrMissingPasswordAnswers2902AndTheRightOneOpens) {
  const EngHandle db = OpenDatabase();
  EngHandle cursor = 0;
  EXPECT_FAILS_WITH(OpenTable(api, db, "vezedezavuza", &cursor), ENG_ERR_PASSWORD, "no password");
  ASSERT_EQ(api.EngAddPassword("Pelmut"), ENG_OK);
  ASSERT_EQ(api.EngAddPassword("pelmu"), ENG_OK);
  EXPECT_FAILS_WITH(OpenTable(api, db, "vezedezavuza", &cursor), ENG_ERR_PASSWORD, "none of the 2 passwords");
  ASSERT_EQ(api.EngAddPassword("pelmut"), ENG_OK);
  ASSERT_EQ(OpenTable(api, db, "vezedezavuza", &cursor), ENG_OK) << ErrorTexts();
  EXPECT_EQ(Column(cursor, 1).size(), 10u);
}

TEST_F(EngineTable, TableFileBytesCarryNoQuestionText) {
  const std::string bytes = ReadBytes(dataFolder + "/vezedezavuza.db");
  ASSERT_GT(bytes.size(), 4096u);
  for (const char* text :
       {"Ricardo", "Secret phrase", "rtf1", "Classic Television", "QuizName", "SQLite format"}) {
    EXPECT_EQ(bytes.find(text), std::string::npos) << text;
  }
  // The same rows without a password do show their text, so the check above can fail.
  WriteQuizTable(dataFolder + "/plain.db", "", SampleQuizRows());
  EXPECT_NE(ReadBytes(dataFolder + "/plain.db").find("Secret phrase Ricardo"), std::string::npos);
}

TEST_F(EngineTable, ReadWriteOfAReadOnlyFileAnswers2A0BAndReadOnlyOpens) {
  ASSERT_EQ(api.EngAddPassword("pelmut"), ENG_OK);
  fs::permissions(dataFolder + "/vezedezavuza.db", fs::perms::owner_read | fs::perms::group_read);
  EngHandle db = 0, cursor = 0;
  ASSERT_EQ(api.EngOpenDatabase("quiz", nullptr, ENG_OPEN_READWRITE, ENG_SHARE_SHARED, "", &db), ENG_OK);
  EXPECT_FAILS_WITH(OpenTable(api, db, "vezedezavuza", &cursor, ENG_OPEN_READWRITE), ENG_ERR_READ_ONLY,
                    "read-only");
  ASSERT_EQ(OpenTable(api, db, "vezedezavuza", &cursor, ENG_OPEN_READONLY), ENG_OK) << ErrorTexts();
  EXPECT_EQ(Props(cursor).openMode, ENG_OPEN_READONLY);
  // A writable file opens read-write.
  WriteQuizTable(dataFolder + "/writable.db", "pelmut", SampleQuizRows());
  ASSERT_EQ(OpenTable(api, db, "writable", &cursor, ENG_OPEN_READWRITE), ENG_OK) << ErrorTexts();
  EXPECT_EQ(Props(cursor).openMode, ENG_OPEN_READWRITE);
}

TEST_F(EngineTable, ExclusiveOpenExcludesEveryOtherOpen) {
  ASSERT_EQ(api.EngAddPassword("pelmut"), ENG_OK);
  const EngHandle db = OpenDatabase();
  EngHandle exclusive = 0, other = 0;
  ASSERT_EQ(OpenTable(api, db, "vezedezavuza", &exclusive, ENG_OPEN_READONLY, ENG_SHARE_EXCLUSIVE), ENG_OK);
  EXPECT_FAILS_WITH(OpenTable(api, db, "vezedezavuza", &other), ENG_ERR_TABLE_LOCKED, "exclusively");
  EngHandle statement = 0;
  ASSERT_EQ(api.EngAllocStatement(db, ENG_LANG_SQL, &statement), ENG_OK);
  ASSERT_EQ(api.EngPrepareStatement(statement, "select * from vezedezavuza"), ENG_OK);
  EXPECT_EQ(api.EngExecuteStatement(statement, &other), ENG_ERR_TABLE_LOCKED);
  ASSERT_EQ(api.EngCloseCursor(exclusive), ENG_OK);
  ASSERT_EQ(OpenTable(api, db, "vezedezavuza", &other), ENG_OK);
  EXPECT_FAILS_WITH(OpenTable(api, db, "vezedezavuza", &exclusive, ENG_OPEN_READONLY, ENG_SHARE_EXCLUSIVE),
                    ENG_ERR_TABLE_LOCKED, "cannot be opened exclusively");
}

// Opens name and reads every row and blob until a status other than success; answers that status.
EngResult OpenAndReadEverything(TEngineTest& test, const TEngineApi& api, EngHandle db, const char* name) {
  EngHandle cursor = 0;
  EngResult result = OpenTable(api, db, name, &cursor);
  if (result != ENG_OK) return result;
  EngCursorProps props{};
  api.EngGetCursorProps(cursor, &props);
  std::vector<unsigned char> record(props.recordSize);
  std::vector<char> bytes(1 << 16);
  while ((result = api.EngGetNextRecord(cursor, ENG_LOCK_NONE, record.data(), nullptr)) == ENG_OK) {
    for (uint16_t field : {3, 4, 5, 7, 8}) {
      result = api.EngOpenBlob(cursor, record.data(), field, ENG_OPEN_READONLY);
      if (result != ENG_OK) return result;
      uint32_t read = 0;
      result = api.EngGetBlob(cursor, record.data(), field, 0, static_cast<uint32_t>(bytes.size()),
                              bytes.data(), &read);
      if (result != ENG_OK && result != ENG_ERR_BLOB_SHORT_READ) return result;
      api.EngFreeBlob(cursor, record.data(), field);
    }
  }
  (void)test;
  return result;
}

TEST_F(EngineTable, DamagedAndForeignFilesAnswerAStatusWithAClearText) {
  ASSERT_EQ(api.EngAddPassword("pelmut"), ENG_OK);
  const EngHandle db = OpenDatabase();
  EngHandle cursor = 0;
  const std::string table = ReadBytes(dataFolder + "/vezedezavuza.db");

  WriteText(dataFolder + "/text.db", "This is a note, not a table.\n");
  EXPECT_FAILS_WITH(OpenTable(api, db, "text", &cursor), ENG_ERR_NOT_A_TABLE, "text.db");
  WriteText(dataFolder + "/empty.db", "");
  EXPECT_FAILS_WITH(OpenTable(api, db, "empty", &cursor), ENG_ERR_NOT_A_TABLE, "empty");
  WriteQuizTable(dataFolder + "/other.db", "", SampleQuizRows());
  fs::rename(dataFolder + "/other.db", dataFolder + "/renamed.db");
  EXPECT_FAILS_WITH(OpenTable(api, db, "renamed", &cursor), ENG_ERR_NOT_A_TABLE, "no table named 'renamed'");

  // Damaged copies of the quiz table, each under its own name in a folder of its own.
  const auto variant = [&](const std::string& name, const std::string& bytes) {
    const std::string variantFolder = folder.File(name);
    std::filesystem::create_directory(variantFolder);
    WriteText(variantFolder + "/vezedezavuza.db", bytes);
    EngHandle variantDb = 0;
    EXPECT_EQ(api.EngOpenDatabase("", nullptr, ENG_OPEN_READONLY, ENG_SHARE_SHARED, "", &variantDb), ENG_OK);
    EXPECT_EQ(api.EngSetDirectory(variantDb, variantFolder.c_str()), ENG_OK);
    return variantDb;
  };
  // Encrypted and cut inside a page: no whole pages, so no table.
  EXPECT_FAILS_WITH(
      OpenTable(api, variant("cut", table.substr(0, table.size() / 2 + 100)), "vezedezavuza", &cursor),
      ENG_ERR_NOT_A_TABLE, "damaged");
  // Encrypted and cut after its second page: the catalogue opens, the rows are gone.
  EXPECT_EQ(OpenAndReadEverything(*this, api, variant("short", table.substr(0, 2048)), "vezedezavuza"),
            ENG_ERR_FILE_CORRUPT)
      << ErrorTexts();
  EXPECT_NE(ErrorTexts().find("vezedezavuza.db"), std::string::npos) << ErrorTexts();
  // Encrypted with bytes overwritten in the middle: the page check fails while reading.
  std::string damaged = table;
  for (size_t i = damaged.size() / 2; i < damaged.size() / 2 + 64; ++i)
    damaged[i] = static_cast<char>(damaged[i] ^ 0x5A);
  EXPECT_EQ(OpenAndReadEverything(*this, api, variant("damaged", damaged), "vezedezavuza"),
            ENG_ERR_FILE_CORRUPT)
      << ErrorTexts();
  // Unencrypted and cut short.
  WriteQuizTable(dataFolder + "/plain.db", "", SampleQuizRows());
  const std::string plain = ReadBytes(dataFolder + "/plain.db");
  WriteText(dataFolder + "/plain.db", plain.substr(0, 1024));
  EXPECT_EQ(OpenAndReadEverything(*this, api, db, "plain"), ENG_ERR_FILE_CORRUPT) << ErrorTexts();
  EXPECT_NE(ErrorTexts().find("plain.db"), std::string::npos) << ErrorTexts();
}

TEST_F(EngineTable, ColumnTypesMapToFieldTypesAndValues) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open((dataFolder + "/types.db").c_str(), &db), SQLITE_OK);
  ASSERT_EQ(
      sqlite3_exec(db,
                   "CREATE TABLE types (s VARCHAR(3), t TEXT, i16 SMALLINT, i32 INTEGER NOT NULL,"
                   " i64 BIGINT DEFAULT 7, f REAL, m MONEY, b BOOLEAN, memo MEMO(10), pic GRAPHIC, raw);"
                   "INSERT INTO types VALUES ('abcdef', 'x', 100000, -5000000000, 9000000000, 2.5, 1.25, 1,"
                   " 'memo text', x'00010203', 42);"
                   "INSERT INTO types VALUES ('\xC3\xA9\xC3\xA9', '', NULL, 3, NULL, NULL, NULL, 0, NULL, "
                   "NULL, NULL);",
                   nullptr, nullptr, nullptr),
      SQLITE_OK);
  sqlite3_close(db);
  EngHandle cursor = 0;
  ASSERT_EQ(OpenTable(api, OpenDatabase(), "types", &cursor), ENG_OK) << ErrorTexts();
  const auto fields = Fields(cursor);
  ASSERT_EQ(fields.size(), 11u);
  const std::vector<std::pair<uint16_t, uint16_t>> types = {{ENG_FLD_STRING, 0},
                                                            {ENG_FLD_STRING, 0},
                                                            {ENG_FLD_INT16, 0},
                                                            {ENG_FLD_INT32, 0},
                                                            {ENG_FLD_INT64, 0},
                                                            {ENG_FLD_FLOAT, 0},
                                                            {ENG_FLD_FLOAT, ENG_SUB_MONEY},
                                                            {ENG_FLD_BOOL, 0},
                                                            {ENG_FLD_BLOB, ENG_SUB_MEMO},
                                                            {ENG_FLD_BLOB, ENG_SUB_GRAPHIC},
                                                            {ENG_FLD_BLOB, ENG_SUB_BINARY}};
  for (size_t i = 0; i < types.size(); ++i) {
    EXPECT_EQ(fields[i].fieldType, types[i].first) << fields[i].name;
    EXPECT_EQ(fields[i].subType, types[i].second) << fields[i].name;
  }
  EXPECT_EQ(fields[0].units1, 3);
  EXPECT_EQ(fields[1].units1, 255);
  EXPECT_EQ(fields[8].units1, 10);

  // NOT NULL makes a required field; DEFAULT a field with a default value.
  const EngCursorProps props = Props(cursor);
  ASSERT_EQ(props.validityCheckCount, 2);
  std::vector<EngValidityCheck> checks(2);
  ASSERT_EQ(api.EngGetValidityChecks(cursor, checks.data()), ENG_OK);
  EXPECT_EQ(checks[0].fieldNumber, 4);
  EXPECT_EQ(checks[0].required, 1);
  EXPECT_EQ(checks[1].fieldNumber, 5);
  EXPECT_EQ(checks[1].required, 0);
  EXPECT_EQ(checks[1].hasDefault, 1);

  std::vector<unsigned char> record(props.recordSize);
  ASSERT_EQ(api.EngGetNextRecord(cursor, ENG_LOCK_NONE, record.data(), nullptr), ENG_OK);
  const auto value = [&](uint16_t field, auto zero) {
    decltype(zero) result{};
    EXPECT_EQ(api.EngGetField(cursor, field, record.data(), &result, nullptr), ENG_OK);
    return result;
  };
  EXPECT_EQ(Text(cursor, record, 1), "abc");  // cut to the declared length
  EXPECT_EQ(value(3, int16_t{}), 32767);      // saturated
  EXPECT_EQ(value(4, int32_t{}), INT32_MIN);
  EXPECT_EQ(value(5, int64_t{}), 9000000000);
  EXPECT_EQ(value(6, double{}), 2.5);
  EXPECT_EQ(value(7, double{}), 1.25);
  EXPECT_EQ(value(8, uint16_t{}), 1);
  EXPECT_EQ(Blob(cursor, record, 9, 4), "memo text");
  EXPECT_EQ(Blob(cursor, record, 10, 3), std::string("\0\1\2\3", 4));
  EXPECT_EQ(Blob(cursor, record, 11, 100), "42");  // a number in a blob column reads as its text

  ASSERT_EQ(api.EngGetNextRecord(cursor, ENG_LOCK_NONE, record.data(), nullptr), ENG_OK);
  EXPECT_EQ(Text(cursor, record, 1), "\xC3\xA9");    // cut at a character boundary, not inside one
  EXPECT_EQ(Text(cursor, record, 2), std::nullopt);  // an empty text is blank
  uint16_t blank = 0;
  for (uint16_t field : {3, 5, 6, 9, 10, 11}) {
    EXPECT_EQ(api.EngGetField(cursor, field, record.data(), nullptr, &blank), ENG_OK);
    EXPECT_EQ(blank, 1) << field;
  }
  EXPECT_EQ(api.EngGetField(cursor, 8, record.data(), nullptr, &blank), ENG_OK);
  EXPECT_EQ(blank, 0);
  EXPECT_EQ(Blob(cursor, record, 9, 4), "");
}

}  // namespace
