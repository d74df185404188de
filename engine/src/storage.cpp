#include "storage.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <optional>

#include "page_check.h"
#include "page_key.h"
#include "sql_translate.h"

namespace dbengine {

namespace {

constexpr int kLockWaitMilliseconds = 2000;
constexpr char kPlainHeader[] = "SQLite format 3";  // with its terminating zero: the first 16 bytes

// A file counts as read-only when the system refuses writing or when no write permission bit is set
// (the latter also for a super-user, who could write anyway).
bool IsReadOnlyFile(const std::string& path, const struct stat& info) {
  if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return true;
  return access(path.c_str(), W_OK) != 0;
}

enum class THeader { Plain, Other, Unreadable };

THeader ReadHeader(const std::string& path) {
  // Never waits: a named pipe put in the table's place since it was looked at opens at once here.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return THeader::Unreadable;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return THeader::Unreadable;
  }
  char header[16] = {};
  const ssize_t got = ::read(fd, header, sizeof header);
  ::close(fd);
  if (got < 0) return THeader::Unreadable;
  if (got == sizeof header && std::memcmp(header, kPlainHeader, sizeof header) == 0) return THeader::Plain;
  return THeader::Other;
}

struct TConnection {
  sqlite3* db = nullptr;
  ~TConnection() { sqlite3_close_v2(db); }
  sqlite3* Release() {
    sqlite3* result = db;
    db = nullptr;
    return result;
  }
};

// Opens a connection and reads the schema page, with key when given. Answers the library's result code.
int TryOpen(const std::string& path, bool readWrite, bool waitOnLock, const std::string* key,
            TConnection& out) {
  const int flags = (readWrite ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY) | SQLITE_OPEN_PRIVATECACHE |
                    SQLITE_OPEN_NOMUTEX;  // the engine is called from one thread at a time
  int rc = sqlite3_open_v2(path.c_str(), &out.db, flags, nullptr);
  if (rc != SQLITE_OK) return rc;
  sqlite3_extended_result_codes(out.db, 1);
  sqlite3_busy_timeout(out.db, waitOnLock ? kLockWaitMilliseconds : 0);
  if (key != nullptr) {
    // The page key derived here spares the library its much slower derivation of the same key.
    const std::optional<std::string> raw = RawKeyForFile(path, *key);
    const std::string& given = raw ? *raw : *key;
    rc = sqlite3_key(out.db, given.data(), static_cast<int>(given.size()));
    if (rc != SQLITE_OK) return rc;
  }
  return sqlite3_exec(out.db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
}

// What a file that is not a regular file is, for texts.
std::string KindOfFile(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a named pipe";
  if (S_ISSOCK(mode)) return "a socket";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  return "not a plain file";
}

bool IsNotADatabase(int rc) {
  return (rc & 0xFF) == SQLITE_NOTADB;
}

}  // namespace

EngResult StatusOfStorage(int code) {
  switch (code & 0xFF) {
    case SQLITE_OK:
      return ENG_OK;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_FORMAT:
      return ENG_ERR_FILE_CORRUPT;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return ENG_ERR_TABLE_LOCKED;
    case SQLITE_NOMEM:
      return ENG_ERR_NO_MEMORY;
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
    case SQLITE_FULL:
      return ENG_ERR_IO;
    case SQLITE_READONLY:
    case SQLITE_PERM:
      return ENG_ERR_READ_ONLY;
    case SQLITE_ABORT:
      return ENG_ERR_RECORD_CHANGED;
    default:
      return ENG_ERR_INTERNAL;
  }
}

void FailStorage(sqlite3* db, int code, const std::string& what) {
  EEngineFault fault(StatusOfStorage(code), what, code);
  const char* message = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(code);
  fault.With(StatusOfStorage(code), std::string("Storage: ") + (message != nullptr ? message : "?"), code);
  throw fault;
}

void FailReading(sqlite3* db, int code, const std::string& what) {
  if ((code & 0xFF) != SQLITE_ERROR) FailStorage(db, code, what);
  EEngineFault fault(ENG_ERR_FILE_CORRUPT, what + ": a page of the table is damaged", code);
  const char* message = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(code);
  fault.With(ENG_ERR_FILE_CORRUPT, std::string("Storage: ") + (message != nullptr ? message : "?"), code);
  throw fault;
}

bool StorageLibraryHasEncryption() {
  return sqlite3_libversion_number() == SQLITE_VERSION_NUMBER && sqlite3_compileoption_used("HAS_CODEC") != 0;
}

TStatementHandle::TStatementHandle(sqlite3* db, const std::string& sql) {
  const int rc = sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt_, nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    FailStorage(db, rc, "Cannot read the table");
  }
}

