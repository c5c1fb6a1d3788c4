// The exam-date plan against simple schedules, in simulation. It prints; it is not a timed test.
//
// A licence of five areas of 100 questions, each graded as the A licence: 30 questions drawn, oral
// from 6 wrong, failed from 8 wrong. Every simulated learner's memory is FSRS-6 with parameters of
// their own (bench/SimulatedLearner.h), and a question never studied is answered right with the
// learner's chance before studying. The learner starts with nothing learned and studies once a
// day at 18:00 local time until the exam at 09:00 local time on the exam day. Each session the
// schedule (PlanToday) names the day's questions from what the program believes: the memory states
// the default model gives the learner's own answers (TLearnerModel::AfterAnswer on every answer,
// as the program records them) and each area's chance before studying from the first tries,
// (right + 1) / (tries + 4). The learner answers the list in order with the true recall; a wrong
// answer comes back once ten minutes later or when the list is done, and the session ends when the
// day's answers reach the budget, the same for every schedule.
//
// The truth on the exam day: P(every area "Bestanden.") is the product of the areas' exact
// outlooks of the true recall at the exam moment. Each cell of the grid (days until the exam ×
// answers a day) gives every schedule the same learners, who have the same luck: the k-th answer
// to a question draws the same number under every schedule.
//
// The plan's projection (PlanToExam) is scored against one sitting per learner drawn with the
// true probability, in tenths of the projection. On day one nothing is known of the learner yet
// and every learner of a cell gets the same projection, so it is scored again half-way to the
// exam.
//
// Usage: bench_exam_plan [--quick] [--learners N] [--tight A] [--generous A] [--seed S]
//                        [--threads T]
//   14, 28 and 42 days with 200 learners per cell, or 28 days only with 40 learners with --quick;
//   the budgets 80 and 150 answers a day unless told; one thread per core unless told.
#include "bench/SimulatedLearner.h"

#include "core/LearningEvents.h"
#include "history/CalendarDate.h"
#include "history/ExamOutlook.h"
#include "history/ExamPlan.h"
#include "history/LearnerModel.h"
#include "toolkit/headless/HeadlessPlatform.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <exception>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace simulated;

constexpr int kAreas = 5;
constexpr int kAreaSize = 100;
constexpr int kQuestions = kAreas * kAreaSize;
// The A licence's grading of an area.
constexpr int kExamQuestions = 30;
constexpr int kOralFrom = 6;
constexpr int kFailFrom = 8;

constexpr int64_t kMsPerDay = 86400000;
constexpr int kSecondsPerHour = 3600;
constexpr int64_t kFirstDayMs = 1777896000000; // 2026-05-04 12:00 UTC, a Monday
constexpr int kSessionHour = 18;
constexpr int kExamHour = 9;
constexpr int64_t kAnswerMs = 20 * 1000;
constexpr int64_t kRepeatAfterMs = 10 * 60 * 1000;
constexpr int kGoalDays = 28;
constexpr double kGoalMargin = 0.5;
constexpr uint64_t kCatalogueSeed = 20260504;

constexpr int kMinimumPerTenth = 100;
constexpr double kTolerance = 0.05;

const char* const kKey = "A";

struct TSchedule {
  const char* Name;
  TPlanPolicy Policy;
  double Retention;
};

const std::array<TSchedule, 4> kSchedules = {{
    {"due<90% then new", TPlanPolicy::DueThenNew, 0.9},
    {"due<95% then new", TPlanPolicy::DueThenNew, 0.95},
    {"paced new + due", TPlanPolicy::PacedNewThenDue, 0.9},
    {"the plan", TPlanPolicy::Plan, 0.9},
}};
constexpr std::size_t kDueThenNew = 0;
constexpr std::size_t kPlan = 3;

struct TCell {
  int Days = 0;
  int Budget = 0;
};

struct TOptions {
  int Learners = 200;
  std::vector<int> Days = {14, 28, 42};
  // The grid's budgets: answers a day. Tight is where the order of the questions decides most:
  // with 60 a day even the plan expects almost nobody to pass in 28 days.
  int Tight = 80;
  int Generous = 150;
  uint64_t Seed = 1;
  unsigned Threads = 0; // 0: one per core
};

