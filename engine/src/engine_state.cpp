#include "engine_state.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace dbengine {

namespace {

template <typename T>
T& Expect(TObject* object, TObjectKind kind, EngHandle handle, const char* what) {
  if (object == nullptr || object->Kind() != kind) {
    Fail(ENG_ERR_INVALID_HANDLE, std::string("Handle ") + std::to_string(handle) + " is not an open " + what);
  }
  return static_cast<T&>(*object);
}

std::string FixedText(const char* text, size_t size) {
  return std::string(text, strnlen(text, size));
}

void Erase(std::vector<EngHandle>& list, EngHandle handle) {
  list.erase(std::remove(list.begin(), list.end(), handle), list.end());
}

}  // namespace

TEngine& TEngine::Create() {
  // Never destroyed by the runtime: Unload() ends it when the library goes, in a known order.
  instance_ = new TEngine();
  return *instance_;
}

void TEngine::Unload() {
  TEngine* instance = instance_;
  if (instance == nullptr) return;
  if (instance->Started()) {
    for (TObject* object : instance->handles_.All()) {
      if (object->Kind() != TObjectKind::Session) continue;
      const TCallbackRegistration detach = static_cast<TSession*>(object)->Registration(0, ENG_CB_DETACH);
      if (detach.fn != nullptr) detach.fn(ENG_CB_DETACH, detach.clientData, detach.buffer);
    }
  }
  instance->CloseAll();
  delete instance;
  instance_ = nullptr;
}

void TEngine::RequireStarted() const {
  if (!Started()) Fail(ENG_ERR_NOT_STARTED, "Call EngineInit before any other engine call");
}

EngResult TEngine::Start(const EngEnv* env) {
  if (Started()) {
    ++uses_;
    return ENG_ALREADY_STARTED;
  }
  if (!StorageLibraryHasEncryption()) {
    Fail(ENG_ERR_STORAGE_LIBRARY, std::string("The storage library in this process is ") +
                                      sqlite3_libversion() +
                                      " without encryption; load libdbengine.so with RTLD_DEEPBIND");
  }
  std::string configFile;
  workDir_.clear();
  if (env != nullptr) {
    configFile = FixedText(env->configFile, sizeof env->configFile);
    workDir_ = FixedText(env->workDir, sizeof env->workDir);
  }
  if (workDir_.empty()) {
    char buffer[4096];
    if (getcwd(buffer, sizeof buffer) != nullptr) workDir_ = buffer;
  }
  config_.Load(configFile);
  uses_ = 1;
  default_ = AddSession("Default");
  current_ = default_;
  return ENG_OK;
}

void TEngine::Stop() {
  RequireStarted();
  if (--uses_ > 0) return;
  CloseAll();
}

void TEngine::CloseAll() {
  handles_.Clear();
  // A stopped engine keeps no table open, and forgets the passwords its connections were opened with.
  connections_.Clear();
  claims_.clear();
  config_.Clear();
  default_ = current_ = 0;
  uses_ = 0;
}

TSession& TEngine::Session(EngHandle handle) {
  RequireStarted();
  return Expect<TSession>(handles_.Find(handle), TObjectKind::Session, handle, "session");
}

TDatabase& TEngine::Database(EngHandle handle) {
  RequireStarted();
  return Expect<TDatabase>(handles_.Find(handle), TObjectKind::Database, handle, "database");
}

TCursor& TEngine::CursorFailure(EngHandle handle) {
  RequireStarted();
  Expect<TCursor>(handles_.Find(handle), TObjectKind::Cursor, handle, "cursor");
  Fail(ENG_ERR_INTERNAL, "Cursor lookup failed");
}

TStatement& TEngine::Statement(EngHandle handle) {
  RequireStarted();
  return Expect<TStatement>(handles_.Find(handle), TObjectKind::Statement, handle, "statement");
}

void TEngine::SetCurrentSession(EngHandle handle) {
  Session(handle);
  current_ = handle;
}

EngHandle TEngine::AddSession(const std::string& name) {
  return handles_.Add(std::make_unique<TSession>(name));
}

EngHandle TEngine::AddDatabase(std::unique_ptr<TDatabase> database) {
  TSession& session = Session(database->Session());
  const EngHandle handle = handles_.Add(std::move(database));
  session.databases.push_back(handle);
  return handle;
}

