// Benchmark: the statistics window's figures for 10,000 questions and 1,000,000 answers, against
// one grouped scan of the answers on the same file; and the exact outlook of a large area against
// one pass over its recall values.
#include "bench/BenchSupport.h"

#include "core/Licences.h"
#include "history/Fingerprint.h"
#include "history/HistoryStore.h"
#include "history/LearningStatistics.h"
#include "toolkit/headless/HeadlessPlatform.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <chrono>
#include <cmath>
#include <exception>
#include <iostream>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kCatalogueQuestions = 10000;
constexpr int kAnswers = 1000000;
constexpr int kDays = 365;
constexpr int64_t kMsPerDay = 86400000;
// "Now" for the window: 2026-12-08 10:00 UTC; the answers fill the 365 days before it.
constexpr int64_t kNowMs = 1796724000000;
constexpr int64_t kFirstDayMs = kNowMs - kDays * kMsPerDay;

constexpr int kOutlookQuestions = 3000;
constexpr int kOutlookAsked = 40;
constexpr int kOutlookOralFrom = 8;
constexpr int kOutlookFailFrom = 11;

const char* const kWindowName = "StatisticsWindow";
const char* const kGroupedScanName = "GroupedScanOfAnswers";
const char* const kOutlookName = "Outlook3000";
const char* const kRecallSumName = "SumOf3000Recalls";

// The licence/area pairs of licences 1 to 6, whose categories and outlooks the window shows.
std::vector<std::pair<int, int>> WindowPairs() {
  std::vector<std::pair<int, int>> pairs;
  for (int licence = 1; licence <= 6; ++licence)
    for (int area = 1; area <= AreaCount(licence); ++area)
      pairs.emplace_back(licence, area);
  return pairs;
}

struct TAnswer {
  int64_t TimeMs;
  int32_t Question; // index into the answered questions
  int32_t RecordNo;
  int16_t Licence;
  int16_t Area;
  bool Right;
  bool SelfGraded;
  char Ticked;
};

// What the frage table caches of one question, computed from its answers in order.
struct TCache {
  int32_t RecordNo = 0;
  std::string Fingerprint;
  std::optional<TMemoryState> Memory;
  int64_t LastMs = 0;
  int Answers = 0;
  int Wrong = 0;
  bool FirstRight = false;
};

