#pragma once
// End-to-end helpers: the real program started on a private Xvfb display (xvfb.h), and
// the X requests a window manager or a person would send.

#include <sys/types.h>

#include <string>
#include <vector>

#include "xvfb.h"

class TProcess {
 public:
  // Starts Program in Dir with the current environment plus Env ("NAME=value"; an empty
  // value removes the variable) and the arguments Args.
  TProcess(const std::string& Program, const std::string& Dir, const std::vector<std::string>& Env,
           const std::vector<std::string>& Args = {});
  ~TProcess();
  // Waits up to Seconds for the process to end; its exit code, or -1 when it did not end
  // (or ended by a signal).
  int Wait(double Seconds);
  bool Running();
  pid_t Pid() const { return Pid_; }

 private:
  pid_t Pid_ = -1;
  int Status_ = -1;
  bool Ended_ = false;
};

// Runs a shell command; its standard output (trimmed), and false in Ok when it failed.
std::string RunShell(const std::string& Command, bool* Ok = nullptr);

// Asks the window to close the way a window manager's close button does (WM_DELETE_WINDOW).
bool RequestClose(const std::string& Display, unsigned long Window);
