// Benchmark: building the pool of due questions from the history, for all categories, against
// the plain pool build of the same catalogue.
//
// The catalogue holds 10,000 questions in use, their categories interleaved; the history holds
// five rounds of answers over all of them, so that each has a memory state, some of them due now
// and the others later. TLearningHistory::DueQuestions reads the catalogue with the fingerprint
// of every record, follows the catalogue in the history, reads the desired retention and every
// question's memory state, and keeps the due ones of the selected categories. The history is
// opened once before measuring, as it stays open in a run after its first use; a fresh history
// that opens its file for the one call is measured beside it.
#include "bench/HistoryBenchSupport.h"

#include "core/QuestionData.h"
#include "history/LearningHistory.h"
#include "toolkit/headless/HeadlessPlatform.h"

#include <exception>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int kQuestions = 10000;
constexpr int kRounds = 5;
// One answer a minute, the last an hour before the headless clock's "now".
constexpr int64_t kAnswerStepMs = 60000;
constexpr double kDefaultRetention = 0.9;

const char* const kDueName = "DueQuestions/10000";
const char* const kDueFirstUseName = "DueQuestionsOpeningTheHistory/10000";
const char* const kBuildName = "PoolBuild/10000";

// The selection the main window asks the history about.
bool Selected(int licence, int area) { return QuestionData().CategorySelected(licence, area); }

struct TSetup {
  std::string Dir;
  std::string History;
  std::size_t ExpectedDue = 0;
};

// Checked after the loop, so that a call that does too little cannot pass for a fast one.
bool Complete(const TDueQuestions& due, const TSetup& setup, THeadlessPlatform& platform) {
  return due.Entries.size() == setup.ExpectedDue && due.NextDueMs.has_value() &&
         platform.Messages().empty();
}

void BM_DueQuestions(benchmark::State& state, THeadlessPlatform& platform, const TSetup& setup) {
  try {
    EnterDirectory(setup.Dir);
    SelectEveryCategory();
    platform.ClearMessages();
    TLearningHistory history(setup.History);
    TDueQuestions due = history.DueQuestions(Selected);
    for (auto _ : state) {
      due = history.DueQuestions(Selected);
      benchmark::DoNotOptimize(due.Entries.data());
    }
    if (!Complete(due, setup, platform))
      state.SkipWithError("the due questions are not the ones the memory states make due");
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
  }
}

void BM_DueQuestionsFirstUse(benchmark::State& state, THeadlessPlatform& platform,
                             const TSetup& setup) {
  try {
    EnterDirectory(setup.Dir);
    SelectEveryCategory();
    platform.ClearMessages();
    TDueQuestions due;
    for (auto _ : state) {
      TLearningHistory history(setup.History);
      due = history.DueQuestions(Selected);
      benchmark::DoNotOptimize(due.Entries.data());
    }
    if (!Complete(due, setup, platform))
      state.SkipWithError("the due questions are not the ones the memory states make due");
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
  }
}

void BM_PoolBuild(benchmark::State& state, const TSetup& setup) {
  try {
    EnterDirectory(setup.Dir);
    SelectEveryCategory();
    for (auto _ : state) {
      BuildQuestionPool(false);
      std::size_t size = QuestionPool().size();
      benchmark::DoNotOptimize(size);
    }
    if (QuestionPool().size() != static_cast<std::size_t>(kQuestions))
      state.SkipWithError("the pool does not hold every question");
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
  }
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
    WriteTextFile(dir.File("aerolern.ini"), "AnzPrfFragenGSA=30\n");

    TSetup setup;
    setup.Dir = dir.MakeSubDir("catalogue-" + std::to_string(kQuestions));
    setup.History = setup.Dir + "/" + HistoryFileName;
    const std::vector<TBenchRecord> records =
        WriteHistoryCatalogue(setup.Dir + "/" + CatalogueFileName, kQuestions, SelectablePairs());
    const int64_t count = static_cast<int64_t>(kRounds) * kQuestions;
    const int64_t now = platform.UtcNowMs();
    const int64_t lastMs = now - 3600000;
    const TBenchAnswers answers(records, count, lastMs - (count - 1) * kAnswerStepMs,
                                kAnswerStepMs);
    const std::vector<TBenchMemory> memory = BenchMemoryStates(answers, records.size());
    WriteBenchHistory(setup.History, answers, memory, records);
    // Due as the history decides it, from the memory states computed here.
    for (const TBenchMemory& question : memory)
      if (question.State &&
          TLearnerModel().IsDue(*question.State, question.LastReviewMs, now, kDefaultRetention))
        ++setup.ExpectedDue;
    std::cout << "history: " << count << " answers, " << kQuestions
              << " questions with a memory state, " << setup.ExpectedDue << " due now\n";
    // Warm cache: both files are in memory before anything is measured.
    EnterDirectory(setup.Dir);
    ReadCatalogueTwice();

    Configure(benchmark::RegisterBenchmark(
        kDueName, [&](benchmark::State& state) { BM_DueQuestions(state, platform, setup); }));
    Configure(benchmark::RegisterBenchmark(
        kBuildName, [&](benchmark::State& state) { BM_PoolBuild(state, setup); }));
    Configure(benchmark::RegisterBenchmark(kDueFirstUseName, [&](benchmark::State& state) {
      BM_DueQuestionsFirstUse(state, platform, setup);
    }));

    TCapturingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::cout << '\n';
    PrintRatio(reporter, "due pool (all categories) / pool build (10000 questions)", kDueName,
               kBuildName, "goal <= 2");
    PrintRatio(reporter, "due pool opening the history / pool build (10000 questions)",
               kDueFirstUseName, kBuildName, "reported");
    PrintCpuRatio(reporter,
                  "due pool (all categories) / pool build (10000 questions), processor time",
                  kDueName, kBuildName, "reported");
  } catch (const std::exception& error) {
    std::cerr << "bench_due_pool: " << error.what() << '\n';
    return 1;
  }
  benchmark::Shutdown();
  return 0;
}