bool ParseOptions(int argc, char** argv, TOptions& options) {
  bool learnersGiven = false;
  bool quick = false;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    const bool hasValue = i + 1 < argc;
    if (argument == "--quick")
      quick = true;
    else if (argument == "--learners" && hasValue) {
      options.Learners = std::atoi(argv[++i]);
      learnersGiven = true;
    } else if (argument == "--tight" && hasValue)
      options.Tight = std::atoi(argv[++i]);
    else if (argument == "--generous" && hasValue)
      options.Generous = std::atoi(argv[++i]);
    else if (argument == "--seed" && hasValue)
      options.Seed = std::strtoull(argv[++i], nullptr, 10);
    else if (argument == "--threads" && hasValue)
      options.Threads = static_cast<unsigned>(std::atoi(argv[++i]));
    else
      return false;
  }
  if (quick) {
    options.Days = {kGoalDays};
    if (!learnersGiven)
      options.Learners = 40;
  }
  return options.Learners > 0 && options.Tight > 0 && options.Generous > 0;
}

// A well-mixed 64-bit value of x (splitmix64's finaliser).
uint64_t Mix(uint64_t x) {
  x += 0x9e3779b97f4a7c15ULL;
  x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
  x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
  return x ^ (x >> 31);
}

// A number in [0, 1) fixed by the learner, the question and how often it was answered before.
double Luck(uint64_t seed, int question, int attempt) {
  const uint64_t key = (static_cast<uint64_t>(question) << 32) | static_cast<uint32_t>(attempt);
  return static_cast<double>(Mix(seed ^ Mix(key)) >> 11) * 0x1.0p-53;
}

struct TLearner {
  uint64_t Seed = 0;
  TFsrsParameters Truth;
  std::vector<double> FirstTry; // per question: the chance to be right before studying it
};

TLearner DrawLearner(uint64_t seed, const std::vector<double>& ease) {
  TRandom random(seed);
  TLearner learner;
  learner.Seed = seed;
  learner.Truth = DrawTrueParameters(random);
  const double logit = DrawFirstTryLogit(random);
  for (const double e : ease)
    learner.FirstTry.push_back(FirstTryChance(logit, e));
  return learner;
}

int AreaOf(int question) { return question / kAreaSize + 1; }

int64_t SessionMs(int day) {
  return LocalTimeOfDay(LocalDayStart(kFirstDayMs, day), kSessionHour * kSecondsPerHour);
}

// One learner's study under one schedule until the exam.
class TStudy {
public:
  TStudy(const TLearner& learner, const TCell& cell, const TSchedule& schedule)
      : learner(learner), cell(cell), schedule(schedule), memory(learner.Truth), truth(kQuestions),
        belief(kQuestions),
        examMs(LocalTimeOfDay(LocalDayStart(kFirstDayMs, cell.Days), kExamHour * kSecondsPerHour)) {
  }

  // Every session; the plan's projection P(every area passed) at the start of the sessions
  // `projectAt` goes to `projections`.
  void Run(const std::vector<int>& projectAt, std::vector<double>& projections) {
    for (int day = 0; day < cell.Days; ++day) {
      const TPlanInputs inputs = Inputs(SessionMs(day));
      if (std::find(projectAt.begin(), projectAt.end(), day) != projectAt.end())
        projections.push_back(PlanToExam(inputs, model).Projected);
      Session(PlanToday(inputs, model, schedule.Policy), inputs.NowMs);
    }
  }

  // The true P(every area "Bestanden.") at the exam moment.
  double PassAll() const {
    double pass = 1;
    for (int area = 1; area <= kAreas; ++area) {
      std::vector<double> recall;
      for (int q = (area - 1) * kAreaSize; q < area * kAreaSize; ++q)
        recall.push_back(TrueRecall(q, examMs));
      pass *= ExamOutlook(recall, kExamQuestions, kOralFrom, kFailFrom).Passed;
    }
    return pass;
  }

  int Answers() const { return answers; }

private:
  struct TTruth {
    std::optional<TMemoryState> State;
    int64_t LastMs = 0;
    int Attempts = 0;
  };

  double TrueRecall(int question, int64_t atMs) const {
    const TTruth& known = truth[static_cast<std::size_t>(question)];
    if (!known.State)
      return learner.FirstTry[static_cast<std::size_t>(question)];
    return memory.Recall(*known.State,
                         static_cast<double>(atMs - known.LastMs) / static_cast<double>(kMsPerDay));
  }

