// GoNext through a million rows of an in-memory dataset with a one-row window and the game's
// four links (three field links, a navigator's link), beside the bare fetch of the same rows
// through the dataset's own FetchRow. The data layer's cost per move must stay within three
// times the bare fetch; the program prints the ratio and fails when it does not.
//
//   build/bin/data_bench [--benchmark_repetitions=3 ...]

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

#include "data/fields/field.h"
#include "data/links/data_source.h"
#include "data/links/field_data_link.h"
#include "data/links/nav_data_link.h"
#include "data/memory_dataset/memory_dataset.h"

#include "allocation_counter.h"

namespace {

constexpr int kRows = 1'000'000;
constexpr double kLimit = 3.0;

// Opens up what the bare fetch needs.
class TBenchDataSet : public TMemoryDataSet {
 public:
  using TMemoryDataSet::BufferCount;
  using TMemoryDataSet::CoreToStart;
  using TMemoryDataSet::DisposeRowBuffer;
  using TMemoryDataSet::FetchRow;
  using TMemoryDataSet::NewRowBuffer;
  using TMemoryDataSet::TMemoryDataSet;
};

// The navigator's side: reads what its buttons depend on.
class TBenchNavigator : public TNavigatorView {
 public:
  explicit TBenchNavigator(TDataSet* DataSet) : DataSet(DataSet) {}
  void RefreshAllButtons() override { ++Refreshes; }
  void RefreshMoveButtons() override { Refreshes += DataSet->AtStart() + DataSet->AtEnd() + 1; }
  void RefreshEditButtons() override { ++Refreshes; }
  TDataSet* DataSet;
  long long Refreshes = 0;
};

long ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return 0;
}

struct TQuizSetup {
  TComponent Form{nullptr};
  TBenchDataSet* Query = nullptr;
  TDataSource* Source = nullptr;
  TFieldDataLink Links[3];
  TBenchNavigator* Navigator = nullptr;
  TNavDataLink* NavLink = nullptr;
  long long DataChanges = 0;
  long StorageKilobytes = 0;

  TQuizSetup() {
    Query = new TBenchDataSet(&Form);
    Query->SetName("Query1");
    TMemoryTable& table = Query->Table();
    table.AddColumn({"Order", ftString, 5, {}});
    table.AddColumn({"QuizName", ftString, 20, {}});
    table.AddColumn({"Question", ftBlob, 1, {}});
    table.AddColumn({"Answer", ftBlob, 1, {}});
    table.AddColumn({"Hint", ftBlob, 1, {}});
    table.AddColumn({"AnswerTx", ftString, 1, {}});
    table.AddColumn({"Encourage", ftBlob, 1, {}});
    table.AddColumn({"Riff", ftBlob, 1, {}});
    table.AddColumn({"UserAnswer", ftString, 1, {}});
    const long before = ResidentKilobytes();
    table.Records().reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
      const std::string n = std::to_string(i % 100000);
      table.AddRow({n, "Classic TV 2", "q" + n, "a" + n, "h" + n,
                    std::string(1, static_cast<char>('A' + i % 4)), "e" + n, "r" + n, std::nullopt});
    }
    StorageKilobytes = ResidentKilobytes() - before;

    Source = new TDataSource(&Form);
    Source->SetDataSet(Query);
    Navigator = new TBenchNavigator(Query);
    NavLink = new TNavDataLink(Navigator);
    NavLink->SetDataSource(Source);
    const char* fields[3] = {"Question", "Hint", "Riff"};
    for (int i = 0; i < 3; ++i) {
      Links[i].SetDataSource(Source);
      Links[i].SetFieldName(fields[i]);
      Links[i].OnDataChange = [this, i](TObject*) { DataChanges += Links[i].Field() != nullptr ? 1 : 0; };
    }
    Query->SetActive(true);
  }
  ~TQuizSetup() {
    delete NavLink;
    delete Navigator;
  }
};

TQuizSetup& Setup() {
  static TQuizSetup setup;
  return setup;
}

void BM_BareFetch(benchmark::State& State) {
  TQuizSetup& s = Setup();
  TRowBuffer buffer = s.Query->NewRowBuffer();
  long long rows = 0;
  long long allocations = 0;
  for (auto _ : State) {
    s.Query->CoreToStart();
    const long long before = AllocationCount();
    while (s.Query->FetchRow(buffer, fmNext, true) == frOK)
      ++rows;
    allocations += AllocationCount() - before;
  }
  s.Query->DisposeRowBuffer(buffer);
  State.SetItemsProcessed(rows);
  State.counters["ns_per_row"] = benchmark::Counter(
      static_cast<double>(rows), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  State.counters["allocs_per_row"] = static_cast<double>(allocations) / static_cast<double>(rows);
}

void BM_GoNext(benchmark::State& State) {
  TQuizSetup& s = Setup();
  long long moves = 0;
  long long allocations = 0;
  for (auto _ : State) {
    State.PauseTiming();
    s.Query->GoFirst();
    State.ResumeTiming();
    const long long before = AllocationCount();
    while (s.Query->GoNext() == 1)
      ++moves;
    allocations += AllocationCount() - before;
  }
  if (s.Query->FieldNamed("Order")->AsText() != "99999") State.SkipWithError("did not reach the last row");
  State.SetItemsProcessed(moves);
  State.counters["ns_per_row"] = benchmark::Counter(
      static_cast<double>(moves), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  State.counters["allocs_per_row"] = static_cast<double>(allocations) / static_cast<double>(moves);
  State.counters["row_buffers"] = s.Query->BufferCount();
  State.counters["window_size"] = s.Query->WindowSize();
  State.counters["storage_MiB"] = static_cast<double>(s.StorageKilobytes) / 1024.0;
  State.counters["links_called"] = static_cast<double>(s.DataChanges + s.Navigator->Refreshes > 0);
}

BENCHMARK(BM_BareFetch)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_GoNext)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Keeps the time per row of each benchmark for the ratio.
class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& Runs) override {
    ConsoleReporter::ReportRuns(Runs);
    for (const Run& run : Runs) {
      if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
      auto it = run.counters.find("ns_per_row");
      if (it == run.counters.end()) continue;
      double& best = Best[run.run_name.function_name];
      best = best == 0 ? it->second.value : std::min(best, it->second.value);
    }
  }
  std::map<std::string, double> Best;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double bare = reporter.Best["BM_BareFetch"];
  const double move = reporter.Best["BM_GoNext"];
  if (bare <= 0 || move <= 0) return 0;  // a filter left one out
  const double ratio = move / bare;
  std::printf("\nbare fetch %.1f ns/row, GoNext %.1f ns/row, ratio %.2f (limit %.1f)\n", bare * 1e9,
              move * 1e9, ratio, kLimit);
  return ratio <= kLimit ? 0 : 1;
}