EngHandle TEngine::AddCursor(std::unique_ptr<TCursor> cursor) {
  TCursor* raw = cursor.get();
  const EngHandle handle = handles_.Add(std::move(cursor));
  try {
    raw->Start();
    const std::string& claimed = raw->Options().claimedPath;
    if (!claimed.empty()) {
      ClaimTable(claimed, raw->Options().shareMode == ENG_SHARE_EXCLUSIVE, raw->Options().tableName);
    }
  } catch (...) {
    handles_.Take(handle);
    throw;
  }
  if (raw->Options().database != 0) Database(raw->Options().database).cursors.push_back(handle);
  return handle;
}

EngHandle TEngine::AddStatement(std::unique_ptr<TStatement> statement) {
  const EngHandle database = statement->Database();
  const EngHandle handle = handles_.Add(std::move(statement));
  Database(database).statements.push_back(handle);
  return handle;
}

std::vector<TCursor*> TEngine::Cursors() const {
  std::vector<TCursor*> cursors;
  for (TObject* object : handles_.All()) {
    if (object->Kind() == TObjectKind::Cursor) cursors.push_back(static_cast<TCursor*>(object));
  }
  return cursors;
}

void TEngine::CloseCursor(EngHandle handle) {
  TCursor& cursor = Cursor(handle);
  if (cursor.Options().database != 0) {
    if (auto* database = dynamic_cast<TDatabase*>(handles_.Find(cursor.Options().database))) {
      Erase(database->cursors, handle);
      if (auto* session = dynamic_cast<TSession*>(handles_.Find(database->Session()))) {
        session->ForgetCursorCallbacks(handle);
      }
    }
  }
  if (!cursor.Options().claimedPath.empty()) ReleaseTable(cursor.Options().claimedPath);
  handles_.Take(handle);
}

void TEngine::CloseStatement(EngHandle handle) {
  TStatement& statement = Statement(handle);
  if (auto* database = dynamic_cast<TDatabase*>(handles_.Find(statement.Database()))) {
    Erase(database->statements, handle);
  }
  handles_.Take(handle);
}

void TEngine::CloseDatabase(EngHandle handle) {
  TDatabase& database = Database(handle);
  for (EngHandle cursor : std::vector<EngHandle>(database.cursors))
    CloseCursor(cursor);
  for (EngHandle statement : std::vector<EngHandle>(database.statements))
    CloseStatement(statement);
  if (auto* session = dynamic_cast<TSession*>(handles_.Find(database.Session())))
    Erase(session->databases, handle);
  handles_.Take(handle);
}

void TEngine::CloseSession(EngHandle handle) {
  TSession& session = Session(handle);
  if (handle == default_) Fail(ENG_ERR_INVALID_PARAMETER, "The default session closes with EngineExit only");
  for (EngHandle database : std::vector<EngHandle>(session.databases))
    CloseDatabase(database);
  handles_.Take(handle);
  if (current_ == handle) current_ = default_;
}

void TEngine::ClaimTable(const std::string& path, bool exclusive, const std::string& fileName) {
  TTableClaim& claim = claims_[path];
  if ((claim.count > 0 && exclusive) || claim.exclusive) {
    if (claim.count == 0) claims_.erase(path);
    Fail(ENG_ERR_TABLE_LOCKED,
         "Table '" + FitText(fileName, 60) + "' is open " +
             (exclusive ? "elsewhere; it cannot be opened exclusively" : "exclusively"));
  }
  ++claim.count;
  claim.exclusive = exclusive;
}

void TEngine::ReleaseTable(const std::string& path) {
  const auto found = claims_.find(path);
  if (found == claims_.end()) return;
  if (--found->second.count <= 0) claims_.erase(found);
}

std::optional<TAlias> TEngine::FindAlias(const std::string& name) {
  TSession& session = CurrentSession();
  if ((session.configMode & 1) != 0) {
    if (const TAlias* alias = session.FindAlias(name)) return *alias;
  }
  if ((session.configMode & 6) != 0) return config_.FindAlias(name);
  return std::nullopt;
}

void TEngine::Record(const EEngineFault& fault) {
  for (const auto& entry : fault.Entries())
    errors_.push_back(entry);
}

}  // namespace dbengine
