// Tests of the exam outlook against the public example and a brute force over all draws.
#include "history/ExamOutlook.h"

#include "core/ExamGrading.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>

namespace {

// Every subset of min(N, K) questions equally likely, every answer pattern by its probability.
TExamOutlook BruteForce(const std::vector<double>& recall, int questions, int oralFrom,
                        int failFrom) {
  const int available = static_cast<int>(recall.size());
  const int drawn = std::max(0, std::min(questions, available));
  TExamOutlook outlook;
  int subsets = 0;
  for (unsigned subset = 0; subset < (1u << available); ++subset) {
    if (__builtin_popcount(subset) != drawn)
      continue;
    ++subsets;
    std::vector<int> picked;
    for (int i = 0; i < available; ++i)
      if (subset & (1u << i))
        picked.push_back(i);
    for (unsigned pattern = 0; pattern < (1u << drawn); ++pattern) {
      double mass = 1;
      int right = 0;
      for (int j = 0; j < drawn; ++j) {
        const bool correct = (pattern & (1u << j)) != 0;
        mass *= correct ? recall[static_cast<std::size_t>(picked[static_cast<std::size_t>(j)])]
                        : 1 - recall[static_cast<std::size_t>(picked[static_cast<std::size_t>(j)])];
        right += correct;
      }
      const TExamVerdict verdict =
          GradeExam(ExamWrongAnswers(questions, right), oralFrom, failFrom);
      (verdict == TExamVerdict::Bestanden        ? outlook.Passed
       : verdict == TExamVerdict::NichtBestanden ? outlook.Failed
                                                 : outlook.Oral) += mass;
    }
  }
  outlook.Passed /= subsets;
  outlook.Oral /= subsets;
  outlook.Failed /= subsets;
  return outlook;
}

TEST(ExamOutlookTest, PublicExample) {
  const std::vector<double> recall = {0.95, 0.9, 0.9, 0.85, 0.8, 0.8, 0.75, 0.7, 0.6, 0.5};
  const TExamOutlook outlook = ExamOutlook(recall, 6, 2, 3);
  EXPECT_NEAR(outlook.Passed, 0.592617, 5e-7);
  EXPECT_NEAR(outlook.Oral, 0.282934, 5e-7);
  EXPECT_NEAR(outlook.Failed, 0.124449, 5e-7);
}

// Small areas, exams larger than the area, no questions, and limits in any order.
TEST(ExamOutlookTest, AgreesWithEveryDrawCountedOut) {
  std::mt19937 random(11);
  std::uniform_real_distribution<double> share(0, 1);
  for (int round = 0; round < 200; ++round) {
    std::vector<double> recall(random() % 9);
    for (double& p : recall)
      p = share(random);
    const int questions = static_cast<int>(random() % 11) - 1;
    const int oralFrom = static_cast<int>(random() % 6);
    const int failFrom = static_cast<int>(random() % 8);
    const TExamOutlook exact = ExamOutlook(recall, questions, oralFrom, failFrom);
    const TExamOutlook counted = BruteForce(recall, questions, oralFrom, failFrom);
    EXPECT_NEAR(exact.Passed, counted.Passed, 1e-12) << round;
    EXPECT_NEAR(exact.Oral, counted.Oral, 1e-12) << round;
    EXPECT_NEAR(exact.Failed, counted.Failed, 1e-12) << round;
    EXPECT_NEAR(exact.Passed + exact.Oral + exact.Failed, 1, 1e-12) << round;
  }
}

// Counts and limits at the ends of 32 bits, as a damaged caller could pass them: the outlook
// agrees with the brute force, which grades as the exam does.
TEST(ExamOutlookTest, ExtremeCountsAndLimits) {
  constexpr int32_t lowest = std::numeric_limits<int32_t>::min();
  constexpr int32_t highest = std::numeric_limits<int32_t>::max();
  const std::vector<double> recall = {0.9, 0.5, 0.2};
  const int32_t values[] = {lowest, lowest + 1, -1, 0, 2, 3, highest - 2, highest - 1, highest};
  for (int32_t questions : values)
    for (int32_t oralFrom : values)
      for (int32_t failFrom : values) {
        const TExamOutlook exact = ExamOutlook(recall, questions, oralFrom, failFrom);
        const TExamOutlook counted = BruteForce(recall, questions, oralFrom, failFrom);
        EXPECT_NEAR(exact.Passed, counted.Passed, 1e-12)
            << questions << ' ' << oralFrom << ' ' << failFrom;
        EXPECT_NEAR(exact.Oral, counted.Oral, 1e-12);
        EXPECT_NEAR(exact.Failed, counted.Failed, 1e-12);
      }
  // INT32_MAX - 3 questions are missing; only all three drawn ones wrong reach INT32_MAX.
  const TExamOutlook most = ExamOutlook(recall, highest, 0, highest);
  EXPECT_NEAR(most.Failed, 0.1 * 0.5 * 0.8, 1e-12);
  EXPECT_NEAR(most.Oral, 1 - 0.1 * 0.5 * 0.8, 1e-12);
}

} // namespace
