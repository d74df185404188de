#include "cursor.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "statement.h"

namespace dbengine {

namespace {

constexpr size_t kChunkBytes = 32 * 1024;
constexpr size_t kPooledChunks = 512;  // 16 MB kept for the next cursors at most

// Chunks of closed cursors, kept for the next ones: a fresh allocation of this size would come with
// fresh pages from the system, and faulting those in costs more than reading the rows themselves.
std::vector<std::unique_ptr<unsigned char[]>>& ChunkPool() {
  static std::vector<std::unique_ptr<unsigned char[]>> pool;
  return pool;
}

std::unique_ptr<unsigned char[]> TakeChunk() {
  auto& pool = ChunkPool();
  if (pool.empty()) return std::unique_ptr<unsigned char[]>(new unsigned char[kChunkBytes]);
  auto chunk = std::move(pool.back());
  pool.pop_back();
  return chunk;
}

struct TBookmark {
  uint32_t cursor;
  uint32_t seqNum;
  int64_t rowId;
};
static_assert(sizeof(TBookmark) == ENG_BOOKMARK_SIZE);

template <typename T>
void Store(unsigned char* at, T value) {
  std::memcpy(at, &value, sizeof value);
}

template <typename T>
T Saturate(int64_t value) {
  if (value < std::numeric_limits<T>::min()) return std::numeric_limits<T>::min();
  if (value > std::numeric_limits<T>::max()) return std::numeric_limits<T>::max();
  return static_cast<T>(value);
}

}  // namespace

TCursor::TCursor(TRecordLayout layout, std::optional<TCursorSource> source, TCursorOptions options)
    : TObject(TObjectKind::Cursor),
      layout_(std::move(layout)),
      source_(std::move(source)),
      options_(std::move(options)) {
  if (!source_) exhausted_ = true;
  rowsPerChunk_ = std::max<size_t>(1, kChunkBytes / layout_.recordSize);
}

unsigned char* TCursor::NewRow() {
  unsigned char* row;
  if (options_.unidirectional) {
    single_.resize(layout_.recordSize);
    row = single_.data();
  } else {
    if (fetched_ % rowsPerChunk_ == 0) {
      const size_t bytes = rowsPerChunk_ * layout_.recordSize;
      chunks_.push_back(bytes <= kChunkBytes ? TakeChunk()
                                             : std::unique_ptr<unsigned char[]>(new unsigned char[bytes]));
    }
    row = chunks_.back().get() + (fetched_ % rowsPerChunk_) * layout_.recordSize;
  }
  std::memset(row, 0, layout_.recordSize);
  return row;
}

TCursor::~TCursor() {
  EndEdit();
  CloseBlobs();
  sqlite3_finalize(stmt_);
  if (rowsPerChunk_ * layout_.recordSize <= kChunkBytes) {
    auto& pool = ChunkPool();
    for (auto& chunk : chunks_) {
      if (pool.size() < kPooledChunks) pool.push_back(std::move(chunk));
    }
  }
}

void TCursor::CloseBlobs() {
  for (auto& [key, blob] : blobs_)
    sqlite3_blob_close(blob.handle);
  blobs_.clear();
}

void TCursor::BindAll(sqlite3_stmt* stmt) const {
  int index = 1;
  for (const auto& binding : source_->bindings) {
    switch (binding.kind) {
      case TSqlBinding::TKind::Text:
        sqlite3_bind_text(stmt, index, binding.text.data(), static_cast<int>(binding.text.size()),
                          SQLITE_TRANSIENT);
        break;
      case TSqlBinding::TKind::Integer:
        sqlite3_bind_int64(stmt, index, binding.integer);
        break;
      case TSqlBinding::TKind::Real:
        sqlite3_bind_double(stmt, index, binding.real);
        break;
    }
    ++index;
  }
}

void TCursor::Start() {
  if (!source_) return;
  stmt_ = TStatementHandle(source_->table->Connection(), source_->selectSql).Release();
  BindAll(stmt_);
  if (Writable()) {
    rowSelectSql_ = SelectSql(*source_->table, layout_, source_->table->RowIdName() + " = ?1", "");
    // A statement not read to its end holds the file's read lock, and while it does no other process
    // can commit a write. A cursor that writes reads its rows (without their blobs' bytes) at once.
    ExhaustSource();
  }
}

void TCursor::AddTextRow(const std::vector<std::string>& values) {
  unsigned char* row = NewRow();
  ++fetched_;
  Store<TRecordHeader>(row, {Handle(), static_cast<uint32_t>(fetched_), static_cast<int64_t>(fetched_)});
  for (size_t i = 0; i < layout_.fields.size() && i < values.size(); ++i) {
    const TFieldInfo& field = layout_.fields[i];
    const std::string& value = values[i];
    const size_t kept = Utf8Prefix(value.data(), value.size(), static_cast<size_t>(field.type.units1));
    std::memcpy(row + field.offset, value.data(), kept);
    row[field.nullOffset] = value.empty() ? 1 : 0;
  }
}

void TCursor::Properties(EngCursorProps& props) const {
  std::memset(&props, 0, sizeof props);
  props.recordSize = layout_.recordSize;
  props.bookmarkSize = ENG_BOOKMARK_SIZE;
  props.fieldCount = static_cast<uint16_t>(layout_.fields.size());
  props.blobFieldCount = layout_.blobCount;
  props.validityCheckCount = layout_.validityCount;
  props.recordNumberKind = ENG_RECNO_SEQUENCE;
  props.openMode = options_.openMode;
  props.rightsReadOnly = Writable() ? 0 : 1;
  props.shareMode = options_.shareMode;
  props.unidirectional = options_.unidirectional ? 1 : 0;
  props.isResult = options_.isResult ? 1 : 0;
  const std::string name = FitText(options_.tableName, ENG_PATH_BUFFER - 1);
  std::memcpy(props.tableName, name.c_str(), name.size() + 1);
  const size_t typeLength =
      Utf8Prefix(options_.tableType.data(), options_.tableType.size(), ENG_MAX_NAME_LEN);
  std::memcpy(props.tableType, options_.tableType.data(), typeLength);
}

void TCursor::FillRow(unsigned char* row, sqlite3_stmt* stmt, uint32_t seqNum) {
  sqlite3_stmt* const stmt_ = stmt;  // the row comes from stmt, not necessarily the cursor's own
  Store<TRecordHeader>(row, {Handle(), seqNum, sqlite3_column_int64(stmt_, 0)});
  int column = 1;
  for (const TFieldInfo& field : layout_.fields) {
    unsigned char* value = row + field.offset;
    bool blank;
    if (field.type.kind == TValueKind::Text) {
      // A NULL value has no text; this saves asking for the type of every text column.
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
      const size_t length = text != nullptr ? static_cast<size_t>(sqlite3_column_bytes(stmt_, column)) : 0;
      const size_t kept = Utf8Prefix(text, length, static_cast<size_t>(field.type.units1));
      if (kept > 0) std::memcpy(value, text, kept);
      blank = length == 0;
    } else if ((blank = sqlite3_column_type(stmt_, column) == SQLITE_NULL)) {
      // Nothing to store: the value bytes stay zero.
    } else {
      switch (field.type.kind) {
        case TValueKind::Text:
          break;
        case TValueKind::Int16:
          Store(value, Saturate<int16_t>(sqlite3_column_int64(stmt_, column)));
          break;
        case TValueKind::Int32:
          Store(value, Saturate<int32_t>(sqlite3_column_int64(stmt_, column)));
          break;
        case TValueKind::Int64:
          Store(value, static_cast<int64_t>(sqlite3_column_int64(stmt_, column)));
          break;
        case TValueKind::Float:
          Store(value, sqlite3_column_double(stmt_, column));
          break;
        case TValueKind::Bool:
          Store(value, static_cast<uint16_t>(sqlite3_column_int64(stmt_, column) != 0 ? 1 : 0));
          break;
        case TValueKind::Blob:
          // The statement selects the blob's length, not its bytes: those are read through the blob calls.
          blank = sqlite3_column_int64(stmt_, column) == 0;
          break;
      }
    }
    row[field.nullOffset] = blank ? 1 : 0;
    ++column;
  }
}

bool TCursor::Fetch() {
  if (exhausted_) return false;
  if (failed_) Fail(ENG_ERR_IO, "The table could not be read further after an earlier failure");
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) {
    unsigned char* row = NewRow();
    FillRow(row, stmt_, static_cast<uint32_t>(fetched_ + 1));
    ++fetched_;
    return true;
  }
  if (rc == SQLITE_DONE) {
    exhausted_ = true;
    sqlite3_reset(stmt_);  // gives back the read lock
    return false;
  }
  failed_ = true;
  FailReading(source_->table->Connection(), rc,
              "Cannot read table '" + FitText(options_.tableName, 60) + "'");
}

