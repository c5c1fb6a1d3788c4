// Fitting FSRS-6 parameters to a learner's log: replay, loss, gradient, projected Adam and the
// held-out acceptance.
#include "history/FsrsFit.h"

#include "history/Fsrs.h"
#include "history/FsrsDual.h"
#include "history/FsrsFormulas.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <random>

namespace {

using TWeights = std::array<double, 21>;

// The parameters binary grading uses; the slot of each in a gradient.
constexpr int kFitted = 17;
constexpr std::array<int, kFitted> kFittedIndex = {0,  2,  4,  5,  6,  7,  8,  9, 10,
                                                   11, 12, 13, 14, 17, 18, 19, 20};

// The spread of each parameter among learners (the scale of the penalty), and the bounds a fitted
// parameter is clipped to after every step; w0 … w20.
constexpr TWeights kSpread = {6.43, 9.66, 17.58, 27.85, 0.57, 0.28, 0.6,  0.12, 0.39, 0.18, 0.33,
                              0.3,  0.09, 0.16,  0.57,  0.25, 1.03, 0.31, 0.32, 0.14, 0.27};
constexpr TWeights kLow = {0.001, 0.001, 0.001, 0.001, 1, 0.001, 0.001, 0.001, 0,    0,  0.001,
                           0.001, 0.001, 0.001, 0,     0, 1,     0,     0,     0.01, 0.1};
constexpr TWeights kHigh = {100, 100,  100, 100, 10, 4, 4, 0.75, 4.5, 0.8, 3.5,
                            5,   0.25, 0.9, 4,   1,  6, 2, 2,    0.8, 0.8};
constexpr double kPenaltyWeight = 1; // γ

// The predicted recall is kept off 0 and 1 so that one confident miss cannot dominate the loss.
constexpr double kMinRecall = 0.0001;
constexpr double kMaxRecall = 0.9999;

// Projected Adam on batches of about kBatchReviews scored reviews (whole questions, in an order
// drawn anew for every pass with a fixed seed), the learning rate falling on a half cosine over
// the planned steps. Small logs get more passes so that every fit makes at least kMinSteps steps;
// the fit stops early when a whole pass no longer lowers the objective noticeably.
constexpr int kBatchReviews = 512;
constexpr int kMinSteps = 200;
constexpr int kMinPasses = 4;
constexpr int kMaxPasses = 100;
constexpr double kLearningRate = 0.04;
constexpr double kBeta1 = 0.9;
constexpr double kBeta2 = 0.999;
constexpr double kEpsilon = 1e-8;
constexpr double kTolerance = 1e-5; // relative improvement of the objective per pass
constexpr unsigned kSeed = 2023;
constexpr double kPi = 3.14159265358979323846;

constexpr int64_t kEveryDay = std::numeric_limits<int64_t>::max();
constexpr int64_t kBeforeAnyDay = std::numeric_limits<int64_t>::min();

using TGradientNumber = fsrs::TDual<kFitted>;

// One event as the replay needs it. Later exposures are left out: they change nothing.
struct TStep {
  int64_t Day = 0;
  int Elapsed = 0; // whole days since the last review
  int Grade = fsrsGood;
  bool First = false;
  bool Scored = false;
};

// The replayable log: question q's steps are Steps[Starts[q], Starts[q + 1]).
struct TLog {
  std::vector<TStep> Steps;
  std::vector<std::size_t> Starts{0};
  int RecallTests = 0;
  int ScoredReviews = 0;

