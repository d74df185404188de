#pragma once
// A private Xvfb display for tests that need a real X server (end-to-end runs, the
// keyboard's indicators): started on a free display number, stopped with the object. It
// keeps its state while no client is connected.

#include <sys/types.h>

#include <string>

class TXvfb {
 public:
  // Starts Xvfb on a free display number; throws std::runtime_error when it cannot.
  TXvfb();
  ~TXvfb();
  const std::string& Display() const { return Display_; }

 private:
  pid_t Pid_ = -1;
  std::string Display_;
};
