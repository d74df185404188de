#include "database.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

#include "engine_state.h"
#include "row_write.h"
#include "session.h"
#include "sql_translate.h"

namespace dbengine {

namespace {

bool EndsWithDb(const std::string& name) {
  return name.size() > 3 && SameName(name.substr(name.size() - 3), ".db", true);
}

// Any kind of file: a folder or a pipe in a table's place is found here, and the open says what
// it is rather than that there is nothing.
bool Exists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0;
}

// The entry of folder whose name equals name ignoring case, or "".
std::string FindIgnoringCase(const std::string& folder, const std::string& name) {
  std::string found;
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return found;
  while (const dirent* entry = readdir(dir)) {
    if (SameName(entry->d_name, name, true) && Exists(folder + "/" + entry->d_name)) {
      found = entry->d_name;
      break;
    }
  }
  closedir(dir);
  return found;
}

}  // namespace

void RequireFolder(const std::string& folder, const std::string& owner) {
  struct stat info {};
  if (folder.empty() || stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    EEngineFault fault(ENG_ERR_FOLDER_NOT_FOUND, "The folder of " + owner + " does not exist");
    fault.With(ENG_ERR_FOLDER_NOT_FOUND, "Folder: " + FitPath(folder, ENG_MAX_MSG_LEN - 8));
    throw fault;
  }
}

TDatabase::TDatabase(EngHandle session, std::string alias, std::string folder, uint32_t openMode,
                     uint32_t shareMode, std::string password)
    : TObject(TObjectKind::Database),
      session_(session),
      alias_(std::move(alias)),
      folder_(std::move(folder)),
      openMode_(openMode),
      shareMode_(shareMode),
      password_(std::move(password)) {}

TDatabase::~TDatabase() {
  if (transaction_) {
    for (const auto& file : transaction_->files)
      sqlite3_exec(file->Connection(), "ROLLBACK", nullptr, nullptr, nullptr);
  }
}

EngHandle TDatabase::BeginTransaction() {
  if (transaction_) Fail(ENG_ERR_NOT_SUPPORTED, "A transaction of this database is already open");
  static EngHandle next = 0;
  if (++next == 0) ++next;
  transaction_ = TTransaction{next, {}, {}};
  return next;
}

void TDatabase::RollBack(const TTransaction& transaction) {
  for (const auto& file : transaction.files) {
    if (sqlite3_get_autocommit(file->Connection()) == 0)
      sqlite3_exec(file->Connection(), "ROLLBACK", nullptr, nullptr, nullptr);
  }
  // Their rows showed writes that are now undone: they read their tables again.
  TEngine& engine = TEngine::Instance();
  for (EngHandle handle : transaction.cursors) {
    TObject* object = engine.Find(handle);
    if (object != nullptr && object->Kind() == TObjectKind::Cursor) static_cast<TCursor*>(object)->Reload();
  }
}

void TDatabase::EndTransaction(EngHandle transaction, bool commit) {
  if (!transaction_ || transaction_->handle != transaction || transaction == 0) {
    Fail(ENG_ERR_INVALID_HANDLE,
         "Handle " + std::to_string(transaction) + " is not the open transaction of this database");
  }
  const TTransaction ending = std::move(*transaction_);
  transaction_.reset();
  if (!commit) {
    RollBack(ending);
    return;
  }
  for (const auto& file : ending.files) {
    const int rc = sqlite3_exec(file->Connection(), "COMMIT", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
      try {
        FailWriting(file->Connection(), rc,
                    "Cannot commit the writes to '" + FitText(file->FileName(), 60) + "'");
      } catch (...) {
        RollBack(ending);
        throw;
      }
    }
    TEngine::Instance().Connections().NoteWrite(*file);
  }
}

bool TDatabase::JoinTransaction(const std::shared_ptr<TTableFile>& file, EngHandle cursor) {
  const bool joined = transaction_ && std::find_if(transaction_->files.begin(), transaction_->files.end(),
                                                   [&](const auto& other) {
                                                     return other->Connection() == file->Connection();
                                                   }) != transaction_->files.end();
  if (!joined && sqlite3_get_autocommit(file->Connection()) == 0) {
    Fail(ENG_ERR_TABLE_LOCKED,
         "Table '" + FitText(file->FileName(), 60) + "' is inside a transaction of another database");
  }
  if (!transaction_) return false;
  if (!joined) {
    Execute(file->Connection(), "BEGIN IMMEDIATE",
            "Cannot begin a transaction on '" + FitText(file->FileName(), 60) + "'");
    transaction_->files.push_back(file);
  }
  if (std::find(transaction_->cursors.begin(), transaction_->cursors.end(), cursor) ==
      transaction_->cursors.end())
    transaction_->cursors.push_back(cursor);
  return true;
}

TTableLocation TDatabase::Locate(const std::string& name, bool extensionOptional, EngResult notFoundStatus,
                                 const std::string& notFoundText) const {
  RequireFolder(folder_, alias_.empty() ? "the database" : "alias '" + FitText(alias_, 40) + "'");
  const auto notFound = [&]() {
    EEngineFault fault(notFoundStatus, notFoundText);
    fault.With(notFoundStatus, "Folder: " + FitPath(folder_, ENG_MAX_MSG_LEN - 8));
    throw fault;
  };
  // Tables live in the folder itself: no other folders, no hidden names.
  if (name.empty() || name.find('/') != std::string::npos || name.front() == '.' ||
      name.find('\0') != std::string::npos) {
    notFound();
  }
  std::string fileName = name;
  if (!EndsWithDb(fileName)) {
    if (!extensionOptional) notFound();
    fileName += ".db";
  }
  if (!Exists(folder_ + "/" + fileName)) {
    if (!namesIgnoreCase) notFound();
    fileName = FindIgnoringCase(folder_, fileName);
    if (fileName.empty()) notFound();
  }
  TTableLocation location;
  location.fileName = fileName;
  location.path = folder_ + "/" + fileName;
  location.stem = fileName.substr(0, fileName.size() - 3);
  return location;
}

std::shared_ptr<TTableFile> TDatabase::OpenTableFile(const TTableLocation& location, bool readWrite,
                                                     const TSession& session) {
  TTableFile::TOpenRequest request;
  request.path = location.path;
  request.fileName = location.fileName;
  request.tableName = location.stem;
  request.readWrite = readWrite;
  request.waitOnLock = waitOnLock;
  request.passwords = session.Passwords();
  if (!password_.empty()) request.passwords.push_back(password_);
  request.beforeKeyDerivation = [&session] {
    const uint32_t kind = ENG_SERVERCALL_BEGIN;
    session.Call(ENG_CB_SERVERCALL, &kind, sizeof kind);
  };
  return TEngine::Instance().Connections().Open(request);
}

}  // namespace dbengine