  // What the program is given: its memory states of the learner's answers and each area's chance
  // before studying from the first tries.
  TPlanInputs Inputs(int64_t nowMs) const {
    TPlanInputs inputs;
    for (int q = 0; q < kQuestions; ++q) {
      const TQuestionMemory& known = belief[static_cast<std::size_t>(q)];
      inputs.Questions.push_back({q, AreaOf(q), known.State, known.LastReviewMs});
    }
    for (int area = 1; area <= kAreas; ++area) {
      const auto a = static_cast<std::size_t>(area - 1);
      inputs.Areas.push_back({area, kExamQuestions, kOralFrom, kFailFrom,
                              (rightFirstTries[a] + 1.0) / (firstTries[a] + 4.0)});
    }
    inputs.NowMs = nowMs;
    inputs.ExamMs = examMs;
    inputs.Budget = cell.Budget;
    inputs.Retention = schedule.Retention;
    return inputs;
  }

  // The learner answers with the true recall; the truth and the program's record follow.
  bool Answer(int question, int64_t atMs) {
    TTruth& known = truth[static_cast<std::size_t>(question)];
    const bool right = Luck(learner.Seed, question, known.Attempts++) < TrueRecall(question, atMs);
    const int grade = TLearnerModel::GradeOf(right);
    if (known.State) {
      const auto days = static_cast<int>(TLearnerModel::LearningDay(atMs) -
                                         TLearnerModel::LearningDay(known.LastMs));
      known.State = memory.Review(*known.State, days, grade);
    } else
      known.State = memory.FirstReview(grade);
    known.LastMs = atMs;

    TQuestionMemory& recorded = belief[static_cast<std::size_t>(question)];
    if (!recorded.State) {
      const auto a = static_cast<std::size_t>(AreaOf(question) - 1);
      ++firstTries[a];
      rightFirstTries[a] += right ? 1 : 0;
    }
    recorded = model.AfterAnswer(recorded, {atMs, lmVertiefen, false, right, kKey});
    ++answers;
    return right;
  }

  // The day's list in order; a wrong answer comes back once, ten minutes later or when the list is
  // done; the session ends at the budget.
  void Session(const std::vector<int32_t>& list, int64_t startMs) {
    std::deque<std::pair<int64_t, int>> repeats;
    std::size_t next = 0;
    int64_t clock = startMs;
    for (int given = 0; given < cell.Budget; ++given, clock += kAnswerMs) {
      const bool repeatDue =
          !repeats.empty() && (repeats.front().first <= clock || next == list.size());
      if (repeatDue) {
        Answer(repeats.front().second, clock);
        repeats.pop_front();
      } else if (next < list.size()) {
        const int question = list[next++];
        if (!Answer(question, clock))
          repeats.emplace_back(clock + kRepeatAfterMs, question);
      } else
        break;
    }
  }

  const TLearner& learner;
  const TCell& cell;
  const TSchedule& schedule;
  const TFsrsModel memory;
  const TLearnerModel model;
  std::vector<TTruth> truth;
  std::vector<TQuestionMemory> belief;
  std::array<int, kAreas> firstTries{};
  std::array<int, kAreas> rightFirstTries{};
  int64_t examMs = 0;
  int answers = 0;
};

// One learner in one cell: every schedule's outcome, and the plan's projections with one sitting.
struct TResult {
  std::array<double, kSchedules.size()> Pass{};
  std::array<double, kSchedules.size()> AnswersPerDay{};
  std::vector<double> Projections; // day one, half-way
  bool Sitting = false;            // the one sitting under the plan passed every area
};

TResult RunLearner(const TLearner& learner, const TCell& cell, std::size_t cellIndex) {
  TResult result;
  for (std::size_t s = 0; s < kSchedules.size(); ++s) {
    TStudy study(learner, cell, kSchedules[s]);
    std::vector<double> projections;
    study.Run(s == kPlan ? std::vector<int>{0, cell.Days / 2} : std::vector<int>{}, projections);
    result.Pass[s] = study.PassAll();
    result.AnswersPerDay[s] = static_cast<double>(study.Answers()) / cell.Days;
    if (s == kPlan)
      result.Projections = projections;
  }
  TRandom sitting(Mix(learner.Seed + 0x100000000ULL * (cellIndex + 1)));
  result.Sitting = Chance(sitting, result.Pass[kPlan]);
  return result;
}

