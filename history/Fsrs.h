// FSRS-6, the spaced-repetition model: memory state after reviews, recall and intervals, with
// the 21 default parameters, at day granularity.
#pragma once

// Stability in days (the time at which recall falls to 90 %) and difficulty in [1, 10].
struct TMemoryState {
  double Stability = 0;
  double Difficulty = 0;
};

// The grades of a review: Again, Hard, Good, Easy. A right answer counts as Good, a wrong one as
// Again.
enum : int { fsrsAgain = 1, fsrsHard = 2, fsrsGood = 3, fsrsEasy = 4 };

// The memory state after the first review with the grade (1 to 4).
TMemoryState FsrsFirstReview(int grade);
// The memory state after a review `elapsedDays` whole days after the last one (0: the same day).
TMemoryState FsrsReview(const TMemoryState& state, int elapsedDays, int grade);
// The probability of recall `elapsedDays` (fractional) days after the last review.
double FsrsRetrievability(const TMemoryState& state, double elapsedDays);
// The interval in whole days after which recall falls to the desired retention: rounded to the
// nearest day (ties to even), at least 1, at most 36500.
int FsrsIntervalDays(const TMemoryState& state, double desiredRetention);
// The unrounded interval in days (the due moment is the last review plus this).
double FsrsInterval(const TMemoryState& state, double desiredRetention);
