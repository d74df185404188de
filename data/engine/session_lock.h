#pragma once
// Holds a session's lock for the life of the object (EnterSession ... LeaveSession).

#include "data/engine/session.h"

class TSessionLock {
 public:
  explicit TSessionLock(TSession* Session) : Session_(Session) { Session_->EnterSession(); }
  ~TSessionLock() { Session_->LeaveSession(); }
  TSessionLock(const TSessionLock&) = delete;
  TSessionLock& operator=(const TSessionLock&) = delete;

 private:
  TSession* Session_;
};
