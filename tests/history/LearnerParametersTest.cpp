// Tests of keeping the learner's own parameters: a refused fit changes nothing, an accepted one
// is kept with its moment and count, and the memory states are replayed with it.
#include "history/LearnerParameters.h"
#include "history/Fingerprint.h"
#include "support/CoreFixture.h"
#include "support/SimulatedLearner.h"

#include "core/LearningEvents.h"

namespace {

constexpr int64_t kDayMs = 86400000;
// 2026-01-01 12:00 UTC, 13:00 local: well inside a learning day.
constexpr int64_t kFirstNoon = 1767268800000;

// Records the simulated log, question by question, from answer `from` on up to `to`.
void Record(THistoryStore& store, const TFsrsFitData& data, std::size_t from, std::size_t to) {
  std::size_t index = 0;
  for (std::size_t question = 0; question < data.size(); ++question)
    for (const TFsrsFitEvent& event : data[question]) {
      if (index >= from && index < to) {
        TAnswerRow answer;
        answer.TimeMs = kFirstNoon + event.Day * kDayMs + static_cast<int64_t>(index) * 1000;
        answer.RecordNo = static_cast<int32_t>(question);
        answer.Mode = event.Kind == TFsrsFitEventKind::Exposure ? lmLernen : lmVertiefen;
        answer.SelfGraded = event.Kind == TFsrsFitEventKind::Exposure;
        answer.Right = event.Kind != TFsrsFitEventKind::Wrong;
        answer.Correct = "B";
        store.RecordAnswer(answer, FingerprintText(static_cast<uint64_t>(question) + 1));
      }
      ++index;
    }
}

class LearnerParametersTest : public CoreTest {};

TEST_F(LearnerParametersTest, AFitIsKeptOnlyWhenAcceptedAndTheMemoryIsReplayed) {
  TFsrsParameters truth = DefaultFsrsParameters();
  truth.W[8] = 1.2;
  truth.W[20] = 0.5;
  const TFsrsFitData data = SimulateLearner(truth, 600, 10, 11);
  THistoryStore store("Lernverlauf.sqlite");
  Record(store, data, 0, 300);
  TKeptParameters kept = ReadKeptParameters(store);
  EXPECT_FALSE(RefitDue(store, kept));
  const TFsrsFitResult tooFew = FitAndKeep(store, kept, platform.UtcNowMs());
  EXPECT_FALSE(tooFew.Accepted);
  EXPECT_NE(tooFew.Reason.find("Zu wenige"), std::string::npos) << tooFew.Reason;
  EXPECT_FALSE(ReadKeptParameters(store).FittedMs) << "a refused fit keeps the defaults";

  Record(store, data, 300, SIZE_MAX);
  kept = ReadKeptParameters(store);
  ASSERT_TRUE(RefitDue(store, kept)) << "the log grew far beyond half";
  const TFsrsFitResult fit = FitAndKeep(store, kept, platform.UtcNowMs());
  ASSERT_TRUE(fit.Accepted) << fit.Reason;
  kept = ReadKeptParameters(store);
  EXPECT_EQ(kept.FittedMs, platform.UtcNowMs());
  EXPECT_EQ(kept.FittedRecallTests, fit.RecallTests);
  EXPECT_TRUE(kept.Parameters == fit.Parameters);
  EXPECT_FALSE(RefitDue(store, kept));

  // Every cached state is the one the log gives with the fitted parameters.
  const std::map<int64_t, TMemoryState> replayed =
      store.ReplayMemoryStates(TLearnerModel(kept.Parameters));
  int compared = 0;
  for (const THistoryQuestion& question : store.Questions()) {
    ASSERT_TRUE(question.Memory);
    EXPECT_DOUBLE_EQ(question.Memory->Stability, replayed.at(question.Id).Stability);
    ++compared;
  }
  EXPECT_EQ(compared, 600);
  const std::map<int64_t, TMemoryState> withDefaults = store.ReplayMemoryStates(TLearnerModel());
  EXPECT_NE(withDefaults.begin()->second.Stability, replayed.begin()->second.Stability)
      << "the fitted parameters make other states than the defaults";
}

} // namespace