// Creates the history file with the program's own schema, then fills it in one transaction:
// every answer in time order, and each question's row with the state replayed from its answers.
void BuildHistory(const std::string& path, const std::vector<QuestionRecord>& records) {
  { THistoryStore create(path); }
  std::mt19937_64 random(2026);
  std::uniform_real_distribution<double> unit(0, 1);

  // Nineteen questions in twenty have answers; some are answered far more often than others.
  std::vector<TCache> questions;
  for (int recordNo = 0; recordNo < kCatalogueQuestions; ++recordNo) {
    if (recordNo % 20 == 19)
      continue;
    TCache cache;
    cache.RecordNo = recordNo;
    cache.Fingerprint = FingerprintText(RecordFingerprint(EncodeRecord(records[recordNo])));
    questions.push_back(std::move(cache));
  }
  const auto count = static_cast<double>(questions.size());
  std::vector<TAnswer> answers;
  answers.reserve(kAnswers);
  const int perDay = (kAnswers + kDays - 1) / kDays;
  for (int k = 0; k < kAnswers; ++k) {
    // Sessions from 12:00 UTC, one answer every ten seconds.
    const int64_t time = kFirstDayMs + (k / perDay) * kMsPerDay + 2 * 3600000 +
                         static_cast<int64_t>(k % perDay) * 10000;
    const auto index = static_cast<int32_t>(std::pow(unit(random), 1.5) * count);
    TCache& cache = questions[static_cast<std::size_t>(index)];
    // A first try is right one time in three; later the default model's recall decides.
    const double recall =
        cache.Memory ? TLearnerModel().RecallAt(*cache.Memory, cache.LastMs, time, time) : 1.0 / 3;
    const bool right = unit(random) < recall;
    const QuestionRecord& record = records[static_cast<std::size_t>(cache.RecordNo)];
    TAnswer answer{time,        index, cache.RecordNo, record.Licence,
                   record.Area, right, k % 5 == 0,     'A'};
    answer.Ticked = static_cast<char>('A' + (right ? cache.RecordNo % 4 : (k / 7) % 4));
    // The model as the store asks it, with the answer as it is written below: a self-grade in
    // Lernmodus, else a test of recall in Vertiefungsmodus, against the record's key.
    const std::string key(1, static_cast<char>('A' + cache.RecordNo % 4));
    TQuestionMemory memory{cache.Memory, cache.LastMs, key};
    memory = TLearnerModel().AfterAnswer(
        memory, {time, answer.SelfGraded ? 1 : 2, answer.SelfGraded, right, key});
    cache.Memory = memory.State;
    cache.LastMs = memory.LastReviewMs;
    if (cache.Answers == 0)
      cache.FirstRight = right;
    ++cache.Answers;
    cache.Wrong += right ? 0 : 1;
    answers.push_back(answer);
  }

  SQLite::Database database(path, SQLite::OPEN_READWRITE);
  database.exec("PRAGMA synchronous=OFF");
  database.exec("PRAGMA cache_size=-262144");
  SQLite::Transaction transaction(database);
  SQLite::Statement addQuestion(database, "INSERT INTO frage (id, fingerabdruck, nr, stabilitaet, "
                                          "schwierigkeit, letzte_wiederholung, antworten, falsch, "
                                          "erste_richtig) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
  for (std::size_t i = 0; i < questions.size(); ++i) {
    const TCache& cache = questions[i];
    addQuestion.bind(1, static_cast<int64_t>(i + 1));
    addQuestion.bind(2, cache.Fingerprint);
    addQuestion.bind(3, cache.RecordNo);
    if (cache.Memory) {
      addQuestion.bind(4, cache.Memory->Stability);
      addQuestion.bind(5, cache.Memory->Difficulty);
      addQuestion.bind(6, cache.LastMs);
      addQuestion.bind(9, cache.FirstRight ? 1 : 0);
    } else {
      addQuestion.bind(4);
      addQuestion.bind(5);
      addQuestion.bind(6);
      addQuestion.bind(9);
    }
    addQuestion.bind(7, cache.Answers);
    addQuestion.bind(8, cache.Wrong);
    addQuestion.exec();
    addQuestion.reset();
  }
  SQLite::Statement addAnswer(database, "INSERT INTO antwort (frage, zeit_ms, nr, lizenz, "
                                        "bereich, modus, angekreuzt, loesung, ergebnis, art) "
                                        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
  for (const TAnswer& answer : answers) {
    const char correct[2] = {static_cast<char>('A' + answer.RecordNo % 4), 0};
    const char ticked[2] = {answer.Ticked, 0};
    addAnswer.bind(1, static_cast<int64_t>(answer.Question + 1));
    addAnswer.bind(2, answer.TimeMs);
    addAnswer.bind(3, answer.RecordNo);
    addAnswer.bind(4, answer.Licence);
    addAnswer.bind(5, answer.Area);
    addAnswer.bind(6, answer.SelfGraded ? 1 : 2);
    addAnswer.bind(7, answer.SelfGraded ? "" : ticked);
    addAnswer.bind(8, correct);
    addAnswer.bind(9, answer.Right ? 1 : 0);
    addAnswer.bind(10, answer.SelfGraded ? "selbst" : "antwort");
    addAnswer.exec();
    addAnswer.reset();
  }
  transaction.commit();
  database.exec("PRAGMA wal_checkpoint(TRUNCATE)");
}

// The baseline: one grouped scan of all the answers.
const char* const kGroupedScan =
    "SELECT frage, count(*), sum(ergebnis) FROM antwort GROUP BY frage";

// The file as the program reads it: the answers all there, and the cached states those of a
// replay of the log.
void CheckHistory(THistoryStore& store) {
  const std::vector<THistoryQuestion> questions = store.Questions();
  const std::map<int64_t, TMemoryState> replayed = store.ReplayMemoryStates();
  int64_t answers = 0;
  for (const THistoryQuestion& question : questions) {
    answers += question.Answers;
    const auto found = replayed.find(question.Id);
    if (!question.Memory || found == replayed.end() ||
        std::fabs(found->second.Stability - question.Memory->Stability) > 1e-9 ||
        std::fabs(found->second.Difficulty - question.Memory->Difficulty) > 1e-9)
      throw std::runtime_error("a cached memory state is not the replay of the answers");
  }
  if (answers != kAnswers)
    throw std::runtime_error("the question rows do not count every answer");
  // The counts of every row against the answers themselves.
  std::map<int64_t, std::pair<int, int>> counted;
  SQLite::Database database(store.Path(), SQLite::OPEN_READONLY);
  SQLite::Statement rows(database, kGroupedScan);
  while (rows.executeStep())
    counted[rows.getColumn(0).getInt64()] = {rows.getColumn(1).getInt(),
                                             rows.getColumn(2).getInt()};
  for (const THistoryQuestion& question : questions) {
    const auto found = counted.find(question.Id);
    if (found == counted.end() || found->second.first != question.Answers ||
        found->second.first - found->second.second != question.WrongAnswers)
      throw std::runtime_error("a question row does not count its answers");
  }
}

// Everything the statistics window shows, from one figures object.
int64_t WindowFigures(THistoryStore& store) {
  const TLearningStatistics statistics(&store, TLearnerModel(), 0.9, kNowMs);
  int64_t seen = 0;
  for (const TCategoryFigures& category : statistics.Categories(1, 6))
    seen += category.Answered;
  for (int licence = 1; licence <= 6; ++licence)
    for (const TAreaOutlook& area : statistics.Outlook(licence, kNowMs))
      seen += area.Outlook.Passed > 0.5 ? 1 : 0;
  for (const TDayAnswers& day : statistics.LastDays(30))
    seen += day.Right + day.Wrong;
  seen += static_cast<int64_t>(statistics.Trouble(10).size());
  return seen;
}

int64_t GroupedScan(SQLite::Database& database) {
  SQLite::Statement rows(database, kGroupedScan);
  int64_t answers = 0;
  while (rows.executeStep())
    answers += rows.getColumn(1).getInt64() + rows.getColumn(2).getInt64();
  return answers;
}

void BM_StatisticsWindow(benchmark::State& state, const std::string& path) {
  try {
    THistoryStore store(path);
    for (auto _ : state) {
      int64_t seen = WindowFigures(store);
      benchmark::DoNotOptimize(seen);
    }
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
  }
}

void BM_GroupedScanOfAnswers(benchmark::State& state, const std::string& path) {
  try {
    SQLite::Database database(path, SQLite::OPEN_READONLY);
    for (auto _ : state) {
      int64_t answers = GroupedScan(database);
      benchmark::DoNotOptimize(answers);
    }
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
  }
}

std::vector<double> OutlookRecalls() {
  std::mt19937_64 random(3000);
  std::uniform_real_distribution<double> recall(0.55, 1.0);
  std::vector<double> values(kOutlookQuestions);
  for (double& value : values)
    value = recall(random);
  return values;
}

void BM_Outlook3000(benchmark::State& state) {
  const std::vector<double> recall = OutlookRecalls();
  for (auto _ : state) {
    TExamOutlook outlook = ExamOutlook(recall, kOutlookAsked, kOutlookOralFrom, kOutlookFailFrom);
    benchmark::DoNotOptimize(outlook);
  }
}

void BM_SumOf3000Recalls(benchmark::State& state) {
  const std::vector<double> recall = OutlookRecalls();
  for (auto _ : state) {
    benchmark::DoNotOptimize(recall.data());
    double sum = std::accumulate(recall.begin(), recall.end(), 0.0);
    benchmark::DoNotOptimize(sum);
    benchmark::ClobberMemory();
  }
}

} // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  try {
    TTempDir dir(TTempDir::TMode::Enter, "aerolern-bench");
    THeadlessPlatform platform;
    platform.SetProgramPath(dir.File("aerolern"));
    platform.SetUtcNow(kNowMs);
    WriteTextFile(dir.File("aerolern.ini"), "AnzPrfFragenGSA=30\n");

    // The catalogue: licences 1 to 6 interleaved as an edited catalogue has them.
    const std::vector<std::pair<int, int>> pairs = WindowPairs();
    std::vector<QuestionRecord> records;
    WriteCatalogue(dir.File(CatalogueFileName), kCatalogueQuestions, [&](int recordNo) {
      const auto& [licence, area] = pairs[static_cast<std::size_t>(recordNo) % pairs.size()];
      records.push_back(BenchQuestion(recordNo, licence, area, true));
      return records.back();
    });
    const std::string path = dir.File(HistoryFileName);
    const auto started = std::chrono::steady_clock::now();
    BuildHistory(path, records);
    const double buildSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    {
      THistoryStore store(path);
      CheckHistory(store);
      // Warm cache, and the figures the window would show, for the record.
      const int64_t seen = WindowFigures(store);
      SQLite::Database database(path, SQLite::OPEN_READONLY);
      GroupedScan(database);
      SQLite::Statement plan(database, std::string("EXPLAIN QUERY PLAN ") + kGroupedScan);
      std::cout << "history file: " << kCatalogueQuestions << " questions in the catalogue, "
                << kAnswers << " answers, built in " << std::fixed << std::setprecision(1)
                << buildSeconds << " s, " << std::filesystem::file_size(path) / 1048576
                << " MiB; figures checksum " << seen << "\nplan of the grouped scan:";
      while (plan.executeStep())
        std::cout << " [" << plan.getColumn(3).getString() << "]";
      std::cout << "\n\n";
    }

    Configure(benchmark::RegisterBenchmark(
        kWindowName, [path](benchmark::State& state) { BM_StatisticsWindow(state, path); }));
    Configure(benchmark::RegisterBenchmark(kGroupedScanName, [path](benchmark::State& state) {
      BM_GroupedScanOfAnswers(state, path);
    }));
    Configure(benchmark::RegisterBenchmark(kOutlookName, BM_Outlook3000))
        ->Unit(benchmark::kMicrosecond);
    Configure(benchmark::RegisterBenchmark(kRecallSumName, BM_SumOf3000Recalls))
        ->Unit(benchmark::kMicrosecond);

    TCapturingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::cout << '\n';
    PrintRatio(reporter, "statistics window figures / grouped scan of the answers", kWindowName,
               kGroupedScanName, "goal <= 2");
    PrintRatio(reporter, "outlook K 3000 N 40 M 8 F 11 / one pass over the 3000 recall values",
               kOutlookName, kRecallSumName, "reported");
  } catch (const std::exception& error) {
    std::cerr << "bench_learning_statistics: " << error.what() << '\n';
    return 1;
  }
  benchmark::Shutdown();
  return 0;
}