  std::size_t Questions() const { return Starts.size() - 1; }
  const TStep* Begin(std::size_t question) const { return Steps.data() + Starts[question]; }
  const TStep* End(std::size_t question) const { return Steps.data() + Starts[question + 1]; }
};

TLog BuildLog(const TFsrsFitData& data) {
  TLog log;
  for (const TFsrsFitHistory& history : data) {
    bool hasState = false;
    int64_t lastReview = 0;
    int64_t day = kBeforeAnyDay;
    for (const TFsrsFitEvent& event : history) {
      day = std::max(day, event.Day);
      const bool exposure = event.Kind == TFsrsFitEventKind::Exposure;
      // An exposure that starts a question's memory counts as a first review graded Again.
      const int grade = event.Kind == TFsrsFitEventKind::Right ? fsrsGood : fsrsAgain;
      if (!exposure)
        ++log.RecallTests;
      if (!hasState) {
        log.Steps.push_back({day, 0, grade, true, false});
        hasState = true;
        lastReview = day;
        continue;
      }
      if (exposure)
        continue;
      const int64_t elapsed = std::min<int64_t>(day - lastReview, std::numeric_limits<int>::max());
      const bool scored = elapsed >= 1;
      log.Steps.push_back({day, static_cast<int>(elapsed), grade, false, scored});
      log.ScoredReviews += scored ? 1 : 0;
      lastReview = day;
    }
    log.Starts.push_back(log.Steps.size());
  }
  return log;
}

// The cross-entropy of one scored review.
template <class T> T ReviewLoss(const T& recall, bool right) {
  using std::log;
  const T clamped = fsrs::Clamp(recall, kMinRecall, kMaxRecall);
  return right ? -log(clamped) : -log(T(1) - clamped);
}

// Replays one question's steps up to and including day `until` and adds the loss of the scored
// reviews after day `scoreAfter` to `sum`.
template <class T>
void AddQuestionLoss(const T* w, const TStep* step, const TStep* end, int64_t until,
                     int64_t scoreAfter, T& sum) {
  T stability(0);
  T difficulty(0);
  for (; step != end && step->Day <= until; ++step) {
    if (step->First) {
      stability = fsrs::FirstStability(w, step->Grade);
      difficulty = fsrs::FirstDifficulty(w, step->Grade);
      continue;
    }
    if (step->Scored && step->Day > scoreAfter)
      sum += ReviewLoss(fsrs::Recall(w, stability, T(step->Elapsed)), step->Grade == fsrsGood);
    fsrs::Review(w, stability, difficulty, step->Elapsed, step->Grade);
  }
}

double SummedLoss(const TWeights& w, const TLog& log, int64_t until, int64_t scoreAfter) {
  double sum = 0;
  for (std::size_t question = 0; question < log.Questions(); ++question)
    AddQuestionLoss(w.data(), log.Begin(question), log.End(question), until, scoreAfter, sum);
  return sum;
}

// The scored reviews of a question after day `scoreAfter` up to and including day `until`.
int ScoredBetween(const TLog& log, std::size_t question, int64_t scoreAfter, int64_t until) {
  int scored = 0;
  for (const TStep* step = log.Begin(question); step != log.End(question); ++step)
    scored += step->Scored && step->Day > scoreAfter && step->Day <= until ? 1 : 0;
  return scored;
}

double Penalty(const TWeights& w) {
  const TWeights defaults = DefaultFsrsParameters().W;
  double penalty = 0;
  for (const int k : kFittedIndex) {
    const double z = (w[k] - defaults[k]) / kSpread[k];
    penalty += kPenaltyWeight * z * z;
  }
  return penalty;
}

// The parameters as numbers that carry their derivatives: one slot per fitted parameter, the
// others constant.
std::array<TGradientNumber, 21> GradientWeights(const TWeights& w) {
  std::array<TGradientNumber, 21> numbers;
  for (std::size_t k = 0; k < w.size(); ++k)
    numbers[k] = TGradientNumber(w[k]);
  for (int slot = 0; slot < kFitted; ++slot) {
    const auto k = static_cast<std::size_t>(kFittedIndex[static_cast<std::size_t>(slot)]);
    numbers[k] = TGradientNumber::Input(w[k], slot);
  }
  return numbers;
}

// The summed loss of the listed questions with its gradient, plus `penaltyShare` of the penalty
// and of its gradient; the gradient by slot.
std::array<double, kFitted> BatchGradient(const TWeights& w, const TLog& log,
                                          const std::size_t* question, const std::size_t* end,
                                          int64_t until, double penaltyShare) {
  const std::array<TGradientNumber, 21> numbers = GradientWeights(w);
  TGradientNumber sum(0);
  for (; question != end; ++question)
    AddQuestionLoss(numbers.data(), log.Begin(*question), log.End(*question), until, kBeforeAnyDay,
                    sum);
  const TWeights defaults = DefaultFsrsParameters().W;
  std::array<double, kFitted> gradient{};
  for (int slot = 0; slot < kFitted; ++slot) {
    const auto k = static_cast<std::size_t>(kFittedIndex[static_cast<std::size_t>(slot)]);
    gradient[static_cast<std::size_t>(slot)] =
        sum.Derivative(slot) +
        penaltyShare * 2 * kPenaltyWeight * (w[k] - defaults[k]) / (kSpread[k] * kSpread[k]);
  }
  return gradient;
}

// The start of a fit: the given parameters inside the bounds, the unused ones at their defaults.
TWeights Projected(TWeights w) {
  const TWeights defaults = DefaultFsrsParameters().W;
  for (const int k : {1, 3, 15, 16})
    w[static_cast<std::size_t>(k)] = defaults[static_cast<std::size_t>(k)];
  for (std::size_t k = 0; k < w.size(); ++k)
    w[k] = std::clamp(w[k], kLow[k], kHigh[k]);
  return w;
}

// Projected Adam on the scored reviews up to and including day `until`, from `start`; returns the
// parameters of the pass with the lowest objective.
TWeights Fit(const TLog& log, int64_t until, const TWeights& start) {
  std::vector<std::size_t> questions;
  std::vector<int> scored(log.Questions(), 0);
  int total = 0;
  for (std::size_t question = 0; question < log.Questions(); ++question) {
    scored[question] = ScoredBetween(log, question, kBeforeAnyDay, until);
    if (scored[question] > 0)
      questions.push_back(question);
    total += scored[question];
  }
  TWeights w = Projected(start);
  if (total == 0)
    return w;

  const int batchesPerPass = (total + kBatchReviews - 1) / kBatchReviews;
  const int passes =
      std::clamp((kMinSteps + batchesPerPass - 1) / batchesPerPass, kMinPasses, kMaxPasses);
  const double plannedSteps = static_cast<double>(passes) * batchesPerPass;
  std::array<double, kFitted> moment{};
  std::array<double, kFitted> squared{};
  int step = 0;
  std::mt19937 random(kSeed);
  TWeights best = w;
  double bestObjective = SummedLoss(w, log, until, kBeforeAnyDay) + Penalty(w);
  for (int pass = 0; pass < passes; ++pass) {
    for (std::size_t i = questions.size(); i > 1; --i)
      std::swap(questions[i - 1], questions[random() % i]);
    for (std::size_t first = 0; first < questions.size();) {
      std::size_t last = first;
      int batch = 0;
      while (last < questions.size() && batch < kBatchReviews)
        batch += scored[questions[last++]];
      const std::array<double, kFitted> gradient =
          BatchGradient(w, log, questions.data() + first, questions.data() + last, until,
                        static_cast<double>(batch) / total);
      first = last;
      ++step;
      const double rate =
          kLearningRate * 0.5 * (1 + std::cos(kPi * std::min(1.0, (step - 1) / plannedSteps)));
      const double correction1 = 1 - std::pow(kBeta1, step);
      const double correction2 = 1 - std::pow(kBeta2, step);
      for (int slot = 0; slot < kFitted; ++slot) {
        const auto s = static_cast<std::size_t>(slot);
        const auto k = static_cast<std::size_t>(kFittedIndex[s]);
        moment[s] = kBeta1 * moment[s] + (1 - kBeta1) * gradient[s];
        squared[s] = kBeta2 * squared[s] + (1 - kBeta2) * gradient[s] * gradient[s];
        const double update =
            rate * (moment[s] / correction1) / (std::sqrt(squared[s] / correction2) + kEpsilon);
        w[k] = std::clamp(w[k] - update, kLow[k], kHigh[k]);
      }
    }
    const double objective = SummedLoss(w, log, until, kBeforeAnyDay) + Penalty(w);
    const bool improved = objective < bestObjective * (1 - kTolerance);
    if (objective < bestObjective) {
      bestObjective = objective;
      best = w;
    }
    if (!improved && pass + 1 >= kMinPasses)
      break;
  }
  return best;
}

double MeanLoss(const TWeights& w, const TLog& log, int64_t until, int64_t scoreAfter,
                int reviews) {
  return reviews > 0 ? SummedLoss(w, log, until, scoreAfter) / reviews : 0;
}

// A count as German text writes it: 1.000, 12.345.
std::string GermanCount(int count) {
  std::string digits = std::to_string(count);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
    digits.insert(static_cast<std::size_t>(at), ".");
  return digits;
}

} // namespace

