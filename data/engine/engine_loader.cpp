#include "data/engine/engine_loader.h"

#include <unistd.h>

#include <array>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <system_error>

#include "data/engine/engine_entries.h"
#include "platform/library.h"
#include "platform/named_mutex.h"
#include "platform/registry.h"

namespace {

enum TEntryIndex : size_t {
#define BREVANT_ENGINE_INDEX(Name) ei##Name,
  ENG_WORK_ENTRIES(BREVANT_ENGINE_INDEX)
#undef BREVANT_ENGINE_INDEX
};

constexpr std::array<const char*, kEngineEntryCount> kEntryNames = {
#define BREVANT_ENGINE_NAME(Name) #Name,
    ENG_WORK_ENTRIES(BREVANT_ENGINE_NAME)
#undef BREVANT_ENGINE_NAME
};

EngResult ResolveEntry(size_t Index, void*& Address);

// The resolver of one entry: resolves and patches it, then makes the call it stands for.
template <size_t Index, class F>
struct TResolver;
template <size_t Index, class... A>
struct TResolver<Index, EngResult (*)(A...)> {
  static EngResult Call(A... Args) {
    void* address = nullptr;
    const EngResult status = ResolveEntry(Index, address);
    if (status != ENG_OK) return status;
    return reinterpret_cast<EngResult (*)(A...)>(address)(Args...);
  }
};

constexpr TEngineEntries kResolvers = {
#define BREVANT_ENGINE_RESOLVER(Name) &TResolver<ei##Name, decltype(&::Name)>::Call,
    ENG_WORK_ENTRIES(BREVANT_ENGINE_RESOLVER)
#undef BREVANT_ENGINE_RESOLVER
};

void Patch(size_t Index, void* Address) {
  switch (Index) {
#define BREVANT_ENGINE_PATCH(Name)                                      \
  case ei##Name:                                                        \
    DbEngine.Name = reinterpret_cast<decltype(DbEngine.Name)>(Address); \
    break;
    ENG_WORK_ENTRIES(BREVANT_ENGINE_PATCH)
#undef BREVANT_ENGINE_PATCH
    default:
      break;
  }
}

// The loader's state; only touched under the loader's lock.
std::unique_ptr<TSharedLibrary> Library;
int Uses = 0;
// One of the Uses is the start-up warm-up's, waiting for the first EngineStart to take it over.
bool WarmUse = false;

// The loader's lock, made once under the named mutex so that two threads starting at the same
// moment agree on one. It lives until the process ends. The named mutex is the user's own and
// is given back by the system if its holder dies; waiting for it ends after a few seconds.
std::recursive_mutex* LoaderLock() {
  static std::atomic<std::recursive_mutex*> made{nullptr};
  std::recursive_mutex* lock = made.load(std::memory_order_acquire);
  if (lock != nullptr) return lock;
  TNamedMutex named("ENGLDRMUX");
  if (!named.Lock()) {
    // The caller answers "no lock"; this says why, for whoever reads the program's output.
    std::fprintf(stderr, "The database engine's loader lock is not available: %s\n", named.Error().c_str());
    return nullptr;
  }
  lock = made.load(std::memory_order_acquire);
  if (lock == nullptr) {
    lock = new (std::nothrow) std::recursive_mutex;
    made.store(lock, std::memory_order_release);
  }
  named.Unlock();
  return lock;
}

EngResult StatusOf(TLibraryFailure Failure) {
  switch (Failure) {
    case TLibraryFailure::None:
      return ENG_OK;
    case TLibraryFailure::NotFound:
      return ENG_ERR_LIB_NOT_FOUND;
    case TLibraryFailure::NoMemory:
      return ENG_ERR_NO_MEMORY;
    case TLibraryFailure::Other:
      break;
  }
  return ENG_ERR_LIB_LOAD;
}

std::string CurrentFolder() {
  char buffer[4096];
  return ::getcwd(buffer, sizeof buffer) != nullptr ? std::string(buffer) : std::string(".");
}

// The folders of the registry value DLLPATH.
std::vector<std::string> RegistryFolders() {
  std::vector<std::string> folders;
  const auto value = ReadRegistryString(TRegistryRoot::LocalMachine, "Software\\Database Engine", "DLLPATH");
  if (!value) return folders;
  size_t start = 0;
  while (start <= value->size()) {
    const size_t end = value->find_first_of(":;", start);
    std::string folder = value->substr(start, end == std::string::npos ? std::string::npos : end - start);
    while (folder.size() > 1 && folder.back() == '/')
      folder.pop_back();
    if (!folder.empty()) folders.push_back(folder);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return folders;
}

// The path to load: the current folder's file, a DLLPATH folder's file, or the bare name.
std::string LibraryPath() {
  if (FileExists(kEngineLibraryName)) return CurrentFolder() + "/" + kEngineLibraryName;
  for (const std::string& folder : RegistryFolders()) {
    const std::string path = folder + "/" + kEngineLibraryName;
    if (FileExists(path)) return path;
  }
  return kEngineLibraryName;
}

// Takes the library's handle: locates and loads it and runs its LIBINITFUNCTION.
EngResult TakeLibrary() {
  if (Library) return ENG_OK;
  TLibraryFailure failure = TLibraryFailure::None;
  std::unique_ptr<TSharedLibrary> library;
  try {
    library = TSharedLibrary::Load(LibraryPath(), failure);
  } catch (const std::bad_alloc&) {
    return ENG_ERR_NO_MEMORY;
  }
  if (!library) return StatusOf(failure);
  auto* init = reinterpret_cast<decltype(&::LIBINITFUNCTION)>(library->Symbol("LIBINITFUNCTION"));
  if (init == nullptr) return ENG_ERR_NO_SUCH_ENTRY;
  const EngResult status = init();
  if (ENG_STATUS(status) != ENG_OK) return status;
  Library = std::move(library);
  return ENG_OK;
}

// Calls the loaded library's EngineInit with version 500 and a record that is zero but for the
// language of the engine's texts.
EngResult InitEngine() {
  auto* init = reinterpret_cast<decltype(&::EngineInit)>(Library->Symbol("EngineInit"));
  if (init == nullptr) return ENG_ERR_NO_SUCH_ENTRY;
  EngEnv env;
  std::memset(&env, 0, sizeof env);
  std::memcpy(env.language, "0009", 4);
  return init(ENG_VERSION, &env);
}

void FreeLibrary() {
  DbEngine = kResolvers;
  Library.reset();
}

EngResult ResolveEntry(size_t Index, void*& Address) {
  std::recursive_mutex* lock = LoaderLock();
  if (lock == nullptr) return ENG_ERR_NOT_AVAILABLE;
  std::lock_guard<std::recursive_mutex> guard(*lock);
  if (TakeLibrary() != ENG_OK) return ENG_ERR_LIB_NOT_LOADABLE;
  Address = Library->Symbol(kEntryNames[Index]);
  if (Address == nullptr) return ENG_ERR_NO_SUCH_ENTRY;
  Patch(Index, Address);
  return ENG_OK;
}

// The library's own address of an entry, for the warm-up, which must not patch DbEngine: the
// program's thread may read it meanwhile.
template <class F>
F* LibraryEntry(const char* Name) {
  return reinterpret_cast<F*>(Library->Symbol(Name));
}

// Opens Table of the database Alias with Password in a session of its own and closes it again:
// the engine keeps the keyed connection for a few seconds, so the program's own open of the
// table derives no key. Runs under the loader's lock with the engine started.
bool OpenAndCloseTable(const std::string& Alias, const std::string& Table, const std::string& Password) {
  auto* startSession = LibraryEntry<decltype(::EngStartSession)>("EngStartSession");
  auto* closeSession = LibraryEntry<decltype(::EngCloseSession)>("EngCloseSession");
  auto* openDatabase = LibraryEntry<decltype(::EngOpenDatabase)>("EngOpenDatabase");
  auto* closeDatabase = LibraryEntry<decltype(::EngCloseDatabase)>("EngCloseDatabase");
  auto* setProperty = LibraryEntry<decltype(::EngSetProperty)>("EngSetProperty");
  auto* openTable = LibraryEntry<decltype(::EngOpenTable)>("EngOpenTable");
  auto* closeCursor = LibraryEntry<decltype(::EngCloseCursor)>("EngCloseCursor");
  if (!startSession || !closeSession || !openDatabase || !closeDatabase || !setProperty || !openTable ||
      !closeCursor)
    return false;
  EngHandle session = 0;
  if (startSession("warm-up", Password.c_str(), &session) != ENG_OK) return false;
  bool opened = false;
  EngHandle database = 0;
  if (openDatabase(Alias.c_str(), nullptr, ENG_OPEN_READWRITE, ENG_SHARE_SHARED, "", &database) == ENG_OK) {
    // The database settings a table of the program opens with, so that the kept connection is the
    // one its open asks for.
    setProperty(database, ENG_DBPROP_OPTIONAL_EXTENSION, 1);
    setProperty(database, ENG_DBPROP_NAMES_IGNORE_CASE, 1);
    setProperty(database, ENG_DBPROP_WAIT_ON_LOCK, 1);
    for (uint32_t mode : {ENG_OPEN_READWRITE, ENG_OPEN_READONLY}) {
      EngHandle cursor = 0;
      const EngResult status = openTable(database, Table.c_str(), "", "", "", 0, mode, ENG_SHARE_SHARED,
                                         ENG_XLT_RECORD, 0, nullptr, &cursor);
      if (status == ENG_OK) {
        closeCursor(cursor);
        opened = true;
      }
      if (ENG_STATUS(status) != ENG_ERR_READ_ONLY) break;
    }
    closeDatabase(database);
  }
  closeSession(session);
  return opened;
}

// The warm-up's work: takes the loader's lock before anything else, starts the engine and keeps
// the use for the first EngineStart; on any failure gives the use back and leaves no trace but a
// loaded library, which the real start uses or reports as it always does.
void WarmUp(const std::string& Alias, const std::string& Table, const std::string& Password) {
  std::recursive_mutex* lock = LoaderLock();
  if (lock == nullptr) return;
  std::lock_guard<std::recursive_mutex> guard(*lock);
  // The program got there first: it needs no warm-up, and its engine calls must not meet ours.
  if (Uses > 0 || WarmUse) return;
  if (TakeLibrary() != ENG_OK) return;
  const uint16_t started = ENG_STATUS(InitEngine());
  if (started != ENG_OK) {
    if (started == ENG_ALREADY_STARTED) {
      if (auto* exit = LibraryEntry<decltype(::EngineExit)>("EngineExit")) exit();
    }
    return;
  }
  ++Uses;
  if (OpenAndCloseTable(Alias, Table, Password)) {
    WarmUse = true;
    return;
  }
  if (auto* exit = LibraryEntry<decltype(::EngineExit)>("EngineExit")) exit();
  --Uses;
}

}  // namespace

TEngineEntries DbEngine = kResolvers;

const char* EngineEntryName(size_t Index) {
  return Index < kEntryNames.size() ? kEntryNames[Index] : "";
}

EngResult EngineStart() {
  std::recursive_mutex* lock = LoaderLock();
  if (lock == nullptr) return ENG_ERR_NOT_AVAILABLE;
  std::lock_guard<std::recursive_mutex> guard(*lock);
  const EngResult taken = TakeLibrary();
  if (taken != ENG_OK) return taken;
  if (WarmUse) {
    // The warm-up started the engine for this very call.
    WarmUse = false;
    return ENG_OK;
  }
  const EngResult status = InitEngine();
  const uint16_t code = ENG_STATUS(status);
  if (code == ENG_OK || code == ENG_ALREADY_STARTED) {
    ++Uses;
  } else if (Uses == 0) {
    FreeLibrary();
  }
  return status;
}

EngResult EngineStop() {
  std::recursive_mutex* lock = LoaderLock();
  if (lock == nullptr) return ENG_ERR_NOT_AVAILABLE;
  std::lock_guard<std::recursive_mutex> guard(*lock);
  if (!Library || Uses == 0) return ENG_ERR_NOT_STARTED;
  auto* exit = reinterpret_cast<decltype(&::EngineExit)>(Library->Symbol("EngineExit"));
  if (exit == nullptr) return ENG_ERR_NO_SUCH_ENTRY;
  const EngResult status = exit();
  if (--Uses == 0) FreeLibrary();
  return status;
}

int EngineUseCount() {
  std::recursive_mutex* lock = LoaderLock();
  if (lock == nullptr) return 0;
  std::lock_guard<std::recursive_mutex> guard(*lock);
  return Uses;
}

bool EngineLibraryLoaded() {
  return !EngineLibraryPath().empty();
}

std::string EngineLibraryPath() {
  std::recursive_mutex* lock = LoaderLock();
  if (lock == nullptr) return {};
  std::lock_guard<std::recursive_mutex> guard(*lock);
  return Library ? Library->Path() : std::string();
}

EngResult ResolveEngineEntries() {
  for (size_t i = 0; i < kEngineEntryCount; ++i) {
    void* address = nullptr;
    const EngResult status = ResolveEntry(i, address);
    if (status != ENG_OK) return status;
  }
  return ENG_OK;
}

TEngineWarmUp::TEngineWarmUp(std::string Alias, std::string Table, std::string Password) {
  try {
    Thread_ = std::thread([alias = std::move(Alias), table = std::move(Table),
                           password = std::move(Password)] { WarmUp(alias, table, password); });
  } catch (const std::system_error&) {
    // No thread: the program starts as it would without a warm-up.
  }
}

void TEngineWarmUp::Wait() {
  if (Thread_.joinable()) Thread_.join();
}

TEngineWarmUp::~TEngineWarmUp() {
  Wait();
  std::recursive_mutex* lock = LoaderLock();
  if (lock == nullptr) return;
  std::lock_guard<std::recursive_mutex> guard(*lock);
  if (WarmUse) {
    // Nothing took the use over: give it back.
    WarmUse = false;
    if (auto* exit = LibraryEntry<decltype(::EngineExit)>("EngineExit")) exit();
    --Uses;
  }
  if (Uses == 0 && Library) FreeLibrary();
}