void TCursor::ExhaustSource() {
  while (Fetch()) {
  }
}

EngResult TCursor::Deliver(void* record, EngRecordProps* props) const {
  const unsigned char* row = CurrentRow();
  if (record != nullptr) std::memcpy(record, row, layout_.recordSize);
  if (props != nullptr) {
    const TRecordHeader header = HeaderOf(row);
    std::memset(props, 0, sizeof *props);
    props->seqNum = header.seqNum;
    props->rowId = header.rowId;
    props->physRecNum = header.rowId > 0 && header.rowId <= std::numeric_limits<uint32_t>::max()
                            ? static_cast<uint32_t>(header.rowId)
                            : 0;
  }
  return ENG_OK;
}

void TCursor::SetToBegin() {
  if (options_.unidirectional && fetched_ > 0) {
    sqlite3_reset(stmt_);
    fetched_ = 0;
    exhausted_ = false;
  }
  place_ = TPlace::Before;
}

void TCursor::SetToEnd() {
  ExhaustSource();
  place_ = TPlace::After;
}

EngResult TCursor::AfterMove(EngResult moved, void* record, EngRecordProps* props, uint32_t lock) {
  if (moved != ENG_OK || lock != ENG_LOCK_WRITE) return moved;
  BeginEdit();
  return Deliver(record, props);
}