std::shared_ptr<TTableFile> TTableFile::Open(const TOpenRequest& request) {
  const std::string& name = request.fileName;
  struct stat info {};
  if (stat(request.path.c_str(), &info) != 0) {
    Fail(ENG_ERR_TABLE_NOT_FOUND, "Table '" + FitText(name, 60) + "' does not exist");
  }
  if (!S_ISREG(info.st_mode)) {
    Fail(ENG_ERR_NOT_A_TABLE, "'" + FitText(name, 60) + "' is " + KindOfFile(info.st_mode) + ", not a table");
  }
  if (request.readWrite && IsReadOnlyFile(request.path, info)) {
    Fail(ENG_ERR_READ_ONLY, "Table '" + FitText(name, 60) + "' is a read-only file; open it read-only");
  }
  const THeader header = ReadHeader(request.path);
  if (header == THeader::Unreadable) Fail(ENG_ERR_IO, "Cannot read table file '" + FitText(name, 60) + "'");
  if (info.st_size == 0) Fail(ENG_ERR_NOT_A_TABLE, "File '" + FitText(name, 60) + "' is empty, not a table");
  // Encrypted tables consist of whole pages; anything else without the plain header is no table at all.
  if (header == THeader::Other && info.st_size % 512 != 0) {
    Fail(ENG_ERR_NOT_A_TABLE, "File '" + FitText(name, 60) + "' is not a table, or is damaged");
  }

  std::shared_ptr<TTableFile> table(new TTableFile());
  table->fileName_ = name;
  table->path_ = request.path;
  table->readWrite_ = request.readWrite;
  TConnection connection;
  if (header == THeader::Plain) {
    const int rc = TryOpen(request.path, request.readWrite, request.waitOnLock, nullptr, connection);
    if (rc != SQLITE_OK) FailStorage(connection.db, rc, "Cannot open table '" + FitText(name, 60) + "'");
  } else {
    table->encrypted_ = true;
    if (request.beforeKeyDerivation) request.beforeKeyDerivation();
    bool opened = false;
    for (const auto& password : request.passwords) {
      TConnection attempt;
      const int rc = TryOpen(request.path, request.readWrite, request.waitOnLock, &password, attempt);
      if (rc == SQLITE_OK) {
        connection.db = attempt.Release();
        table->key_ = password;
        opened = true;
        break;
      }
      if (!IsNotADatabase(rc)) FailStorage(attempt.db, rc, "Cannot open table '" + FitText(name, 60) + "'");
    }
    if (!opened) {
      // Damage on the first page looks like a wrong password; a password that opens the next page says
      // which it is.
      for (const auto& password : request.passwords) {
        if (SecondPageOpensWith(request.path, password).value_or(false)) {
          Fail(ENG_ERR_FILE_CORRUPT, "Table '" + FitText(name, 60) +
                                         "' is damaged: its first page fails its check, though its password "
                                         "opens the others");
        }
      }
      const std::string why =
          request.passwords.empty()
              ? "no password was given"
              : "none of the " + std::to_string(request.passwords.size()) + " passwords given opens it";
      Fail(ENG_ERR_PASSWORD, "Table '" + FitText(name, 60) + "' is encrypted and " + why);
    }
  }
  table->db_ = connection.Release();
  table->LoadSchema(request.tableName);
  return table;
}

TTableFile::~TTableFile() {
  sqlite3_close_v2(db_);
}

void TTableFile::LoadSchema(const std::string& expectedTable) {
  {
    TStatementHandle tables(db_, "SELECT name FROM sqlite_master WHERE type = 'table'");
    int rc;
    while ((rc = sqlite3_step(tables.Get())) == SQLITE_ROW) {
      const char* found = reinterpret_cast<const char*>(sqlite3_column_text(tables.Get(), 0));
      if (found != nullptr && SameName(found, expectedTable, true)) tableName_ = found;
    }
    if (rc != SQLITE_DONE)
      FailStorage(db_, rc, "Cannot read the catalogue of '" + FitText(fileName_, 60) + "'");
  }
  if (tableName_.empty()) {
    Fail(ENG_ERR_NOT_A_TABLE,
         "File '" + FitText(fileName_, 50) + "' holds no table named '" + FitText(expectedTable, 40) + "'");
  }
  {
    TStatementHandle info(db_, "PRAGMA table_info(" + QuoteIdentifier(tableName_) + ")");
    int rc;
    while ((rc = sqlite3_step(info.Get())) == SQLITE_ROW) {
      TColumn column;
      const auto text = [&](int index) {
        const char* value = reinterpret_cast<const char*>(sqlite3_column_text(info.Get(), index));
        return std::string(value != nullptr ? value : "");
      };
      column.name = text(1);
      column.declaredType = text(2);
      column.notNull = sqlite3_column_int(info.Get(), 3) != 0;
      column.hasDefault = sqlite3_column_type(info.Get(), 4) != SQLITE_NULL;
      if (column.hasDefault) column.defaultSql = text(4);
      columns_.push_back(std::move(column));
    }
    if (rc != SQLITE_DONE)
      FailStorage(db_, rc, "Cannot read the columns of '" + FitText(fileName_, 60) + "'");
  }
  for (const char* candidate : {"rowid", "_rowid_", "oid"}) {
    bool shadowed = false;
    for (const auto& column : columns_)
      shadowed = shadowed || SameName(column.name, candidate, true);
    if (!shadowed) {
      rowIdName_ = candidate;
      break;
    }
  }
  sqlite3_stmt* probe = nullptr;
  const std::string sql = "SELECT " + rowIdName_ + " FROM " + QuoteIdentifier(tableName_) + " LIMIT 0";
  const int rc = rowIdName_.empty()
                     ? SQLITE_ERROR
                     : sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &probe, nullptr);
  sqlite3_finalize(probe);
  if (rc != SQLITE_OK) {
    Fail(ENG_ERR_NOT_SUPPORTED,
         "Table '" + FitText(fileName_, 60) + "' has no row ids, which the engine needs");
  }
}

}  // namespace dbengine
