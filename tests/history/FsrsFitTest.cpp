// Tests of fitting a learner's own FSRS-6 parameters: scoring rules, gradient, refusal and a fit
// to a simulated learner whose memory differs from the defaults.
#include "history/FsrsFit.h"

#include "history/Fsrs.h"
#include "support/SimulatedLearner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

using K = TFsrsFitEventKind;

TEST(FsrsFitTest, ExposuresFirstReviewsAndSameDayReviewsAreNotScored) {
  const TFsrsFitData data = {
      // Exposure, right 2 days later, exposure (no change), wrong 3 days after the last review,
      // right the same day, right 2 days later.
      {{10, K::Exposure},
       {12, K::Right},
       {13, K::Exposure},
       {15, K::Wrong},
       {15, K::Right},
       {17, K::Right}},
      // A first review and a same-day review: nothing to score.
      {{4, K::Right}, {4, K::Right}},
      // Only exposures.
      {{1, K::Exposure}, {30, K::Exposure}}};
  EXPECT_EQ(FsrsRecallTests(data), 6);
  EXPECT_EQ(FsrsScoredReviews(data), 3);

  const TFsrsModel model;
  TMemoryState state = model.FirstReview(fsrsAgain);
  const double first = model.Recall(state, 2);
  state = model.Review(state, 2, fsrsGood);
  const double second = model.Recall(state, 3);
  state = model.Review(model.Review(state, 3, fsrsAgain), 0, fsrsGood);
  const double third = model.Recall(state, 2);
  const double expected = -(std::log(first) + std::log(1 - second) + std::log(third)) / 3;
  EXPECT_NEAR(FsrsLogLoss(DefaultFsrsParameters(), data), expected, 1e-12);

  EXPECT_EQ(FsrsScoredReviews({{{4, K::Right}, {4, K::Wrong}}}), 0);
  EXPECT_EQ(FsrsLogLoss(DefaultFsrsParameters(), {{{4, K::Right}, {4, K::Wrong}}}), 0);
}

TEST(FsrsFitTest, GradientEqualsFiniteDifferences) {
  const TFsrsFitData data = SimulateLearner(DefaultFsrsParameters(), 40, 8, 5);
  // Away from the defaults, so that the penalty has a gradient too.
  TFsrsParameters parameters = DefaultFsrsParameters();
  for (std::size_t k = 0; k < parameters.W.size(); ++k)
    parameters.W[k] *= k % 2 == 0 ? 1.15 : 0.9;
  const std::array<double, 21> gradient = FsrsFitGradient(parameters, data);
  for (const std::size_t k : {0, 2, 4, 5, 8, 9, 10, 11, 13, 14, 17, 19, 20}) {
    const double step = 1e-6 * std::max(1.0, std::abs(parameters.W[k]));
    TFsrsParameters up = parameters;
    TFsrsParameters down = parameters;
    up.W[k] += step;
    down.W[k] -= step;
    const double difference =
        (FsrsFitObjective(up, data) - FsrsFitObjective(down, data)) / (2 * step);
    EXPECT_NEAR(gradient[k], difference, 1e-5 * std::max(1.0, std::abs(difference))) << "w" << k;
  }
  for (const std::size_t k : {1, 3, 15, 16})
    EXPECT_EQ(gradient[k], 0) << "w" << k;
}

TEST(FsrsFitTest, ProjectedParametersLieWithinTheBounds) {
  TFsrsParameters wild = DefaultFsrsParameters();
  wild.W[1] = 50;   // unused: back to its default
  wild.W[4] = 0.5;  // below 1
  wild.W[7] = 0.9;  // above 0.75
  wild.W[20] = 0.3; // within 0.1 to 0.8
  const TFsrsParameters projected = FsrsProjected(wild);
  EXPECT_EQ(projected.W[1], DefaultFsrsParameters().W[1]);
  EXPECT_EQ(projected.W[4], 1);
  EXPECT_EQ(projected.W[7], 0.75);
  EXPECT_EQ(projected.W[20], 0.3);
  EXPECT_EQ(FsrsProjected(DefaultFsrsParameters()), DefaultFsrsParameters());
}

