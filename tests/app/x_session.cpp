#include "x_session.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <thread>

extern char** environ;

TProcess::TProcess(const std::string& Program, const std::string& Dir, const std::vector<std::string>& Env,
                   const std::vector<std::string>& Args) {
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    bool replaced = false;
    for (const std::string& mine : Env) {
      if (entry.compare(0, mine.find('=') + 1, mine, 0, mine.find('=') + 1) == 0) replaced = true;
    }
    if (!replaced) env.push_back(entry);
  }
  for (const std::string& mine : Env) {
    if (mine.back() != '=') env.push_back(mine);
  }
  std::vector<char*> envp;
  for (std::string& e : env)
    envp.push_back(e.data());
  envp.push_back(nullptr);
  Pid_ = fork();
  if (Pid_ < 0) throw std::runtime_error("fork failed");
  if (Pid_ == 0) {
    if (chdir(Dir.c_str()) != 0) _exit(126);
    std::vector<char*> argv{const_cast<char*>(Program.c_str())};
    for (const std::string& arg : Args)
      argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execve(Program.c_str(), argv.data(), envp.data());
    _exit(127);
  }
}

TProcess::~TProcess() {
  if (Running()) {
    kill(Pid_, SIGKILL);
    waitpid(Pid_, nullptr, 0);
  }
}

bool TProcess::Running() {
  if (Ended_ || Pid_ <= 0) return false;
  if (waitpid(Pid_, &Status_, WNOHANG) == Pid_) Ended_ = true;
  return !Ended_;
}

int TProcess::Wait(double Seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(Seconds);
  while (Running() && std::chrono::steady_clock::now() < end)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  if (!Ended_) return -1;
  return WIFEXITED(Status_) ? WEXITSTATUS(Status_) : -1;
}

std::string RunShell(const std::string& Command, bool* Ok) {
  std::string out;
  FILE* p = popen(Command.c_str(), "r");
  if (p == nullptr) {
    if (Ok != nullptr) *Ok = false;
    return out;
  }
  std::array<char, 4096> buf;
  size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), p)) > 0)
    out.append(buf.data(), n);
  const int status = pclose(p);
  if (Ok != nullptr) *Ok = status == 0;
  while (!out.empty() && (out.back() == '\n' || out.back() == ' '))
    out.pop_back();
  return out;
}

bool RequestClose(const std::string& Display, unsigned long Window) {
  ::Display* d = XOpenDisplay(Display.c_str());
  if (d == nullptr) return false;
  XEvent e;
  std::memset(&e, 0, sizeof e);
  e.xclient.type = ClientMessage;
  e.xclient.window = Window;
  e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
  e.xclient.data.l[1] = CurrentTime;
  const Status sent = XSendEvent(d, Window, False, NoEventMask, &e);
  XFlush(d);
  XCloseDisplay(d);
  return sent != 0;
}
