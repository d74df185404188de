#include "ratio_reporter.h"

#include <iostream>

TRatioReporter::TRatioReporter(std::vector<std::pair<std::string, std::string>> Pairs)
    : ConsoleReporter(OO_None), Pairs_(std::move(Pairs)) {}

void TRatioReporter::ReportRuns(const std::vector<Run>& Runs) {
  ConsoleReporter::ReportRuns(Runs);
  // With repetitions the median counts, otherwise the single run.
  for (const Run& r : Runs) {
    if (r.error_occurred) continue;
    const std::string& name = r.run_name.function_name;
    if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median") {
      Times_[name] = r.GetAdjustedRealTime();
      Medians_.insert(name);
    } else if (r.run_type == Run::RT_Iteration && Medians_.count(name) == 0) {
      Times_[name] = r.GetAdjustedRealTime();
    }
  }
}

void TRatioReporter::Finalize() {
  ConsoleReporter::Finalize();
  for (const auto& [ours, baseline] : Pairs_) {
    if (Times_[baseline] > 0)
      std::cout << ours << " / " << baseline << " = " << Times_[ours] / Times_[baseline] << '\n';
  }
}

void TRatioCounterReporter::ReportRuns(const std::vector<Run>& Runs) {
  ConsoleReporter::ReportRuns(Runs);
  for (const Run& run : Runs) {
    if (run.error_occurred || run.counters.count("ratio") == 0) continue;
    TRatioRun kept{run.run_name.function_name, {}};
    for (const auto& [name, counter] : run.counters)
      kept.Counters[name] = counter.value;
    RatioRuns_.push_back(std::move(kept));
  }
}

std::optional<std::vector<TRatioCounterReporter::TRatioRun>> RunRatioBenchmarks(int& argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return std::nullopt;
  TRatioCounterReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  return reporter.RatioRuns();
}
