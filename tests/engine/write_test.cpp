// Writing through the engine: edits, blobs, inserts, deletes, refusals and transactions, on real
// encrypted table files.
#define SQLITE_HAS_CODEC 1
#include <sqlite3.h>

#include <cstring>
#include <filesystem>
#include <random>

#include "engine_harness.h"

namespace fs = std::filesystem;

namespace {

// Quiz table fields.
constexpr uint16_t kOrder = 1, kQuizName = 2, kQuestion = 3, kAnswerTx = 6;

class EngineWrite : public TEngineTest {
 protected:
  void SetUp() override {
    TEngineTest::SetUp();
    ASSERT_EQ(api.EngAddPassword("pelmut"), ENG_OK);
    ASSERT_EQ(api.EngOpenDatabase("quiz", nullptr, ENG_OPEN_READWRITE, ENG_SHARE_SHARED, "", &db), ENG_OK);
  }

  EngHandle Open(const char* table = "vezedezavuza", uint32_t mode = ENG_OPEN_READWRITE) {
    EngHandle cursor = 0;
    EXPECT_EQ(api.EngOpenTable(db, table, nullptr, nullptr, nullptr, 0, mode, ENG_SHARE_SHARED,
                               ENG_XLT_RECORD, 0, nullptr, &cursor),
              ENG_OK)
        << ErrorTexts();
    return cursor;
  }
  std::vector<unsigned char> Record(EngHandle cursor) {
    return std::vector<unsigned char>(Props(cursor).recordSize);
  }
  // Locks row n (from 1) for editing.
  std::vector<unsigned char> Edit(EngHandle cursor, int n) {
    auto record = Record(cursor);
    EXPECT_EQ(api.EngSetToBegin(cursor), ENG_OK);
    for (int i = 1; i < n; ++i)
      EXPECT_EQ(api.EngGetNextRecord(cursor, ENG_LOCK_NONE, nullptr, nullptr), ENG_OK);
    EXPECT_EQ(api.EngGetNextRecord(cursor, ENG_LOCK_WRITE, record.data(), nullptr), ENG_OK) << ErrorTexts();
    return record;
  }
  void WriteBlob(EngHandle cursor, std::vector<unsigned char>& record, uint16_t field,
                 const std::string& bytes) {
    ASSERT_EQ(api.EngOpenBlob(cursor, record.data(), field, ENG_OPEN_READWRITE), ENG_OK) << ErrorTexts();
    ASSERT_EQ(api.EngTruncateBlob(cursor, record.data(), field, 0), ENG_OK) << ErrorTexts();
    // In uneven pieces, so that offsets and growth are exercised.
    for (size_t offset = 0; offset < bytes.size();) {
      const size_t length = std::min<size_t>(bytes.size() - offset, 50000 + offset % 7);
      ASSERT_EQ(api.EngPutBlob(cursor, record.data(), field, static_cast<uint32_t>(offset),
                               static_cast<uint32_t>(length), bytes.data() + offset),
                ENG_OK)
          << ErrorTexts();
      offset += length;
    }
    ASSERT_EQ(api.EngFreeBlob(cursor, record.data(), field), ENG_OK);
  }
  std::string FirstRowBlob(EngHandle cursor, uint16_t field) {
    auto record = Record(cursor);
    EXPECT_EQ(api.EngSetToBegin(cursor), ENG_OK);
    EXPECT_EQ(api.EngGetNextRecord(cursor, ENG_LOCK_NONE, record.data(), nullptr), ENG_OK);
    return Blob(cursor, record, field, 65536);
  }
  uint32_t Count(EngHandle cursor) {
    uint32_t count = 0;
    EXPECT_EQ(api.EngGetRecordCount(cursor, &count), ENG_OK);
    return count;
  }
  std::string TablePath() const { return dataFolder + "/vezedezavuza.db"; }

