#pragma once
// The list of database sessions (one per process) and the module object that makes it with
// the default session "Default" when the program starts and frees both when it ends.
//
//   int main(...) {
//     TDataEngineModule dataEngine;   // before the window framework: the windows' datasets
//     TGuiModule gui(argc, argv);     // must close while the sessions still exist
//     RegisterDataDialogs();          // the real cursors, timer and dialogs
//     ...
//   }

#include <functional>
#include <mutex>
#include <string>
#include <vector>

class TComponent;
class TSession;
class TStrings;

class TSessionList {
 public:
  TSessionList();
  // Frees every session, the default one last; freeing a session stops it, and stopping the
  // default session stops the engine.
  ~TSessionList();
  TSessionList(const TSessionList&) = delete;
  TSessionList& operator=(const TSessionList&) = delete;

  int Count() const;
  TSession* Sessions(int Index) const;
  // The first session added; none before it.
  TSession* DefaultSession() const;
  // The session with that name (ignoring case); an empty name means the default session.
  TSession* FindSession(const std::string& Name) const;
  // As FindSession, but none raises "Invalid session name %s" naming Component.
  TSession* LookupSession(const std::string& Name, const TComponent* Component) const;
  void GetSessionNames(TStrings* List) const;

  // The session lock: one recursive critical section that every session shares.
  std::recursive_mutex& SessionLock() { return SessionLock_; }

  // Procedures called with every session that starts, after its own start-up.
  using TStartupProc = std::function<void(TSession*)>;
  void AddStartupProc(TStartupProc Proc);
  const std::vector<TStartupProc>& StartupProcs() const { return StartupProcs_; }

  // The lowest free session number (from 1), taken until released.
  int TakeSessionNumber();
  void ReleaseSessionNumber(int Number);

  // The engine library is being unloaded while started: the default session is marked as
  // detached and every session is freed without stopping the engine.
  void LibraryDetached();

 private:
  friend class TSession;
  void AddSession(TSession* Session);
  void RemoveSession(TSession* Session);
  void FreeAll();

  mutable std::mutex ListLock_;
  std::recursive_mutex SessionLock_;
  std::vector<TSession*> List_;
  std::vector<bool> Numbers_;
  std::vector<TStartupProc> StartupProcs_;
};

// The session list and the default session while the module lives; none otherwise.
extern TSessionList* Sessions;
extern TSession* Session;

// Whether the default session exists and holds an engine session handle.
bool DefaultSessionActive();

// A program that is itself a shared library says so at start-up: its default session then
// also hears when the engine's library is unloaded while started. Off for the game.
void SetProgramIsLibrary(bool Value);
bool ProgramIsLibrary();

// Makes the session list and the default session; freeing it frees them, stopping the engine.
class TDataEngineModule {
 public:
  TDataEngineModule();
  ~TDataEngineModule();
  TDataEngineModule(const TDataEngineModule&) = delete;
  TDataEngineModule& operator=(const TDataEngineModule&) = delete;
};
