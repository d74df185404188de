// The engine's process-wide state: its uses, objects, configuration and the error stack of the last call.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "config.h"
#include "connection_cache.h"
#include "cursor.h"
#include "database.h"
#include "handles.h"
#include "session.h"
#include "statement.h"
#include "status.h"

namespace dbengine {

class TEngine {
 public:
  static TEngine& Instance() { return instance_ != nullptr ? *instance_ : Create(); }
  // Ends everything when the library is unloaded (after telling detach callbacks).
  static void Unload();

  bool Started() const { return uses_ > 0; }
  void RequireStarted() const;
  // Counts a use; the first one reads the configuration and creates the default session.
  EngResult Start(const EngEnv* env);
  // Counts a use off; the last one closes every object.
  void Stop();

  TSession& Session(EngHandle handle);
  TDatabase& Database(EngHandle handle);
  // Inline: cursors are looked up once per fetched record and field value.
  TCursor& Cursor(EngHandle handle) {
    TObject* object = handles_.Find(handle);
    if (uses_ > 0 && object != nullptr && object->Kind() == TObjectKind::Cursor)
      return static_cast<TCursor&>(*object);
    return CursorFailure(handle);
  }
  TStatement& Statement(EngHandle handle);
  TSession& CurrentSession() { return Session(current_); }
  EngHandle CurrentSessionHandle() const { return current_; }
  EngHandle DefaultSessionHandle() const { return default_; }
  void SetCurrentSession(EngHandle handle);
  TObject* Find(EngHandle handle) const { return handles_.Find(handle); }
  // Every open cursor.
  std::vector<TCursor*> Cursors() const;

  EngHandle AddSession(const std::string& name);
  EngHandle AddDatabase(std::unique_ptr<TDatabase> database);
  // Gives the cursor its handle, starts it and lists it with its database.
  EngHandle AddCursor(std::unique_ptr<TCursor> cursor);
  EngHandle AddStatement(std::unique_ptr<TStatement> statement);
  void CloseCursor(EngHandle handle);
  void CloseStatement(EngHandle handle);
  void CloseDatabase(EngHandle handle);
  void CloseSession(EngHandle handle);

  // In-process share modes: an exclusive claim excludes every other claim on the same file.
  void ClaimTable(const std::string& path, bool exclusive, const std::string& fileName);
  void ReleaseTable(const std::string& path);

  // An alias of the current session or of the configuration file; nullopt when neither knows it.
  std::optional<TAlias> FindAlias(const std::string& name);
  const TConfig& Config() const { return config_; }
  TConnectionCache& Connections() { return connections_; }
  const std::string& WorkDir() const { return workDir_; }

  void ClearErrors() { errors_.clear(); }
  void Record(const EEngineFault& fault);
  const std::vector<TErrorEntry>& Errors() const { return errors_; }

 private:
  TEngine() = default;
  static TEngine& Create();
  [[noreturn]] TCursor& CursorFailure(EngHandle handle);
  static inline TEngine* instance_ = nullptr;
  void CloseAll();

  int uses_ = 0;
  THandleTable handles_;
  EngHandle default_ = 0;
  EngHandle current_ = 0;
  TConfig config_;
  std::string workDir_;
  std::vector<TErrorEntry> errors_;
  struct TTableClaim {
    int count = 0;
    bool exclusive = false;
  };
  std::map<std::string, TTableClaim> claims_;
  // After the handles, so that it outlives every cursor and statement that uses its connections.
  TConnectionCache connections_;
};

}  // namespace dbengine
