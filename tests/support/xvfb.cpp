#include "xvfb.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

TXvfb::TXvfb() {
  int fds[2];
  if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
  Pid_ = fork();
  if (Pid_ < 0) throw std::runtime_error("fork failed");
  if (Pid_ == 0) {
    close(fds[0]);
    const int devnull = open("/dev/null", O_WRONLY);
    if (devnull >= 0) dup2(devnull, STDERR_FILENO);
    const std::string fd = std::to_string(fds[1]);
    // -noreset: the server keeps its state (the keyboard's locks among it) while no
    // client is connected, between one command of a test and the next.
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
           "-noreset", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  std::string number;
  char c;
  while (read(fds[0], &c, 1) == 1 && c != '\n')
    number += c;
  close(fds[0]);
  if (number.empty()) throw std::runtime_error("Xvfb did not report a display");
  Display_ = ":" + number;
}

TXvfb::~TXvfb() {
  if (Pid_ > 0) {
    kill(Pid_, SIGTERM);
    waitpid(Pid_, nullptr, 0);
  }
}
