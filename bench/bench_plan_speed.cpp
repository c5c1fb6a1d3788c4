// Benchmark: today's exam-date plan for a licence of 3,000 questions with a history of 100,000
// answers, against the due pool of the same questions; and opening the "Lernplan" window, which
// adds the days until the exam and the projections.
//
// Every question of the catalogue belongs to the A licence, its areas interleaved; the answers go
// round the questions one a minute and end the evening before, so that every question has a
// memory state and some of them are due. The exam is three weeks away, the budget 80 answers a
// day. The history is opened before measuring, as it stays open in a run after its first use.
#include "bench/HistoryBenchSupport.h"

#include "core/Licences.h"
#include "core/QuestionData.h"
#include "history/CalendarDate.h"
#include "history/LearningHistory.h"
#include "toolkit/Application.h"
#include "toolkit/headless/HeadlessPlatform.h"
#include "windows/srcLernplan.h"

#include <exception>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int kQuestions = 3000;
constexpr int64_t kAnswers = 100000;
constexpr int64_t kAnswerStepMs = 60000;
constexpr int kLicence = 1;
constexpr int kExamInDays = 21;

const char* const kDueName = "DuePool/3000";
const char* const kPlanName = "PlanToday/3000";
const char* const kWindowName = "LernplanWindow/3000";

bool OfTheLicence(int licence, int) { return licence == kLicence; }

void BM_DuePool(benchmark::State& state, TLearningHistory& history) {
  TDueQuestions due = history.DueQuestions(OfTheLicence);
  for (auto _ : state) {
    due = history.DueQuestions(OfTheLicence);
    benchmark::DoNotOptimize(due.Entries.data());
  }
  if (due.Entries.empty())
    state.SkipWithError("no question is due: the history was not read");
}

void BM_PlanToday(benchmark::State& state, TLearningHistory& history) {
  TPlanStatus plan = history.PlanStatus(false);
  for (auto _ : state) {
    plan = history.PlanStatus(false);
    benchmark::DoNotOptimize(plan.Remaining.data());
  }
  if (!plan.Problem.empty() || plan.Remaining.empty())
    state.SkipWithError(plan.Problem.empty() ? "the plan is empty" : plan.Problem.c_str());
}

void BM_LernplanWindow(benchmark::State& state, TLearningHistory& history) {
  for (auto _ : state)
    benchmark::DoNotOptimize(frmLernplan->ShowFor(history, false));
  const TPlanStatus& plan = frmLernplan->Status();
  if (!plan.Problem.empty() || plan.Plan.Days.size() < kExamInDays)
    state.SkipWithError(plan.Problem.empty() ? "the plan lacks days" : plan.Problem.c_str());
}

std::vector<std::pair<int, int>> AreasOfTheLicence() {
  std::vector<std::pair<int, int>> pairs;
  for (int area = 1; area <= AreaCount(kLicence); ++area)
    if (IsValidArea(kLicence, area))
      pairs.emplace_back(kLicence, area);
  return pairs;
}

} // namespace

int main(int argc, char** argv) {
  if (!InitializeInterleaved(argc, argv))
    return 1;
  try {
    TTempDir dir(TTempDir::TMode::Enter, "aerolern-bench");
    THeadlessPlatform platform;
    platform.SetProgramPath(dir.File("aerolern"));
    WriteTextFile(dir.File("aerolern.ini"),
                  "AnzPrfFragenGSA=30\nAnzMuendlichGSA=6\nAnzNichtBestGSA=8\n");
    const std::string history = dir.File(HistoryFileName);
    const std::vector<TBenchRecord> records =
        WriteHistoryCatalogue(dir.File(CatalogueFileName), kQuestions, AreasOfTheLicence());
    // The last answer was given last evening: today's budget is untouched.
    const int64_t lastMs = LocalDayStart(platform.UtcNowMs(), 0) - 4 * 3600000;
    const TBenchAnswers answers(records, kAnswers, lastMs - (kAnswers - 1) * kAnswerStepMs,
                                kAnswerStepMs);
    WriteBenchHistory(history, answers, BenchMemoryStates(answers, records.size()), records);
    EnterDirectory(dir.File(""));
    ReadCatalogueTwice();

    TLearningHistory learningHistory(history);
    const std::string refusal =
        learningHistory.SetExamDate(
            LocalDateText(LocalDayStart(platform.UtcNowMs(), kExamInDays))) +
        learningHistory.SetExamLicence(kLicence) + learningHistory.SetBudget("80");
    if (!refusal.empty())
      throw std::runtime_error(refusal);
    Application.CreateForm(frmLernplan);
    platform.OnModal("frmLernplan", [](TForm& window) { window.Close(); });
    const TPlanStatus plan = learningHistory.PlanStatus(true);
    std::cout << "history: " << kAnswers << " answers over " << kQuestions
              << " questions; today's plan: " << plan.Plan.Today.size() << " questions, "
              << plan.Plan.Days.size() << " days to the exam\n";

    Configure(benchmark::RegisterBenchmark(
        kDueName, [&](benchmark::State& state) { BM_DuePool(state, learningHistory); }));
    Configure(benchmark::RegisterBenchmark(
        kPlanName, [&](benchmark::State& state) { BM_PlanToday(state, learningHistory); }));
    Configure(benchmark::RegisterBenchmark(
        kWindowName, [&](benchmark::State& state) { BM_LernplanWindow(state, learningHistory); }));
    TCapturingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::cout << '\n';
    PrintRatio(reporter, "today's plan / due pool (3000 questions, 100000 answers)", kPlanName,
               kDueName, "goal <= 5");
    if (const std::optional<double> seconds = reporter.Seconds(kWindowName))
      std::cout << "opening the Lernplan window: " << *seconds << " s (goal < 0.3 s)\n";
  } catch (const std::exception& error) {
    std::cerr << "bench_plan_speed: " << error.what() << '\n';
    return 1;
  }
  benchmark::Shutdown();
  return 0;
}
