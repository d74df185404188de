// A cursor: rows of a table or a statement's result, read forward from the storage library as they are
// asked for and kept (unless unidirectional) so that prior, last and bookmarks need no second query.
#pragma once

#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "field_layout.h"
#include "handles.h"
#include "row_write.h"
#include "sql_translate.h"
#include "storage.h"

namespace dbengine {

// The head of every record buffer a cursor fills: the cursor, the row's place in it and its id.
struct TRecordHeader {
  uint32_t cursor;
  uint32_t seqNum;
  int64_t rowId;
};
static_assert(sizeof(TRecordHeader) == ENG_RECORD_HEADER);

inline TRecordHeader HeaderOf(const void* record) {
  TRecordHeader header;
  std::memcpy(&header, record, sizeof header);
  return header;
}

struct TCursorSource {
  std::shared_ptr<TTableFile> table;
  std::string selectSql;  // rowid first, then one result column per field
  std::string countSql;
  std::vector<TSqlBinding> bindings;
};

struct TCursorOptions {
  EngHandle database = 0;
  bool unidirectional = false;
  bool isResult = false;
  uint16_t openMode = ENG_OPEN_READONLY;
  uint16_t shareMode = ENG_SHARE_SHARED;
  std::string tableName;  // file name shown in the cursor's properties
  std::string tableType;
  std::string claimedPath;  // the table file this cursor holds a claim on (see TEngine::ClaimTable)
};

class TCursor : public TObject {
 public:
  TCursor(TRecordLayout layout, std::optional<TCursorSource> source, TCursorOptions options);
  ~TCursor() override;

  // Prepares the storage statement; call once the cursor has its handle (records carry it).
  void Start();
  // Adds a fixed row of texts (configuration rows), for a cursor without a source.
  void AddTextRow(const std::vector<std::string>& values);

  const TRecordLayout& Layout() const { return layout_; }
  const TCursorOptions& Options() const { return options_; }
  void Properties(EngCursorProps& props) const;

  void SetToBegin();
  void SetToEnd();
  // The fetch calls; lock ENG_LOCK_WRITE begins an edit of the row reached (see BeginEdit).
  EngResult Current(void* record, EngRecordProps* props, uint32_t lock = ENG_LOCK_NONE);
  EngResult Next(void* record, EngRecordProps* props, uint32_t lock = ENG_LOCK_NONE);
  EngResult Prior(void* record, EngRecordProps* props, uint32_t lock = ENG_LOCK_NONE);
  uint32_t Count();

  void Bookmark(void* bookmark) const;
  void SetToBookmark(const void* bookmark);
  int32_t Compare(const void* first, const void* second) const;

  void Field(uint16_t fieldNumber, const void* record, void* dest, uint16_t* isBlank) const;

  void OpenBlob(const void* record, uint16_t fieldNumber, bool writable = false);
  uint32_t BlobSize(const void* record, uint16_t fieldNumber);
  EngResult ReadBlob(const void* record, uint16_t fieldNumber, uint32_t offset, uint32_t length, void* dest,
                     uint32_t* read);
  void FreeBlob(const void* record, uint16_t fieldNumber);

  // Writing (cursor_write.cpp). Only a read-write table cursor writes: Writable().
  bool Writable() const;
  void InitRecord(void* record);
  void PutField(uint16_t fieldNumber, void* record, const void* src);
  void PutBlob(void* record, uint16_t fieldNumber, uint32_t offset, uint32_t length, const void* src);
  void TruncateBlob(void* record, uint16_t fieldNumber, uint32_t length);
  void Insert(uint32_t lock, const void* record);
  void Modify(const void* record, bool freeLock);
  void Delete(const void* record);
  void Cancel(void* record);
  // Ends the edit and drops every staged blob write.
  void EndEdit();
  // Forgets every row read and stands before the first; the next fetch reads the table afresh.
  void Reload();
  // Reads the rest of the rows, so that this cursor's statement holds no read lock on its file while
  // another connection of the process writes to it.
  void LetGoOfFile(const std::string& path);