// Projections against sittings in tenths of the projection.
void PrintReliability(const char* when, const std::vector<std::vector<TResult>>& results,
                      std::size_t which) {
  std::array<TMean, 10> predicted;
  std::array<TMean, 10> observed;
  TMean allPredicted;
  TMean allTrue;
  TMean allObserved;
  for (const std::vector<TResult>& cell : results)
    for (const TResult& result : cell) {
      const double p = result.Projections[which];
      const auto tenth = static_cast<std::size_t>(std::clamp(static_cast<int>(p * 10), 0, 9));
      predicted[tenth].Add(p);
      observed[tenth].Add(result.Sitting ? 1 : 0);
      allPredicted.Add(p);
      allTrue.Add(result.Pass[kPlan]);
      allObserved.Add(result.Sitting ? 1 : 0);
    }
  std::printf("\nprojection of the plan %s against one sitting per learner (judged where a tenth "
              "holds at least %d learners; ok within %.2f)\n",
              when, kMinimumPerTenth, kTolerance);
  std::printf("  tenth    learners  predicted  observed     diff  judged\n");
  for (std::size_t i = 0; i < predicted.size(); ++i) {
    if (predicted[i].Count == 0)
      continue;
    const double diff = observed[i].Mean() - predicted[i].Mean();
    const char* verdict = "-";
    if (predicted[i].Count >= kMinimumPerTenth)
      verdict = std::fabs(diff) <= kTolerance ? "ok" : "MISSED";
    std::printf("  %.1f-%.1f  %8d  %9.3f  %8.3f  %+7.3f  %6s\n", static_cast<double>(i) / 10,
                static_cast<double>(i + 1) / 10, predicted[i].Count, predicted[i].Mean(),
                observed[i].Mean(), diff, verdict);
  }
  if (std::none_of(predicted.begin(), predicted.end(),
                   [](const TMean& tenth) { return tenth.Count >= kMinimumPerTenth; }))
    std::printf("  no tenth holds %d learners: none is judged\n", kMinimumPerTenth);
  std::printf("  mean predicted %.3f, mean true %.3f, observed %.3f ± %.3f over %d learners\n",
              allPredicted.Mean(), allTrue.Mean(), allObserved.Mean(), allObserved.Error(),
              allObserved.Count);
}

} // namespace

