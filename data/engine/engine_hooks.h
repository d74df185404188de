#pragma once
// What the sessions need of the window system, kept out of this library so that it works and
// is tested without one: the screen cursor (the hourglass while the engine starts, the SQL-wait
// cursor during server calls), a timer, whether the caller is the main thread, the password
// and login dialogs, and where an exception goes that nobody can catch.
//
// The defaults show nothing: no cursor changes, no timer, the main thread is the one that
// made the module (TDataEngineModule), the password dialog answers false (Cancel), the login
// dialog false, and a stray exception is written to standard error. The dialogs library
// installs the real ones (RegisterDataDialogs, data/dialogs/data_dialogs.h).

#include <cstdint>
#include <exception>
#include <functional>
#include <string>

class TSession;

// The screen cursors the sessions set; anything else reads as ecOther.
enum TEngineCursor { ecDefault, ecHourGlass, ecSQLWait, ecOther };

// A running timer; 0 is none.
using TEngineTimerId = uintptr_t;

struct TDataEngineHooks {
  std::function<TEngineCursor()> GetCursor;
  std::function<void(TEngineCursor)> SetCursor;
  // Calls OnTimer every Milliseconds on the main thread until KillTimer.
  std::function<TEngineTimerId(int Milliseconds, std::function<void()> OnTimer)> StartTimer;
  std::function<void(TEngineTimerId)> KillTimer;
  std::function<bool()> IsMainThread;
  // Asks for table passwords for Session; true when the user chose OK.
  std::function<bool(TSession* Session)> PasswordDialog;
  // Asks for a login; UserName goes in and comes out. True when the user chose OK.
  std::function<bool(const std::string& DatabaseName, std::string& UserName, std::string& Password,
                     bool UserNameFixed)>
      LoginDialog;
  // Reports an exception that arose where nobody can catch it (freeing a blob stream).
  std::function<void(std::exception_ptr)> HandleException;
};

// The hooks in force. Setting replaces every member; an empty member falls back to its default.
const TDataEngineHooks& DataEngineHooks();
void SetDataEngineHooks(TDataEngineHooks Hooks);
// The default hooks, with the main thread being the calling thread from now on.
TDataEngineHooks DefaultDataEngineHooks();
