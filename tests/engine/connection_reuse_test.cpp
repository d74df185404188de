// Opening a table again reuses its keyed connection, and never when the file or the passwords changed:
// every later open sees what it would see if each open started afresh.
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>

#include "engine_harness.h"

namespace fs = std::filesystem;

namespace {

// Counts the engine's announcements of a slow call: it makes one before every key derivation (and one
// for every statement it runs, which the tests leave out of their counts).
uint32_t CountServerCall(uint32_t /*type*/, uintptr_t clientData, void* /*info*/) {
  ++*reinterpret_cast<int*>(clientData);
  return ENG_CBR_CONTINUE;
}

class ConnectionReuse : public TEngineTest {
 protected:
  void SetUp() override {
    TEngineTest::SetUp();
    ASSERT_EQ(api.EngRegisterCallback(0, ENG_CB_SERVERCALL, reinterpret_cast<uintptr_t>(&derivations),
                                      sizeof kind, &kind, CountServerCall),
              ENG_OK);
    db = OpenDatabase();
  }

  EngResult OpenTable(EngHandle* cursor, uint32_t mode = ENG_OPEN_READONLY) {
    *cursor = 0;
    return api.EngOpenTable(db, "vezedezavuza", "PARADOX", nullptr, nullptr, 0, mode, ENG_SHARE_SHARED,
                            ENG_XLT_RECORD, 0, nullptr, cursor);
  }

  // The Order of every row, read through a fresh cursor that is closed again.
  std::vector<std::string> Orders() {
    EngHandle cursor = 0;
    EXPECT_EQ(OpenTable(&cursor), ENG_OK) << ErrorTexts();
    if (cursor == 0) return {};
    auto orders = Column(cursor, 1);
    EXPECT_EQ(api.EngCloseCursor(cursor), ENG_OK);
    return orders;
  }

  // Puts another table under the same name, keyed with password, by renaming it over the old file
  // (a new file, as a copy from elsewhere would be).
  void ReplaceTable(const std::string& password, const std::vector<TQuizRow>& rows) {
    // Written under the table's own name (its name inside the file), in a folder of its own.
    fs::create_directories(folder.File("fresh"));
    const std::string fresh = folder.File("fresh/vezedezavuza.db");
    WriteQuizTable(fresh, password, rows);
    ASSERT_EQ(::rename(fresh.c_str(), (dataFolder + "/vezedezavuza.db").c_str()), 0);
  }

