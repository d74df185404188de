#include "data/engine/engine_hooks.h"

#include <cstdio>
#include <thread>

#include "core/exceptions.h"

namespace {

TDataEngineHooks& Current() {
  static TDataEngineHooks hooks = DefaultDataEngineHooks();
  return hooks;
}

void WriteException(std::exception_ptr E) {
  try {
    if (E) std::rethrow_exception(E);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "unknown exception\n");
  }
}

}  // namespace

TDataEngineHooks DefaultDataEngineHooks() {
  TDataEngineHooks hooks;
  hooks.GetCursor = []() { return ecDefault; };
  hooks.SetCursor = [](TEngineCursor) {};
  hooks.StartTimer = [](int, std::function<void()>) -> TEngineTimerId { return 0; };
  hooks.KillTimer = [](TEngineTimerId) {};
  hooks.IsMainThread = [main = std::this_thread::get_id()]() { return std::this_thread::get_id() == main; };
  hooks.PasswordDialog = [](TSession*) { return false; };
  hooks.LoginDialog = [](const std::string&, std::string&, std::string&, bool) { return false; };
  hooks.HandleException = WriteException;
  return hooks;
}

const TDataEngineHooks& DataEngineHooks() {
  return Current();
}

void SetDataEngineHooks(TDataEngineHooks Hooks) {
  const TDataEngineHooks defaults = DefaultDataEngineHooks();
  if (!Hooks.GetCursor) Hooks.GetCursor = defaults.GetCursor;
  if (!Hooks.SetCursor) Hooks.SetCursor = defaults.SetCursor;
  if (!Hooks.StartTimer) Hooks.StartTimer = defaults.StartTimer;
  if (!Hooks.KillTimer) Hooks.KillTimer = defaults.KillTimer;
  if (!Hooks.IsMainThread) Hooks.IsMainThread = defaults.IsMainThread;
  if (!Hooks.PasswordDialog) Hooks.PasswordDialog = defaults.PasswordDialog;
  if (!Hooks.LoginDialog) Hooks.LoginDialog = defaults.LoginDialog;
  if (!Hooks.HandleException) Hooks.HandleException = defaults.HandleException;
  Current() = std::move(Hooks);
}
