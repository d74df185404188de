#include "platform/named_mutex.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

// A folder only this user can reach: owned by them, no rights for anyone else, not a link.
bool IsPrivateFolder(const std::string& Folder, std::string* Why) {
  struct stat info {};
  if (::lstat(Folder.c_str(), &info) != 0) {
    if (Why != nullptr) *Why = Folder + ": " + std::strerror(errno);
    return false;
  }
  if (!S_ISDIR(info.st_mode) || info.st_uid != ::geteuid() || (info.st_mode & 077) != 0) {
    if (Why != nullptr) *Why = Folder + " is not a private folder of this user";
    return false;
  }
  return true;
}

std::string LockFile(const std::string& Name, std::string* Why) {
  const std::string folder = TNamedMutex::Folder(Why);
  return folder.empty() ? std::string() : folder + "/" + Name + ".lock";
}

}  // namespace

std::string TNamedMutex::Folder(std::string* Why) {
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && runtime[0] == '/') {
    if (IsPrivateFolder(runtime, nullptr)) return runtime;
  }
  // Always /tmp, whatever TMPDIR says, so that all of the user's processes agree on one place.
  const std::string folder = "/tmp/brevant-" + std::to_string(::geteuid());
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    if (Why != nullptr) *Why = folder + ": " + std::strerror(errno);
    return {};
  }
  return IsPrivateFolder(folder, Why) ? folder : std::string();
}

TNamedMutex::TNamedMutex(const std::string& Name) {
  Path_ = LockFile(Name, &Error_);
  if (Path_.empty()) return;
  Fd_ = ::open(Path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (Fd_ < 0) Error_ = Path_ + ": " + std::strerror(errno);
}

TNamedMutex::~TNamedMutex() {
  if (Fd_ >= 0) ::close(Fd_);  // closing gives the lock back
}

bool TNamedMutex::Lock(std::chrono::milliseconds Wait) {
  if (Fd_ < 0) return false;
  const auto deadline = std::chrono::steady_clock::now() + Wait;
  auto pause = std::chrono::milliseconds(1);
  for (;;) {
    if (::flock(Fd_, LOCK_EX | LOCK_NB) == 0) {
      Held_ = true;
      return true;
    }
    if (errno == EINTR) continue;
    if (errno != EWOULDBLOCK) {
      Error_ = Path_ + ": " + std::strerror(errno);
      return false;
    }
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) {
      Error_ = "Another process has held " + Path_ + " for more than " +
               std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(Wait).count()) + " ms";
      return false;
    }
    std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
    pause = std::min(pause * 2, std::chrono::milliseconds(50));
  }
}

void TNamedMutex::Unlock() {
  if (Fd_ < 0 || !Held_) return;
  Held_ = false;
  ::flock(Fd_, LOCK_UN);
}

void TNamedMutex::Remove(const std::string& Name) {
  const std::string path = LockFile(Name, nullptr);
  if (!path.empty()) ::unlink(path.c_str());
}
