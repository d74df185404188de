#pragma once
// A mutex known by name to every thread and process of one user, for set-up steps that must
// run once: an advisory lock on a file in the user's runtime folder. The system releases the
// lock when its holder ends, however it ends, so a process killed while holding it blocks no
// one; and each user has a folder of their own, so one user's lock never stops another's.

#include <chrono>
#include <string>

class TNamedMutex {
 public:
  // How long Lock waits by default before it gives up with an error.
  static constexpr std::chrono::milliseconds kDefaultWait{5000};

  // Opens or creates the mutex; Valid() tells whether that worked (Error() says why not).
  explicit TNamedMutex(const std::string& Name);
  ~TNamedMutex();  // gives the lock back if it holds it
  TNamedMutex(const TNamedMutex&) = delete;
  TNamedMutex& operator=(const TNamedMutex&) = delete;

  bool Valid() const { return Fd_ >= 0; }
  // Waits at most Wait for the mutex; false when it is not valid or another holder kept it
  // for the whole wait (Error() then says so).
  bool Lock(std::chrono::milliseconds Wait = kDefaultWait);
  void Unlock();
  const std::string& Error() const { return Error_; }
  // The lock file.
  const std::string& Path() const { return Path_; }

  // Removes the name's lock file (a test's clean-up: never while others may use it).
  static void Remove(const std::string& Name);
  // The folder of this user's named mutexes: $XDG_RUNTIME_DIR when it is this user's private
  // folder, else "brevant-<uid>" in /tmp, made for the user alone; "" when neither can be used.
  static std::string Folder(std::string* Why = nullptr);

 private:
  int Fd_ = -1;
  bool Held_ = false;
  std::string Path_;
  std::string Error_;
};
