// Tests of reading the learner's report: what the trainer writes comes back field by field.
#include "history/SchoolReport.h"

#include <gtest/gtest.h>

namespace {

void ExpectShares(const TReportShares& read, const TReportShares& written) {
  // The writer keeps shares to a hundredth of a percent.
  EXPECT_NEAR(read.Passed, written.Passed, 5e-5);
  EXPECT_NEAR(read.Oral, written.Oral, 5e-5);
  EXPECT_NEAR(read.Failed, written.Failed, 5e-5);
}

} // namespace

// Every field of the format, the optional ones present and absent, goes through the writer and
// back through the reader; a field the two spelt or formed differently would come back wrong or
// refused.
TEST(SchoolReportRead, ReadsBackEveryFieldTheTrainerWrites) {
  TSchoolReport written;
  written.Name = "Jürgen <Ölmann> & \"Sohn\"";
  written.MomentMs = 1796895000000; // 2026-12-10T09:30:00Z
  written.EditionOwner = "Talwinder Flugschule Ost";
  written.Catalogue = "0123456789abcdef";
  written.Areas.push_back({1, 2, 120, 80, {0.6123, 0.2, 0.1877}, std::nullopt, std::nullopt});
  written.Areas.push_back({3, 1, 22, 0, {0, 0, 1}, TReportShares{0.5, 0.25, 0.25}, 0.83});
  written.Exams.push_back({1796808600000, 1, 2, 20, 17, "Bestanden."});
  written.Exams.push_back({1796722200000, 71, 10, 10, 4, "Nicht bestanden."});
  written.Weeks.push_back({"2026-W49", 57});
  written.Weeks.push_back({"2026-W50", 120});
  written.Questions.push_back({"00000000000000aa", 12, 1, 2, 5, 2, std::string("AB")});
  written.Questions.push_back({"fedcba9876543210", 0, 0, 0, 3, 1, std::string("")});
  written.Questions.push_back({"0123456789abcdef", 3000, 3, 1, 1, 0, std::nullopt});

  std::string problem = "vorher";
  const std::optional<TSchoolReport> read = ReadSchoolReport(SchoolReportJson(written), problem);
  ASSERT_TRUE(read) << problem;
  EXPECT_EQ(problem, "");
  EXPECT_EQ(read->Name, written.Name);
  EXPECT_EQ(read->MomentMs, written.MomentMs);
  EXPECT_EQ(read->EditionOwner, written.EditionOwner);
  EXPECT_EQ(read->Catalogue, written.Catalogue);
  ASSERT_EQ(read->Areas.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    const TReportArea& area = read->Areas[i];
    EXPECT_EQ(area.Licence, written.Areas[i].Licence);
    EXPECT_EQ(area.Area, written.Areas[i].Area);
    EXPECT_EQ(area.Questions, written.Areas[i].Questions);
    EXPECT_EQ(area.Met, written.Areas[i].Met);
    ExpectShares(area.Now, written.Areas[i].Now);
  }
  EXPECT_FALSE(read->Areas[0].OnExamDate);
  EXPECT_FALSE(read->Areas[0].Planned);
  ASSERT_TRUE(read->Areas[1].OnExamDate);
  ExpectShares(*read->Areas[1].OnExamDate, *written.Areas[1].OnExamDate);
  EXPECT_EQ(read->Areas[1].Planned, 0.83);
  ASSERT_EQ(read->Exams.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    const TReportExam& exam = read->Exams[i];
    EXPECT_EQ(exam.MomentMs, written.Exams[i].MomentMs);
    EXPECT_EQ(exam.Licence, written.Exams[i].Licence);
    EXPECT_EQ(exam.Area, written.Exams[i].Area);
    EXPECT_EQ(exam.Questions, written.Exams[i].Questions);
    EXPECT_EQ(exam.Right, written.Exams[i].Right);
    EXPECT_EQ(exam.Verdict, written.Exams[i].Verdict);
  }
  ASSERT_EQ(read->Weeks.size(), 2u);
  EXPECT_EQ(read->Weeks[1].Week, "2026-W50");
  EXPECT_EQ(read->Weeks[1].Answers, 120);
  ASSERT_EQ(read->Questions.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    const TReportQuestion& question = read->Questions[i];
    EXPECT_EQ(question.Fingerprint, written.Questions[i].Fingerprint);
    EXPECT_EQ(question.Number, written.Questions[i].Number);
    EXPECT_EQ(question.Licence, written.Questions[i].Licence);
    EXPECT_EQ(question.Area, written.Questions[i].Area);
    EXPECT_EQ(question.Answered, written.Questions[i].Answered);
    EXPECT_EQ(question.Wrong, written.Questions[i].Wrong);
    EXPECT_EQ(question.CommonWrongTicks, written.Questions[i].CommonWrongTicks);
  }
}
