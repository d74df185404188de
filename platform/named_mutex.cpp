#include "platform/named_mutex.h"

#include <fcntl.h>
#include <semaphore.h>

#include <cerrno>

TNamedMutex::TNamedMutex(const std::string& Name) {
  const std::string name = "/" + Name;
  sem_t* sem = ::sem_open(name.c_str(), O_CREAT, 0600, 1);
  if (sem != SEM_FAILED) Sem_ = sem;
}

TNamedMutex::~TNamedMutex() {
  if (Sem_ != nullptr) ::sem_close(static_cast<sem_t*>(Sem_));
}

bool TNamedMutex::Lock() {
  if (Sem_ == nullptr) return false;
  while (::sem_wait(static_cast<sem_t*>(Sem_)) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

void TNamedMutex::Unlock() {
  if (Sem_ != nullptr) ::sem_post(static_cast<sem_t*>(Sem_));
}

void TNamedMutex::Remove(const std::string& Name) {
  ::sem_unlink(("/" + Name).c_str());
}
