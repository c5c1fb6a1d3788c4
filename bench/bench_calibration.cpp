// Calibration of the exam outlook against simulated learners. It prints; it is not a timed test.
//
// Each learner's true memory follows FSRS-6 with parameters of its own: every default weight
// scaled by a random factor between 0.7 and 1.3, so the program's defaults are wrong for every
// learner. The learner studies one area of 100 questions for a few days to several weeks; every
// answer goes into a history file of its own through the program's store. The program predicts
// the exam from that file alone (the statistics window's outlook: the store's memory states,
// FSRS-6 with the default parameters, the prior for never-answered questions, the exact outlook).
// Then the learner sits that exam many times at the exam moment with the true recall of every
// question; the verdicts' shares are compared with the predictions: the mean Brier score of the
// three outcomes against a binomial baseline, and a reliability table of P(Bestanden).
//
// Usage: bench_calibration [learners [sittings [seed]]]   (defaults 3000 400 1)
#include "bench/BenchSupport.h"

#include "core/ExamGrading.h"
#include "history/Fingerprint.h"
#include "history/Fsrs.h"
#include "history/HistoryStore.h"
#include "history/LearningStatistics.h"
#include "toolkit/headless/HeadlessPlatform.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <numeric>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kLicence = 1; // GSA, area 1
constexpr int kArea = 1;
constexpr int kQuestions = 100;
constexpr int64_t kMsPerDay = 86400000;
constexpr int64_t kMsPerMinute = 60000;
// The first study day's sessions start from 2026-03-02 17:00 UTC; the exam is at 08:00 UTC of its
// day, at least one day after the last session.
constexpr int64_t kStudyStartMs = 1772470800000;
constexpr int64_t kExamFromStudyMs = (8 - 17) * 3600000;

// FSRS-6's default parameters (learning.md §6), the centre of every learner's own.
constexpr std::array<double, 21> kDefaultWeights = {
    0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194, 0.001,  1.8722, 0.1666, 0.796,
    1.4835, 0.0614, 0.2629, 1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542};

using TRandom = std::mt19937_64;

double Uniform(TRandom& random, double low, double high) {
  return std::uniform_real_distribution<double>(low, high)(random);
}
int UniformInt(TRandom& random, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random);
}
bool Chance(TRandom& random, double p) { return Uniform(random, 0, 1) < p; }

// A learner's true memory of one question.
struct TTrueState {
  bool Seen = false;
  double Stability = 0;
  double Difficulty = 0;
  int64_t LastMs = 0;
};

// FSRS-6 with a learner's own parameters, written from the formulas of learning.md §6; only
// the grades Again and Good occur.
class TTrueMemory {
public:
  explicit TTrueMemory(const std::array<double, 21>& weights)
      : w(weights), decay(-w[20]), factor(std::pow(0.9, 1 / decay) - 1) {}

  double Recall(const TTrueState& state, int64_t atMs) const {
    const double days = static_cast<double>(atMs - state.LastMs) / kMsPerDay;
    return std::pow(1 + factor * std::max(0.0, days) / state.Stability, decay);
  }

  void Answer(TTrueState& state, int64_t atMs, bool right) const {
    const int grade = right ? 3 : 1;
    if (!state.Seen) {
      state.Seen = true;
      state.Stability = ClampStability(w[static_cast<std::size_t>(grade - 1)]);
      state.Difficulty = ClampDifficulty(InitialDifficulty(grade));
      state.LastMs = atMs;
      return;
    }
    const auto days = static_cast<int>(std::max<int64_t>(0, atMs - state.LastMs) / kMsPerDay);
    const double s = state.Stability;
    const double d = state.Difficulty;
    double next = 0;
    if (days == 0) {
      double same = std::exp(w[17] * (grade - 3 + w[18])) * std::pow(s, -w[19]);
      if (grade >= 2)
        same = std::max(same, 1.0);
      next = s * same;
    } else {
      const double r = std::pow(1 + factor * days / s, decay);
      if (right)
        next = s * (1 + std::exp(w[8]) * (11 - d) * std::pow(s, -w[9]) *
                            (std::exp(w[10] * (1 - r)) - 1));
      else
        next = std::min(w[11] * std::pow(d, -w[12]) * (std::pow(s + 1, w[13]) - 1) *
                            std::exp(w[14] * (1 - r)),
                        s / std::exp(w[17] * w[18]));
    }
    const double changed = d - w[6] * (grade - 3) * (10 - d) / 9;
    state.Stability = ClampStability(next);
    state.Difficulty = ClampDifficulty(w[7] * InitialDifficulty(4) + (1 - w[7]) * changed);
    state.LastMs = atMs;
  }

private:
  static double ClampStability(double s) { return std::clamp(s, 0.001, 36500.0); }
  static double ClampDifficulty(double d) { return std::clamp(d, 1.0, 10.0); }
  double InitialDifficulty(int grade) const { return w[4] - std::exp(w[5] * (grade - 1)) + 1; }

