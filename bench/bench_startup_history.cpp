// Benchmark: start-up to the splash with a history of 1,000,000 answers over 10,000 questions
// beside the knowledge file, against the same start-up without a history file.
//
// Start-up is StartProgram on the headless backend, in this process: the title, every window
// created hidden, the catalogue's edition check and the splash shown for its five seconds, which
// the headless clock lets pass at once. The history is opened by the learning history, which both
// backends share; what the real program adds before its splash (starting the process, loading
// libraries, connecting to the X server, FLTK's fonts) does not depend on the history file and
// would only bury a difference under milliseconds that vary from start to start. Measured in
// process, both sides run in one run, interleaved, and even opening the history (reading its
// schema) would show as a clear share of a start-up this short.
//
// Both folders hold the same catalogue of 10,000 questions; the history is written once, before
// measuring, with the store's schema and one transaction of prepared inserts.
#include "bench/HistoryBenchSupport.h"

#include "core/QuestionData.h"
#include "mainwindow/Startup.h"
#include "mainwindow/srcFrageAntwort.h"
#include "toolkit/Application.h"
#include "toolkit/headless/HeadlessPlatform.h"

#include <chrono>
#include <ctime>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int kQuestions = 10000;
constexpr int64_t kAnswers = 1000000;
// One answer every 30 seconds, the last an hour before the headless clock's "now".
constexpr int64_t kAnswerStepMs = 30000;

const char* const kWithName = "StartupToSplash/WithHistory";
const char* const kWithoutName = "StartupToSplash/WithoutHistory";

// Ends the run as the program does, so that the next start-up begins afresh.
void EndRun() {
  Application.DestroyForms();
  ResetQuestionData();
  Application.ResetTerminated();
}

// The files SQLite creates beside a WAL database while a connection has it open.
bool HistoryOpen(const std::string& dir) {
  const std::string history = dir + "/" + HistoryFileName;
  return std::filesystem::exists(history + "-wal") || std::filesystem::exists(history + "-shm");
}

struct TSide {
  std::string Dir;
  bool OpenedHistory = false;
};

void BM_Startup(benchmark::State& state, THeadlessPlatform& platform, TSide& side) {
  try {
    EnterDirectory(side.Dir);
    platform.ClearMessages();
    // One start-up unmeasured, looked at while the program runs.
    StartProgram();
    side.OpenedHistory = side.OpenedHistory || HistoryOpen(side.Dir);
    const bool started =
        frmFrageAntwort != nullptr && platform.Messages().empty() && !Application.Terminated();
    EndRun();
    if (!started) {
      state.SkipWithError("the start-up did not get through to the splash without a message");
      return;
    }
    for (auto _ : state) {
      const auto start = std::chrono::steady_clock::now();
      StartProgram();
      const auto end = std::chrono::steady_clock::now();
      state.SetIterationTime(std::chrono::duration<double>(end - start).count());
      EndRun();
    }
  } catch (const std::exception& error) {
    EndRun();
    state.SkipWithError(error.what());
  }
}

benchmark::internal::Benchmark* ConfigureStartup(benchmark::internal::Benchmark* bench) {
  // Only StartProgram is timed, not the end of the run between start-ups.
  return bench->Unit(benchmark::kMicrosecond)
      ->UseManualTime()
      ->MinWarmUpTime(0.2)
      ->Repetitions(9)
      ->ReportAggregatesOnly(true);
}

} // namespace

int main(int argc, char** argv) {
  if (!InitializeInterleaved(argc, argv))
    return 1;
  try {
    TTempDir dir(TTempDir::TMode::Enter, "aerolern-bench");
    THeadlessPlatform platform;
    platform.SetProgramPath(dir.File("aerolern"));
    platform.SetTimeOfDay(10 * 60 * 60 * 1000);
    // No knowledge file location: the knowledge file, and so the history, is in the working
    // folder.
    WriteTextFile(dir.File("aerolern.ini"), "AnzPrfFragenGSA=30\n");

    const std::vector<std::pair<int, int>> pairs = SelectablePairs();
    TSide with{dir.MakeSubDir("with-history")};
    TSide without{dir.MakeSubDir("without-history")};
    const std::vector<TBenchRecord> records =
        WriteHistoryCatalogue(with.Dir + "/" + CatalogueFileName, kQuestions, pairs);
    WriteHistoryCatalogue(without.Dir + "/" + CatalogueFileName, kQuestions, pairs);

    const auto buildStart = std::chrono::steady_clock::now();
    const std::clock_t buildCpuStart = std::clock();
    const int64_t lastMs = platform.UtcNowMs() - 3600000;
    const TBenchAnswers answers(records, kAnswers, lastMs - (kAnswers - 1) * kAnswerStepMs,
                                kAnswerStepMs);
    const std::string history = with.Dir + "/" + HistoryFileName;
    WriteBenchHistory(history, answers, BenchMemoryStates(answers, records.size()), records);
    const double buildSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - buildStart).count();
    const double buildCpuSeconds =
        static_cast<double>(std::clock() - buildCpuStart) / CLOCKS_PER_SEC;
    {
      // Read-write, so that closing it checkpoints and removes the WAL files as the store does.
      SQLite::Database check(history, SQLite::OPEN_READWRITE);
      std::cout << "history: " << check.execAndGet("SELECT count(*) FROM antworten").getInt64()
                << " answers over " << check.execAndGet("SELECT count(*) FROM frage").getInt64()
                << " questions, " << std::filesystem::file_size(history) / (1024 * 1024)
                << " MB, journal mode " << check.execAndGet("PRAGMA journal_mode").getString()
                << ", written in " << std::fixed << std::setprecision(1) << buildSeconds << " s ("
                << buildCpuSeconds << " s of processor time)\n";
    }
    if (HistoryOpen(with.Dir))
      throw std::runtime_error("the history file was left open after writing it");
    const auto writtenAt = std::filesystem::last_write_time(history);
    const auto writtenSize = std::filesystem::file_size(history);

    ConfigureStartup(benchmark::RegisterBenchmark(
        kWithName, [&](benchmark::State& state) { BM_Startup(state, platform, with); }));
    ConfigureStartup(benchmark::RegisterBenchmark(
        kWithoutName, [&](benchmark::State& state) { BM_Startup(state, platform, without); }));

    TCapturingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::cout << '\n';
    const bool unchanged = std::filesystem::last_write_time(history) == writtenAt &&
                           std::filesystem::file_size(history) == writtenSize &&
                           !HistoryOpen(with.Dir);
    std::cout << "history opened during start-up: " << (with.OpenedHistory ? "yes" : "no")
              << "; history file afterwards " << (unchanged ? "unchanged" : "changed") << '\n';
    std::cout << "history file created by a start-up without one: "
              << (std::filesystem::exists(without.Dir + "/" + HistoryFileName) ? "yes" : "no")
              << '\n';
    PrintRatio(reporter, "start-up to splash, 1,000,000-answer history / no history", kWithName,
               kWithoutName, "goal <= 1.1");
    PrintCpuRatio(reporter,
                  "start-up to splash, 1,000,000-answer history / no history, processor time of "
                  "start-up and end of run",
                  kWithName, kWithoutName, "reported");
  } catch (const std::exception& error) {
    std::cerr << "bench_startup_history: " << error.what() << '\n';
    return 1;
  }
  benchmark::Shutdown();
  return 0;
}