int main(int argc, char** argv) {
  TOptions options;
  if (!ParseOptions(argc, argv, options)) {
    std::cerr << "usage: bench_exam_plan [--quick] [--learners N] [--tight A] [--generous A] "
                 "[--seed S] [--threads T]\n";
    return 2;
  }
  try {
    const auto started = std::chrono::steady_clock::now();
    THeadlessPlatform platform;
    platform.SetUtcOffsetRule(CentralEuropeanOffset);

    std::vector<double> ease;
    TRandom catalogueRandom(kCatalogueSeed);
    for (int q = 0; q < kQuestions; ++q)
      ease.push_back(DrawEase(catalogueRandom));
    std::vector<TLearner> learners;
    for (int i = 0; i < options.Learners; ++i)
      learners.push_back(DrawLearner(options.Seed * 1000003 + static_cast<uint64_t>(i), ease));
    std::vector<TCell> cells;
    for (const int days : options.Days)
      for (const int budget : {options.Tight, options.Generous})
        cells.push_back({days, budget});

    std::printf("the exam-date plan against simple schedules: %d learners per cell, the same in "
                "every cell and for every schedule; seed %llu\n",
                options.Learners, static_cast<unsigned long long>(options.Seed));
    std::printf("licence of %d areas × %d questions, each graded: %d drawn, oral from %d wrong, "
                "failed from %d wrong\n",
                kAreas, kAreaSize, kExamQuestions, kOralFrom, kFailFrom);
    std::printf("true memory: FSRS-6, every parameter scaled by U(0.5, 1.5) per learner; the "
                "program believes the default parameters\n");
    std::printf("one session a day at %02d:00, the exam at %02d:00 on the exam day; budgets: tight "
                "%d, generous %d answers a day\n",
                kSessionHour, kExamHour, options.Tight, options.Generous);

    // Every learner of every cell is independent: they run on every core, and the results do not
    // depend on which thread ran whom.
    std::vector<std::vector<TResult>> results(
        cells.size(), std::vector<TResult>(static_cast<std::size_t>(options.Learners)));
    const unsigned threads =
        RunJobs(static_cast<int>(cells.size()) * options.Learners, options.Threads, [&](int job) {
          const auto cell = static_cast<std::size_t>(job / options.Learners);
          const auto learner = static_cast<std::size_t>(job % options.Learners);
          results[cell][learner] = RunLearner(learners[learner], cells[cell], cell);
        });
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("%zu cells, %d threads, %.1f s\n", cells.size(), threads, seconds);

    std::printf("\nmean true P(every area \"Bestanden.\") at the exam, with its standard error\n");
    std::printf("  days budget");
    for (const TSchedule& schedule : kSchedules)
      std::printf(" | %-16s", schedule.Name);
    std::printf(" | plan - due<90%%  | plan - best other: which\n");
    bool planBest = true;
    std::optional<double> goalDifference;
    for (std::size_t c = 0; c < cells.size(); ++c) {
      std::array<TMean, kSchedules.size()> pass;
      for (const TResult& result : results[c])
        for (std::size_t s = 0; s < kSchedules.size(); ++s)
          pass[s].Add(result.Pass[s]);
      std::size_t rival = kDueThenNew;
      for (std::size_t s = 0; s < kSchedules.size(); ++s)
        if (s != kPlan && pass[s].Mean() > pass[rival].Mean())
          rival = s;
      // Paired over the same learners.
      TMean overDueThenNew;
      TMean overRival;
      for (const TResult& result : results[c]) {
        overDueThenNew.Add(result.Pass[kPlan] - result.Pass[kDueThenNew]);
        overRival.Add(result.Pass[kPlan] - result.Pass[rival]);
      }
      const bool best = overRival.Mean() > 0;
      planBest = planBest && best;
      if (cells[c].Days == kGoalDays && cells[c].Budget == options.Tight)
        goalDifference = overDueThenNew.Mean();
      std::printf("  %4d %6d", cells[c].Days, cells[c].Budget);
      for (const TMean& mean : pass)
        std::printf(" | %.3f ± %.3f   ", mean.Mean(), mean.Error());
      std::printf(" | %+.3f ± %.3f  | %+.3f ± %.3f: %s, %s\n", overDueThenNew.Mean(),
                  overDueThenNew.Error(), overRival.Mean(), overRival.Error(),
                  best ? "best" : "NOT best", kSchedules[rival].Name);
    }

    std::printf("\nanswers a day, mean over the learners (a schedule whose list runs out uses "
                "fewer)\n");
    std::printf("  days budget");
    for (const TSchedule& schedule : kSchedules)
      std::printf(" | %-16s", schedule.Name);
    std::printf("\n");
    for (std::size_t c = 0; c < cells.size(); ++c) {
      std::printf("  %4d %6d", cells[c].Days, cells[c].Budget);
      for (std::size_t s = 0; s < kSchedules.size(); ++s) {
        TMean answers;
        for (const TResult& result : results[c])
          answers.Add(result.AnswersPerDay[s]);
        std::printf(" | %16.1f", answers.Mean());
      }
      std::printf("\n");
    }

    std::printf("\nthe plan's projection per cell, mean over the learners, against the truth and "
                "one sitting per learner\n");
    std::printf("  days budget | day one | half-way | true  | observed\n");
    for (std::size_t c = 0; c < cells.size(); ++c) {
      TMean dayOne;
      TMean halfWay;
      TMean truePass;
      TMean observed;
      for (const TResult& result : results[c]) {
        dayOne.Add(result.Projections[0]);
        halfWay.Add(result.Projections[1]);
        truePass.Add(result.Pass[kPlan]);
        observed.Add(result.Sitting ? 1 : 0);
      }
      std::printf("  %4d %6d | %7.3f | %8.3f | %.3f | %.3f ± %.3f\n", cells[c].Days,
                  cells[c].Budget, dayOne.Mean(), halfWay.Mean(), truePass.Mean(), observed.Mean(),
                  observed.Error());
    }
    PrintReliability("on day one", results, 0);
    PrintReliability("half-way to the exam", results, 1);

    if (!goalDifference)
      throw std::logic_error("the grid lacks the cell of the goal");
    std::printf(
        "\ngoal: the plan best in every cell (%zu run): %s; at %d days with the tight budget at "
        "least %.2f above due-then-new: %s\n",
        cells.size(), planBest ? "yes" : "NO", kGoalDays, kGoalMargin,
        *goalDifference >= kGoalMargin ? "yes" : "NO");
    std::printf("plan minus due-then-new at %d days, tight budget: %+.2f\n", kGoalDays,
                *goalDifference);
  } catch (const std::exception& error) {
    std::cerr << "bench_exam_plan: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
