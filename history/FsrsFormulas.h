// The FSRS-6 formulas, written once for any number type: `double` for the model, and a number
// type that carries derivatives for fitting the parameters to a learner's answers. `w` points to
// the 21 parameters w0 … w20; grades are 1 Again, 2 Hard, 3 Good, 4 Easy.
#pragma once

#include <algorithm>
#include <cmath>

namespace fsrs {

constexpr double kMinStability = 0.001;
constexpr double kMaxStability = 36500;
constexpr double kMinDifficulty = 1;
constexpr double kMaxDifficulty = 10;

// The number types used here provide exp, pow, log, min, max and comparison.
using std::exp;
using std::log;
using std::pow;

template <class T> T Clamp(const T& value, double low, double high) {
  if (value < low)
    return T(low);
  if (value > high)
    return T(high);
  return value;
}

template <class T> T Decay(const T* w) { return -w[20]; }

// The factor that makes R(S, S) = 0.9 exactly.
template <class T> T Factor(const T* w) { return pow(T(0.9), T(1) / Decay(w)) - T(1); }

// R(t, S): the probability of recall t (fractional, not negative) days after the last review.
template <class T> T Recall(const T* w, const T& stability, const T& days) {
  return pow(T(1) + Factor(w) * days / stability, Decay(w));
}

// The initial difficulty of a grade, before clamping (mean reversion aims at D0(Easy) unclamped).
template <class T> T InitialDifficulty(const T* w, int grade) {
  return w[4] - exp(w[5] * T(grade - 1)) + T(1);
}

template <class T> T FirstStability(const T* w, int grade) {
  return Clamp(w[grade - 1], kMinStability, kMaxStability);
}

template <class T> T FirstDifficulty(const T* w, int grade) {
  return Clamp(InitialDifficulty(w, grade), kMinDifficulty, kMaxDifficulty);
}

template <class T> T NextDifficulty(const T* w, const T& difficulty, int grade) {
  const T changed = difficulty - w[6] * T(grade - 3) * (T(10) - difficulty) / T(9);
  const T reverted = w[7] * InitialDifficulty(w, 4) + (T(1) - w[7]) * changed;
  return Clamp(reverted, kMinDifficulty, kMaxDifficulty);
}

template <class T>
T StabilityAfterSuccess(const T* w, const T& stability, const T& difficulty, const T& recall,
                        int grade) {
  const T hard = grade == 2 ? w[15] : T(1);
  const T easy = grade == 4 ? w[16] : T(1);
  return stability * (T(1) + exp(w[8]) * (T(11) - difficulty) * pow(stability, -w[9]) *
                                 (exp(w[10] * (T(1) - recall)) - T(1)) * hard * easy);
}

template <class T>
T StabilityAfterLapse(const T* w, const T& stability, const T& difficulty, const T& recall) {
  const T longTerm = w[11] * pow(difficulty, -w[12]) * (pow(stability + T(1), w[13]) - T(1)) *
                     exp(w[14] * (T(1) - recall));
  const T shortTerm = stability / exp(w[17] * w[18]);
  return longTerm < shortTerm ? longTerm : shortTerm;
}

template <class T> T StabilitySameDay(const T* w, const T& stability, int grade) {
  T factor = exp(w[17] * (T(grade - 3) + w[18])) * pow(stability, -w[19]);
  if (grade >= 2 && factor < 1.0)
    factor = T(1);
  return stability * factor;
}

// The memory state (stability, difficulty) after a review `days` whole learning days after the
// last one (0: the same day): S' from the old S and D first, then D'' from the old D.
template <class T> void Review(const T* w, T& stability, T& difficulty, int days, int grade) {
  T next;
  if (days <= 0) {
    next = StabilitySameDay(w, stability, grade);
  } else {
    const T recall = Recall(w, stability, T(days));
    next = grade == 1 ? StabilityAfterLapse(w, stability, difficulty, recall)
                      : StabilityAfterSuccess(w, stability, difficulty, recall, grade);
  }
  difficulty = NextDifficulty(w, difficulty, grade);
  stability = Clamp(next, kMinStability, kMaxStability);
}

} // namespace fsrs
