#include "database.h"

#include <dirent.h>
#include <sys/stat.h>

#include "session.h"
#include "sql_translate.h"

namespace {

bool EndsWithDb(const std::string& name) {
  return name.size() > 3 && SameName(name.substr(name.size() - 3), ".db", true);
}

bool IsFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The entry of folder whose name equals name ignoring case, or "".
std::string FindIgnoringCase(const std::string& folder, const std::string& name) {
  std::string found;
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return found;
  while (const dirent* entry = readdir(dir)) {
    if (SameName(entry->d_name, name, true) && IsFile(folder + "/" + entry->d_name)) {
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
  if (!IsFile(folder_ + "/" + fileName)) {
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
  const std::string key = (readWrite ? "w:" : "r:") + location.path;
  if (auto open = openFiles_[key].lock()) return open;
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
  auto table = TTableFile::Open(request);
  openFiles_[key] = table;
  return table;
}
