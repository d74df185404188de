// TSession: the session lock, starting and stopping.

#include <exception>
#include <mutex>

#include "data/db_error.h"

#include "core/scope_exit.h"
#include "data/engine/database.h"
#include "data/engine/engine_callback.h"
#include "data/engine/engine_entries.h"
#include "data/engine/engine_error.h"
#include "data/engine/engine_hooks.h"
#include "data/engine/engine_loader.h"
#include "data/engine/engine_strings.h"
#include "data/engine/session.h"
#include "data/engine/session_list.h"
#include "platform/codepage.h"

namespace {

// Every session shares one lock; a session made without a session list uses this one.
std::recursive_mutex& SharedSessionLock() {
  static std::recursive_mutex standalone;
  return Sessions != nullptr ? Sessions->SessionLock() : standalone;
}

}  // namespace

// ---- The session lock ---------------------------------------------------------------------

void TSession::EnterSession() {
  std::recursive_mutex& lock = SharedSessionLock();
  lock.lock();
  if (LockCount_++ > 0) return;
  TScopeFail release([&] {
    --LockCount_;
    lock.unlock();
  });
  MakeCurrent();
}

void TSession::LeaveSession() {
  if (LockCount_ == 0) return;
  --LockCount_;
  SharedSessionLock().unlock();
}

// ---- Starting -----------------------------------------------------------------------------

void TSession::StartSession() {
  std::lock_guard<std::recursive_mutex> lock(SharedSessionLock());
  if (Active() || Starting_) return;
  // A handler that needs the session while it starts finds it starting, not a second start.
  struct TStarting {
    bool& Flag;
    ~TStarting() { Flag = false; }
  } starting{Starting_ = true};
  if (OnStartup) OnStartup(this);
  if (SessionName_.empty()) RaiseDataError(LoadResString(SSessionNameMissing), this);
  if (!Default_ && Sessions != nullptr) {
    if (TSession* first = Sessions->DefaultSession(); first != nullptr && first != this)
      first->SetActive(true);
  }
  StartEngineOrSession();
  TScopeFail stop([this] { StopSession(); });
  InstallCallbacks();
  PushDirectories();
  CheckEngine(DbEngine.EngSetProperty(Handle_, ENG_SESPROP_CONFIG_MODE, 7));
  if (Sessions != nullptr) {
    for (const TSessionList::TStartupProc& proc : Sessions->StartupProcs())
      proc(this);
  }
}

void TSession::StartEngineOrSession() {
  if (!Default_) {
    EngHandle handle = 0;
    CheckEngine(DbEngine.EngStartSession(AnsiToOem(SessionName_).c_str(), "", &handle));
    Handle_ = handle;
    return;
  }
  // The engine's start may take a moment: the hourglass shows meanwhile, unless the program
  // shows a cursor of its own.
  const TDataEngineHooks& hooks = DataEngineHooks();
  const bool hourglass = hooks.IsMainThread() && hooks.GetCursor() == ecDefault;
  if (hourglass) hooks.SetCursor(ecHourGlass);
  const EngResult status = EngineStart();
  if (hourglass && hooks.GetCursor() == ecHourGlass) hooks.SetCursor(ecDefault);
  const uint16_t code = ENG_STATUS(status);
  if (code != ENG_OK && code != ENG_ALREADY_STARTED) RaiseEngineError(status);
  EngHandle handle = 0;
  const EngResult current = DbEngine.EngGetCurrentSession(&handle);
  if (ENG_STATUS(current) != ENG_OK || handle == 0) {
    // Give the use back: a session that did not start holds no engine.
    const EDBEngineError error(ENG_STATUS(current) != ENG_OK ? current : ENG_ERR_INVALID_HANDLE);
    EngineStop();
    throw error;
  }
  Handle_ = handle;
}

void TSession::InstallCallbacks() {
  if (SQLHourGlass_) {
    Callbacks_.push_back(std::make_unique<TEngineCallback>(
        this, 0, ENG_CB_SERVERCALL, &ServerCallBuffer_, static_cast<uint16_t>(sizeof ServerCallBuffer_),
        [this](void* Info) { return ServerCallCallback(Info); }, true));
  }
  Callbacks_.push_back(std::make_unique<TEngineCallback>(
      this, 0, ENG_CB_DBLOGIN, LoginBuffer_.data(), static_cast<uint16_t>(LoginBuffer_.size()),
      [this](void* Info) { return DBLoginCallback(Info); }, true));
  if (Default_ && ProgramIsLibrary()) {
    Callbacks_.push_back(std::make_unique<TEngineCallback>(
        this, 0, ENG_CB_DETACH, nullptr, 0, [this](void* Info) { return DetachCallback(Info); }, true));
  }
}

void TSession::UninstallCallbacks() {
  // Last installed first, so that each puts back what it replaced.
  while (!Callbacks_.empty())
    Callbacks_.pop_back();
}

void TSession::PushDirectories() {
  if (!NetFileDir_.empty()) {
    const std::string folder = AnsiToOem(NetFileDir_);
    CheckEngine(
        DbEngine.EngSetProperty(Handle_, ENG_SESPROP_NET_DIR, reinterpret_cast<uintptr_t>(folder.c_str())));
  }
  if (!PrivateDir_.empty()) {
    const std::string folder = AnsiToOem(PrivateDir_);
    CheckEngine(DbEngine.EngSetProperty(Handle_, ENG_SESPROP_PRIVATE_DIR,
                                        reinterpret_cast<uintptr_t>(folder.c_str())));
  }
}

// ---- Stopping -----------------------------------------------------------------------------

void TSession::StopSession() {
  std::lock_guard<std::recursive_mutex> lock(SharedSessionLock());
  if (Handle_ == 0) return;
  DbEngine.EngSetCurrentSession(Handle_);
  // Databases last to first: temporary ones are freed, the others closed. A failure is
  // passed on once everything is stopped.
  std::exception_ptr failure;
  for (size_t i = Databases_.size(); i-- > 0;) {
    if (i >= Databases_.size()) continue;
    TDatabase* database = Databases_[i];
    try {
      // A temporary database whose session is being freed goes with it: closing is enough.
      if (database->Temporary() && !database->IsDestroying()) {
        delete database;
      } else {
        database->Close();
      }
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
  }
  UninstallCallbacks();
  const EngHandle handle = Handle_;
  Handle_ = 0;
  if (!Default_) {
    const EngResult status = DbEngine.EngCloseSession(handle);
    if (Sessions != nullptr) {
      if (TSession* first = Sessions->DefaultSession(); first != nullptr && first->Active())
        DbEngine.EngSetCurrentSession(first->Handle_);
    }
    if (!failure) CheckEngine(status);
  } else if (!Detached_) {
    EngineStop();
  }
  if (failure) std::rethrow_exception(failure);
}
