// The FSRS-6 formulas with the default parameters.
#include "history/Fsrs.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kW[21] = {0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194,
                           0.001,  1.8722, 0.1666, 0.796,  1.4835, 0.0614, 0.2629,
                           1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542};
constexpr double kMinStability = 0.001;
constexpr double kMaxStability = 36500;
constexpr int kMaxIntervalDays = 36500;

double Decay() { return -kW[20]; }
// The factor that makes R(S, S) = 0.9 exactly.
double Factor() { return std::pow(0.9, 1 / Decay()) - 1; }

double ClampDifficulty(double difficulty) { return std::clamp(difficulty, 1.0, 10.0); }
double ClampStability(double stability) {
  return std::clamp(stability, kMinStability, kMaxStability);
}

// The initial difficulty of a grade, before clamping (mean reversion aims at D0(Easy) unclamped).
double InitialDifficulty(int grade) { return kW[4] - std::exp(kW[5] * (grade - 1)) + 1; }

double NextDifficulty(double difficulty, int grade) {
  const double changed = difficulty - kW[6] * (grade - 3) * (10 - difficulty) / 9;
  const double reverted = kW[7] * InitialDifficulty(fsrsEasy) + (1 - kW[7]) * changed;
  return ClampDifficulty(reverted);
}

double StabilityAfterSuccess(const TMemoryState& state, double recall, int grade) {
  const double hard = grade == fsrsHard ? kW[15] : 1;
  const double easy = grade == fsrsEasy ? kW[16] : 1;
  return state.Stability *
         (1 + std::exp(kW[8]) * (11 - state.Difficulty) * std::pow(state.Stability, -kW[9]) *
                  (std::exp(kW[10] * (1 - recall)) - 1) * hard * easy);
}

double StabilityAfterLapse(const TMemoryState& state, double recall) {
  const double longTerm = kW[11] * std::pow(state.Difficulty, -kW[12]) *
                          (std::pow(state.Stability + 1, kW[13]) - 1) *
                          std::exp(kW[14] * (1 - recall));
  return std::min(longTerm, state.Stability / std::exp(kW[17] * kW[18]));
}

double StabilitySameDay(const TMemoryState& state, int grade) {
  double factor = std::exp(kW[17] * (grade - 3 + kW[18])) * std::pow(state.Stability, -kW[19]);
  if (grade >= fsrsHard)
    factor = std::max(factor, 1.0);
  return state.Stability * factor;
}

int ValidGrade(int grade) { return std::clamp<int>(grade, fsrsAgain, fsrsEasy); }

} // namespace

TMemoryState FsrsFirstReview(int grade) {
  grade = ValidGrade(grade);
  return {ClampStability(kW[grade - 1]), ClampDifficulty(InitialDifficulty(grade))};
}

TMemoryState FsrsReview(const TMemoryState& state, int elapsedDays, int grade) {
  grade = ValidGrade(grade);
  double stability = 0;
  if (elapsedDays <= 0) {
    stability = StabilitySameDay(state, grade);
  } else {
    const double recall = FsrsRetrievability(state, elapsedDays);
    stability = grade == fsrsAgain ? StabilityAfterLapse(state, recall)
                                   : StabilityAfterSuccess(state, recall, grade);
  }
  return {ClampStability(stability), NextDifficulty(state.Difficulty, grade)};
}

double FsrsRetrievability(const TMemoryState& state, double elapsedDays) {
  if (state.Stability <= 0)
    return 0;
  return std::pow(1 + Factor() * std::max(0.0, elapsedDays) / state.Stability, Decay());
}

double FsrsInterval(const TMemoryState& state, double desiredRetention) {
  return state.Stability / Factor() * (std::pow(desiredRetention, 1 / Decay()) - 1);
}

int FsrsIntervalDays(const TMemoryState& state, double desiredRetention) {
  const double days = std::nearbyint(FsrsInterval(state, desiredRetention));
  if (!(days >= 1))
    return 1;
  return days > kMaxIntervalDays ? kMaxIntervalDays : static_cast<int>(days);
}
