// GoNext through a million rows of an in-memory dataset with a one-row window and the game's
// four links (three field links, a navigator's link), beside the bare fetch of the same rows
// through the dataset's own FetchRow. The data layer's cost per move must stay within three
// times the bare fetch.
//
// BM_BareFetch and BM_GoNext give the two figures on their own. BM_Alternating measures
// the ratio: it walks the million rows in blocks of 100,000, each block once by bare fetch
// and once by GoNext, back to back, so that a machine whose speed drifts (other work,
// a busy host) slows both alike; the medians of the blocks' times per row give the ratio.
// The program prints it and fails when it is over the limit.
//
//   build/bin/data_bench

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "data/fields/field.h"
#include "data/links/data_source.h"
#include "data/links/field_data_link.h"
#include "data/links/nav_data_link.h"
#include "data/memory_dataset/memory_dataset.h"

#include "allocation_counter.h"
#include "bench_stats.h"
#include "ratio_reporter.h"

namespace {

constexpr int kRows = 1'000'000;
constexpr int kBlock = 100'000;
constexpr double kLimit = 3.0;

// Opens up what the bare fetch needs.
class TBenchDataSet : public TMemoryDataSet {
 public:
  using TMemoryDataSet::BufferCount;
  using TMemoryDataSet::CoreToBookmark;
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

void BM_Alternating(benchmark::State& State) {
  TQuizSetup& s = Setup();
  TRowBuffer buffer = s.Query->NewRowBuffer();
  std::vector<double> bare;
  std::vector<double> moves;
  for (auto _ : State) {
    for (int first = 0; first < kRows; first += kBlock) {
      // Rows first + 1 .. first + kBlock (row ids count from 1), once each way; which way
      // goes first alternates, so that neither always finds the rows warm.
      const int64_t before = first;
      TBookmarkBytes mark(sizeof before);
      std::memcpy(mark.data(), &before, sizeof before);
      auto fetchBlock = [&]() {
        if (first == 0) {
          s.Query->CoreToStart();
        } else {
          s.Query->CoreToBookmark(mark.data());
        }
        const double start = ThreadSeconds();
        for (int i = 0; i < kBlock; ++i)
          s.Query->FetchRow(buffer, fmNext, true);
        bare.push_back((ThreadSeconds() - start) / kBlock);
      };
      auto moveBlock = [&]() {
        if (first == 0) {
          s.Query->GoFirst();
        } else {
          s.Query->GoToBookmark(mark);
        }
        const int skip = first == 0 ? 1 : 0;  // GoFirst already stands on the block's first row
        const double start = ThreadSeconds();
        for (int i = skip; i < kBlock; ++i)
          s.Query->GoNext();
        moves.push_back((ThreadSeconds() - start) / (kBlock - skip));
      };
      if ((first / kBlock) % 2 == 0) {
        fetchBlock();
        moveBlock();
      } else {
        moveBlock();
        fetchBlock();
      }
    }
  }
  s.Query->DisposeRowBuffer(buffer);
  State.counters["bare_ns_per_row"] = Median(bare) * 1e9;
  State.counters["move_ns_per_row"] = Median(moves) * 1e9;
  State.counters["ratio"] = Median(moves) / Median(bare);
}

BENCHMARK(BM_BareFetch)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_GoNext)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Alternating)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  const auto runs = RunRatioBenchmarks(argc, argv);
  if (!runs) return 1;
  for (const auto& run : *runs) {
    if (run.Name != "BM_Alternating") continue;
    const double ratio = run.Counters.at("ratio");
    std::printf("\nalternating blocks: bare fetch %.1f ns/row, GoNext %.1f ns/row, ratio %.2f (limit %.1f)\n",
                run.Counters.at("bare_ns_per_row"), run.Counters.at("move_ns_per_row"), ratio, kLimit);
    return ratio <= kLimit ? 0 : 1;
  }
  return 0;  // a filter left the ratio out
}