int FsrsRecallTests(const TFsrsFitData& data) { return BuildLog(data).RecallTests; }

int FsrsScoredReviews(const TFsrsFitData& data) { return BuildLog(data).ScoredReviews; }

double FsrsLogLoss(const TFsrsParameters& parameters, const TFsrsFitData& data) {
  const TLog log = BuildLog(data);
  return MeanLoss(parameters.W, log, kEveryDay, kBeforeAnyDay, log.ScoredReviews);
}

double FsrsFitObjective(const TFsrsParameters& parameters, const TFsrsFitData& data) {
  return SummedLoss(parameters.W, BuildLog(data), kEveryDay, kBeforeAnyDay) + Penalty(parameters.W);
}

std::array<double, 21> FsrsFitGradient(const TFsrsParameters& parameters,
                                       const TFsrsFitData& data) {
  const TLog log = BuildLog(data);
  std::vector<std::size_t> questions(log.Questions());
  for (std::size_t question = 0; question < questions.size(); ++question)
    questions[question] = question;
  const std::array<double, kFitted> bySlot = BatchGradient(
      parameters.W, log, questions.data(), questions.data() + questions.size(), kEveryDay, 1);
  std::array<double, 21> gradient{};
  for (std::size_t slot = 0; slot < bySlot.size(); ++slot)
    gradient[static_cast<std::size_t>(kFittedIndex[slot])] = bySlot[slot];
  return gradient;
}

