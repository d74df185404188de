#include "data/engine/sql_wait_cursor.h"

#include <chrono>

#include "data/engine/engine_hooks.h"

namespace {

using TClock = std::chrono::steady_clock;
constexpr auto kDelay = std::chrono::milliseconds(50);

TEngineTimerId Timer = 0;
bool Up = false;
TClock::time_point LastCall;

}  // namespace

void ServerCallBegins(unsigned Kind) {
  const TDataEngineHooks& hooks = DataEngineHooks();
  if (Kind != 1 || !hooks.IsMainThread()) return;
  if (Timer == 0) Timer = hooks.StartTimer(static_cast<int>(kDelay.count()), ResetSQLWaitCursor);
  if (hooks.GetCursor() != ecSQLWait) hooks.SetCursor(ecSQLWait);
  Up = true;
  LastCall = TClock::now();
}

void ResetSQLWaitCursor() {
  // Nothing to undo unless a server call put the cursor up.
  if (!Up || TClock::now() - LastCall <= kDelay) return;
  const TDataEngineHooks& hooks = DataEngineHooks();
  Up = false;
  hooks.SetCursor(ecDefault);
  const TEngineTimerId timer = Timer;
  Timer = 0;
  if (timer != 0) hooks.KillTimer(timer);
}

bool SQLWaitActive() {
  return Up;
}
