// The FSRS-6 model object and the free functions with the default parameters.
#include "history/Fsrs.h"

#include "history/FsrsFormulas.h"
#include "history/FsrsModel.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMaxIntervalDays = 36500;

int ValidGrade(int grade) { return std::clamp<int>(grade, fsrsAgain, fsrsEasy); }

const TFsrsModel& DefaultModel() {
  static const TFsrsModel model;
  return model;
}

} // namespace

TFsrsParameters DefaultFsrsParameters() {
  return {{0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194, 0.001,  1.8722, 0.1666, 0.796,
           1.4835, 0.0614, 0.2629, 1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542}};
}

TFsrsModel::TFsrsModel(const TFsrsParameters& parameters) : parameters(parameters) {}

TMemoryState TFsrsModel::FirstReview(int grade) const {
  grade = ValidGrade(grade);
  const double* w = parameters.W.data();
  return {fsrs::FirstStability(w, grade), fsrs::FirstDifficulty(w, grade)};
}

TMemoryState TFsrsModel::Review(const TMemoryState& state, int elapsedDays, int grade) const {
  TMemoryState next{fsrs::Clamp(state.Stability, fsrs::kMinStability, fsrs::kMaxStability),
                    fsrs::Clamp(state.Difficulty, fsrs::kMinDifficulty, fsrs::kMaxDifficulty)};
  fsrs::Review(parameters.W.data(), next.Stability, next.Difficulty, elapsedDays,
               ValidGrade(grade));
  return next;
}

double TFsrsModel::Recall(const TMemoryState& state, double elapsedDays) const {
  if (!(state.Stability > 0))
    return 0;
  return fsrs::Recall(parameters.W.data(), state.Stability, std::max(0.0, elapsedDays));
}

double TFsrsModel::Interval(const TMemoryState& state, double desiredRetention) const {
  const double* w = parameters.W.data();
  const double decay = fsrs::Decay(w);
  return state.Stability / fsrs::Factor(w) * (std::pow(desiredRetention, 1 / decay) - 1);
}

int TFsrsModel::IntervalDays(const TMemoryState& state, double desiredRetention) const {
  const double days = std::nearbyint(Interval(state, desiredRetention));
  if (!(days >= 1))
    return 1;
  return days > kMaxIntervalDays ? kMaxIntervalDays : static_cast<int>(days);
}

TMemoryState FsrsFirstReview(int grade) { return DefaultModel().FirstReview(grade); }

TMemoryState FsrsReview(const TMemoryState& state, int elapsedDays, int grade) {
  return DefaultModel().Review(state, elapsedDays, grade);
}

double FsrsRetrievability(const TMemoryState& state, double elapsedDays) {
  return DefaultModel().Recall(state, elapsedDays);
}

double FsrsInterval(const TMemoryState& state, double desiredRetention) {
  return DefaultModel().Interval(state, desiredRetention);
}

int FsrsIntervalDays(const TMemoryState& state, double desiredRetention) {
  return DefaultModel().IntervalDays(state, desiredRetention);
}