  std::array<double, 21> w;
  double decay;
  double factor;
};

// What makes one learner: the true memory, the chance to know a question before studying it,
// and the study habits.
struct TLearner {
  std::array<double, 21> Weights{};
  double FirstTryLogit = 0;  // centre of the per-question chance before studying
  int StudyDays = 0;         // calendar days of the study period
  double ActiveShare = 0;    // share of those days with a session
  int NewPerSession = 0;     // questions met for the first time per session
  int ReviewsPerSession = 0; // due reviews at most per session
  int ExamGapDays = 0;       // days from the last study day to the exam
};

TLearner DrawLearner(TRandom& random) {
  TLearner learner;
  for (std::size_t i = 0; i < learner.Weights.size(); ++i)
    learner.Weights[i] = kDefaultWeights[i] * Uniform(random, 0.7, 1.3);
  // Before studying, between about 15 % and 50 % right (four answers, some prior knowledge).
  learner.FirstTryLogit = Uniform(random, -1.7, 0.0);
  // From a few days to several weeks, short periods as often as long ones.
  learner.StudyDays =
      static_cast<int>(std::lround(std::exp(Uniform(random, std::log(5.0), std::log(42.0)))));
  learner.ActiveShare = Uniform(random, 0.3, 1.0);
  learner.NewPerSession = UniformInt(random, 8, 40);
  learner.ReviewsPerSession = UniformInt(random, 10, 80);
  learner.ExamGapDays = UniformInt(random, 1, 21);
  return learner;
}

double Logistic(double x) { return 1 / (1 + std::exp(-x)); }

// The 100 questions of the area as the catalogue holds them, with their fingerprints.
struct TArea {
  std::vector<std::string> Fingerprints;
  std::vector<std::string> Correct;
  std::vector<double> Ease; // how much easier than the learner's centre a question is to know
};

TArea WriteArea(const std::string& path) {
  TArea area;
  TRandom random(12345);
  WriteCatalogue(path, kQuestions, [&](int recordNo) {
    const QuestionRecord record = BenchQuestion(recordNo, kLicence, kArea, true);
    area.Fingerprints.push_back(FingerprintText(RecordFingerprint(EncodeRecord(record))));
    area.Correct.push_back(std::string(1, static_cast<char>('A' + recordNo % 4)));
    area.Ease.push_back(Uniform(random, -0.8, 0.8));
    return record;
  });
  return area;
}

struct TOutcomes {
  double Passed = 0;
  double Oral = 0;
  double Failed = 0;
};

double Brier(const TOutcomes& predicted, const TOutcomes& observed) {
  const double a = predicted.Passed - observed.Passed;
  const double b = predicted.Oral - observed.Oral;
  const double c = predicted.Failed - observed.Failed;
  return a * a + b * b + c * c;
}

