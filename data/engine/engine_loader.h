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

#include "dbengine.h"

// The library's file name.
inline constexpr const char* kEngineLibraryName = "libdbengine.so";
// The statuses of the loader itself (the engine's own texts name them too).
inline constexpr EngResult kStatusLibraryNotFound = 0x2108;
inline constexpr EngResult kStatusLibraryLoadFailed = 0x2109;
inline constexpr EngResult kStatusLibraryNotLoadable = 0x210A;
inline constexpr EngResult kStatusNoMemory = 0x2501;
inline constexpr EngResult kStatusNoSuchEntry = 0x274F;
inline constexpr EngResult kStatusNoLock = 0x2A06;
inline constexpr EngResult kStatusAlreadyStarted = 0x2A07;

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