  uint32_t kind = 0;
  int derivations = 0;
  EngHandle db = 0;
};

std::vector<TQuizRow> FirstRows(size_t count) {
  auto rows = SampleQuizRows();
  rows.resize(count);
  return rows;
}

TEST_F(ConnectionReuse, ReopeningTablesAndStatementsDerivesTheKeyOnce) {
  ASSERT_EQ(api.EngAddPassword("pelmut"), ENG_OK);
  EngHandle table = 0;
  ASSERT_EQ(OpenTable(&table), ENG_OK) << ErrorTexts();
  EXPECT_EQ(derivations, 1);
  // Three category switches: each closes its result and prepares a new statement.
  for (const char* category : {"ET1", "Classic Television 2", "Banana Splits 1"}) {
    const EngHandle cursor =
        Execute(db, std::string("SELECT * FROM vezedezavuza WHERE QuizName = \"") + category + "\"\r\n");
    --derivations;  // the run's own announcement
    EXPECT_FALSE(Column(cursor, 1).empty()) << category;
    EXPECT_EQ(api.EngCloseCursor(cursor), ENG_OK);
  }
  EXPECT_EQ(derivations, 1);
  // The table itself closed and opened again right away: still the kept connection.
  EXPECT_EQ(api.EngCloseCursor(table), ENG_OK);
  EXPECT_EQ(Orders().size(), 10u);
  EXPECT_EQ(derivations, 1);
}

TEST_F(ConnectionReuse, AnotherDatabaseOnTheSameFolderSharesTheConnection) {
  ASSERT_EQ(api.EngAddPassword("pelmut"), ENG_OK);
  EngHandle first = 0;
  ASSERT_EQ(OpenTable(&first), ENG_OK) << ErrorTexts();
  const EngHandle other = OpenDatabase();
  EngHandle second = 0;
  ASSERT_EQ(api.EngOpenTable(other, "vezedezavuza", "PARADOX", nullptr, nullptr, 0, ENG_OPEN_READONLY,
                             ENG_SHARE_SHARED, ENG_XLT_RECORD, 0, nullptr, &second),
            ENG_OK);
  EXPECT_EQ(derivations, 1);
  EXPECT_EQ(Column(second, 1).size(), 10u);
  EXPECT_EQ(api.EngCloseDatabase(other), ENG_OK);
  EXPECT_EQ(Column(first, 1).size(), 10u) << "the first cursor still reads";
}

TEST_F(ConnectionReuse, AReplacedFileWithAnotherPasswordIsRefusedWhileTheOldOneIsStillOpen) {
  ASSERT_EQ(api.EngAddPassword("pelmut"), ENG_OK);
  EngHandle kept = 0;
  ASSERT_EQ(OpenTable(&kept), ENG_OK) << ErrorTexts();
  ReplaceTable("sesame", FirstRows(3));
  EngHandle cursor = 0;
  EXPECT_FAILS_WITH(OpenTable(&cursor), ENG_ERR_PASSWORD, "encrypted");
  // Its password added, the new file opens and shows its own rows; the old cursor reads the old file.
  ASSERT_EQ(api.EngAddPassword("sesame"), ENG_OK);
  EXPECT_EQ(Orders().size(), 3u);
  EXPECT_EQ(Column(kept, 1).size(), 10u);
}

TEST_F(ConnectionReuse, AReplacedFileIsReadAfterTheLastCursorClosed) {
  ASSERT_EQ(api.EngAddPassword("pelmut"), ENG_OK);
  EXPECT_EQ(Orders().size(), 10u);
  // Same password, fewer rows: only the file tells them apart.
  ReplaceTable("pelmut", FirstRows(2));
  EXPECT_EQ(Orders().size(), 2u);
  const EngHandle cursor = Execute(db, "SELECT * FROM vezedezavuza");
  EXPECT_EQ(Column(cursor, 1).size(), 2u);
}

TEST_F(ConnectionReuse, AFileRewrittenInPlaceIsReadAgain) {
  ASSERT_EQ(api.EngAddPassword("pelmut"), ENG_OK);
  EngHandle kept = 0;
  ASSERT_EQ(OpenTable(&kept), ENG_OK) << ErrorTexts();
  const std::string path = dataFolder + "/vezedezavuza.db";
  fs::create_directories(folder.File("other"));
  const std::string other = folder.File("other/vezedezavuza.db");
  WriteQuizTable(other, "pelmut", FirstRows(4));
  // The same inode gets the other file's bytes.
  WriteText(path, ReadBytes(other));
  EXPECT_EQ(Orders().size(), 4u);
}

TEST_F(ConnectionReuse, ADroppedPasswordIsNotServedFromAKeptConnection) {
  ASSERT_EQ(api.EngAddPassword("pelmut"), ENG_OK);
  EngHandle kept = 0;
  ASSERT_EQ(OpenTable(&kept), ENG_OK) << ErrorTexts();
  ASSERT_EQ(api.EngDropPassword("pelmut"), ENG_OK);
  EngHandle cursor = 0;
  EXPECT_FAILS_WITH(OpenTable(&cursor), ENG_ERR_PASSWORD, "no password was given");
  ASSERT_EQ(api.EngAddPassword("wrong"), ENG_OK);
  EXPECT_FAILS_WITH(OpenTable(&cursor), ENG_ERR_PASSWORD, "none of the 1 passwords");
  EngHandle statement = 0;
  ASSERT_EQ(api.EngAllocStatement(db, ENG_LANG_SQL, &statement), ENG_OK);
  EXPECT_FAILS_WITH(api.EngPrepareStatement(statement, "SELECT * FROM vezedezavuza"), ENG_ERR_PASSWORD,
                    "encrypted");
  EXPECT_EQ(api.EngFreeStatement(statement), ENG_OK);
}

TEST_F(ConnectionReuse, AFileMadeReadOnlyAnswersReadOnlyToAReadWriteOpen) {
  // Permission bits alone decide, so this holds for the super-user too.
  ASSERT_EQ(api.EngAddPassword("pelmut"), ENG_OK);
  ASSERT_EQ(api.EngOpenDatabase("quiz", "STANDARD", ENG_OPEN_READWRITE, ENG_SHARE_SHARED, "", &db), ENG_OK);
  EngHandle writable = 0;
  ASSERT_EQ(OpenTable(&writable, ENG_OPEN_READWRITE), ENG_OK) << ErrorTexts();
  const std::string path = dataFolder + "/vezedezavuza.db";
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  EngHandle cursor = 0;
  EXPECT_FAILS_WITH(OpenTable(&cursor, ENG_OPEN_READWRITE), ENG_ERR_READ_ONLY, "read-only");
}

TEST_F(ConnectionReuse, StoppingTheEngineForgetsEveryConnection) {
  ASSERT_EQ(api.EngAddPassword("pelmut"), ENG_OK);
  EXPECT_EQ(Orders().size(), 10u);
  EXPECT_EQ(api.EngineExit(), ENG_OK);
  started = false;
  StartEngine("[DATABASES\\quiz\\DB INFO]\nTYPE=STANDARD\nPATH=data\n");
  db = OpenDatabase();
  // A new start has no passwords: a connection kept from before would open the table without one.
  EngHandle cursor = 0;
  EXPECT_FAILS_WITH(OpenTable(&cursor), ENG_ERR_PASSWORD, "no password was given");
}

}  // namespace