// The baseline: every exam question right with the learner's overall share of right answers.
TOutcomes BinomialOutlook(double right, int questions, int oralFrom, int failFrom) {
  TOutcomes outcomes;
  for (int wrong = 0; wrong <= questions; ++wrong) {
    const double ways = std::exp(std::lgamma(questions + 1.0) - std::lgamma(wrong + 1.0) -
                                 std::lgamma(questions - wrong + 1.0));
    const double p = ways * std::pow(1 - right, wrong) * std::pow(right, questions - wrong);
    switch (GradeExam(wrong, oralFrom, failFrom)) {
    case TExamVerdict::Bestanden:
      outcomes.Passed += p;
      break;
    case TExamVerdict::MuendlicheNachpruefung:
      outcomes.Oral += p;
      break;
    case TExamVerdict::NichtBestanden:
      outcomes.Failed += p;
      break;
    }
  }
  return outcomes;
}

// What one simulated learner gives the comparison.
struct TResult {
  TOutcomes Outlook;
  TOutcomes Baseline;
  TOutcomes Observed;
  TOutcomes Exact; // the exact outlook of the true recall: the best any prediction can do
  int Answers = 0;
  int Seen = 0;
  // The mean recall at the exam of the questions answered, as predicted and as it is.
  double PredictedRecall = 0;
  double TrueRecall = 0;
};

class TSimulation {
public:
  TSimulation(const TArea& area, const std::string& folder, int questionsAsked, int oralFrom,
              int failFrom)
      : area(area), folder(folder), questionsAsked(questionsAsked), oralFrom(oralFrom),
        failFrom(failFrom) {}

