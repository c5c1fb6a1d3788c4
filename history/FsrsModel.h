// The learner's memory model: FSRS-6 with a set of 21 parameters, the defaults or the learner's
// own fitted ones. The one home of the formulas' use: memory state after a review, recall at a
// moment and the interval to a desired retention.
#pragma once

#include "history/Fsrs.h"

#include <array>

struct TFsrsParameters {
  std::array<double, 21> W{};
  bool operator==(const TFsrsParameters& other) const { return W == other.W; }
};

// The published default parameters (the median of many learners).
TFsrsParameters DefaultFsrsParameters();

class TFsrsModel {
public:
  explicit TFsrsModel(const TFsrsParameters& parameters = DefaultFsrsParameters());

  const TFsrsParameters& Parameters() const { return parameters; }

  // The memory state after the first review with the grade (1 to 4).
  TMemoryState FirstReview(int grade) const;
  // The memory state after a review `elapsedDays` whole learning days after the last one (0: the
  // same day).
  TMemoryState Review(const TMemoryState& state, int elapsedDays, int grade) const;
  // The probability of recall `elapsedDays` (fractional, negative counts as 0) days after the
  // last review.
  double Recall(const TMemoryState& state, double elapsedDays) const;
  // The unrounded interval in days after which recall falls to the desired retention.
  double Interval(const TMemoryState& state, double desiredRetention) const;
  // The interval rounded to the nearest day (ties to even), at least 1, at most 36500.
  int IntervalDays(const TMemoryState& state, double desiredRetention) const;

private:
  TFsrsParameters parameters;
};