namespace {

TEST_F(ConnectionReuse, AWriteOfThisProcessKeepsItsConnectionAndEveryLaterReaderSeesIt) {
  ASSERT_EQ(api.EngAddPassword("pelmut"), ENG_OK);
  const auto orders = Orders();  // leaves a read-only connection behind
  EXPECT_EQ(derivations, 1);
  EngHandle writable = 0, writer = 0;
  ASSERT_EQ(api.EngOpenDatabase("quiz", nullptr, ENG_OPEN_READWRITE, ENG_SHARE_SHARED, "", &writable),
            ENG_OK);
  ASSERT_EQ(api.EngOpenTable(writable, "vezedezavuza", nullptr, nullptr, nullptr, 0, ENG_OPEN_READWRITE,
                             ENG_SHARE_SHARED, ENG_XLT_RECORD, 0, nullptr, &writer),
            ENG_OK)
      << ErrorTexts();
  EXPECT_EQ(derivations, 2);
  std::vector<unsigned char> record(Props(writer).recordSize);
  ASSERT_EQ(api.EngGetNextRecord(writer, ENG_LOCK_WRITE, record.data(), nullptr), ENG_OK) << ErrorTexts();
  ASSERT_EQ(api.EngPutField(writer, 1, record.data(), "NEW1"), ENG_OK);
  ASSERT_EQ(api.EngModifyRecord(writer, record.data(), 1), ENG_OK) << ErrorTexts();

  // The kept read-only connection predates the write and is not handed out again; the writer's own
  // connection made the change, so it serves readers without a new key derivation.
  auto expected = orders;
  expected.front() = "NEW1";
  EXPECT_EQ(Orders(), expected);
  EXPECT_EQ(derivations, 2);
  // And the writer itself goes on reading and writing through it.
  ASSERT_EQ(api.EngGetNextRecord(writer, ENG_LOCK_WRITE, record.data(), nullptr), ENG_OK) << ErrorTexts();
  ASSERT_EQ(api.EngPutField(writer, 1, record.data(), "NEW2"), ENG_OK);
  ASSERT_EQ(api.EngModifyRecord(writer, record.data(), 1), ENG_OK) << ErrorTexts();
  expected[1] = "NEW2";
  EXPECT_EQ(Column(writer, 1), expected);
  ASSERT_EQ(api.EngCloseCursor(writer), ENG_OK);
  EXPECT_EQ(Orders(), expected);
  EXPECT_EQ(derivations, 2);
}

}  // namespace