  TResult Run(int index, int sittings, TRandom& random) {
    const TLearner learner = DrawLearner(random);
    const TTrueMemory memory(learner.Weights);
    std::vector<double> firstTry(kQuestions);
    for (int q = 0; q < kQuestions; ++q)
      firstTry[static_cast<std::size_t>(q)] =
          Logistic(learner.FirstTryLogit + area.Ease[static_cast<std::size_t>(q)]);
    std::vector<TTrueState> truth(kQuestions);
    // The order in which the learner meets new questions.
    std::vector<int> order(kQuestions);
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), random);
    std::size_t nextNew = 0;

    const std::string path = folder + "/learner-" + std::to_string(index) + ".sqlite";
    TResult result;
    int64_t examMs = 0;
    {
      THistoryStore store(path);
      int64_t clock = 0;
      const auto answer = [&](int q) {
        TTrueState& state = truth[static_cast<std::size_t>(q)];
        const double p =
            state.Seen ? memory.Recall(state, clock) : firstTry[static_cast<std::size_t>(q)];
        const bool right = Chance(random, p);
        memory.Answer(state, clock, right);
        TAnswerRow row;
        row.TimeMs = clock;
        row.RecordNo = q;
        row.Licence = kLicence;
        row.Area = kArea;
        row.Mode = 2;
        row.Correct = area.Correct[static_cast<std::size_t>(q)];
        row.Ticked =
            right ? row.Correct : std::string(1, static_cast<char>('A' + (q + 1 + q % 3) % 4));
        row.Right = right;
        store.RecordAnswer(row, area.Fingerprints[static_cast<std::size_t>(q)]);
        clock += UniformInt(random, 10, 60) * 1000;
        ++result.Answers;
        return right;
      };

      int lastStudyDay = 0;
      for (int day = 0; day < learner.StudyDays; ++day) {
        // The first day always has a session, the others by the learner's habit.
        if (day > 0 && !Chance(random, learner.ActiveShare))
          continue;
        lastStudyDay = day;
        clock = kStudyStartMs + day * kMsPerDay + UniformInt(random, 0, 180) * kMsPerMinute;
        // Due reviews as the program names them, least recalled first.
        std::vector<std::pair<double, int>> due;
        for (const THistoryQuestion& question : store.Questions()) {
          if (!question.Memory)
            continue;
          const double recall =
              TLearnerModel().RecallAt(*question.Memory, question.LastReviewMs, clock, clock);
          if (recall < 0.9)
            due.emplace_back(recall, question.RecordNo);
        }
        std::sort(due.begin(), due.end());
        if (due.size() > static_cast<std::size_t>(learner.ReviewsPerSession))
          due.resize(static_cast<std::size_t>(learner.ReviewsPerSession));
        std::vector<int> again;
        for (const auto& [recall, q] : due)
          if (!answer(q))
            again.push_back(q);
        // New questions.
        for (int n = 0; n < learner.NewPerSession && nextNew < order.size(); ++n, ++nextNew)
          if (!answer(order[nextNew]))
            again.push_back(order[nextNew]);
        // What went wrong is asked once more at the end of the session.
        for (int q : again)
          answer(q);
      }
      examMs = kStudyStartMs + (lastStudyDay + learner.ExamGapDays) * kMsPerDay + kExamFromStudyMs;

      // The prediction: the statistics window's outlook, from the history file alone.
      const TLearningStatistics statistics(&store, TLearnerModel(), 0.9, examMs);
      const std::vector<TAreaOutlook> outlook = statistics.Outlook(kLicence, examMs);
      if (outlook.empty() || outlook.front().Area != kArea ||
          outlook.front().Questions != kQuestions)
        throw std::runtime_error("the outlook does not cover the area's 100 questions");
      const TExamOutlook& figures = outlook.front().Outlook;
      result.Outlook = {figures.Passed, figures.Oral, figures.Failed};
      result.Seen = kQuestions - outlook.front().NeverAnswered;
      // For the report only: the recall the outlook used for the questions answered.
      for (const THistoryQuestion& question : store.Questions()) {
        result.PredictedRecall +=
            TLearnerModel().RecallAt(*question.Memory, question.LastReviewMs, examMs, examMs);
        result.TrueRecall +=
            memory.Recall(truth[static_cast<std::size_t>(question.RecordNo)], examMs);
      }
      result.PredictedRecall /= result.Seen;
      result.TrueRecall /= result.Seen;
      // The baseline from the same file: the overall share of right answers.
      int answers = 0;
      int wrong = 0;
      for (const THistoryQuestion& question : store.Questions()) {
        answers += question.Answers;
        wrong += question.WrongAnswers;
      }
      if (answers != result.Answers)
        throw std::runtime_error("the history file does not hold every answer");
      result.Baseline = BinomialOutlook(static_cast<double>(answers - wrong) / answers,
                                        questionsAsked, oralFrom, failFrom);
    }
    std::error_code ignored;
    for (const char* suffix : {"", "-wal", "-shm"})
      std::filesystem::remove(path + suffix, ignored);

    // The exams: the true recall at the exam moment, 30 of the 100 drawn, the grading's verdict.
    std::vector<double> trueRecall(kQuestions);
    for (int q = 0; q < kQuestions; ++q) {
      const TTrueState& state = truth[static_cast<std::size_t>(q)];
      trueRecall[static_cast<std::size_t>(q)] =
          state.Seen ? memory.Recall(state, examMs) : firstTry[static_cast<std::size_t>(q)];
    }
    const TExamOutlook exact = ExamOutlook(trueRecall, questionsAsked, oralFrom, failFrom);
    result.Exact = {exact.Passed, exact.Oral, exact.Failed};
    std::vector<int> draw(kQuestions);
    int verdicts[3] = {0, 0, 0};
    for (int sitting = 0; sitting < sittings; ++sitting) {
      std::iota(draw.begin(), draw.end(), 0);
      int wrong = 0;
      for (int i = 0; i < questionsAsked; ++i) {
        std::swap(draw[static_cast<std::size_t>(i)],
                  draw[static_cast<std::size_t>(UniformInt(random, i, kQuestions - 1))]);
        wrong +=
            Chance(random, trueRecall[static_cast<std::size_t>(draw[static_cast<std::size_t>(i)])])
                ? 0
                : 1;
      }
      ++verdicts[static_cast<int>(GradeExam(wrong, oralFrom, failFrom))];
    }
    result.Observed = {static_cast<double>(verdicts[0]) / sittings,
                       static_cast<double>(verdicts[1]) / sittings,
                       static_cast<double>(verdicts[2]) / sittings};
    return result;
  }

private:
  const TArea& area;
  std::string folder;
  int questionsAsked;
  int oralFrom;
  int failFrom;
};

