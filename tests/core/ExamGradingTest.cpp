// Tests of the wrong-answer count and the verdict of an exam area at the ends of their range.
#include "core/ExamGrading.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

TEST(ExamGradingTest, WrongAnswersAndVerdictAtTheEndsOfTheRange) {
  constexpr int32_t lowest = std::numeric_limits<int32_t>::min();
  constexpr int32_t highest = std::numeric_limits<int32_t>::max();
  EXPECT_EQ(ExamWrongAnswers(30, 26), 4);
  EXPECT_EQ(ExamWrongAnswers(30, 0), 30) << "missing questions count as wrong";
  EXPECT_EQ(ExamWrongAnswers(20, 25), 0) << "more right answers than questions are no debt";
  EXPECT_EQ(ExamWrongAnswers(highest, lowest), highest);
  EXPECT_EQ(ExamWrongAnswers(highest, -1), highest);
  EXPECT_EQ(ExamWrongAnswers(lowest, highest), 0);
  EXPECT_EQ(ExamWrongAnswers(highest, 0), highest);

  EXPECT_EQ(GradeExam(highest, highest, highest), TExamVerdict::NichtBestanden);
  EXPECT_EQ(GradeExam(highest - 1, highest - 1, highest), TExamVerdict::MuendlicheNachpruefung);
  EXPECT_EQ(GradeExam(0, 1, lowest), TExamVerdict::NichtBestanden);
  EXPECT_EQ(GradeExam(0, lowest, highest), TExamVerdict::MuendlicheNachpruefung);
}

} // namespace
