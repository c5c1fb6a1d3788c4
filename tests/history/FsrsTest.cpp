// Tests of the FSRS-6 formulas against the public reference vector.
#include "history/Fsrs.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Equal to six significant digits.
void ExpectClose(double actual, double expected, const char* what) {
  EXPECT_NEAR(actual, expected, std::abs(expected) * 5e-6) << what;
}

TEST(FsrsTest, PublicReviewSequence) {
  // (day 0, Again) (day 0, Good) (day 1, Good) (day 4, Good) (day 12, Good) (day 33, Good).
  const int elapsed[] = {0, 1, 3, 8, 21};
  const int grades[] = {fsrsGood, fsrsGood, fsrsGood, fsrsGood, fsrsGood};
  const double stability[] = {0.246689, 2.02148, 7.8637, 21.9177, 53.6269};
  const double difficulty[] = {6.40212, 6.39094, 6.37978, 6.36863, 6.35749};
  TMemoryState state = FsrsFirstReview(fsrsAgain);
  ExpectClose(state.Stability, 0.212, "first stability");
  ExpectClose(state.Difficulty, 6.4133, "first difficulty");
  for (int i = 0; i < 5; ++i) {
    state = FsrsReview(state, elapsed[i], grades[i]);
    ExpectClose(state.Stability, stability[i], "stability");
    ExpectClose(state.Difficulty, difficulty[i], "difficulty");
  }
  EXPECT_NEAR(FsrsRetrievability(state, 30), 0.9348, 5e-5);
  EXPECT_EQ(FsrsIntervalDays(state, 0.9), 54);
  EXPECT_DOUBLE_EQ(FsrsRetrievability(state, state.Stability), 0.9);
}

// The lapse (t >= 1, Again) and the same-day reviews, against values worked out by hand from the
// published formulas: (day 0, Good) (day 3, Good) (day 10, Again) (day 10, Good), and a same-day
// Again after Good.
TEST(FsrsTest, LapseAndSameDayReviews) {
  TMemoryState state = FsrsReview(FsrsFirstReview(fsrsGood), 3, fsrsGood);
  ExpectClose(state.Stability, 13.8269037, "after the second Good");
  state = FsrsReview(state, 7, fsrsAgain);
  ExpectClose(state.Stability, 1.61459794, "lapse stability");
  ExpectClose(state.Difficulty, 7.39223813, "lapse difficulty");
  state = FsrsReview(state, 0, fsrsGood);
  ExpectClose(state.Stability, 1.64384517, "same-day Good");
  ExpectClose(state.Difficulty, 7.38007426, "same-day Good difficulty");
  const TMemoryState again = FsrsReview(FsrsFirstReview(fsrsGood), 0, fsrsAgain);
  ExpectClose(again.Stability, 0.775083983, "same-day Again after Good");
  ExpectClose(again.Difficulty, 7.39450274, "same-day Again difficulty");
}

TEST(FsrsTest, IntervalsForStabilityOne) {
  const int expected[] = {36500, 34793, 2508, 387, 90, 27, 9, 3, 1, 1};
  const TMemoryState state{1, 5};
  for (int tenth = 1; tenth <= 10; ++tenth)
    EXPECT_EQ(FsrsIntervalDays(state, tenth / 10.0), expected[tenth - 1]) << tenth;
  EXPECT_NEAR(FsrsInterval(state, 0.1), 3116769, 1);
}

} // namespace