// Predicted P(Bestanden) in tenths against the observed share; tenths with fewer than
// `minimum` learners are shown but not judged. Returns whether every judged tenth is within
// `tolerance`.
bool PrintReliability(const char* title, const std::vector<TResult>& results,
                      TOutcomes TResult::*predicted, int minimum, double tolerance) {
  struct TBin {
    int Learners = 0;
    double Predicted = 0;
    double Observed = 0;
  };
  std::array<TBin, 10> bins{};
  for (const TResult& result : results) {
    const double p = (result.*predicted).Passed;
    TBin& bin = bins[static_cast<std::size_t>(std::clamp(static_cast<int>(p * 10), 0, 9))];
    ++bin.Learners;
    bin.Predicted += p;
    bin.Observed += result.Observed.Passed;
  }
  bool allWithin = true;
  std::printf("\n%s: predicted P(Bestanden) in tenths against the observed share\n", title);
  std::printf("  tenth      learners  mean predicted  observed  difference  judged\n");
  for (std::size_t i = 0; i < bins.size(); ++i) {
    const TBin& bin = bins[i];
    std::printf("  %.1f-%.1f  %8d", static_cast<double>(i) / 10, static_cast<double>(i + 1) / 10,
                bin.Learners);
    if (bin.Learners == 0) {
      std::printf("\n");
      continue;
    }
    const double predictedMean = bin.Predicted / bin.Learners;
    const double observedMean = bin.Observed / bin.Learners;
    const double difference = observedMean - predictedMean;
    const bool judged = bin.Learners >= minimum;
    const bool within = std::fabs(difference) <= tolerance;
    if (judged && !within)
      allWithin = false;
    std::printf("  %14.3f  %8.3f  %+10.3f  %s\n", predictedMean, observedMean, difference,
                judged ? (within ? "within" : "MISSED") : "no (too few)");
  }
  return allWithin;
}

} // namespace

