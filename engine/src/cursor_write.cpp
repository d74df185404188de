// The cursor's writes: records for inserts, field and blob values, and the rows they go to.
#include <algorithm>
#include <cstring>
#include <map>

#include "cursor.h"
#include "engine_state.h"

namespace dbengine {

namespace {

// Rows being edited in this process, by table file and row id: the cursor that edits each.
std::map<std::pair<std::string, int64_t>, EngHandle>& EditLocks() {
  static std::map<std::pair<std::string, int64_t>, EngHandle> locks;
  return locks;
}

template <typename T>
T Load(const unsigned char* at) {
  T value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

}  // namespace

bool TCursor::Writable() const {
  return source_ && !options_.isResult && !options_.unidirectional &&
         options_.openMode == ENG_OPEN_READWRITE && source_->table->ReadWrite();
}

std::string TCursor::TableText() const {
  return "'" + FitText(options_.tableName, 60) + "'";
}

void TCursor::RequireWritable(const char* what) const {
  if (Writable()) return;
  std::string whose;
  if (!source_) {
    whose = "Configuration rows are";
  } else if (options_.isResult) {
    whose = "A query's result is";
  } else if (options_.unidirectional) {
    whose = "A forward-only cursor on " + TableText() + " is";
  } else {
    whose = "Table " + TableText() + " is open";
  }
  Fail(ENG_ERR_TABLE_READ_ONLY, whose + " read-only: its rows cannot be " + what);
}

void TCursor::RequireRecordOfCursor(const void* record) const {
  if (record == nullptr) Fail(ENG_ERR_INVALID_PARAMETER, "No record buffer given");
  if (HeaderOf(record).cursor != Handle()) {
    Fail(ENG_ERR_INVALID_RECORD, "The record buffer was not filled by this cursor");
  }
}

const unsigned char* TCursor::RequireCurrentRow(const void* record, const char* what) const {
  if (place_ != TPlace::On) Fail(ENG_ERR_NO_CURRENT_RECORD, std::string("No record to be ") + what);
  const unsigned char* kept = CurrentRow();
  if (record != nullptr) {
    const TRecordHeader given = HeaderOf(record);
    if (given.cursor != Handle() || given.rowId != HeaderOf(kept).rowId) {
      Fail(ENG_ERR_INVALID_RECORD, "The record buffer holds another row than the cursor's current one");
    }
  }
  return kept;
}

bool TCursor::ReadRow(int64_t rowId, unsigned char* row, uint32_t seqNum) {
  sqlite3* db = source_->table->Connection();
  TStatementHandle select(db, rowSelectSql_);
  sqlite3_bind_int64(select.Get(), 1, rowId);
  const int rc = sqlite3_step(select.Get());
  if (rc == SQLITE_DONE) return false;
  if (rc != SQLITE_ROW) FailReading(db, rc, "Cannot read a row of " + TableText());
  std::memset(row, 0, layout_.recordSize);
  FillRow(row, select.Get(), seqNum);
  return true;
}

void TCursor::BeginEdit() {
  const int64_t rowId = HeaderOf(CurrentRow()).rowId;
  const auto lockKey = std::make_pair(source_->table->Path(), rowId);
  RequireNotEditedElsewhere(rowId);
  if (edit_ && edit_->rowId != rowId) EndEdit();
  // The row and its digest from one snapshot of the file, so that no write comes between them.
  sqlite3* db = source_->table->Connection();
  const bool ownRead = sqlite3_get_autocommit(db) != 0;
  if (ownRead) Execute(db, "BEGIN", "Cannot read a row of " + TableText());
  std::vector<unsigned char> fresh(layout_.recordSize);
  std::optional<TRowDigest> digest;
  try {
    if (ReadRow(rowId, fresh.data(), HeaderOf(CurrentRow()).seqNum))
      digest = DigestOfRow(*source_->table, rowId);
  } catch (...) {
    if (ownRead) sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
  if (ownRead) sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  if (!digest) {
    Fail(ENG_ERR_RECORD_CHANGED, "Row " + std::to_string(rowId) + " of " + TableText() +
                                     " was deleted by another user since it was read");
  }
  std::memcpy(Row(index_), fresh.data(), layout_.recordSize);
  edit_ = TEdit{rowId, *digest};
  EditLocks()[lockKey] = Handle();
}

void TCursor::RequireNotEditedElsewhere(int64_t rowId) const {
  const auto held = EditLocks().find({source_->table->Path(), rowId});
  if (held != EditLocks().end() && held->second != Handle()) {
    Fail(ENG_ERR_RECORD_LOCKED,
         "Row " + std::to_string(rowId) + " of " + TableText() + " is being edited through another cursor");
  }
}

void TCursor::EndEdit() {
  if (edit_ && source_) {
    const auto held = EditLocks().find({source_->table->Path(), edit_->rowId});
    if (held != EditLocks().end() && held->second == Handle()) EditLocks().erase(held);
  }
  edit_.reset();
  staged_.clear();
}

void TCursor::Reload() {
  EndEdit();
  CloseBlobs();
  if (stmt_ != nullptr) sqlite3_reset(stmt_);
  chunks_.clear();
  fetched_ = 0;
  exhausted_ = !source_;
  failed_ = false;
  place_ = TPlace::Before;
  index_ = 0;
}

void TCursor::LetGoOfFile(const std::string& path) {
  if (!source_ || exhausted_ || options_.unidirectional || source_->table->Path() != path) return;
  try {
    ExhaustSource();
  } catch (const EEngineFault&) {
    // This cursor reports its own failure at its next fetch; the write goes on.
  }
}

bool TCursor::PrepareWrite() {
  ExhaustSource();
  TEngine& engine = TEngine::Instance();
  for (TCursor* other : engine.Cursors()) {
    if (other != this) other->LetGoOfFile(source_->table->Path());
  }
  return engine.Database(options_.database).JoinTransaction(source_->table, Handle());
}

void TCursor::CheckUnchanged(int64_t rowId, const unsigned char* kept) {
  bool same;
  if (edit_ && edit_->rowId == rowId) {
    const std::optional<TRowDigest> digest = DigestOfRow(*source_->table, rowId);
    same = digest && *digest == edit_->digest;
  } else {
    std::vector<unsigned char> fresh(layout_.recordSize);
    same = ReadRow(rowId, fresh.data(), HeaderOf(kept).seqNum) &&
           std::memcmp(fresh.data() + ENG_RECORD_HEADER, kept + ENG_RECORD_HEADER,
                       layout_.recordSize - ENG_RECORD_HEADER) == 0;
  }
  if (!same) {
    Fail(ENG_ERR_RECORD_CHANGED, "Row " + std::to_string(rowId) + " of " + TableText() +
                                     " was changed or deleted by another user since it was read");
  }
}

void TCursor::BindField(sqlite3_stmt* stmt, int index, const TFieldInfo& field, const unsigned char* record,
                        int64_t rowId, std::vector<std::vector<unsigned char>>& keepAlive) {
  const unsigned char* value = record + field.offset;
  const bool blank = record[field.nullOffset] != 0;
  if (field.type.kind == TValueKind::Blob) {
    const auto staged = staged_.find({rowId, static_cast<uint16_t>(&field - layout_.fields.data() + 1)});
    if (staged != staged_.end()) {
      if (staged->second.empty()) {
        sqlite3_bind_null(stmt, index);
      } else {
        sqlite3_bind_blob64(stmt, index, staged->second.data(), staged->second.size(), SQLITE_STATIC);
      }
    } else if (blank || rowId == 0) {
      sqlite3_bind_null(stmt, index);
    } else {
      // A row copied into a new one: its blob comes along from the file.
      const TTableFile& table = *source_->table;
      const std::string& column = table.Columns()[static_cast<size_t>(field.column)].name;
      TStatementHandle select(table.Connection(), "SELECT " + QuoteIdentifier(column) + " FROM " +
                                                      QuoteIdentifier(table.TableName()) + " WHERE " +
                                                      table.RowIdName() + " = ?1");
      sqlite3_bind_int64(select.Get(), 1, rowId);
      if (sqlite3_step(select.Get()) == SQLITE_ROW && sqlite3_column_type(select.Get(), 0) != SQLITE_NULL) {
        const auto* bytes = static_cast<const unsigned char*>(sqlite3_column_blob(select.Get(), 0));
        const int length = sqlite3_column_bytes(select.Get(), 0);
        keepAlive.emplace_back(bytes, bytes + length);
        sqlite3_bind_blob64(stmt, index, keepAlive.back().data(), keepAlive.back().size(), SQLITE_STATIC);
      } else {
        sqlite3_bind_null(stmt, index);
      }
    }
    return;
  }
  if (blank) {
    sqlite3_bind_null(stmt, index);
    return;
  }
  switch (field.type.kind) {
    case TValueKind::Text: {
      const auto* text = reinterpret_cast<const char*>(value);
      const size_t length = strnlen(text, field.length);
      if (length >= field.length) {
        Fail(ENG_ERR_VALUE_TOO_LONG, "The value of field '" + FitText(field.name, 40) +
                                         "' is longer than its " + std::to_string(field.type.units1) +
                                         " bytes");
      }
      sqlite3_bind_text(stmt, index, text, static_cast<int>(length), SQLITE_STATIC);
      break;
    }
    case TValueKind::Int16:
      sqlite3_bind_int64(stmt, index, Load<int16_t>(value));
      break;
    case TValueKind::Int32:
      sqlite3_bind_int64(stmt, index, Load<int32_t>(value));
      break;
    case TValueKind::Int64:
      sqlite3_bind_int64(stmt, index, Load<int64_t>(value));
      break;
    case TValueKind::Float:
      sqlite3_bind_double(stmt, index, Load<double>(value));
      break;
    case TValueKind::Bool:
      sqlite3_bind_int(stmt, index, Load<uint16_t>(value) != 0 ? 1 : 0);
      break;
    case TValueKind::Blob:
      break;
  }
}

void TCursor::InitRecord(void* record) {
  RequireWritable("inserted");
  if (record == nullptr) Fail(ENG_ERR_INVALID_PARAMETER, "No record buffer given");
  const TTableFile& table = *source_->table;
  // The defaults as the storage library computes them, in the form of a row of this cursor.
  std::string sql = "SELECT 0";
  for (const TFieldInfo& field : layout_.fields) {
    const TColumn& column = table.Columns()[static_cast<size_t>(field.column)];
    sql +=
        column.hasDefault && field.type.kind != TValueKind::Blob ? ", (" + column.defaultSql + ")" : ", NULL";
  }
  TStatementHandle defaults(table.Connection(), sql);
  const int rc = sqlite3_step(defaults.Get());
  if (rc != SQLITE_ROW)
    FailStorage(table.Connection(), rc, "Cannot compute the default values of " + TableText());
  auto* row = static_cast<unsigned char*>(record);
  std::memset(row, 0, layout_.recordSize);
  FillRow(row, defaults.Get(), 0);
  for (auto staged = staged_.begin(); staged != staged_.end();)
    staged = staged->first.first == 0 ? staged_.erase(staged) : std::next(staged);
}

void TCursor::PutField(uint16_t fieldNumber, void* record, const void* src) {
  RequireWritable("changed");
  const TFieldInfo& field = FieldAt(fieldNumber);
  RequireRecordOfCursor(record);
  auto* row = static_cast<unsigned char*>(record);
  unsigned char* value = row + field.offset;
  if (field.type.kind == TValueKind::Blob) {
    if (src != nullptr) {
      Fail(ENG_ERR_INVALID_PARAMETER,
           "Field '" + FitText(field.name, 40) + "' is a blob: its bytes are written with the blob calls");
    }
    staged_[{HeaderOf(record).rowId, fieldNumber}].clear();
    row[field.nullOffset] = 1;
    return;
  }
  if (src == nullptr) {
    std::memset(value, 0, field.length);
    row[field.nullOffset] = 1;
    return;
  }
  if (field.type.kind == TValueKind::Text) {
    const auto units = static_cast<size_t>(field.type.units1);
    const size_t length = strnlen(static_cast<const char*>(src), units + 1);
    if (length > units) {
      Fail(ENG_ERR_VALUE_TOO_LONG, "The value for field '" + FitText(field.name, 40) +
                                       "' is longer than its " + std::to_string(units) + " bytes");
    }
    std::memset(value, 0, field.length);
    std::memcpy(value, src, length);
    row[field.nullOffset] = length == 0 ? 1 : 0;
    return;
  }
  std::memcpy(value, src, field.length);
  if (field.type.kind == TValueKind::Bool) {
    const uint16_t flag = Load<uint16_t>(value) != 0 ? 1 : 0;
    std::memcpy(value, &flag, sizeof flag);
  }
  row[field.nullOffset] = 0;
}

std::vector<unsigned char>& TCursor::Staged(void* record, uint16_t fieldNumber) {
  TOpenBlob& blob = OpenedBlob(record, fieldNumber);
  const TFieldInfo& field = layout_.fields[fieldNumber - 1];
  if (!blob.writable) {
    Fail(ENG_ERR_TABLE_READ_ONLY,
         "Blob '" + FitText(field.name, 40) + "' is open read-only: open it read-write");
  }
  const TBlobKey key = BlobKeyOf(record, fieldNumber);
  auto staged = staged_.find(key);
  if (staged != staged_.end()) return staged->second;
  // The first write starts from the blob's bytes as they are.
  std::vector<unsigned char> bytes(blob.size);
  if (blob.handle != nullptr && blob.size > 0) {
    const int rc = sqlite3_blob_read(blob.handle, bytes.data(), static_cast<int>(blob.size), 0);
    if (rc != SQLITE_OK)
      FailReading(source_->table->Connection(), rc, "Cannot read blob '" + FitText(field.name, 40) + "'");
  } else if (blob.handle == nullptr) {
    bytes = blob.bytes;
  }
  return staged_.emplace(key, std::move(bytes)).first->second;
}

void TCursor::PutBlob(void* record, uint16_t fieldNumber, uint32_t offset, uint32_t length, const void* src) {
  RequireWritable("changed");
  std::vector<unsigned char>& bytes = Staged(record, fieldNumber);
  if (offset > bytes.size()) {
    Fail(ENG_ERR_BLOB_OFFSET,
         "Offset " + std::to_string(offset) + " lies past the blob's end at " + std::to_string(bytes.size()));
  }
  if (length > 0 && src == nullptr) Fail(ENG_ERR_INVALID_PARAMETER, "No bytes given for the blob");
  if (static_cast<uint64_t>(offset) + length > 0x7FFFFFFFu) {
    Fail(ENG_ERR_INVALID_PARAMETER, "A blob holds at most 2 GB");
  }
  if (offset + length > bytes.size()) bytes.resize(offset + length);
  if (length > 0) std::memcpy(bytes.data() + offset, src, length);
  static_cast<unsigned char*>(record)[layout_.fields[fieldNumber - 1].nullOffset] = bytes.empty() ? 1 : 0;
}

void TCursor::TruncateBlob(void* record, uint16_t fieldNumber, uint32_t length) {
  RequireWritable("changed");
  std::vector<unsigned char>& bytes = Staged(record, fieldNumber);
  if (length > bytes.size()) {
    Fail(ENG_ERR_BLOB_OFFSET, "The blob has " + std::to_string(bytes.size()) +
                                  " bytes; it cannot be cut to " + std::to_string(length));
  }
  bytes.resize(length);
  static_cast<unsigned char*>(record)[layout_.fields[fieldNumber - 1].nullOffset] = bytes.empty() ? 1 : 0;
}

void TCursor::AfterRowWritten(int64_t rowId) {
  TEngine::Instance().Connections().NoteWrite(*source_->table);
  for (auto staged = staged_.begin(); staged != staged_.end();)
    staged = staged->first.first == rowId ? staged_.erase(staged) : std::next(staged);
  // Blob handles on a written row no longer read: they are opened on the new values.
  const unsigned char* row = CurrentRow();
  for (auto& [key, blob] : blobs_) {
    if (key.first != rowId) continue;
    sqlite3_blob_close(blob.handle);
    blob.handle = nullptr;
    const TFieldInfo& field = layout_.fields[key.second - 1];
    const bool writable = blob.writable;
    blob = LoadBlob(rowId, field, row[field.nullOffset] != 0);
    blob.writable = writable;
  }
}

void TCursor::Insert(uint32_t lock, const void* record) {
  RequireWritable("inserted");
  RequireRecordOfCursor(record);
  const auto* values = static_cast<const unsigned char*>(record);
  const int64_t sourceRow = HeaderOf(record).rowId;
  const bool inTransaction = PrepareWrite();
  TTableFile& table = *source_->table;
  sqlite3* db = table.Connection();

  std::string columns;
  std::string parameters;
  for (const TFieldInfo& field : layout_.fields) {
    if (!columns.empty()) {
      columns += ", ";
      parameters += ", ";
    }
    columns += QuoteIdentifier(table.Columns()[static_cast<size_t>(field.column)].name);
    parameters += "?";
  }
  const std::string what = "Cannot insert a row into " + TableText();
  TWriteScope scope(db, inTransaction, what);
  TStatementHandle insert(db, "INSERT INTO " + QuoteIdentifier(table.TableName()) + " (" + columns +
                                  ") VALUES (" + parameters + ")");
  std::vector<std::vector<unsigned char>> keepAlive;
  int index = 1;
  for (const TFieldInfo& field : layout_.fields)
    BindField(insert.Get(), index++, field, values, sourceRow, keepAlive);
  const int rc = sqlite3_step(insert.Get());
  if (rc != SQLITE_DONE) FailWriting(db, rc, what);
  const int64_t rowId = sqlite3_last_insert_rowid(db);
  std::vector<unsigned char> fresh(layout_.recordSize);
  if (!ReadRow(rowId, fresh.data(), static_cast<uint32_t>(fetched_ + 1))) {
    Fail(ENG_ERR_INTERNAL, "The inserted row cannot be read back");
  }
  std::optional<TRowDigest> digest;
  if (lock == ENG_LOCK_WRITE) digest = DigestOfRow(table, rowId);
  scope.Commit();

  for (auto staged = staged_.begin(); staged != staged_.end();)
    staged = staged->first.first == sourceRow ? staged_.erase(staged) : std::next(staged);
  std::memcpy(NewRow(), fresh.data(), layout_.recordSize);
  ++fetched_;
  place_ = TPlace::On;
  index_ = fetched_ - 1;
  AfterRowWritten(rowId);
  if (digest) {
    EndEdit();
    edit_ = TEdit{rowId, *digest};
    EditLocks()[{table.Path(), rowId}] = Handle();
  }
}

void TCursor::Modify(const void* record, bool freeLock) {
  RequireWritable("changed");
  if (record == nullptr) Fail(ENG_ERR_INVALID_PARAMETER, "No record buffer given");
  RequireNotEditedElsewhere(HeaderOf(RequireCurrentRow(record, "changed")).rowId);
  const bool inTransaction = PrepareWrite();
  const unsigned char* kept = CurrentRow();
  const auto* values = static_cast<const unsigned char*>(record);
  const int64_t rowId = HeaderOf(kept).rowId;
  TTableFile& table = *source_->table;
  sqlite3* db = table.Connection();

  // Only what changed is written: a text longer than its field, or a number beyond the field's range,
  // stays in the file as it was unless the caller changed it.
  std::vector<const TFieldInfo*> changed;
  for (const TFieldInfo& field : layout_.fields) {
    const auto number = static_cast<uint16_t>(&field - layout_.fields.data() + 1);
    const bool blank = values[field.nullOffset] != 0;
    bool differs;
    if (field.type.kind == TValueKind::Blob) {
      differs = staged_.count({rowId, number}) != 0 || (blank && kept[field.nullOffset] == 0);
    } else {
      differs = blank != (kept[field.nullOffset] != 0) ||
                (!blank && std::memcmp(values + field.offset, kept + field.offset, field.length) != 0);
    }
    if (differs) changed.push_back(&field);
  }

  const std::string what = "Cannot write row " + std::to_string(rowId) + " of " + TableText();
  TWriteScope scope(db, inTransaction, what);
  CheckUnchanged(rowId, kept);
  if (!changed.empty()) {
    std::string sql = "UPDATE " + QuoteIdentifier(table.TableName()) + " SET ";
    for (const TFieldInfo* field : changed) {
      if (field != changed.front()) sql += ", ";
      sql += QuoteIdentifier(table.Columns()[static_cast<size_t>(field->column)].name) + " = ?";
    }
    sql += " WHERE " + table.RowIdName() + " = ?";
    TStatementHandle update(db, sql);
    std::vector<std::vector<unsigned char>> keepAlive;
    int index = 1;
    for (const TFieldInfo* field : changed)
      BindField(update.Get(), index++, *field, values, rowId, keepAlive);
    sqlite3_bind_int64(update.Get(), index, rowId);
    const int rc = sqlite3_step(update.Get());
    if (rc != SQLITE_DONE) FailWriting(db, rc, what);
  }
  std::vector<unsigned char> fresh(layout_.recordSize);
  if (!ReadRow(rowId, fresh.data(), HeaderOf(kept).seqNum))
    Fail(ENG_ERR_INTERNAL, "The row cannot be read back");
  std::optional<TRowDigest> digest;
  if (!freeLock) digest = DigestOfRow(table, rowId);
  scope.Commit();

  std::memcpy(Row(index_), fresh.data(), layout_.recordSize);
  AfterRowWritten(rowId);
  if (freeLock) {
    EndEdit();
  } else {
    if (edit_ && edit_->rowId != rowId) EndEdit();
    edit_ = TEdit{rowId, *digest};
    EditLocks()[{table.Path(), rowId}] = Handle();
  }
}

void TCursor::Delete(const void* record) {
  RequireWritable("deleted");
  RequireNotEditedElsewhere(HeaderOf(RequireCurrentRow(record, "deleted")).rowId);
  const bool inTransaction = PrepareWrite();
  const unsigned char* kept = CurrentRow();
  const int64_t rowId = HeaderOf(kept).rowId;
  TTableFile& table = *source_->table;
  sqlite3* db = table.Connection();
  const std::string what = "Cannot delete row " + std::to_string(rowId) + " of " + TableText();
  TWriteScope scope(db, inTransaction, what);
  CheckUnchanged(rowId, kept);
  TStatementHandle remove(
      db, "DELETE FROM " + QuoteIdentifier(table.TableName()) + " WHERE " + table.RowIdName() + " = ?1");
  sqlite3_bind_int64(remove.Get(), 1, rowId);
  const int rc = sqlite3_step(remove.Get());
  if (rc != SQLITE_DONE) FailWriting(db, rc, what);
  scope.Commit();

  TEngine::Instance().Connections().NoteWrite(table);
  for (auto blob = blobs_.begin(); blob != blobs_.end();) {
    if (blob->first.first != rowId) {
      ++blob;
      continue;
    }
    sqlite3_blob_close(blob->second.handle);
    blob = blobs_.erase(blob);
  }
  EndEdit();
  RemoveKeptRow(index_);
  place_ = TPlace::Between;
}

void TCursor::RemoveKeptRow(size_t index) {
  for (size_t i = index; i + 1 < fetched_; ++i) {
    std::memcpy(Row(i), Row(i + 1), layout_.recordSize);
    const auto seqNum = static_cast<uint32_t>(i + 1);
    std::memcpy(Row(i) + offsetof(TRecordHeader, seqNum), &seqNum, sizeof seqNum);
  }
  --fetched_;
  if (fetched_ % rowsPerChunk_ == 0) chunks_.pop_back();
}

void TCursor::Cancel(void* record) {
  EndEdit();
  if (record != nullptr && place_ == TPlace::On) Deliver(record, nullptr);
}

}  // namespace dbengine
