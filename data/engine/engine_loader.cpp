#include "data/engine/engine_loader.h"

#include <unistd.h>

#include <array>
#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>

#include "data/engine/engine_entries.h"
#include "platform/library.h"
#include "platform/named_mutex.h"
#include "platform/registry.h"

namespace {

enum TEntryIndex : size_t {
#define BREVANT_ENGINE_INDEX(Name) ei##Name,
  BREVANT_ENGINE_ENTRIES(BREVANT_ENGINE_INDEX)
#undef BREVANT_ENGINE_INDEX
};

constexpr std::array<const char*, kEngineEntryCount> kEntryNames = {
#define BREVANT_ENGINE_NAME(Name) #Name,
    BREVANT_ENGINE_ENTRIES(BREVANT_ENGINE_NAME)
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
    BREVANT_ENGINE_ENTRIES(BREVANT_ENGINE_RESOLVER)
#undef BREVANT_ENGINE_RESOLVER
};

void Patch(size_t Index, void* Address) {
  switch (Index) {
#define BREVANT_ENGINE_PATCH(Name)                                      \
  case ei##Name:                                                        \
    DbEngine.Name = reinterpret_cast<decltype(DbEngine.Name)>(Address); \
    break;
    BREVANT_ENGINE_ENTRIES(BREVANT_ENGINE_PATCH)
#undef BREVANT_ENGINE_PATCH
    default:
      break;
  }
}

// The loader's state; only touched under the loader's lock.
std::unique_ptr<TSharedLibrary> Library;
int Uses = 0;

// The loader's lock, made once under the machine-wide named mutex so that two threads
// starting at the same moment agree on one. It lives until the process ends.
std::recursive_mutex* LoaderLock() {
  static std::atomic<std::recursive_mutex*> made{nullptr};
  std::recursive_mutex* lock = made.load(std::memory_order_acquire);
  if (lock != nullptr) return lock;
  TNamedMutex named("ENGLDRMUX");
  if (!named.Lock()) return nullptr;
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
      return kStatusLibraryNotFound;
    case TLibraryFailure::NoMemory:
      return kStatusNoMemory;
    case TLibraryFailure::Other:
      break;
  }
  return kStatusLibraryLoadFailed;
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
    return kStatusNoMemory;
  }
  if (!library) return StatusOf(failure);
  auto* init = reinterpret_cast<decltype(&::LIBINITFUNCTION)>(library->Symbol("LIBINITFUNCTION"));
  if (init == nullptr) return kStatusNoSuchEntry;
  const EngResult status = init();
  if (ENG_STATUS(status) != ENG_OK) return status;
  Library = std::move(library);
  return ENG_OK;
}

void FreeLibrary() {
  DbEngine = kResolvers;
  Library.reset();
}

EngResult ResolveEntry(size_t Index, void*& Address) {
  std::recursive_mutex* lock = LoaderLock();
  if (lock == nullptr) return kStatusNoLock;
  std::lock_guard<std::recursive_mutex> guard(*lock);
  if (TakeLibrary() != ENG_OK) return kStatusLibraryNotLoadable;
  Address = Library->Symbol(kEntryNames[Index]);
  if (Address == nullptr) return kStatusNoSuchEntry;
  Patch(Index, Address);
  return ENG_OK;
}

}  // namespace

TEngineEntries DbEngine = kResolvers;

const char* EngineEntryName(size_t Index) {
  return Index < kEntryNames.size() ? kEntryNames[Index] : "";
}

EngResult EngineStart() {
  std::recursive_mutex* lock = LoaderLock();
  if (lock == nullptr) return kStatusNoLock;
  std::lock_guard<std::recursive_mutex> guard(*lock);
  const EngResult taken = TakeLibrary();
  if (taken != ENG_OK) return taken;
  auto* init = reinterpret_cast<decltype(&::EngineInit)>(Library->Symbol("EngineInit"));
  if (init == nullptr) return kStatusNoSuchEntry;
  // The record is zero but for the language of the engine's texts.
  EngEnv env;
  std::memset(&env, 0, sizeof env);
  std::memcpy(env.language, "0009", 4);
  const EngResult status = init(ENG_VERSION, &env);
  const uint16_t code = ENG_STATUS(status);
  if (code == ENG_OK || code == kStatusAlreadyStarted) {
    ++Uses;
  } else if (Uses == 0) {
    FreeLibrary();
  }
  return status;
}

EngResult EngineStop() {
  std::recursive_mutex* lock = LoaderLock();
  if (lock == nullptr) return kStatusNoLock;
  std::lock_guard<std::recursive_mutex> guard(*lock);
  if (!Library || Uses == 0) return ENG_ERR_NOT_STARTED;
  auto* exit = reinterpret_cast<decltype(&::EngineExit)>(Library->Symbol("EngineExit"));
  if (exit == nullptr) return kStatusNoSuchEntry;
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
