// A session: table passwords, callbacks and session aliases, and the databases opened in it.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "config.h"
#include "handles.h"

namespace dbengine {

struct TCallbackRegistration {
  uintptr_t clientData = 0;
  uint16_t bufferLength = 0;
  void* buffer = nullptr;
  EngCallbackFn fn = nullptr;
};

class TSession : public TObject {
 public:
  explicit TSession(std::string name) : TObject(TObjectKind::Session), name_(std::move(name)) {}

  const std::string& Name() const { return name_; }

  void AddPassword(const std::string& password);
  void DropPassword(const std::string& password);
  void DropAllPasswords() { passwords_.clear(); }
  const std::vector<std::string>& Passwords() const { return passwords_; }

  void Register(EngHandle cursor, uint32_t type, const TCallbackRegistration& registration);
  TCallbackRegistration Registration(EngHandle cursor, uint32_t type) const;
  // Calls the session-wide callback of type with info copied into its buffer; answers its result or 0.
  uint32_t Call(uint32_t type, const void* info, size_t infoLength) const;
  void ForgetCursorCallbacks(EngHandle cursor);

  void AddAlias(TAlias alias);
  bool DeleteAlias(const std::string& name);
  const TAlias* FindAlias(const std::string& name) const;

  uint32_t configMode = 7;
  std::string privateDir;
  std::string netDir;
  std::vector<EngHandle> databases;

 private:
  std::string name_;
  std::vector<std::string> passwords_;
  std::map<std::pair<EngHandle, uint32_t>, TCallbackRegistration> callbacks_;
  std::vector<TAlias> aliases_;
};

}  // namespace dbengine
