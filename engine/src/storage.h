// The storage library (SQLCipher) as the engine uses it: opening table files and mapping its errors.
#pragma once

#define SQLITE_HAS_CODEC 1
#include <sqlite3.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "field_layout.h"
#include "status.h"

namespace dbengine {

// The engine status for a storage library result code.
EngResult StatusOfStorage(int code);

// Throws the status of code with what happened and the library's own message as a second entry.
[[noreturn]] void FailStorage(sqlite3* db, int code, const std::string& what);

// The same for a failure met while reading an open table's rows or blobs. Their statements were prepared
// against the table's schema, so a generic error there comes from a page that could not be read back
// (the encryption's page check refuses it with that code): the table is damaged.
[[noreturn]] void FailReading(sqlite3* db, int code, const std::string& what);

// Whether the storage library in this process is SQLCipher itself (not a plain SQLite that shadows it).
bool StorageLibraryHasEncryption();

// One open table file: a connection to it, the table inside and its columns.
class TTableFile {
 public:
  struct TOpenRequest {
    std::string path;       // absolute file name
    std::string fileName;   // shown in texts, e.g. "vezedezavuza.db"
    std::string tableName;  // the table expected inside (the file name without ".db")
    bool readWrite = false;
    bool waitOnLock = true;
    std::vector<std::string> passwords;         // tried in order after no key
    std::function<void()> beforeKeyDerivation;  // called once before passwords are tried
  };

  // Opens and checks the file. Throws EEngineFault: ENG_ERR_TABLE_NOT_FOUND, ENG_ERR_READ_ONLY,
  // ENG_ERR_PASSWORD, ENG_ERR_NOT_A_TABLE, ENG_ERR_FILE_CORRUPT, ENG_ERR_TABLE_LOCKED, ENG_ERR_IO.
  static std::shared_ptr<TTableFile> Open(const TOpenRequest& request);
  ~TTableFile();
  TTableFile(const TTableFile&) = delete;
  TTableFile& operator=(const TTableFile&) = delete;

  sqlite3* Connection() const { return db_; }
  const std::string& FileName() const { return fileName_; }
  const std::string& Path() const { return path_; }
  const std::string& TableName() const { return tableName_; }
  const std::string& RowIdName() const { return rowIdName_; }
  const std::vector<TColumn>& Columns() const { return columns_; }
  bool ReadWrite() const { return readWrite_; }
  bool Encrypted() const { return encrypted_; }
  // The password that opened an encrypted file ("" for a plain one).
  const std::string& Key() const { return key_; }

 private:
  TTableFile() = default;
  void LoadSchema(const std::string& expectedTable);

  sqlite3* db_ = nullptr;
  std::string fileName_;
  std::string path_;
  std::string tableName_;
  std::string rowIdName_;
  std::vector<TColumn> columns_;
  bool readWrite_ = false;
  bool encrypted_ = false;
  std::string key_;
};

// A prepared statement that finalizes itself.
class TStatementHandle {
 public:
  TStatementHandle() = default;
  TStatementHandle(sqlite3* db, const std::string& sql);  // throws EEngineFault
  ~TStatementHandle() { sqlite3_finalize(stmt_); }
  TStatementHandle(TStatementHandle&& other) noexcept : stmt_(other.stmt_) { other.stmt_ = nullptr; }
  TStatementHandle& operator=(TStatementHandle&& other) noexcept {
    std::swap(stmt_, other.stmt_);
    return *this;
  }
  sqlite3_stmt* Get() const { return stmt_; }
  sqlite3_stmt* Release() {
    sqlite3_stmt* stmt = stmt_;
    stmt_ = nullptr;
    return stmt;
  }

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace dbengine