int main(int argc, char** argv) {
  const int learners = argc > 1 ? std::atoi(argv[1]) : 3000;
  const int sittings = argc > 2 ? std::atoi(argv[2]) : 400;
  const auto seed = static_cast<uint64_t>(argc > 3 ? std::atoll(argv[3]) : 1);
  if (learners < 1 || sittings < 1) {
    std::cerr << "usage: bench_calibration [learners [sittings [seed]]]\n";
    return 2;
  }
  constexpr int kMinimumPerTenth = 100;
  constexpr double kTolerance = 0.05;
  // Each thread uses its own connections only: SQLite needs neither its connection mutexes nor
  // the global one of its memory statistics, which the threads would otherwise contend for.
  sqlite3_config(SQLITE_CONFIG_MULTITHREAD);
  sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
  try {
    const auto started = std::chrono::steady_clock::now();
    TTempDir dir(TTempDir::TMode::Enter, "aerolern-bench");
    THeadlessPlatform platform;
    platform.SetProgramPath(dir.File("aerolern"));
    WriteTextFile(dir.File("aerolern.ini"),
                  "AnzPrfFragenGSA=30\nAnzMuendlichGSA=6\nAnzNichtBestGSA=8\n");
    const TArea area = WriteArea(dir.File(CatalogueFileName));
    // The limits exactly as the grading reads them.
    const int questionsAsked = ExamLimitOf(kLicence, elQuestionCount);
    const int oralFrom = ExamLimitOf(kLicence, elOralFrom);
    const int failFrom = ExamLimitOf(kLicence, elFailFrom);
    const std::string folder = dir.MakeSubDir("learners");

    std::printf("calibration of the exam outlook: %d learners, %d sittings each, seed %llu\n",
                learners, sittings, static_cast<unsigned long long>(seed));
    std::printf("area of %d questions; exam N %d, oral from M %d, failed from F %d wrong\n",
                kQuestions, questionsAsked, oralFrom, failFrom);
    std::printf("true memory: FSRS-6, every default weight scaled by U(0.7, 1.3) per learner; "
                "prediction: the program's defaults\n");

    // Learners are independent, each with a file and a random stream of its own: they run on
    // every core, and the results do not depend on which thread ran whom.
    TSimulation simulation(area, folder, questionsAsked, oralFrom, failFrom);
    std::vector<TResult> results(static_cast<std::size_t>(learners));
    std::atomic<int> nextLearner{0};
    std::mutex failureLock;
    std::string failure;
    const auto work = [&] {
      try {
        for (int index = nextLearner++; index < learners; index = nextLearner++) {
          TRandom random(seed * 1000003 + static_cast<uint64_t>(index));
          results[static_cast<std::size_t>(index)] = simulation.Run(index, sittings, random);
        }
      } catch (const std::exception& error) {
        const std::lock_guard<std::mutex> lock(failureLock);
        failure = error.what();
        nextLearner = learners;
      }
    };
    std::vector<std::thread> threads;
    for (unsigned i = 0; i < std::max(1u, std::thread::hardware_concurrency()); ++i)
      threads.emplace_back(work);
    for (std::thread& thread : threads)
      thread.join();
    if (!failure.empty())
      throw std::runtime_error(failure);
    int64_t answers = 0;
    for (const TResult& result : results)
      answers += result.Answers;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    double brierOutlook = 0;
    double brierBaseline = 0;
    double brierExact = 0;
    TOutcomes meanPredicted;
    TOutcomes meanObserved;
    double predictedRecall = 0;
    double trueRecall = 0;
    std::vector<int> seen;
    for (const TResult& result : results) {
      brierOutlook += Brier(result.Outlook, result.Observed);
      brierBaseline += Brier(result.Baseline, result.Observed);
      brierExact += Brier(result.Exact, result.Observed);
      meanPredicted.Passed += result.Outlook.Passed / learners;
      meanPredicted.Oral += result.Outlook.Oral / learners;
      meanPredicted.Failed += result.Outlook.Failed / learners;
      meanObserved.Passed += result.Observed.Passed / learners;
      meanObserved.Oral += result.Observed.Oral / learners;
      meanObserved.Failed += result.Observed.Failed / learners;
      seen.push_back(result.Seen);
      predictedRecall += result.PredictedRecall / learners;
      trueRecall += result.TrueRecall / learners;
    }
    brierOutlook /= learners;
    brierBaseline /= learners;
    brierExact /= learners;
    std::sort(seen.begin(), seen.end());
    std::printf("%lld answers recorded through the store (%.0f per learner), questions met per "
                "learner: min %d, median %d, max %d; %.1f s\n",
                static_cast<long long>(answers), static_cast<double>(answers) / learners,
                seen.front(), seen[seen.size() / 2], seen.back(), seconds);
    std::printf("mean over learners  predicted: Bestanden %.3f  Muendlich %.3f  Nicht bestanden "
                "%.3f\n",
                meanPredicted.Passed, meanPredicted.Oral, meanPredicted.Failed);
    std::printf("                    observed:  Bestanden %.3f  Muendlich %.3f  Nicht bestanden "
                "%.3f\n",
                meanObserved.Passed, meanObserved.Oral, meanObserved.Failed);

    std::printf("mean recall at the exam of the questions answered: predicted %.4f, true %.4f\n",
                predictedRecall, trueRecall);

    const bool outlookReliable =
        PrintReliability("outlook", results, &TResult::Outlook, kMinimumPerTenth, kTolerance);
    PrintReliability("baseline (binomial of the overall share right)", results, &TResult::Baseline,
                     kMinimumPerTenth, kTolerance);

    std::printf("\nmean Brier score (three outcomes against the observed shares)\n");
    std::printf("  outlook   %.4f\n  baseline  %.4f\n", brierOutlook, brierBaseline);
    std::printf("  reference: exact outlook of the true recall %.4f (the sittings' own noise)\n",
                brierExact);
    std::printf("ratio Brier outlook / baseline: %.2f (goal clearly below 1)\n",
                brierOutlook / brierBaseline);
    std::printf("reliability: every tenth with at least %d learners within %.2f: %s\n",
                kMinimumPerTenth, kTolerance, outlookReliable ? "yes" : "NO");
  } catch (const std::exception& error) {
    std::cerr << "bench_calibration: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
