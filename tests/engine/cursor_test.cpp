// Moving through records, bookmarks and blobs.
#include <cstring>

#include "engine_harness.h"

namespace {

class EngineCursor : public TEngineTest {
 protected:
  void SetUp() override {
    TEngineTest::SetUp();
    cursor = OpenQuizTable(OpenDatabase());
    record.resize(Props(cursor).recordSize);
  }

  // The "Order" of the record that the last fetch delivered.
  std::string Order() const { return Text(cursor, record, 1).value_or("<blank>"); }
  EngResult Next() { return api.EngGetNextRecord(cursor, ENG_LOCK_NONE, record.data(), nullptr); }
  EngResult Prior() { return api.EngGetPriorRecord(cursor, ENG_LOCK_NONE, record.data(), nullptr); }

  EngHandle cursor = 0;
  std::vector<unsigned char> record;
  const std::vector<std::string> fileOrder = {"CT01", "ET01", "BS01", "CT02", "ET02",
                                              "CX01", "ET03", "BS02", "CT03", "ET04"};
};

TEST_F(EngineCursor, NextAndPriorWalkTheRowsAndAnswerTheEndStatuses) {
  EXPECT_EQ(Column(cursor, 1), fileOrder);
  // Column() stopped after the last row: further nexts stay there.
  EXPECT_EQ(Next(), ENG_EOF);
  EXPECT_EQ(api.EngGetRecord(cursor, ENG_LOCK_NONE, record.data(), nullptr), ENG_EOF);
  std::vector<std::string> backwards;
  EngResult result;
  while ((result = Prior()) == ENG_OK)
    backwards.push_back(Order());
  EXPECT_EQ(result, ENG_BOF);
  EXPECT_EQ(backwards, std::vector<std::string>(fileOrder.rbegin(), fileOrder.rend()));
  EXPECT_EQ(Prior(), ENG_BOF);
  EXPECT_EQ(api.EngGetRecord(cursor, ENG_LOCK_NONE, record.data(), nullptr), ENG_BOF);
  ASSERT_EQ(Next(), ENG_OK);
  EXPECT_EQ(Order(), "CT01");
}

TEST_F(EngineCursor, FirstAndLastStandBeforeAndAfterTheRows) {
  ASSERT_EQ(api.EngSetToEnd(cursor), ENG_OK);
  EXPECT_EQ(api.EngGetRecord(cursor, ENG_LOCK_NONE, record.data(), nullptr), ENG_EOF);
  EngRecordProps props{};
  ASSERT_EQ(api.EngGetPriorRecord(cursor, ENG_LOCK_NONE, record.data(), &props), ENG_OK);
  EXPECT_EQ(Order(), "ET04");
  EXPECT_EQ(props.seqNum, 10u);
  EXPECT_GT(props.rowId, 0);
  ASSERT_EQ(api.EngSetToBegin(cursor), ENG_OK);
  EXPECT_EQ(Prior(), ENG_BOF);
  ASSERT_EQ(api.EngGetNextRecord(cursor, ENG_LOCK_NONE, nullptr, &props), ENG_OK);  // moving without a buffer
  EXPECT_EQ(props.seqNum, 1u);
  ASSERT_EQ(api.EngGetRecord(cursor, ENG_LOCK_NONE, record.data(), nullptr), ENG_OK);
  EXPECT_EQ(Order(), "CT01");
  uint32_t count = 0;
  ASSERT_EQ(api.EngGetRecordCount(cursor, &count), ENG_OK);
  EXPECT_EQ(count, 10u);
}

TEST_F(EngineCursor, BookmarksReturnToTheirRecords) {
  std::vector<std::vector<unsigned char>> marks;
  while (Next() == ENG_OK) {
    std::vector<unsigned char> mark(ENG_BOOKMARK_SIZE);
    ASSERT_EQ(api.EngGetBookmark(cursor, mark.data()), ENG_OK);
    marks.push_back(mark);
  }
  ASSERT_EQ(marks.size(), fileOrder.size());
  std::vector<unsigned char> none(ENG_BOOKMARK_SIZE);
  EXPECT_FAILS_WITH(api.EngGetBookmark(cursor, none.data()), ENG_ERR_NO_CURRENT_RECORD, "no record");
  for (size_t i : {7u, 0u, 9u, 3u}) {
    ASSERT_EQ(api.EngSetToBookmark(cursor, marks[i].data()), ENG_OK);
    ASSERT_EQ(api.EngGetRecord(cursor, ENG_LOCK_NONE, record.data(), nullptr), ENG_OK);
    EXPECT_EQ(Order(), fileOrder[i]);
  }
  ASSERT_EQ(Next(), ENG_OK);  // moving on goes from the bookmarked record
  EXPECT_EQ(Order(), fileOrder[4]);
  int32_t order = 0;
  ASSERT_EQ(api.EngCompareBookmarks(cursor, marks[2].data(), marks[5].data(), &order), ENG_OK);
  EXPECT_EQ(order, -1);
  ASSERT_EQ(api.EngCompareBookmarks(cursor, marks[5].data(), marks[5].data(), &order), ENG_OK);
  EXPECT_EQ(order, 0);

  // A bookmark of another cursor, or a made-up one, is refused.
  const EngHandle other = Execute(OpenDatabase(), "select * from vezedezavuza");
  EXPECT_FAILS_WITH(api.EngSetToBookmark(other, marks[0].data()), ENG_ERR_INVALID_BOOKMARK, "bookmark");
  std::vector<unsigned char> forged = marks[1];
  forged[4] = 99;
  EXPECT_EQ(api.EngSetToBookmark(cursor, forged.data()), ENG_ERR_INVALID_BOOKMARK);
}

TEST_F(EngineCursor, BlobsReadWholeAndInPiecesGiveTheStoredRtf) {
  const std::vector<TQuizRow> rows = SampleQuizRows();
  for (const TQuizRow& row : rows) {
    ASSERT_EQ(Next(), ENG_OK);
    ASSERT_EQ(Order(), row.order);
    EXPECT_EQ(Text(cursor, record, 2), row.quizName);
    EXPECT_EQ(Text(cursor, record, 6), row.answerTx);
    EXPECT_EQ(Blob(cursor, record, 3, 1 << 20), *row.question);
    EXPECT_EQ(Blob(cursor, record, 4, 1 << 20), *row.answer);
    EXPECT_EQ(Blob(cursor, record, 4, 7), *row.answer);
    EXPECT_EQ(Blob(cursor, record, 4, 1), *row.answer);
    EXPECT_EQ(Blob(cursor, record, 5, 64), *row.hint);
    EXPECT_EQ(Blob(cursor, record, 7, 3), *row.encourage);
    EXPECT_EQ(Blob(cursor, record, 8, 1000), *row.riff);
  }
  ASSERT_GT(rows.front().answer->size(), 1000u);
}

TEST_F(EngineCursor, BlobReadStatusesAtAndPastTheEnd) {
  ASSERT_EQ(Next(), ENG_OK);
  uint32_t size = 0, read = 99;
  char bytes[64];
  EXPECT_FAILS_WITH(api.EngGetBlob(cursor, record.data(), 5, 0, 10, bytes, &read), ENG_ERR_BLOB_NOT_OPEN,
                    "Hint");
  ASSERT_EQ(api.EngOpenBlob(cursor, record.data(), 5, ENG_OPEN_READONLY), ENG_OK);
  ASSERT_EQ(api.EngGetBlobSize(cursor, record.data(), 5, &size), ENG_OK);
  ASSERT_GT(size, 10u);
  EXPECT_EQ(api.EngGetBlob(cursor, record.data(), 5, size - 4, 10, bytes, &read), ENG_ERR_BLOB_SHORT_READ);
  EXPECT_EQ(read, 4u);
  const std::string hint = *SampleQuizRows().front().hint;
  EXPECT_EQ(std::string(bytes, 4), hint.substr(hint.size() - 4));
  EXPECT_EQ(api.EngGetBlob(cursor, record.data(), 5, size, 10, bytes, &read), ENG_ERR_BLOB_SHORT_READ);
  EXPECT_EQ(read, 0u);
  EXPECT_EQ(api.EngGetBlob(cursor, record.data(), 5, size + 1, 10, bytes, &read), ENG_ERR_BLOB_OFFSET);
  EXPECT_EQ(read, 0u);
  EXPECT_EQ(api.EngGetBlob(cursor, record.data(), 5, 0, 10, nullptr, &read), ENG_ERR_INVALID_PARAMETER);
  ASSERT_EQ(api.EngFreeBlob(cursor, record.data(), 5), ENG_OK);
  EXPECT_EQ(api.EngFreeBlob(cursor, record.data(), 5), ENG_ERR_BLOB_NOT_OPEN);

  EXPECT_FAILS_WITH(api.EngOpenBlob(cursor, record.data(), 1, ENG_OPEN_READONLY), ENG_ERR_NOT_A_BLOB,
                    "Order");
  // This cursor's table is open read-only, so its blobs are too.
  EXPECT_FAILS_WITH(api.EngOpenBlob(cursor, record.data(), 5, ENG_OPEN_READWRITE), ENG_ERR_TABLE_READ_ONLY,
                    "read-only");
  EXPECT_FAILS_WITH(api.EngGetField(cursor, 10, record.data(), bytes, nullptr), ENG_ERR_INVALID_FIELD, "10");
  EXPECT_EQ(api.EngGetField(cursor, 0, record.data(), bytes, nullptr), ENG_ERR_INVALID_FIELD);
  std::vector<unsigned char> empty(record.size());
  EXPECT_FAILS_WITH(api.EngOpenBlob(cursor, empty.data(), 5, ENG_OPEN_READONLY), ENG_ERR_INVALID_RECORD,
                    "record");
}

TEST_F(EngineCursor, BlankFieldsAndEmptyBlobs) {
  std::vector<TQuizRow> rows = SampleQuizRows();
  rows.resize(1);
  rows[0].encourage.reset();
  rows[0].userAnswer.reset();
  rows[0].riff = "";
  WriteQuizTable(dataFolder + "/blank.db", "", rows);
  EngHandle blank = 0;
  ASSERT_EQ(api.EngOpenTable(OpenDatabase(), "blank", nullptr, nullptr, nullptr, 0, ENG_OPEN_READONLY,
                             ENG_SHARE_SHARED, ENG_XLT_RECORD, 0, nullptr, &blank),
            ENG_OK);
  ASSERT_EQ(api.EngGetNextRecord(blank, ENG_LOCK_NONE, record.data(), nullptr), ENG_OK);
  uint16_t isBlank = 0;
  for (uint16_t field : {7, 8, 9}) {
    ASSERT_EQ(api.EngGetField(blank, field, record.data(), nullptr, &isBlank), ENG_OK);
    EXPECT_EQ(isBlank, 1) << field;
  }
  ASSERT_EQ(api.EngGetField(blank, 4, record.data(), nullptr, &isBlank), ENG_OK);
  EXPECT_EQ(isBlank, 0);
  EXPECT_EQ(Blob(blank, record, 7, 16), "");
  EXPECT_EQ(Blob(blank, record, 8, 16), "");
}

TEST_F(EngineCursor, UnidirectionalTablesMoveForwardOnly) {
  EngHandle forward = 0;
  ASSERT_EQ(api.EngOpenTable(OpenDatabase(), "vezedezavuza", nullptr, nullptr, nullptr, 0, ENG_OPEN_READONLY,
                             ENG_SHARE_SHARED, ENG_XLT_RECORD, 1, nullptr, &forward),
            ENG_OK);
  EXPECT_EQ(Props(forward).unidirectional, 1);
  EXPECT_EQ(Column(forward, 1), fileOrder);
  EXPECT_EQ(Column(forward, 1), fileOrder);  // first starts the rows again
  ASSERT_EQ(api.EngSetToBegin(forward), ENG_OK);
  ASSERT_EQ(api.EngGetNextRecord(forward, ENG_LOCK_NONE, record.data(), nullptr), ENG_OK);
  ASSERT_EQ(api.EngGetNextRecord(forward, ENG_LOCK_NONE, record.data(), nullptr), ENG_OK);
  EXPECT_FAILS_WITH(api.EngGetPriorRecord(forward, ENG_LOCK_NONE, record.data(), nullptr),
                    ENG_ERR_UNIDIRECTIONAL, "forward");
  ASSERT_EQ(api.EngGetRecord(forward, ENG_LOCK_NONE, record.data(), nullptr), ENG_OK);
  EXPECT_EQ(Text(forward, record, 1), "ET01");
  EXPECT_NE(Blob(forward, record, 5, 100).find("Hint ET01"), std::string::npos);
  uint32_t count = 0;
  ASSERT_EQ(api.EngGetRecordCount(forward, &count), ENG_OK);
  EXPECT_EQ(count, 10u);
}

TEST_F(EngineCursor, ClosingTheDatabaseClosesItsCursors) {
  const EngHandle db = OpenDatabase();
  const EngHandle result = Execute(db, "select * from vezedezavuza");
  ASSERT_EQ(api.EngCloseDatabase(db), ENG_OK);
  EXPECT_EQ(api.EngGetNextRecord(result, ENG_LOCK_NONE, record.data(), nullptr), ENG_ERR_INVALID_HANDLE);
  EXPECT_EQ(api.EngReleaseRecordLock(cursor, 1), ENG_OK);
  EXPECT_EQ(api.EngCloseCursor(cursor), ENG_OK);
  EXPECT_EQ(api.EngCloseCursor(cursor), ENG_ERR_INVALID_HANDLE);
}

}  // namespace