EngResult TCursor::Current(void* record, EngRecordProps* props, uint32_t lock) {
  if (lock == ENG_LOCK_WRITE) RequireWritable("edited");
  if (place_ == TPlace::Before) return ENG_BOF;
  if (place_ == TPlace::After) return ENG_EOF;
  if (place_ == TPlace::Between) Fail(ENG_ERR_NO_CURRENT_RECORD, "The cursor's record was deleted");
  return AfterMove(Deliver(record, props), record, props, lock);
}

EngResult TCursor::Next(void* record, EngRecordProps* props, uint32_t lock) {
  if (lock == ENG_LOCK_WRITE) RequireWritable("edited");
  if (place_ == TPlace::After) return ENG_EOF;
  if (options_.unidirectional) {
    if (!Fetch()) {
      place_ = TPlace::After;
      return ENG_EOF;
    }
    place_ = TPlace::On;
    index_ = fetched_ - 1;
    return Deliver(record, props);
  }
  const size_t target = place_ == TPlace::Before ? 0 : (place_ == TPlace::Between ? index_ : index_ + 1);
  if (target >= RowsKept() && !Fetch()) {
    place_ = TPlace::After;
    return ENG_EOF;
  }
  place_ = TPlace::On;
  index_ = target;
  return AfterMove(Deliver(record, props), record, props, lock);
}

EngResult TCursor::Prior(void* record, EngRecordProps* props, uint32_t lock) {
  if (options_.unidirectional) Fail(ENG_ERR_UNIDIRECTIONAL, "This result moves forward only");
  if (lock == ENG_LOCK_WRITE) RequireWritable("edited");
  if (place_ == TPlace::Before) return ENG_BOF;
  size_t target;
  if (place_ == TPlace::After) {
    ExhaustSource();
    if (RowsKept() == 0) {
      place_ = TPlace::Before;
      return ENG_BOF;
    }
    target = RowsKept() - 1;
  } else if (index_ == 0) {
    place_ = TPlace::Before;
    return ENG_BOF;
  } else {
    target = index_ - 1;
  }
  place_ = TPlace::On;
  index_ = target;
  return AfterMove(Deliver(record, props), record, props, lock);
}

uint32_t TCursor::Count() {
  if (!source_ || (exhausted_ && !options_.unidirectional)) return static_cast<uint32_t>(fetched_);
  TStatementHandle count(source_->table->Connection(), source_->countSql);
  BindAll(count.Get());
  const int rc = sqlite3_step(count.Get());
  if (rc != SQLITE_ROW) {
    FailStorage(source_->table->Connection(), rc,
                "Cannot count the rows of '" + FitText(options_.tableName, 60) + "'");
  }
  return static_cast<uint32_t>(sqlite3_column_int64(count.Get(), 0));
}

void TCursor::Bookmark(void* bookmark) const {
  if (place_ != TPlace::On) Fail(ENG_ERR_NO_CURRENT_RECORD, "The cursor stands on no record");
  const TRecordHeader header = HeaderOf(CurrentRow());
  const TBookmark mark{Handle(), header.seqNum, header.rowId};
  std::memcpy(bookmark, &mark, sizeof mark);
}