 private:
  enum class TPlace { Before, On, After, Between };  // Between: where a deleted row was
  struct TOpenBlob {
    sqlite3_blob* handle = nullptr;
    std::vector<unsigned char> bytes;  // the value, when it could not be opened in place
    uint32_t size = 0;
    bool writable = false;
  };
  // The row being edited: what the file held when the edit began.
  struct TEdit {
    int64_t rowId = 0;
    TRowDigest digest{};
  };
  using TBlobKey = std::pair<int64_t, uint16_t>;

  bool Fetch();  // reads one more row from the statement into the kept rows; false at the end
  void FillRow(unsigned char* row, sqlite3_stmt* stmt, uint32_t seqNum);
  void ExhaustSource();
  // Room for the next row: a new slot of the kept rows, or the single row of a unidirectional cursor.
  unsigned char* NewRow();
  size_t RowsKept() const { return options_.unidirectional ? 0 : fetched_; }
  const unsigned char* Row(size_t index) const {
    return chunks_[index / rowsPerChunk_].get() + (index % rowsPerChunk_) * layout_.recordSize;
  }
  unsigned char* Row(size_t index) {
    return chunks_[index / rowsPerChunk_].get() + (index % rowsPerChunk_) * layout_.recordSize;
  }
  const unsigned char* CurrentRow() const { return options_.unidirectional ? single_.data() : Row(index_); }
  EngResult AfterMove(EngResult moved, void* record, EngRecordProps* props, uint32_t lock);
  EngResult Deliver(void* record, EngRecordProps* props) const;
  const TFieldInfo& FieldAt(uint16_t fieldNumber) const;
  TBlobKey BlobKeyOf(const void* record, uint16_t fieldNumber) const;
  TOpenBlob& OpenedBlob(const void* record, uint16_t fieldNumber);
  TOpenBlob LoadBlob(int64_t rowId, const TFieldInfo& field, bool blank) const;
  std::vector<unsigned char>& Staged(void* record, uint16_t fieldNumber);

  // Writing helpers (cursor_write.cpp).
  void RequireWritable(const char* what) const;
  void RequireRecordOfCursor(const void* record) const;
  const unsigned char* RequireCurrentRow(const void* record, const char* what) const;
  // Reads row rowId from the file into row (seqNum as given): false when it no longer exists.
  bool ReadRow(int64_t rowId, unsigned char* row, uint32_t seqNum);
  void BeginEdit();
  void RequireNotEditedElsewhere(int64_t rowId) const;
  // Before a write: every row read (and this cursor's statement done), other cursors' locks let go of,
  // and whether the write runs inside the database's transaction.
  bool PrepareWrite();
  // Throws ENG_ERR_RECORD_CHANGED unless the file's row rowId still is what the edit began with, or
  // (without an edit of it) what this cursor read.
  void CheckUnchanged(int64_t rowId, const unsigned char* kept);
  void BindField(sqlite3_stmt* stmt, int index, const TFieldInfo& field, const unsigned char* record,
                 int64_t rowId, std::vector<std::vector<unsigned char>>& keepAlive);
  void AfterRowWritten(int64_t rowId);
  void RemoveKeptRow(size_t index);
  std::string TableText() const;
  void BindAll(sqlite3_stmt* stmt) const;
  void CloseBlobs();

  TRecordLayout layout_;
  std::optional<TCursorSource> source_;
  TCursorOptions options_;
  sqlite3_stmt* stmt_ = nullptr;
  bool exhausted_ = false;
  bool failed_ = false;
  // Kept rows live in fixed-size chunks, so that growing never moves them and freed chunks are reused
  // by the allocator without fresh pages.
  std::vector<std::unique_ptr<unsigned char[]>> chunks_;
  size_t rowsPerChunk_ = 1;
  std::vector<unsigned char> single_;  // the current row of a unidirectional cursor
  size_t fetched_ = 0;                 // rows read from the statement (or added) so far
  TPlace place_ = TPlace::Before;
  size_t index_ = 0;  // 0-based position while On
  std::map<TBlobKey, TOpenBlob> blobs_;
  std::map<TBlobKey, std::vector<unsigned char>> staged_;  // blob bytes to write with the row
  std::optional<TEdit> edit_;
  std::string rowSelectSql_;  // one row by id, in the form of selectSql
};

}  // namespace dbengine
