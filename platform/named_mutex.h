#pragma once
// A mutex known by name to every thread and process of the machine (a POSIX named
// semaphore), for set-up steps that must run once.

#include <string>

class TNamedMutex {
 public:
  // Opens or creates the mutex; Valid() tells whether that worked.
  explicit TNamedMutex(const std::string& Name);
  ~TNamedMutex();
  TNamedMutex(const TNamedMutex&) = delete;
  TNamedMutex& operator=(const TNamedMutex&) = delete;

  bool Valid() const { return Sem_ != nullptr; }
  // Waits for the mutex; false when it is not valid or waiting failed.
  bool Lock();
  void Unlock();

  // Removes the name from the system (the mutex lives on while it is open).
  static void Remove(const std::string& Name);

 private:
  void* Sem_ = nullptr;
};
