#pragma once
// Locating, binding, starting and stopping the database engine, libdbengine.so.
//
// Locating: the library is loaded from the current folder when the file is there; else from
// the folder (or folders, separated by ':' or ';') named by the registry value "DLLPATH" of
// the local machine's key "Software\Database Engine" (platform/registry.h says which files
// hold it); else by the system's search, which includes the executable's own folder when it
// carries RUNPATH $ORIGIN. Failures: $2108 (not found), $2501 (no memory), $2109 (any other).
//
// Everything here runs under the loader's lock: a recursive mutex made once, under the named
// mutex "ENGLDRMUX".

#include <string>
#include <thread>

#include "dbengine.h"

// The library's file name.
inline constexpr const char* kEngineLibraryName = "libdbengine.so";
// The loader's own failures use the statuses dbengine.h names for them: ENG_ERR_LIB_NOT_FOUND,
// ENG_ERR_NO_MEMORY, ENG_ERR_LIB_LOAD (locating), ENG_ERR_NO_SUCH_ENTRY, ENG_ERR_NOT_AVAILABLE
// (no lock) and ENG_ERR_LIB_NOT_LOADABLE (binding).

// Loads the library if needed and calls "EngineInit" with version 500 and a 588-byte record
// that is zero but for the language "0009". A status of 0 or $2A07 counts one use.
EngResult EngineStart();
// Calls "EngineExit" for one use; when no use is left the library is freed.
EngResult EngineStop();

// Uses counted by EngineStart and not yet given back.
int EngineUseCount();
// Whether the library is loaded, and the path it was loaded from ("" when it is not).
bool EngineLibraryLoaded();
std::string EngineLibraryPath();

// Resolves every entry of DbEngine now (a test or a benchmark that wraps entries needs them
// resolved). Answers the first failure, or 0.
EngResult ResolveEngineEntries();

// Start-up warm-up: on a thread of its own, loads the library, starts the engine and opens Table
// of the database Alias with Password, then closes it again. Loading and the table's key
// derivation thus overlap the rest of the program's start, and the engine keeps the keyed
// connection a few seconds for the program's own open. The thread holds the loader's lock
// throughout, so the first EngineStart waits for it and takes its engine use over. Any failure
// is forgotten: the program's own start and open meet it again and report it as they always do.
// The destructor waits for the thread and gives the use back when nothing took it over.
class TEngineWarmUp {
 public:
  TEngineWarmUp(std::string Alias, std::string Table, std::string Password);
  ~TEngineWarmUp();
  TEngineWarmUp(const TEngineWarmUp&) = delete;
  // Waits until the warm-up has done all it will do.
  void Wait();
  TEngineWarmUp& operator=(const TEngineWarmUp&) = delete;

 private:
  std::thread Thread_;
};
