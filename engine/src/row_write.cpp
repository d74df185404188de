#include "row_write.h"

#include <openssl/evp.h>

#include <cstring>
#include <memory>

#include "sql_translate.h"

namespace dbengine {

namespace {

EngResult StatusOfWrite(int code) {
  switch (code) {
    case SQLITE_CONSTRAINT_UNIQUE:
    case SQLITE_CONSTRAINT_PRIMARYKEY:
    case SQLITE_CONSTRAINT_ROWID:
      return ENG_ERR_KEY_VIOLATION;
    case SQLITE_CONSTRAINT_NOTNULL:
      return ENG_ERR_REQUIRED_FIELD;
    default:
      break;
  }
  switch (code & 0xFF) {
    case SQLITE_CONSTRAINT:
      return ENG_ERR_CHECK_FAILED;
    case SQLITE_READONLY:
    case SQLITE_PERM:
      return ENG_ERR_TABLE_READ_ONLY;
    default:
      return StatusOfStorage(code);
  }
}

}  // namespace

void FailWriting(sqlite3* db, int code, const std::string& what) {
  const int extended = db != nullptr && (code & 0xFF) == (sqlite3_extended_errcode(db) & 0xFF)
                           ? sqlite3_extended_errcode(db)
                           : code;
  const EngResult status = StatusOfWrite(extended);
  EEngineFault fault(status, what, extended);
  const char* message = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(extended);
  fault.With(status, std::string("Storage: ") + (message != nullptr ? message : "?"), extended);
  throw fault;
}

void Execute(sqlite3* db, const char* sql, const std::string& what) {
  const int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) FailWriting(db, rc, what);
}

TWriteScope::TWriteScope(sqlite3* db, bool insideTransaction, const std::string& what)
    : db_(db), nested_(insideTransaction), what_(what) {
  Execute(db_, nested_ ? "SAVEPOINT engine_write" : "BEGIN IMMEDIATE", what_);
}

TWriteScope::~TWriteScope() {
  if (done_) return;
  if (nested_) {
    sqlite3_exec(db_, "ROLLBACK TO engine_write", nullptr, nullptr, nullptr);
    sqlite3_exec(db_, "RELEASE engine_write", nullptr, nullptr, nullptr);
  } else if (sqlite3_get_autocommit(db_) == 0) {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  }
}

void TWriteScope::Commit() {
  Execute(db_, nested_ ? "RELEASE engine_write" : "COMMIT", what_);
  done_ = true;
}

std::optional<TRowDigest> DigestOfRow(const TTableFile& table, int64_t rowId) {
  TStatementHandle select(table.Connection(), "SELECT * FROM " + QuoteIdentifier(table.TableName()) +
                                                  " WHERE " + table.RowIdName() + " = ?1");
  sqlite3_bind_int64(select.Get(), 1, rowId);
  const int rc = sqlite3_step(select.Get());
  if (rc == SQLITE_DONE) return std::nullopt;
  if (rc != SQLITE_ROW)
    FailReading(table.Connection(), rc, "Cannot read a row of '" + table.FileName() + "'");

  std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
  if (!context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1) {
    Fail(ENG_ERR_INTERNAL, "The row digest could not be started");
  }
  const int columns = sqlite3_column_count(select.Get());
  for (int column = 0; column < columns; ++column) {
    const int type = sqlite3_column_type(select.Get(), column);
    const void* bytes = nullptr;
    int length = 0;
    double real = 0;
    int64_t integer = 0;
    switch (type) {
      case SQLITE_INTEGER:
        integer = sqlite3_column_int64(select.Get(), column);
        bytes = &integer;
        length = sizeof integer;
        break;
      case SQLITE_FLOAT:
        real = sqlite3_column_double(select.Get(), column);
        bytes = &real;
        length = sizeof real;
        break;
      case SQLITE_TEXT:
        bytes = sqlite3_column_text(select.Get(), column);
        length = sqlite3_column_bytes(select.Get(), column);
        break;
      case SQLITE_BLOB:
        bytes = sqlite3_column_blob(select.Get(), column);
        length = sqlite3_column_bytes(select.Get(), column);
        break;
      default:
        break;
    }
    // Type and length first, so that no two different rows can feed the same bytes.
    const unsigned char head[5] = {static_cast<unsigned char>(type), static_cast<unsigned char>(length >> 24),
                                   static_cast<unsigned char>(length >> 16),
                                   static_cast<unsigned char>(length >> 8),
                                   static_cast<unsigned char>(length)};
    EVP_DigestUpdate(context.get(), head, sizeof head);
    if (bytes != nullptr && length > 0) EVP_DigestUpdate(context.get(), bytes, static_cast<size_t>(length));
  }
  TRowDigest digest{};
  unsigned int size = 0;
  if (EVP_DigestFinal_ex(context.get(), digest.data(), &size) != 1 || size != digest.size()) {
    Fail(ENG_ERR_INTERNAL, "The row digest could not be finished");
  }
  return digest;
}

}  // namespace dbengine
