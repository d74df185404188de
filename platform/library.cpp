#include "platform/library.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>

bool FileExists(const std::string& Path) {
  struct stat st {};
  return ::stat(Path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string ProgramFolder() {
  std::error_code ec;
  const auto program = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : program.parent_path().string();
}

std::unique_ptr<TSharedLibrary> TSharedLibrary::Load(const std::string& Path, TLibraryFailure& Failure,
                                                     std::string* Error) {
  Failure = TLibraryFailure::None;
  void* handle = ::dlopen(Path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle != nullptr) return std::unique_ptr<TSharedLibrary>(new TSharedLibrary(handle, Path));
  // A bare name is also looked for beside the program, as the program's own search path
  // ($ORIGIN) would find it: that path is lost when a runtime that wraps dlopen (a
  // sanitizer's) makes the call on the program's behalf.
  if (Path.find('/') == std::string::npos) {
    const std::string beside = ProgramFolder() + "/" + Path;
    if (FileExists(beside)) return Load(beside, Failure, Error);
  }
  const char* text = ::dlerror();
  const std::string message = text != nullptr ? text : "";
  if (Error != nullptr) *Error = message;
  // The loader reports only text; a path with a slash that names no file, or a bare name
  // the search did not find, is "not found"; anything else (a broken or foreign file,
  // missing dependencies) is another failure.
  const bool hasSlash = Path.find('/') != std::string::npos;
  if ((hasSlash && !FileExists(Path)) ||
      (!hasSlash && message.find("No such file or directory") != std::string::npos)) {
    Failure = TLibraryFailure::NotFound;
  } else if (message.find("Cannot allocate memory") != std::string::npos) {
    Failure = TLibraryFailure::NoMemory;
  } else {
    Failure = TLibraryFailure::Other;
  }
  return nullptr;
}

TSharedLibrary::~TSharedLibrary() {
  if (Handle_ != nullptr) ::dlclose(Handle_);
}

void* TSharedLibrary::Symbol(const char* Name) const {
  return ::dlsym(Handle_, Name);
}
