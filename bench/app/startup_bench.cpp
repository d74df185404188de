// Start-up benchmark: time from starting a process to the first paint of its main
// window, for the game and for a bare Qt window, run alternately in the same session.
//
//   startup_bench GAME BARE [RUNS]
//
// Each program is started with BREVANT_REPORT_FIRST_PAINT set; it prints the monotonic
// clock at its first paint and ends. Prints the median of each and their ratio, then for the
// game the median time from the start to each stage it reports on the way
// (BREVANT_REPORT_STARTUP: "stage <name> <nanoseconds>").

#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "bench_stats.h"

namespace {

long long Now() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

// Milliseconds from the start to each stage, in the order they were first seen.
struct TStages {
  std::vector<std::string> Order;
  std::map<std::string, std::vector<double>> Times;
};

// Milliseconds from fork to the reported first paint, or a negative value on failure; the
// stages on the way go into Stages when given.
double TimeOnce(const std::string& Program, TStages* Stages = nullptr) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  const long long start = Now();
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(fds[1], STDOUT_FILENO);
    if (FILE* quiet = std::freopen("/dev/null", "w", stderr); quiet == nullptr) _exit(125);
    close(fds[0]);
    close(fds[1]);
    setenv("BREVANT_REPORT_FIRST_PAINT", "1", 1);
    setenv("BREVANT_REPORT_STARTUP", "1", 1);
    const std::string dir = Program.substr(0, Program.rfind('/') + 1);
    if (!dir.empty() && chdir(dir.c_str()) != 0) _exit(126);
    execl(Program.c_str(), Program.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  std::string out;
  char buf[256];
  ssize_t n;
  while ((n = read(fds[0], buf, sizeof buf)) > 0)
    out.append(buf, static_cast<size_t>(n));
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  const size_t at = out.find("first-paint ");
  if (at == std::string::npos) return -1;
  const long long painted = std::atoll(out.c_str() + at + 12);
  std::istringstream lines(out);
  std::string word, name;
  long long when = 0;
  while (Stages != nullptr && lines >> word) {
    if (word != "stage" || !(lines >> name >> when)) continue;
    if (Stages->Times.count(name) == 0) Stages->Order.push_back(name);
    Stages->Times[name].push_back(static_cast<double>(when - start) / 1e6);
  }
  return static_cast<double>(painted - start) / 1e6;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: startup_bench GAME BARE [RUNS]\n");
    return 2;
  }
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 11;
  std::vector<double> game, bare;
  TStages stages;
  TimeOnce(argv[1]);  // warm the file cache for both
  TimeOnce(argv[2]);
  for (int i = 0; i < runs; ++i) {
    const double g = TimeOnce(argv[1], &stages);
    const double b = TimeOnce(argv[2]);
    if (g < 0 || b < 0) {
      std::fprintf(stderr, "a run reported no first paint\n");
      return 1;
    }
    game.push_back(g);
    bare.push_back(b);
  }
  const double mg = Median(game), mb = Median(bare);
  std::printf("start to first paint, median of %d runs\n", runs);
  std::printf("  brevant main window: %8.1f ms\n", mg);
  std::printf("  bare Qt window:      %8.1f ms\n", mb);
  std::printf("  ratio:               %8.2f\n", mg / mb);
  if (!stages.Order.empty()) std::printf("brevant's stages, median time from the start\n");
  for (const std::string& name : stages.Order)
    std::printf("  %-20s %8.1f ms\n", name.c_str(), Median(stages.Times[name]));
  return 0;
}
