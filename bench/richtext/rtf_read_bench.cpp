// Reading speed and memory of the RTF reader on a generated 5 MB document with varied formatting, beside
// `unrtf --text` on the same file in the same run.
//
//   build/bin/rtf_read_bench
//
// Counters: MB/s (bytes_per_second), heap_peak_per_input_MB (the largest amount of heap the reader held
// at once, document included, per MB of input), model_per_input_MB (what the finished document keeps),
// and for unrtf its peak resident set in MB.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <stdexcept>

#include "rtf_bench_document.h"
#include "rtf_reader.h"

extern char** environ;

namespace {

std::atomic<long long> liveBytes{0};
std::atomic<long long> peakBytes{0};

void Track(void* p, bool allocated) {
  const auto size = static_cast<long long>(malloc_usable_size(p));
  const long long now = allocated ? liveBytes += size : liveBytes -= size;
  long long peak = peakBytes;
  while (now > peak && !peakBytes.compare_exchange_weak(peak, now)) {
  }
}

}  // namespace

// The heap is counted through the global allocation functions.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  void* p = std::malloc(size ? size : 1);
  if (!p) throw std::bad_alloc();
  Track(p, true);
  return p;
}
void operator delete(void* p) noexcept {
  if (!p) return;
  Track(p, false);
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  operator delete(p);
}
#pragma GCC diagnostic pop

namespace {

constexpr std::size_t kDocumentBytes = 5u << 20;
constexpr double kMB = 1024.0 * 1024.0;

const std::string& Document() {
  static const std::string document = GenerateBenchDocument(kDocumentBytes);
  return document;
}

// A private temporary folder for the document and for what unrtf writes beside it (it saves
// every picture of the document into its current folder); removed when the benchmark ends.
const std::string& ScratchFolder() {
  static const std::string folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "brevant_rtf_bench_XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary folder");
    return pattern;
  }();
  return folder;
}

const std::string& DocumentFile() {
  static const std::string path = [] {
    const std::string p = ScratchFolder() + "/document.rtf";
    std::ofstream(p, std::ios::binary) << Document();
    return p;
  }();
  return path;
}

void BM_ReadRtf(benchmark::State& state) {
  const std::string& rtf = Document();
  double heapPeak = 0, model = 0;
  for (auto _ : state) {
    const long long before = liveBytes;
    peakBytes = before;
    TRtfReadResult result = ReadRtf(rtf);
    heapPeak = static_cast<double>(peakBytes - before);
    model = static_cast<double>(liveBytes - before);
    benchmark::DoNotOptimize(result);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * rtf.size()));
  const double inputMB = static_cast<double>(rtf.size()) / kMB;
  state.counters["heap_peak_per_input_MB"] = benchmark::Counter(heapPeak / kMB / inputMB);
  state.counters["model_per_input_MB"] = benchmark::Counter(model / kMB / inputMB);
  state.counters["input_MB"] = benchmark::Counter(inputMB);
}
BENCHMARK(BM_ReadRtf)->Unit(benchmark::kMillisecond)->UseRealTime();

// unrtf as a separate process on the same document, output thrown away.
void BM_UnrtfText(benchmark::State& state) {
  const std::string& path = DocumentFile();
  double maxRss = 0;
  for (auto _ : state) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addchdir_np(&actions, ScratchFolder().c_str());
    char program[] = "unrtf";
    char option[] = "--text";
    std::string file = path;
    char* argv[] = {program, option, file.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, "unrtf", &actions, nullptr, argv, environ) != 0) {
      posix_spawn_file_actions_destroy(&actions);
      state.SkipWithError("unrtf is not installed (scripts/setup-debian.sh installs it)");
      return;
    }
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("unrtf failed");
      return;
    }
    maxRss = static_cast<double>(usage.ru_maxrss) / 1024.0;
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Document().size()));
  state.counters["peak_rss_MB"] = benchmark::Counter(maxRss);
}
BENCHMARK(BM_UnrtfText)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ignored;
  std::filesystem::remove_all(ScratchFolder(), ignored);
  return 0;
}
