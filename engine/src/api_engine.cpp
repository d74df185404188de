// Entries: start and stop, sessions, callbacks, passwords, errors.
#include <cstdio>

#include "api_guard.h"

// The C interface lives outside the engine's namespace; its bodies reach into it.
using namespace dbengine;

namespace {

bool IsCallbackType(uint32_t type) {
  return type == ENG_CB_SERVERCALL || type == ENG_CB_DBLOGIN || type == ENG_CB_DETACH;
}

// The session that owns a callback registration: the cursor's, or the current one for cursor 0.
TSession& CallbackSession(TEngine& engine, EngHandle cursor) {
  if (cursor == 0) return engine.CurrentSession();
  const TCursor& owner = engine.Cursor(cursor);
  if (owner.Options().database == 0) return engine.CurrentSession();
  return engine.Session(engine.Database(owner.Options().database).Session());
}

__attribute__((destructor)) void UnloadEngine() {
  TEngine::Unload();
}

}  // namespace

extern "C" {

ENG_API EngResult LIBINITFUNCTION(void) {
  return Guard([](TEngine&) -> EngResult {
    const int rc = sqlite3_initialize();
    if (rc != SQLITE_OK) FailStorage(nullptr, rc, "The storage library did not start");
    return ENG_OK;
  });
}

ENG_API EngResult EngineInit(uint32_t version, const EngEnv* env) {
  return Guard([&](TEngine& engine) -> EngResult {
    if (version != ENG_VERSION) {
      Fail(ENG_ERR_VERSION, "Version " + std::to_string(version) + " asked; this engine is version " +
                                std::to_string(ENG_VERSION));
    }
    return engine.Start(env);
  });
}

ENG_API EngResult EngineExit(void) {
  return Guard([](TEngine& engine) -> EngResult {
    engine.Stop();
    return ENG_OK;
  });
}

ENG_API EngResult EngGetVersion(uint32_t* version) {
  return Guard([&](TEngine&) -> EngResult {
    *Require(version, "version buffer") = ENG_VERSION;
    return ENG_OK;
  });
}

ENG_API EngResult EngGetCurrentSession(EngHandle* session) {
  return Guard([&](TEngine& engine) -> EngResult {
    engine.RequireStarted();
    *Require(session, "session buffer") = engine.CurrentSessionHandle();
    return ENG_OK;
  });
}

ENG_API EngResult EngSetCurrentSession(EngHandle session) {
  return Guard([&](TEngine& engine) -> EngResult {
    engine.SetCurrentSession(session);
    return ENG_OK;
  });
}

ENG_API EngResult EngStartSession(const char* name, const char* password, EngHandle* session) {
  return Guard([&](TEngine& engine) -> EngResult {
    engine.RequireStarted();
    Require(session, "session buffer");
    const EngHandle handle = engine.AddSession(TextOrEmpty(name));
    engine.Session(handle).AddPassword(TextOrEmpty(password));
    engine.SetCurrentSession(handle);
    *session = handle;
    return ENG_OK;
  });
}

ENG_API EngResult EngCloseSession(EngHandle session) {
  return Guard([&](TEngine& engine) -> EngResult {
    engine.CloseSession(session);
    return ENG_OK;
  });
}

ENG_API EngResult EngRegisterCallback(EngHandle cursor, uint32_t type, uintptr_t clientData,
                                      uint16_t bufferLength, void* buffer, EngCallbackFn fn) {
  return Guard([&](TEngine& engine) -> EngResult {
    engine.RequireStarted();
    if (!IsCallbackType(type))
      Fail(ENG_ERR_INVALID_PARAMETER, "Unknown callback type " + std::to_string(type));
    if (buffer == nullptr && bufferLength != 0)
      Fail(ENG_ERR_INVALID_PARAMETER, "Buffer length without a buffer");
    CallbackSession(engine, cursor).Register(cursor, type, {clientData, bufferLength, buffer, fn});
    return ENG_OK;
  });
}

ENG_API EngResult EngGetCallback(EngHandle cursor, uint32_t type, uintptr_t* clientData,
                                 uint16_t* bufferLength, void** buffer, EngCallbackFn* fn) {
  return Guard([&](TEngine& engine) -> EngResult {
    engine.RequireStarted();
    if (!IsCallbackType(type))
      Fail(ENG_ERR_INVALID_PARAMETER, "Unknown callback type " + std::to_string(type));
    const TCallbackRegistration registration = CallbackSession(engine, cursor).Registration(cursor, type);
    if (clientData != nullptr) *clientData = registration.clientData;
    if (bufferLength != nullptr) *bufferLength = registration.bufferLength;
    if (buffer != nullptr) *buffer = registration.buffer;
    if (fn != nullptr) *fn = registration.fn;
    return ENG_OK;
  });
}

ENG_API EngResult EngAddPassword(const char* password) {
  return Guard([&](TEngine& engine) -> EngResult {
    engine.CurrentSession().AddPassword(TextOrEmpty(password));
    return ENG_OK;
  });
}

ENG_API EngResult EngDropPassword(const char* password) {
  return Guard([&](TEngine& engine) -> EngResult {
    if (password == nullptr) {
      engine.CurrentSession().DropAllPasswords();
    } else {
      engine.CurrentSession().DropPassword(password);
    }
    return ENG_OK;
  });
}

ENG_API EngResult EngGetErrorText(EngResult status, char* text) {
  if (text == nullptr) return ENG_ERR_INVALID_PARAMETER;
  const std::string_view known = StatusText(status);
  char buffer[ENG_MSG_BUFFER];
  if (known.empty()) {
    std::snprintf(buffer, sizeof buffer, "Engine status $%04X", static_cast<unsigned>(ENG_STATUS(status)));
  } else {
    std::snprintf(buffer, sizeof buffer, "%.*s", static_cast<int>(known.size()), known.data());
  }
  std::memcpy(text, buffer, std::strlen(buffer) + 1);
  return ENG_OK;
}

ENG_API EngResult EngGetErrorEntry(uint16_t entry, int32_t* nativeCode, char* text) {
  // Reading the stack must not clear it, so this entry does not use Guard.
  try {
    TEngine& engine = TEngine::Instance();
    const auto& errors = engine.Errors();
    if (nativeCode != nullptr) *nativeCode = 0;
    if (text != nullptr) text[0] = '\0';
    if (errors.empty() && !engine.Started()) return ENG_ERR_NOT_AVAILABLE;
    if (entry == 0 || entry > errors.size()) return ENG_OK;
    const TErrorEntry& found = errors[entry - 1];
    if (nativeCode != nullptr) *nativeCode = found.nativeCode;
    if (text != nullptr) CopyText(text, found.text, ENG_MSG_BUFFER);
    return found.status;
  } catch (...) {
    return ENG_ERR_NO_MEMORY;
  }
}

}  // extern "C"
