// A cursor: rows of a table or a statement's result, read forward from the storage library as they are
// asked for and kept (unless unidirectional) so that prior, last and bookmarks need no second query.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "field_layout.h"
#include "handles.h"
#include "sql_translate.h"
#include "storage.h"

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
  EngResult Current(void* record, EngRecordProps* props);
  EngResult Next(void* record, EngRecordProps* props);
  EngResult Prior(void* record, EngRecordProps* props);
  uint32_t Count();

  void Bookmark(void* bookmark) const;
  void SetToBookmark(const void* bookmark);
  int32_t Compare(const void* first, const void* second) const;

  void Field(uint16_t fieldNumber, const void* record, void* dest, uint16_t* isBlank) const;

  void OpenBlob(const void* record, uint16_t fieldNumber);
  uint32_t BlobSize(const void* record, uint16_t fieldNumber);
  EngResult ReadBlob(const void* record, uint16_t fieldNumber, uint32_t offset, uint32_t length, void* dest,
                     uint32_t* read);
  void FreeBlob(const void* record, uint16_t fieldNumber);

 private:
  enum class TPlace { Before, On, After };
  struct TOpenBlob {
    sqlite3_blob* handle = nullptr;
    std::vector<unsigned char> bytes;  // the value, when it could not be opened in place
    uint32_t size = 0;
  };
  using TBlobKey = std::pair<int64_t, uint16_t>;

  bool Fetch();  // reads one more row from the statement into the kept rows; false at the end
  void FillRow(unsigned char* row);
  void ExhaustSource();
  // Room for the next row: a new slot of the kept rows, or the single row of a unidirectional cursor.
  unsigned char* NewRow();
  size_t RowsKept() const { return options_.unidirectional ? 0 : fetched_; }
  const unsigned char* Row(size_t index) const {
    return chunks_[index / rowsPerChunk_].get() + (index % rowsPerChunk_) * layout_.recordSize;
  }
  const unsigned char* CurrentRow() const { return options_.unidirectional ? single_.data() : Row(index_); }
  EngResult Deliver(void* record, EngRecordProps* props) const;
  const TFieldInfo& FieldAt(uint16_t fieldNumber) const;
  TBlobKey BlobKeyOf(const void* record, uint16_t fieldNumber) const;
  TOpenBlob& OpenedBlob(const void* record, uint16_t fieldNumber);
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
};
