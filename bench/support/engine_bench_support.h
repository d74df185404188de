// What the engine benchmarks share: the engine library opened at run time with every entry point resolved,
// checks that stop the benchmark with a message, a fresh folder with the engine's configuration, and an
// engine started on that folder with one database open.
#pragma once
#define SQLITE_HAS_CODEC 1
#include <dlfcn.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "dbengine.h"

namespace bench_engine {

inline void Check(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(what);
}

inline void Exec(sqlite3* db, const char* sql) {
  Check(sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK, sql);
}

// The engine library of the build, loaded on its own as the game's loader would, every entry resolved.
#define BENCH_ENGINE_ENTRY(name) decltype(&::name) name = Resolve<decltype(&::name)>(#name);
struct TEngineLibrary {
  void* library;
  explicit TEngineLibrary(const char* path) : library(dlopen(path, RTLD_NOW | RTLD_LOCAL)) {}
  template <typename T>
  T Resolve(const char* name) {
    if (library == nullptr) throw std::runtime_error(dlerror());
    auto entry = reinterpret_cast<T>(dlsym(library, name));
    if (entry == nullptr) throw std::runtime_error(std::string("missing entry ") + name);
    return entry;
  }
  ENG_ENTRIES(BENCH_ENGINE_ENTRY)
};
#undef BENCH_ENGINE_ENTRY

// A new folder under the system's temporary folder, named from Pattern (which ends in XXXXXX).
inline std::string MakeFolder(const char* Pattern) {
  std::string folder = (std::filesystem::temp_directory_path() / Pattern).string();
  Check(mkdtemp(folder.data()) != nullptr, "mkdtemp");
  return folder;
}

// The configuration that names Folder as the database "bench".
inline void WriteConfiguration(const std::string& Folder) {
  std::ofstream(Folder + "/dbengine.cfg") << "[DATABASES\\bench\\DB INFO]\nTYPE=STANDARD\nPATH=.\n";
}

// The engine started on Folder's configuration with Password known and "bench" open in Mode; the folder
// goes with it.
struct TEngineSession {
  std::string folder;
  TEngineLibrary engine;
  EngHandle db = 0;

  TEngineSession(std::string Folder, const char* Library, const char* Password, uint32_t Mode)
      : folder(std::move(Folder)), engine(Library) {
    Check(engine.LIBINITFUNCTION() == ENG_OK, "LIBINITFUNCTION");
    EngEnv env{};
    std::strcpy(env.language, "0009");
    std::snprintf(env.configFile, sizeof env.configFile, "%s/dbengine.cfg", folder.c_str());
    Check(engine.EngineInit(ENG_VERSION, &env) == ENG_OK, "EngineInit");
    Check(engine.EngAddPassword(Password) == ENG_OK, "EngAddPassword");
    Check(engine.EngOpenDatabase("bench", nullptr, Mode, ENG_SHARE_SHARED, "", &db) == ENG_OK, "open");
  }
  ~TEngineSession() {
    engine.EngineExit();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
};

}  // namespace bench_engine