  EngHandle db = 0;
};

std::string MegabyteOfNoise() {
  std::string bytes(1024 * 1024, '\0');
  std::mt19937 random(19);
  for (char& byte : bytes)
    byte = static_cast<char>(random());
  return bytes;
}

TEST_F(EngineWrite, AMegabyteBlobPostsAndReadsBackByteForByteEverywhere) {
  const EngHandle cursor = Open();
  EXPECT_EQ(Props(cursor).rightsReadOnly, 0);
  EXPECT_EQ(Fields(cursor)[kQuestion - 1].rights, ENG_RIGHTS_READWRITE);
  const std::string bytes = MegabyteOfNoise();
  auto record = Edit(cursor, 1);
  WriteBlob(cursor, record, kQuestion, bytes);
  // Staged bytes are what the record's own reads see before the post.
  EXPECT_EQ(Blob(cursor, record, kQuestion, 65536), bytes);
  ASSERT_EQ(api.EngModifyRecord(cursor, record.data(), 1), ENG_OK) << ErrorTexts();

  EXPECT_EQ(Blob(cursor, record, kQuestion, 65536), bytes);
  EXPECT_EQ(FirstRowBlob(cursor, kQuestion), bytes);
  const EngHandle fresh = Open("vezedezavuza", ENG_OPEN_READONLY);
  EXPECT_EQ(FirstRowBlob(fresh, kQuestion), bytes);
  // Other fields of the row are untouched.
  EXPECT_EQ(Column(fresh, kOrder).front(), SampleQuizRows().front().order);

  ASSERT_EQ(api.EngineExit(), ENG_OK);
  started = false;
  StartEngine("[DATABASES\\quiz\\DB INFO]\nTYPE=STANDARD\nPATH=data\n");
  ASSERT_EQ(api.EngAddPassword("pelmut"), ENG_OK);
  ASSERT_EQ(api.EngOpenDatabase("quiz", nullptr, ENG_OPEN_READONLY, ENG_SHARE_SHARED, "", &db), ENG_OK);
  EXPECT_EQ(FirstRowBlob(Open("vezedezavuza", ENG_OPEN_READONLY), kQuestion), bytes);
}

TEST_F(EngineWrite, CancelLeavesTheFileAsItWasAndInsertAppendsARowTheCursorStandsOn) {
  const EngHandle cursor = Open();
  const uint32_t before = Count(cursor);
  const std::string fileBefore = ReadBytes(TablePath());

  auto record = Record(cursor);
  ASSERT_EQ(api.EngInitRecord(cursor, record.data()), ENG_OK) << ErrorTexts();
  ASSERT_EQ(api.EngPutField(cursor, kOrder, record.data(), "ZZ01"), ENG_OK) << ErrorTexts();
  WriteBlob(cursor, record, kQuestion, "{\\rtf1 New question}");
  ASSERT_EQ(api.EngCancelRecord(cursor, nullptr), ENG_OK);
  EXPECT_EQ(ReadBytes(TablePath()), fileBefore);
  EXPECT_EQ(Count(cursor), before);

  // A cancelled edit of an existing row, too.
  auto edited = Edit(cursor, 2);
  ASSERT_EQ(api.EngPutField(cursor, kQuizName, edited.data(), "Changed"), ENG_OK);
  WriteBlob(cursor, edited, kQuestion, "gone");
  ASSERT_EQ(api.EngCancelRecord(cursor, edited.data()), ENG_OK);
  EXPECT_EQ(Text(cursor, edited, kQuizName), SampleQuizRows()[1].quizName);
  EXPECT_EQ(Blob(cursor, edited, kQuestion, 4096), *SampleQuizRows()[1].question);
  EXPECT_EQ(ReadBytes(TablePath()), fileBefore);

  ASSERT_EQ(api.EngInitRecord(cursor, record.data()), ENG_OK);
  ASSERT_EQ(api.EngPutField(cursor, kOrder, record.data(), "ZZ01"), ENG_OK);
  ASSERT_EQ(api.EngPutField(cursor, kQuizName, record.data(), "Inserted"), ENG_OK);
  WriteBlob(cursor, record, kQuestion, "{\\rtf1 New question}");
  ASSERT_EQ(api.EngInsertRecord(cursor, ENG_LOCK_NONE, record.data()), ENG_OK) << ErrorTexts();
  EXPECT_EQ(Count(cursor), before + 1);
  auto current = Record(cursor);
  ASSERT_EQ(api.EngGetRecord(cursor, ENG_LOCK_NONE, current.data(), nullptr), ENG_OK) << ErrorTexts();
  EXPECT_EQ(Text(cursor, current, kOrder), "ZZ01");
  EXPECT_EQ(Blob(cursor, current, kQuestion, 7), "{\\rtf1 New question}");
  EXPECT_EQ(api.EngGetNextRecord(cursor, ENG_LOCK_NONE, nullptr, nullptr), ENG_EOF);

  const EngHandle fresh = Open("vezedezavuza", ENG_OPEN_READONLY);
  const auto names = Column(fresh, kQuizName);
  ASSERT_EQ(names.size(), before + 1);
  EXPECT_EQ(names.back(), "Inserted");
}

TEST_F(EngineWrite, DeleteRemovesTheRowAndTheCursorStandsBetweenItsNeighbours) {
  const EngHandle cursor = Open();
  const auto orders = Column(cursor, kOrder);
  auto record = Edit(cursor, 2);
  ASSERT_EQ(api.EngDeleteRecord(cursor, record.data()), ENG_OK) << ErrorTexts();
  EXPECT_EQ(api.EngGetRecord(cursor, ENG_LOCK_NONE, record.data(), nullptr), ENG_ERR_NO_CURRENT_RECORD);
  ASSERT_EQ(api.EngGetNextRecord(cursor, ENG_LOCK_NONE, record.data(), nullptr), ENG_OK);
  EXPECT_EQ(Text(cursor, record, kOrder), orders[2]);
  ASSERT_EQ(api.EngGetPriorRecord(cursor, ENG_LOCK_NONE, record.data(), nullptr), ENG_OK);
  EXPECT_EQ(Text(cursor, record, kOrder), orders[0]);
  EXPECT_EQ(Count(cursor), orders.size() - 1);

  // Deleting the last row leaves the cursor where the next fetch is the end.
  ASSERT_EQ(api.EngSetToEnd(cursor), ENG_OK);
  ASSERT_EQ(api.EngGetPriorRecord(cursor, ENG_LOCK_NONE, record.data(), nullptr), ENG_OK);
  ASSERT_EQ(api.EngDeleteRecord(cursor, nullptr), ENG_OK) << ErrorTexts();
  EXPECT_EQ(api.EngGetNextRecord(cursor, ENG_LOCK_NONE, nullptr, nullptr), ENG_EOF);

  const auto left = Column(Open("vezedezavuza", ENG_OPEN_READONLY), kOrder);
  std::vector<std::string> wanted = orders;
  wanted.erase(wanted.end() - 1);
  wanted.erase(wanted.begin() + 1);
  EXPECT_EQ(left, wanted);
  EXPECT_EQ(Column(cursor, kOrder), wanted);
}

TEST_F(EngineWrite, EveryWriteThroughAReadOnlyTableOrFileIsRefusedAndChangesNothing) {
  const auto refusesAll = [&](EngHandle cursor) {
    EXPECT_EQ(Props(cursor).rightsReadOnly, 1);
    auto record = Record(cursor);
    EXPECT_FAILS_WITH(api.EngInitRecord(cursor, record.data()), ENG_ERR_TABLE_READ_ONLY, "read-only");
    EXPECT_FAILS_WITH(api.EngGetNextRecord(cursor, ENG_LOCK_WRITE, record.data(), nullptr),
                      ENG_ERR_TABLE_READ_ONLY, "read-only");
    ASSERT_EQ(api.EngGetNextRecord(cursor, ENG_LOCK_NONE, record.data(), nullptr), ENG_OK);
    EXPECT_EQ(api.EngPutField(cursor, kQuizName, record.data(), "x"), ENG_ERR_TABLE_READ_ONLY);
    EXPECT_EQ(api.EngOpenBlob(cursor, record.data(), kQuestion, ENG_OPEN_READWRITE), ENG_ERR_TABLE_READ_ONLY);
    EXPECT_EQ(api.EngModifyRecord(cursor, record.data(), 1), ENG_ERR_TABLE_READ_ONLY);
    EXPECT_EQ(api.EngInsertRecord(cursor, ENG_LOCK_NONE, record.data()), ENG_ERR_TABLE_READ_ONLY);
    EXPECT_EQ(api.EngDeleteRecord(cursor, record.data()), ENG_ERR_TABLE_READ_ONLY);
  };
  const std::string fileBefore = ReadBytes(TablePath());
  refusesAll(Open("vezedezavuza", ENG_OPEN_READONLY));
  // A query's result is read-only too.
  refusesAll(Execute(db, "SELECT * FROM vezedezavuza"));
  EXPECT_EQ(ReadBytes(TablePath()), fileBefore);

  fs::permissions(TablePath(), fs::perms::owner_read | fs::perms::group_read);
  EngHandle cursor = 0;
  EXPECT_EQ(api.EngOpenTable(db, "vezedezavuza", nullptr, nullptr, nullptr, 0, ENG_OPEN_READWRITE,
                             ENG_SHARE_SHARED, ENG_XLT_RECORD, 0, nullptr, &cursor),
            ENG_ERR_READ_ONLY);
  refusesAll(Open("vezedezavuza", ENG_OPEN_READONLY));
  EXPECT_EQ(ReadBytes(TablePath()), fileBefore);
}

TEST_F(EngineWrite, ARowEditedThroughOneCursorIsLockedForTheOthersOfTheProcess) {
  const EngHandle first = Open();
  const EngHandle second = Open();
  auto record = Edit(first, 1);
  auto other = Record(second);
  ASSERT_EQ(api.EngGetNextRecord(second, ENG_LOCK_NONE, other.data(), nullptr), ENG_OK);
  EXPECT_FAILS_WITH(api.EngGetRecord(second, ENG_LOCK_WRITE, other.data(), nullptr), ENG_ERR_RECORD_LOCKED,
                    "another cursor");
  EXPECT_EQ(api.EngModifyRecord(second, other.data(), 1), ENG_ERR_RECORD_LOCKED);
  // Another row is free.
  ASSERT_EQ(api.EngGetNextRecord(second, ENG_LOCK_WRITE, other.data(), nullptr), ENG_OK) << ErrorTexts();
  ASSERT_EQ(api.EngCancelRecord(second, nullptr), ENG_OK);

  ASSERT_EQ(api.EngPutField(first, kQuizName, record.data(), "First"), ENG_OK);
  ASSERT_EQ(api.EngModifyRecord(first, record.data(), 1), ENG_OK) << ErrorTexts();
  ASSERT_EQ(api.EngSetToBegin(second), ENG_OK);
  ASSERT_EQ(api.EngGetNextRecord(second, ENG_LOCK_WRITE, other.data(), nullptr), ENG_OK) << ErrorTexts();
  // The edit began by reading the row afresh: the first cursor's post shows.
  EXPECT_EQ(Text(second, other, kQuizName), "First");
  ASSERT_EQ(api.EngReleaseRecordLock(second, 1), ENG_OK);
  // A closed cursor gives its lock back.
  auto again = Edit(first, 1);
  ASSERT_EQ(api.EngCloseCursor(first), ENG_OK);
  EXPECT_EQ(api.EngGetRecord(second, ENG_LOCK_WRITE, other.data(), nullptr), ENG_OK) << ErrorTexts();
}

TEST_F(EngineWrite, ValuesAreCheckedAgainstTheFieldsAndTheTableNothingIsCut) {
  const EngHandle cursor = Open();
  auto record = Edit(cursor, 1);
  const auto before = record;
  // Order holds five bytes, AnswerTx one.
  EXPECT_FAILS_WITH(api.EngPutField(cursor, kOrder, record.data(), "ABCDEF"), ENG_ERR_VALUE_TOO_LONG,
                    "Order");
  EXPECT_EQ(api.EngPutField(cursor, kAnswerTx, record.data(), "\xC3\xA9"), ENG_ERR_VALUE_TOO_LONG);
  EXPECT_EQ(record, before);
  EXPECT_EQ(api.EngPutField(cursor, kOrder, record.data(), "ABCDE"), ENG_OK);
  EXPECT_EQ(api.EngPutField(cursor, kQuestion, record.data(), "bytes"), ENG_ERR_INVALID_PARAMETER);
  EXPECT_EQ(api.EngPutField(cursor, 10, record.data(), "x"), ENG_ERR_INVALID_FIELD);
  // A record with a text that fills its buffer without an end is refused at the post.
  const EngFieldDesc order = Fields(cursor)[kOrder - 1];
  std::memset(record.data() + order.offset, 'x', order.length);
  EXPECT_FAILS_WITH(api.EngModifyRecord(cursor, record.data(), 1), ENG_ERR_VALUE_TOO_LONG, "Order");
  EXPECT_EQ(Column(Open("vezedezavuza", ENG_OPEN_READONLY), kOrder).front(), SampleQuizRows().front().order);
}

// A table of its own with a key, a required field, a check and defaults.
class EngineWriteRules : public EngineWrite {
 protected:
  void SetUp() override {
    sqlite3* raw = nullptr;
    const std::string path = folder.File("data");
    fs::create_directories(path);
    ASSERT_EQ(sqlite3_open((path + "/people.db").c_str(), &raw), SQLITE_OK);
    ASSERT_EQ(sqlite3_key(raw, "pelmut", 6), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(raw,
                           "CREATE TABLE people (Name VARCHAR(10) NOT NULL UNIQUE, Age INTEGER DEFAULT 42 "
                           "CHECK (Age >= 0), City VARCHAR(12) DEFAULT 'Zagreb', Note MEMO);"
                           "INSERT INTO people (Name, Age) VALUES ('Ana', 30), ('Ivo', 40);",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(raw);
    EngineWrite::SetUp();
  }
};

TEST_F(EngineWriteRules, KeyViolationsBlankRequiredFieldsAndFailedChecksWriteNothing) {
  const EngHandle cursor = Open("people");
  auto record = Record(cursor);
  ASSERT_EQ(api.EngInitRecord(cursor, record.data()), ENG_OK) << ErrorTexts();
  // The defaults are in the new record.
  int32_t age = 0;
  uint16_t blank = 1;
  ASSERT_EQ(api.EngGetField(cursor, 2, record.data(), &age, &blank), ENG_OK);
  EXPECT_EQ(blank, 0);
  EXPECT_EQ(age, 42);
  EXPECT_EQ(Text(cursor, record, 3), "Zagreb");
  EXPECT_EQ(Text(cursor, record, 1), std::nullopt);

  EXPECT_FAILS_WITH(api.EngInsertRecord(cursor, ENG_LOCK_NONE, record.data()), ENG_ERR_REQUIRED_FIELD,
                    "Name");
  ASSERT_EQ(api.EngPutField(cursor, 1, record.data(), "Ana"), ENG_OK);
  EXPECT_FAILS_WITH(api.EngInsertRecord(cursor, ENG_LOCK_NONE, record.data()), ENG_ERR_KEY_VIOLATION,
                    "UNIQUE");
  EXPECT_NE(ErrorStack().front().native, 0);
  ASSERT_EQ(api.EngPutField(cursor, 1, record.data(), "Eva"), ENG_OK);
  const int32_t negative = -1;
  ASSERT_EQ(api.EngPutField(cursor, 2, record.data(), &negative), ENG_OK);
  EXPECT_EQ(api.EngInsertRecord(cursor, ENG_LOCK_NONE, record.data()), ENG_ERR_CHECK_FAILED);
  EXPECT_EQ(Count(cursor), 2u);

  // A modify that breaks the key leaves the row as it was.
  auto second = Edit(cursor, 2);
  ASSERT_EQ(api.EngPutField(cursor, 1, second.data(), "Ana"), ENG_OK);
  EXPECT_EQ(api.EngModifyRecord(cursor, second.data(), 1), ENG_ERR_KEY_VIOLATION);
  ASSERT_EQ(api.EngPutField(cursor, 1, second.data(), nullptr), ENG_OK);
  EXPECT_EQ(api.EngModifyRecord(cursor, second.data(), 1), ENG_ERR_REQUIRED_FIELD);
  EXPECT_EQ(Column(Open("people", ENG_OPEN_READONLY), 1), (std::vector<std::string>{"Ana", "Ivo"}));
  // After the refusals the edit goes on and can be posted.
  ASSERT_EQ(api.EngPutField(cursor, 1, second.data(), "Iva"), ENG_OK);
  EXPECT_EQ(api.EngModifyRecord(cursor, second.data(), 1), ENG_OK) << ErrorTexts();
  EXPECT_EQ(Column(Open("people", ENG_OPEN_READONLY), 1), (std::vector<std::string>{"Ana", "Iva"}));
}

TEST_F(EngineWriteRules, ARolledBackTransactionLeavesNothingAndACommittedOneKeepsAll) {
  const EngHandle cursor = Open("people");
  const std::string fileBefore = ReadBytes(dataFolder + "/people.db");
  const auto insert = [&](const char* name) {
    auto record = Record(cursor);
    ASSERT_EQ(api.EngInitRecord(cursor, record.data()), ENG_OK);
    ASSERT_EQ(api.EngPutField(cursor, 1, record.data(), name), ENG_OK);
    ASSERT_EQ(api.EngInsertRecord(cursor, ENG_LOCK_NONE, record.data()), ENG_OK) << ErrorTexts();
  };
  EngHandle transaction = 0;
  ASSERT_EQ(api.EngBeginTransaction(db, &transaction), ENG_OK) << ErrorTexts();
  EngHandle second = 0;
  EXPECT_EQ(api.EngBeginTransaction(db, &second), ENG_ERR_NOT_SUPPORTED);
  insert("Eva");
  // A failed write inside leaves what came before it.
  auto record = Record(cursor);
  ASSERT_EQ(api.EngInitRecord(cursor, record.data()), ENG_OK);
  ASSERT_EQ(api.EngPutField(cursor, 1, record.data(), "Eva"), ENG_OK);
  EXPECT_EQ(api.EngInsertRecord(cursor, ENG_LOCK_NONE, record.data()), ENG_ERR_KEY_VIOLATION);
  auto first = Edit(cursor, 1);
  ASSERT_EQ(api.EngDeleteRecord(cursor, first.data()), ENG_OK) << ErrorTexts();
  EXPECT_EQ(Column(cursor, 1), (std::vector<std::string>{"Ivo", "Eva"}));
  EXPECT_EQ(api.EngEndTransaction(db, transaction + 1, ENG_TX_ROLLBACK), ENG_ERR_INVALID_HANDLE);
  ASSERT_EQ(api.EngEndTransaction(db, transaction, ENG_TX_ROLLBACK), ENG_OK) << ErrorTexts();
  EXPECT_EQ(ReadBytes(dataFolder + "/people.db"), fileBefore);
  // The cursor reads the table afresh.
  EXPECT_EQ(Column(cursor, 1), (std::vector<std::string>{"Ana", "Ivo"}));

  ASSERT_EQ(api.EngBeginTransaction(db, &transaction), ENG_OK);
  insert("Eva");
  insert("Oto");
  auto ivo = Edit(cursor, 2);
  ASSERT_EQ(api.EngPutField(cursor, 3, ivo.data(), "Split"), ENG_OK);
  ASSERT_EQ(api.EngModifyRecord(cursor, ivo.data(), 1), ENG_OK) << ErrorTexts();
  ASSERT_EQ(api.EngEndTransaction(db, transaction, ENG_TX_COMMIT), ENG_OK) << ErrorTexts();
  const EngHandle fresh = Open("people", ENG_OPEN_READONLY);
  EXPECT_EQ(Column(fresh, 1), (std::vector<std::string>{"Ana", "Ivo", "Eva", "Oto"}));
  EXPECT_EQ(Column(fresh, 3), (std::vector<std::string>{"Zagreb", "Split", "Zagreb", "Zagreb"}));
}

}  // namespace