void TCursor::SetToBookmark(const void* bookmark) {
  TBookmark mark;
  std::memcpy(&mark, bookmark, sizeof mark);
  if (mark.cursor != Handle() || mark.seqNum == 0 || mark.seqNum > fetched_) {
    Fail(ENG_ERR_INVALID_BOOKMARK, "The bookmark does not belong to this cursor");
  }
  if (options_.unidirectional) {
    if (place_ == TPlace::On && mark.seqNum == fetched_) return;
    Fail(ENG_ERR_UNIDIRECTIONAL, "This result moves forward only; it cannot go back to a bookmark");
  }
  size_t index = mark.seqNum - 1;
  if (HeaderOf(Row(index)).rowId != mark.rowId) {
    // Rows deleted through this cursor moved the later ones up: the row is found by its id.
    index = RowsKept();
    for (size_t i = 0; i < RowsKept(); ++i) {
      if (HeaderOf(Row(i)).rowId == mark.rowId) {
        index = i;
        break;
      }
    }
    if (index == RowsKept()) Fail(ENG_ERR_INVALID_BOOKMARK, "The bookmark does not match its record");
  }
  place_ = TPlace::On;
  index_ = index;
}

int32_t TCursor::Compare(const void* first, const void* second) const {
  TBookmark a, b;
  std::memcpy(&a, first, sizeof a);
  std::memcpy(&b, second, sizeof b);
  if (a.cursor != Handle() || b.cursor != Handle()) {
    Fail(ENG_ERR_INVALID_BOOKMARK, "The bookmark does not belong to this cursor");
  }
  return a.seqNum < b.seqNum ? -1 : (a.seqNum > b.seqNum ? 1 : 0);
}

const TFieldInfo& TCursor::FieldAt(uint16_t fieldNumber) const {
  if (fieldNumber == 0 || fieldNumber > layout_.fields.size()) {
    Fail(ENG_ERR_INVALID_FIELD, "Field number " + std::to_string(fieldNumber) + " is not between 1 and " +
                                    std::to_string(layout_.fields.size()));
  }
  return layout_.fields[fieldNumber - 1];
}

void TCursor::Field(uint16_t fieldNumber, const void* record, void* dest, uint16_t* isBlank) const {
  const TFieldInfo& field = FieldAt(fieldNumber);
  if (record == nullptr) Fail(ENG_ERR_INVALID_PARAMETER, "No record buffer given");
  const auto* bytes = static_cast<const unsigned char*>(record);
  if (isBlank != nullptr) *isBlank = bytes[field.nullOffset] != 0 ? 1 : 0;
  if (dest != nullptr && field.length > 0) std::memcpy(dest, bytes + field.offset, field.length);
}

TCursor::TBlobKey TCursor::BlobKeyOf(const void* record, uint16_t fieldNumber) const {
  const TFieldInfo& field = FieldAt(fieldNumber);
  if (field.type.kind != TValueKind::Blob) {
    Fail(ENG_ERR_NOT_A_BLOB, "Field '" + FitText(field.name, 40) + "' is not a blob");
  }
  if (record == nullptr) Fail(ENG_ERR_INVALID_PARAMETER, "No record buffer given");
  const TRecordHeader header = HeaderOf(record);
  // A record made for an insert has no position and no row id yet.
  if (header.cursor != Handle() || (header.seqNum == 0 && header.rowId != 0)) {
    Fail(ENG_ERR_INVALID_RECORD, "The record buffer was not filled by this cursor");
  }
  return {header.rowId, fieldNumber};
}

void TCursor::OpenBlob(const void* record, uint16_t fieldNumber, bool writable) {
  const TBlobKey key = BlobKeyOf(record, fieldNumber);
  if (writable) RequireWritable("written");
  const auto open = blobs_.find(key);
  if (open != blobs_.end()) {
    open->second.writable = open->second.writable || writable;
    return;
  }
  const TFieldInfo& field = layout_.fields[fieldNumber - 1];
  // Staged bytes are read from the stage; a new record has nothing in the file yet.
  const bool inFile = staged_.count(key) == 0 && key.first != 0 && HeaderOf(record).seqNum != 0;
  TOpenBlob blob =
      LoadBlob(key.first, field, !inFile || static_cast<const unsigned char*>(record)[field.nullOffset] != 0);
  blob.writable = writable;
  blobs_.emplace(key, std::move(blob));
}

