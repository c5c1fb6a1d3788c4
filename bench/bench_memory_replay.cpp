// Benchmark: after a fit, the history replays its whole log to make every question's memory
// state with the new parameters (THistoryStore::RebuildMemory). Measured on a log of 1,000,000
// answers against reading that log (THistoryStore::LoggedAnswers); the replay should take at most
// three times as long.
#include "bench/HistoryBenchSupport.h"

#include "history/FsrsFit.h"
#include "toolkit/headless/HeadlessPlatform.h"

#include <exception>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int64_t kAnswers = 1000000;
constexpr int kQuestions = 2000;
constexpr int64_t kFirstMs = 1767258000000; // 2026-01-01 09:00 UTC
// One answer every 30 seconds: a year of answers, each question every few days.
constexpr int64_t kStepMs = 30000;

// Parameters other than the defaults the states were made with, as a fit leaves them.
TFsrsParameters FittedParameters() {
  TFsrsParameters parameters = DefaultFsrsParameters();
  parameters.W[0] *= 1.4;
  parameters.W[8] *= 0.8;
  parameters.W[11] *= 1.2;
  parameters.W[20] *= 1.5;
  return FsrsProjected(parameters);
}

void BM_ReadLog(benchmark::State& state, THistoryStore& store) {
  for (auto _ : state) {
    const std::vector<std::pair<int64_t, TRecordedAnswer>> log = store.LoggedAnswers();
    if (static_cast<int64_t>(log.size()) != kAnswers)
      state.SkipWithError("the log does not hold every answer");
    benchmark::DoNotOptimize(log.data());
  }
}

void BM_RebuildMemory(benchmark::State& state, THistoryStore& store, const TLearnerModel& model) {
  for (auto _ : state)
    store.RebuildMemory(model);
}

} // namespace

int main(int argc, char** argv) {
  if (!InitializeInterleaved(argc, argv))
    return 1;
  try {
    // The learning days of the answers come from the platform's time zone.
    THeadlessPlatform platform;
    TTempDir dir(TTempDir::TMode::Enter, "aerolern-bench");
    const std::vector<TBenchRecord> records = WriteHistoryCatalogue(
        dir.File(CatalogueFileName), kQuestions, {{1, 1}, {1, 2}, {1, 3}, {1, 4}});
    const TBenchAnswers answers(records, kAnswers, kFirstMs, kStepMs);
    const std::string path = dir.File(HistoryFileName);
    WriteBenchHistory(path, answers, BenchMemoryStates(answers, records.size()), records);

    THistoryStore store(path);
    const TLearnerModel fitted(FittedParameters());
    // Each side once per repetition: one measured run, repeated for a stable median.
    const auto configure = [](benchmark::internal::Benchmark* bench) {
      bench->Unit(benchmark::kMillisecond)
          ->UseRealTime()
          ->Iterations(1)
          ->Repetitions(3)
          ->ReportAggregatesOnly(true);
    };
    configure(benchmark::RegisterBenchmark(
        "ReadLog", [&store](benchmark::State& state) { BM_ReadLog(state, store); }));
    configure(
        benchmark::RegisterBenchmark("RebuildMemory", [&store, &fitted](benchmark::State& state) {
          BM_RebuildMemory(state, store, fitted);
        }));

    TCapturingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    // The replay made the states the fitted parameters give, not those of the defaults.
    const std::map<int64_t, TMemoryState> replayed = store.ReplayMemoryStates(fitted);
    const std::map<int64_t, TMemoryState> byDefault = store.ReplayMemoryStates(TLearnerModel());
    const auto equal = [](const TMemoryState& a, const TMemoryState& b) {
      return a.Stability == b.Stability && a.Difficulty == b.Difficulty;
    };
    std::size_t asFitted = 0;
    std::size_t asDefault = 0;
    for (const THistoryQuestion& question :
         store.Questions(THistoryStore::TQuestionFacts::Memory)) {
      if (!question.Memory)
        continue;
      asFitted += equal(*question.Memory, replayed.at(question.Id)) ? 1 : 0;
      asDefault += equal(*question.Memory, byDefault.at(question.Id)) ? 1 : 0;
    }
    std::cout << '\n'
              << kAnswers << " answers of " << kQuestions << " questions; memory states as the "
              << "fitted parameters give them: " << asFitted
              << ", as the defaults give them: " << asDefault << '\n';
    PrintRatio(reporter, "replay of the log after a fit / reading the log", "RebuildMemory",
               "ReadLog", "goal <= 3");
  } catch (const std::exception& error) {
    std::cerr << "bench_memory_replay: " << error.what() << '\n';
    return 1;
  }
  benchmark::Shutdown();
  return 0;
}
