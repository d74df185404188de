#pragma once
// Console reporters that keep what the benchmarks measured for a verdict after the table.

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

// Prints the usual table, then each benchmark of a pair against its baseline:
// "BM_Ours / BM_Baseline = 1.23".
class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  // Each pair: the benchmark measured, then its baseline (function names).
  explicit TRatioReporter(std::vector<std::pair<std::string, std::string>> Pairs);
  void ReportRuns(const std::vector<Run>& Runs) override;
  void Finalize() override;

 private:
  std::vector<std::pair<std::string, std::string>> Pairs_;
  std::map<std::string, double> Times_;
  // The benchmarks whose median over repetitions arrived: it replaces their single runs.
  std::set<std::string> Medians_;
};

// Prints the usual table and keeps the counters of every run that set a "ratio" counter (the
// benchmarks that time an alternation of their own and its baseline), in the order they ran.
class TRatioCounterReporter : public benchmark::ConsoleReporter {
 public:
  struct TRatioRun {
    std::string Name;
    std::map<std::string, double> Counters;
  };
  void ReportRuns(const std::vector<Run>& Runs) override;
  const std::vector<TRatioRun>& RatioRuns() const { return RatioRuns_; }

 private:
  std::vector<TRatioRun> RatioRuns_;
};

// Runs the benchmarks the command line names with a TRatioCounterReporter and answers the runs
// that set a ratio; nothing when the command line holds words the library does not know.
std::optional<std::vector<TRatioCounterReporter::TRatioRun>> RunRatioBenchmarks(int& argc, char** argv);
