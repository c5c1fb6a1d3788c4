// Benchmark: the learner's report for the flight school with a catalogue of 3,000 questions and a
// history of 100,000 answers, against the whole exam-date plan it includes; and its summary of
// the answered questions against one grouped scan of the answers.
//
// The history is that of bench_plan_speed: the A licence's areas interleaved, one answer a
// minute until last evening, the exam three weeks away with 80 answers a day. The history is
// opened before measuring, as it stays open in a run after its first use.
#include "bench/HistoryBenchSupport.h"

#include "core/Licences.h"
#include "history/CalendarDate.h"
#include "history/LearningHistory.h"
#include "history/SchoolReport.h"
#include "toolkit/headless/HeadlessPlatform.h"

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

const char* const kReportName = "SchoolReport/3000";
const char* const kPlanName = "WholePlan/3000";
const char* const kSummaryName = "AnswerSummary/100000";
const char* const kScanName = "GroupedScan/100000";

void BM_SchoolReport(benchmark::State& state, TLearningHistory& history, int64_t nowMs) {
  std::string json;
  for (auto _ : state) {
    json = SchoolReportJson(history.SchoolReport("Erika", nowMs));
    benchmark::DoNotOptimize(json.data());
  }
  state.counters["bytes"] = static_cast<double>(json.size());
}

void BM_WholePlan(benchmark::State& state, TLearningHistory& history) {
  TPlanStatus plan = history.PlanStatus(true);
  for (auto _ : state) {
    plan = history.PlanStatus(true);
    benchmark::DoNotOptimize(plan.Plan.Days.data());
  }
  if (!plan.Problem.empty())
    state.SkipWithError(plan.Problem.c_str());
}

void BM_AnswerSummary(benchmark::State& state, const std::string& path) {
  THistoryStore store(path);
  std::vector<TQuestionAnswers> questions;
  for (auto _ : state) {
    questions = store.AnswerSummary();
    benchmark::DoNotOptimize(questions.data());
  }
  if (questions.size() != static_cast<std::size_t>(kQuestions))
    state.SkipWithError("not every question was summarised");
}

// The least any summary of the answers per question costs: one grouped pass over them.
void BM_GroupedScan(benchmark::State& state, const std::string& path) {
  SQLite::Database database(path, SQLite::OPEN_READONLY);
  for (auto _ : state) {
    SQLite::Statement rows(database, "SELECT frage, count(*), sum(ergebnis) FROM antwort "
                                     "NOT INDEXED GROUP BY frage");
    int64_t answers = 0;
    while (rows.executeStep())
      answers += rows.getColumn(1).getInt64();
    benchmark::DoNotOptimize(answers);
  }
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
    const std::string path = dir.File(HistoryFileName);
    const std::vector<TBenchRecord> records =
        WriteHistoryCatalogue(dir.File(CatalogueFileName), kQuestions, AreasOfTheLicence());
    const int64_t nowMs = platform.UtcNowMs();
    const int64_t lastMs = LocalDayStart(nowMs, 0) - 4 * 3600000;
    const TBenchAnswers answers(records, kAnswers, lastMs - (kAnswers - 1) * kAnswerStepMs,
                                kAnswerStepMs);
    WriteBenchHistory(path, answers, BenchMemoryStates(answers, records.size()), records);
    EnterDirectory(dir.File(""));
    ReadCatalogueTwice();

    TLearningHistory history(path);
    const std::string refusal =
        history.SetExamDate(LocalDateText(LocalDayStart(nowMs, kExamInDays))) +
        history.SetExamLicence(kLicence) + history.SetBudget("80");
    if (!refusal.empty())
      throw std::runtime_error(refusal);
    const TSchoolReport report = history.SchoolReport("Erika", nowMs);
    std::cout << "history: " << kAnswers << " answers over " << kQuestions
              << " questions; report: " << report.Questions.size() << " questions, "
              << report.Weeks.size() << " weeks, " << SchoolReportJson(report).size() / 1024
              << " KiB\n";

    Configure(benchmark::RegisterBenchmark(
        kReportName, [&](benchmark::State& state) { BM_SchoolReport(state, history, nowMs); }));
    Configure(benchmark::RegisterBenchmark(
        kPlanName, [&](benchmark::State& state) { BM_WholePlan(state, history); }));
    Configure(benchmark::RegisterBenchmark(
        kSummaryName, [&](benchmark::State& state) { BM_AnswerSummary(state, path); }));
    Configure(benchmark::RegisterBenchmark(
        kScanName, [&](benchmark::State& state) { BM_GroupedScan(state, path); }));
    TCapturingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::cout << '\n';
    PrintRatio(reporter, "report / the whole plan it includes", kReportName, kPlanName,
               "goal <= 2.5");
    PrintRatio(reporter, "summary of the answered questions / one grouped scan", kSummaryName,
               kScanName, "goal <= 3");
    if (const std::optional<double> seconds = reporter.Seconds(kReportName))
      std::cout << "gathering and writing the report: " << *seconds << " s (goal < 0.5 s)\n";
  } catch (const std::exception& error) {
    std::cerr << "bench_school_report: " << error.what() << '\n';
    return 1;
  }
  benchmark::Shutdown();
  return 0;
}