TCursor::TOpenBlob TCursor::LoadBlob(int64_t rowId, const TFieldInfo& field, bool blank) const {
  const TBlobKey key{rowId, 0};
  TOpenBlob blob;
  if (!blank) {
    const TTableFile& table = *source_->table;
    sqlite3* db = table.Connection();
    const std::string& column = table.Columns()[static_cast<size_t>(field.column)].name;
    const int rc =
        sqlite3_blob_open(db, "main", table.TableName().c_str(), column.c_str(), key.first, 0, &blob.handle);
    if (rc == SQLITE_OK) {
      blob.size = static_cast<uint32_t>(sqlite3_blob_bytes(blob.handle));
    } else {
      sqlite3_blob_close(blob.handle);
      blob.handle = nullptr;
      if ((rc & 0xFF) != SQLITE_ERROR)
        FailStorage(db, rc, "Cannot open blob '" + FitText(field.name, 40) + "'");
      // Values that cannot be opened in place (numbers in a blob column, for instance) are read whole.
      TStatementHandle select(db, "SELECT " + QuoteIdentifier(column) + " FROM " +
                                      QuoteIdentifier(table.TableName()) + " WHERE " + table.RowIdName() +
                                      " = ?1");
      sqlite3_bind_int64(select.Get(), 1, key.first);
      const int step = sqlite3_step(select.Get());
      if (step == SQLITE_DONE) {
        Fail(ENG_ERR_RECORD_CHANGED, "The record of blob '" + FitText(field.name, 40) + "' no longer exists");
      }
      if (step != SQLITE_ROW) FailReading(db, step, "Cannot read blob '" + FitText(field.name, 40) + "'");
      const auto* bytes = static_cast<const unsigned char*>(sqlite3_column_blob(select.Get(), 0));
      const int length = sqlite3_column_bytes(select.Get(), 0);
      if (bytes != nullptr && length > 0) blob.bytes.assign(bytes, bytes + length);
      blob.size = static_cast<uint32_t>(blob.bytes.size());
    }
  }
  return blob;
}

TCursor::TOpenBlob& TCursor::OpenedBlob(const void* record, uint16_t fieldNumber) {
  const auto found = blobs_.find(BlobKeyOf(record, fieldNumber));
  if (found == blobs_.end()) {
    Fail(ENG_ERR_BLOB_NOT_OPEN,
         "Blob '" + FitText(layout_.fields[fieldNumber - 1].name, 40) + "' is not open");
  }
  return found->second;
}

uint32_t TCursor::BlobSize(const void* record, uint16_t fieldNumber) {
  TOpenBlob& blob = OpenedBlob(record, fieldNumber);
  const auto staged = staged_.find(BlobKeyOf(record, fieldNumber));
  return staged != staged_.end() ? static_cast<uint32_t>(staged->second.size()) : blob.size;
}

EngResult TCursor::ReadBlob(const void* record, uint16_t fieldNumber, uint32_t offset, uint32_t length,
                            void* dest, uint32_t* read) {
  TOpenBlob& blob = OpenedBlob(record, fieldNumber);
  if (read != nullptr) *read = 0;
  const auto staged = staged_.find(BlobKeyOf(record, fieldNumber));
  if (staged != staged_.end()) {
    const auto size = static_cast<uint32_t>(staged->second.size());
    if (offset > size) return ENG_ERR_BLOB_OFFSET;
    const uint32_t count = std::min(length, size - offset);
    if (count > 0 && dest == nullptr) Fail(ENG_ERR_INVALID_PARAMETER, "No buffer given for the blob's bytes");
    if (count > 0) std::memcpy(dest, staged->second.data() + offset, count);
    if (read != nullptr) *read = count;
    return count < length ? ENG_ERR_BLOB_SHORT_READ : ENG_OK;
  }
  if (offset > blob.size) return ENG_ERR_BLOB_OFFSET;
  const uint32_t count = std::min(length, blob.size - offset);
  if (count > 0 && dest == nullptr) Fail(ENG_ERR_INVALID_PARAMETER, "No buffer given for the blob's bytes");
  if (count > 0) {
    if (blob.handle != nullptr) {
      const int rc = sqlite3_blob_read(blob.handle, dest, static_cast<int>(count), static_cast<int>(offset));
      if (rc != SQLITE_OK) {
        FailReading(source_->table->Connection(), rc,
                    "Cannot read blob '" + FitText(layout_.fields[fieldNumber - 1].name, 40) + "'");
      }
    } else {
      std::memcpy(dest, blob.bytes.data() + offset, count);
    }
  }
  if (read != nullptr) *read = count;
  return count < length ? ENG_ERR_BLOB_SHORT_READ : ENG_OK;
}

void TCursor::FreeBlob(const void* record, uint16_t fieldNumber) {
  const TBlobKey key = BlobKeyOf(record, fieldNumber);
  const auto found = blobs_.find(key);
  if (found == blobs_.end()) {
    Fail(ENG_ERR_BLOB_NOT_OPEN,
         "Blob '" + FitText(layout_.fields[fieldNumber - 1].name, 40) + "' is not open");
  }
  sqlite3_blob_close(found->second.handle);
  blobs_.erase(found);
}

}  // namespace dbengine
