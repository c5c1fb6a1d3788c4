// The rules that turn recorded answers into memory states and recall.
#include "history/LearnerModel.h"

#include "core/LearningEvents.h"
#include "toolkit/Platform.h"

#include <algorithm>

namespace {

constexpr int64_t kMsPerSecond = 1000;
constexpr int64_t kMsPerDay = 86400000;
constexpr int64_t kSecondsPerDay = 86400;
// Learning days start at 04:00 local time, as Anki counts them: an evening session and the next
// morning's are one day apart.
constexpr int64_t kDayStartSeconds = 4 * 3600;

int64_t FloorDiv(int64_t value, int64_t divisor) {
  return value / divisor - (value % divisor < 0 ? 1 : 0);
}

// A last review that lies more than a day after `nowMs` is taken as now.
int64_t Believable(int64_t lastReviewMs, int64_t nowMs) {
  return lastReviewMs > nowMs + kMsPerDay ? nowMs : lastReviewMs;
}

} // namespace

TLearnerModel::TLearnerModel(const TFsrsParameters& parameters) : fsrs(parameters) {}

int TLearnerModel::GradeOf(bool right) { return right ? fsrsGood : fsrsAgain; }

bool TLearnerModel::IsRecallTest(int mode, bool selfGraded) {
  return !(mode == lmLernen && selfGraded);
}

bool TLearnerModel::KeyChanged(const std::optional<std::string>& lastKey, const std::string& key) {
  return lastKey && *lastKey != key;
}

int64_t TLearnerModel::LearningDay(int64_t utcMs) {
  const int64_t local = FloorDiv(utcMs, kMsPerSecond) + Platform().UtcOffsetSeconds(utcMs);
  return FloorDiv(local - kDayStartSeconds, kSecondsPerDay);
}

TQuestionMemory TLearnerModel::AfterAnswer(const TQuestionMemory& before,
                                           const TRecordedAnswer& answer) const {
  TQuestionMemory after = before;
  after.Key = answer.Key;
  const bool keyChanged = KeyChanged(before.Key, answer.Key);
  const bool known = before.State && !keyChanged;
  if (!IsRecallTest(answer.Mode, answer.SelfGraded)) {
    if (!known) {
      after.State = fsrs.FirstReview(fsrsAgain);
      after.LastReviewMs = answer.TimeMs;
    }
    return after;
  }
  const int grade = GradeOf(answer.Right);
  if (!known) {
    after.State = fsrs.FirstReview(grade);
    after.LastReviewMs = answer.TimeMs;
    return after;
  }
  const int64_t last = Believable(before.LastReviewMs, answer.TimeMs);
  const auto days =
      static_cast<int>(std::max<int64_t>(0, LearningDay(answer.TimeMs) - LearningDay(last)));
  after.State = fsrs.Review(*before.State, days, grade);
  after.LastReviewMs = std::max(last, answer.TimeMs);
  return after;
}

double TLearnerModel::RecallAt(const TMemoryState& state, int64_t lastReviewMs, int64_t atMs,
                               int64_t nowMs) const {
  const int64_t last = Believable(lastReviewMs, nowMs);
  return fsrs.Recall(state, static_cast<double>(atMs - last) / static_cast<double>(kMsPerDay));
}

bool TLearnerModel::IsDue(const TMemoryState& state, int64_t lastReviewMs, int64_t nowMs,
                          double retention) const {
  return RecallAt(state, lastReviewMs, nowMs, nowMs) < retention;
}

int64_t TLearnerModel::DueMoment(const TMemoryState& state, int64_t lastReviewMs, int64_t nowMs,
                                 double retention) const {
  return Believable(lastReviewMs, nowMs) +
         static_cast<int64_t>(fsrs.Interval(state, retention) * static_cast<double>(kMsPerDay));
}
