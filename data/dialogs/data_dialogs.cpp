#include "data/dialogs/data_dialogs.h"

#include <thread>

#include "core/rtti.h"
#include "data/dialogs/login_dialog.h"
#include "data/dialogs/password_dialog.h"
#include "data/engine/engine_hooks.h"
#include "gui/forms/application.h"
#include "gui/forms/screen.h"
#include "gui/stdctrls/timer.h"

namespace {

TEngineCursor FromScreen(TCursor Cursor) {
  if (Cursor == crDefault) return ecDefault;
  if (Cursor == crHourGlass) return ecHourGlass;
  if (Cursor == crSQLWait) return ecSQLWait;
  return ecOther;
}

TCursor ToScreen(TEngineCursor Cursor) {
  switch (Cursor) {
    case ecHourGlass:
      return crHourGlass;
    case ecSQLWait:
      return crSQLWait;
    case ecDefault:
    case ecOther:
      break;
  }
  return crDefault;
}

// Owns the sessions' timers; the application owns it, so they go with the application. A
// killed timer only stops (it may be the one whose tick is running) and is used again.
class TEngineTimers : public TComponent {
 public:
  explicit TEngineTimers(TComponent* AOwner) : TComponent(AOwner) { Current = this; }
  ~TEngineTimers() override {
    if (Current == this) Current = nullptr;
  }
  TTimer* Find(TEngineTimerId Id) const {
    for (int i = 0; i < ComponentCount(); ++i) {
      if (reinterpret_cast<TEngineTimerId>(Components(i)) == Id) return static_cast<TTimer*>(Components(i));
    }
    return nullptr;
  }
  TTimer* Idle() const {
    for (int i = 0; i < ComponentCount(); ++i) {
      auto* timer = static_cast<TTimer*>(Components(i));
      if (!timer->Enabled()) return timer;
    }
    return nullptr;
  }
  static TEngineTimers* Current;
};
TEngineTimers* TEngineTimers::Current = nullptr;

TEngineTimerId StartTimer(int Milliseconds, std::function<void()> OnTimer) {
  if (Application == nullptr) return 0;
  if (TEngineTimers::Current == nullptr) new TEngineTimers(Application);
  TTimer* timer = TEngineTimers::Current->Idle();
  if (timer == nullptr) {
    timer = new TTimer(TEngineTimers::Current);
    timer->SetEnabled(false);
  }
  timer->SetInterval(Milliseconds);
  timer->OnTimer = [OnTimer = std::move(OnTimer)](TObject*) { OnTimer(); };
  timer->SetEnabled(true);
  return reinterpret_cast<TEngineTimerId>(timer);
}

void KillTimer(TEngineTimerId Id) {
  if (TEngineTimers::Current == nullptr) return;
  if (TTimer* timer = TEngineTimers::Current->Find(Id)) timer->SetEnabled(false);
}

}  // namespace

void RegisterDataDialogClasses() {
  RegisterClasses<TPasswordDialog, TLoginDialog>();
}

void RegisterDataDialogs() {
  RegisterDataDialogClasses();
  TDataEngineHooks hooks;
  hooks.GetCursor = []() { return Screen != nullptr ? FromScreen(Screen->Cursor()) : ecDefault; };
  hooks.SetCursor = [](TEngineCursor Cursor) {
    if (Screen != nullptr) Screen->SetCursor(ToScreen(Cursor));
  };
  hooks.StartTimer = StartTimer;
  hooks.KillTimer = KillTimer;
  hooks.IsMainThread = [main = std::this_thread::get_id()]() { return std::this_thread::get_id() == main; };
  hooks.PasswordDialog = [](TSession* Session) { return ShowPasswordDialog(Session); };
  hooks.LoginDialog = [](const std::string& DatabaseName, std::string& UserName, std::string& Password,
                         bool UserNameFixed) {
    return ShowLoginDialog(DatabaseName, UserName, Password, UserNameFixed);
  };
  hooks.HandleException = [](std::exception_ptr E) {
    if (Application != nullptr) Application->HandleException(E);
  };
  SetDataEngineHooks(std::move(hooks));
}