TFsrsParameters FsrsProjected(const TFsrsParameters& parameters) {
  return {Projected(parameters.W)};
}

TFsrsFitResult FitFsrsParameters(const TFsrsFitData& data, const TFsrsParameters& current) {
  const TLog log = BuildLog(data);
  TFsrsFitResult result;
  result.Parameters = current;
  result.RecallTests = log.RecallTests;
  result.ScoredReviews = log.ScoredReviews;
  if (log.RecallTests < kFsrsFitMinRecallTests) {
    result.Reason = "Zu wenige Antworten für eine Anpassung: " + GermanCount(log.RecallTests) +
                    " von mindestens " + GermanCount(kFsrsFitMinRecallTests) + " Wiederholungen.";
    return result;
  }
  if (log.ScoredReviews < kFsrsFitMinScoredReviews) {
    result.Reason = "Zu wenige Wiederholungen an einem späteren Lerntag für eine Anpassung: " +
                    GermanCount(log.ScoredReviews) + " von mindestens " +
                    GermanCount(kFsrsFitMinScoredReviews) + ".";
    return result;
  }

  // The split: the learning day at the share's quantile of the scored reviews' days.
  std::vector<int64_t> days;
  days.reserve(static_cast<std::size_t>(log.ScoredReviews));
  for (const TStep& step : log.Steps)
    if (step.Scored)
      days.push_back(step.Day);
  const auto quantile =
      static_cast<std::size_t>(std::ceil(kFsrsFitShare * static_cast<double>(days.size())) - 1);
  std::nth_element(days.begin(), days.begin() + static_cast<std::ptrdiff_t>(quantile), days.end());
  const int64_t split = days[quantile];
  result.HeldOutReviews = static_cast<int>(
      std::count_if(days.begin(), days.end(), [split](int64_t day) { return day > split; }));
  if (result.HeldOutReviews == 0) {
    result.Reason = "Die Wiederholungen verteilen sich auf zu wenige Lerntage, um eine Anpassung "
                    "zu prüfen.";
    return result;
  }

  const TWeights fitted = Fit(log, split, current.W);
  result.HeldOutLossCurrent = MeanLoss(current.W, log, kEveryDay, split, result.HeldOutReviews);
  result.HeldOutLossFitted = MeanLoss(fitted, log, kEveryDay, split, result.HeldOutReviews);
  if (!(result.HeldOutLossFitted < result.HeldOutLossCurrent)) {
    result.Reason = "Die angepassten Werte sagen Ihre Antworten nicht besser voraus als die "
                    "bisherigen.";
    return result;
  }
  result.Accepted = true;
  result.Parameters.W = Fit(log, kEveryDay, fitted);
  return result;
}