TEST(FsrsFitTest, RefusedFitsKeepTheCurrentParameters) {
  TFsrsParameters current = DefaultFsrsParameters();
  current.W[20] = 0.3;
  // 999 recall tests.
  TFsrsFitData data = SimulateLearner(DefaultFsrsParameters(), 111, 9, 3);
  ASSERT_EQ(FsrsRecallTests(data), 999);
  TFsrsFitResult result = FitFsrsParameters(data, current);
  EXPECT_FALSE(result.Accepted);
  EXPECT_EQ(result.Parameters, current);
  EXPECT_EQ(result.RecallTests, 999);
  EXPECT_EQ(result.Reason,
            "Zu wenige Antworten für eine Anpassung: 999 von mindestens 1.000 Wiederholungen.");

  // 1,200 recall tests, but each question's second answer comes the same day: nothing scored.
  data.clear();
  for (int question = 0; question < 600; ++question)
    data.push_back({{question, K::Right}, {question, K::Wrong}});
  result = FitFsrsParameters(data, current);
  EXPECT_FALSE(result.Accepted);
  EXPECT_EQ(result.Parameters, current);
  EXPECT_EQ(result.RecallTests, 1200);
  EXPECT_EQ(result.ScoredReviews, 0);
  EXPECT_EQ(result.Reason, "Zu wenige Wiederholungen an einem späteren Lerntag für eine "
                           "Anpassung: 0 von mindestens 300.");

  // Enough answers, but the learner knew everything until the split day and nothing after it: a
  // fit to the earlier answers predicts the later ones worse than the current parameters.
  data.clear();
  std::vector<int64_t> scoredDays;
  for (int question = 0; question < 250; ++question) {
    TFsrsFitHistory history;
    for (const int offset : {0, 1, 3, 7, 15, 31}) {
      history.push_back({question % 40 + offset, K::Right});
      if (offset > 0)
        scoredDays.push_back(history.back().Day);
    }
    data.push_back(history);
  }
  std::sort(scoredDays.begin(), scoredDays.end());
  const int64_t split = scoredDays[static_cast<std::size_t>(
      std::ceil(kFsrsFitShare * static_cast<double>(scoredDays.size())) - 1)];
  for (TFsrsFitHistory& history : data)
    for (TFsrsFitEvent& event : history)
      event.Kind = event.Day <= split ? K::Right : K::Wrong;
  result = FitFsrsParameters(data, current);
  EXPECT_FALSE(result.Accepted);
  EXPECT_EQ(result.Parameters, current);
  EXPECT_EQ(result.ScoredReviews, 1250);
  EXPECT_GT(result.HeldOutReviews, 0);
  EXPECT_GT(result.HeldOutLossFitted, result.HeldOutLossCurrent);
  EXPECT_EQ(result.Reason,
            "Die angepassten Werte sagen Ihre Antworten nicht besser voraus als die bisherigen.");
}

TEST(FsrsFitTest, FitToSimulatedLearnerPredictsLaterAnswersBetter) {
  const TFsrsParameters defaults = DefaultFsrsParameters();
  TFsrsParameters truth = defaults;
  truth.W[8] = 1.2;  // stability grows less after a success
  truth.W[20] = 0.5; // a steeper forgetting curve
  const TFsrsFitData data = SimulateLearner(truth, 600, 10, 1);

  const TFsrsFitResult result = FitFsrsParameters(data, defaults);
  ASSERT_TRUE(result.Accepted) << result.Reason;
  EXPECT_TRUE(result.Reason.empty());
  EXPECT_LT(result.HeldOutLossFitted, result.HeldOutLossCurrent);
  EXPECT_EQ(result.RecallTests, FsrsRecallTests(data));
  EXPECT_EQ(result.ScoredReviews, FsrsScoredReviews(data));
  EXPECT_GT(result.HeldOutReviews, result.ScoredReviews / 10);
  EXPECT_LE(result.HeldOutReviews, result.ScoredReviews / 5);
  // Both changed parameters moved at least a fifth of the way to the truth.
  for (const std::size_t k : {8, 20}) {
    const double distance = std::abs(truth.W[k] - defaults.W[k]);
    EXPECT_LT(std::abs(result.Parameters.W[k] - truth.W[k]), 0.8 * distance) << "w" << k;
  }
  for (const std::size_t k : {1, 3, 15, 16})
    EXPECT_EQ(result.Parameters.W[k], defaults.W[k]) << "w" << k;
  EXPECT_LT(FsrsLogLoss(result.Parameters, data), FsrsLogLoss(defaults, data));
  EXPECT_EQ(FitFsrsParameters(data, defaults).Parameters, result.Parameters);
}

} // namespace
