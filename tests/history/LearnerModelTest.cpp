// Tests of the learner model's rules: learning days, what tests recall, a changed answer key and
// a clock that was wrong.
#include "history/LearnerModel.h"
#include "history/CalendarDate.h"
#include "support/CoreFixture.h"

#include "core/LearningEvents.h"

namespace {

constexpr int64_t kHourMs = 3600000;
constexpr int64_t kDayMs = 24 * kHourMs;
// 2026-12-08 00:00 UTC.
constexpr int64_t kDec8 = 1796688000000;

class LearnerModelTest : public CoreTest {
protected:
  TLearnerModel model;
  static int64_t Day(int64_t utcMs) { return TLearnerModel::LearningDay(utcMs); }
};

// Local 04:00 divides the days, also where the clocks change at midnight.
TEST_F(LearnerModelTest, LearningDaysRunFromFourInTheMorning) {
  // Central European Time: local = UTC + 1 h.
  EXPECT_EQ(Day(kDec8 + 21 * kHourMs) + 1, Day(kDec8 + 31 * kHourMs)) // 22:00, next 08:00
      << "an evening session and the next morning's are one day apart";
  EXPECT_EQ(Day(kDec8 + 19 * kHourMs), Day(kDec8 + 22 * kHourMs + kHourMs / 2)); // 20:00, 23:30
  EXPECT_EQ(Day(kDec8 + 26 * kHourMs), Day(kDec8 + 21 * kHourMs)) << "03:00 is the evening's day";
  EXPECT_EQ(Day(kDec8 + 27 * kHourMs), Day(kDec8 + 21 * kHourMs) + 1) << "04:00 starts a day";

  // A zone that puts its clocks from 00:00 to 01:00 at local midnight of 9 December.
  constexpr int64_t change = kDec8 + 23 * kHourMs;
  platform.SetUtcOffsetRule([](int64_t utcMs) { return utcMs < change ? 3600 : 7200; });
  EXPECT_EQ(Day(kDec8 + 21 * kHourMs), Day(change + 3 * kHourMs - 60000)) // 22:00, 03:59
      << "03:59 after the change still belongs to the evening";
  EXPECT_EQ(Day(change + 3 * kHourMs), Day(kDec8 + 21 * kHourMs) + 1) << "04:00 local";
  EXPECT_EQ(LocalTimeOfDay(change + 10 * kHourMs, 9 * 3600), change + 8 * kHourMs)
      << "09:00 on the day of the change is 07:00 UTC";
}

// Lernmodus's "Klar" is seen, not recalled; a corrected key makes the question new; the last
// review never goes back in time, and a clock that was ahead is not believed.
TEST_F(LearnerModelTest, ExposureKeyAndWrongClocks) {
  const int64_t t = kDec8 + 10 * kHourMs;
  const TRecordedAnswer klarInLernmodus{t, lmLernen, true, true, "B"};
  const TQuestionMemory seen = model.AfterAnswer({}, klarInLernmodus);
  ASSERT_TRUE(seen.State);
  EXPECT_DOUBLE_EQ(seen.State->Stability, 0.212) << "a first exposure counts as Again";
  const TQuestionMemory tested = model.AfterAnswer({}, {t, lmVertiefen, true, true, "B"});
  EXPECT_DOUBLE_EQ(tested.State->Stability, 2.3065)
      << "Klar in Vertiefungsmodus without the solution tests recall";
  const TQuestionMemory later =
      model.AfterAnswer(tested, {t + 3 * kDayMs, lmLernen, true, true, "B"});
  EXPECT_DOUBLE_EQ(later.State->Stability, tested.State->Stability);
  EXPECT_EQ(later.LastReviewMs, tested.LastReviewMs) << "a later exposure leaves the state";

  const TQuestionMemory reviewed =
      model.AfterAnswer(tested, {t + 3 * kDayMs, lmVertiefen, false, true, "B"});
  ASSERT_GT(reviewed.State->Stability, 10);
  const TQuestionMemory newKey =
      model.AfterAnswer(reviewed, {t + 4 * kDayMs, lmVertiefen, false, true, "BD"});
  EXPECT_DOUBLE_EQ(newKey.State->Stability, 2.3065) << "a changed key restarts the memory";

  // The clock was ten days ahead at the last review and has been put right.
  TQuestionMemory ahead = tested;
  ahead.LastReviewMs = t + 10 * kDayMs;
  const TQuestionMemory corrected = model.AfterAnswer(ahead, {t, lmVertiefen, false, true, "B"});
  EXPECT_EQ(corrected.LastReviewMs, t);
  EXPECT_NEAR(model.RecallAt(*tested.State, t + 365 * kDayMs, t + 30 * kDayMs, t + 30 * kDayMs),
              model.RecallAt(*tested.State, t + 30 * kDayMs, t + 30 * kDayMs, t + 30 * kDayMs),
              1e-12);
  // Two hours ahead is within the day a clock may be off: the last review does not go back.
  ahead.LastReviewMs = t + 2 * kHourMs;
  EXPECT_EQ(model.AfterAnswer(ahead, {t, lmVertiefen, false, true, "B"}).LastReviewMs,
            t + 2 * kHourMs);
}

} // namespace
