// Tests of the learner's figures: categories, the outlook with its priors and limits, the days
// and the questions answered wrong most often.
#include "history/LearningStatistics.h"
#include "history/CatalogueView.h"
#include "history/Fingerprint.h"
#include "support/CoreFixture.h"

namespace {

constexpr int64_t kNow = 1796724000000; // 2026-12-08 10:00 UTC
constexpr int64_t kDayMs = 86400000;

class LearningStatisticsTest : public CoreTest {
protected:
  void Answer(THistoryStore& store, int32_t recordNo, int64_t timeMs, bool right,
              const std::string& ticked) {
    QuestionRecord record;
    ReadQuestion(recordNo, record);
    TAnswerRow answer;
    answer.TimeMs = timeMs;
    answer.RecordNo = recordNo;
    answer.Mode = 2;
    answer.Ticked = ticked;
    answer.Correct =
        KeyLetters({record.CorrectA, record.CorrectB, record.CorrectC, record.CorrectD});
    answer.Right = right;
    store.RecordAnswer(answer, FingerprintText(QuestionFingerprint(record)));
  }
};

TEST_F(LearningStatisticsTest, FiguresOfCatalogueAndHistory) {
  WriteSettings("AnzPrfFragenGSA=2\nAnzMuendlichGSA=1\nAnzNichtBestGSA=2\n");
  std::vector<QuestionRecord> records = Questions(4, 1, 1);
  const std::vector<QuestionRecord> more = Questions(3, 1, 2);
  records.insert(records.end(), more.begin(), more.end());
  // Questions of all categories: licence 0, and a licence the selection counts as such.
  records.push_back(MakeQuestion(0, 0, "Allgemein"));
  records.push_back(MakeQuestion(9, 1, "Auch allgemein"));
  WriteCatalogue(records);
  {
    // No history at all: zeros, and the outlook from the prior of a quarter.
    const TLearningStatistics none(nullptr, TLearnerModel(), 0.9, kNow);
    EXPECT_FALSE(none.AnyAnswer());
    EXPECT_EQ(none.Categories(1, 1)[0].Questions, 4);
    const TExamOutlook prior = ExamOutlook(std::vector<double>(4, 0.25), 2, 1, 2);
    EXPECT_DOUBLE_EQ(none.Outlook(1, kNow)[0].Outlook.Passed, prior.Passed);
    EXPECT_EQ(none.Outlook(1, kNow).size(), 4u) << "every area of the licence";
  }
  THistoryStore store("Lernverlauf.sqlite");
  Answer(store, 0, kNow - 2 * kDayMs, false, "A");
  Answer(store, 0, kNow - kDayMs, false, "A");
  Answer(store, 0, kNow - 1000, false, "AC");
  Answer(store, 1, kNow - 1000, true, "B");
  Answer(store, 4, kNow - 5 * kDayMs, true, "B");
  const TLearningStatistics figures(&store, TLearnerModel(), 0.9, kNow);
  EXPECT_TRUE(figures.AnyAnswer());
  const std::vector<TCategoryFigures> categories = figures.Categories(1, 2);
  ASSERT_EQ(categories.size(), 7u);
  EXPECT_EQ(categories[0].Answered, 2);
  EXPECT_EQ(categories[0].Due, 0) << "both answered a moment ago";
  EXPECT_EQ(categories[1].Answered, 1);
  EXPECT_EQ(categories[1].Due, 1) << "five days after one right answer";
  EXPECT_EQ(categories[0].RecallTests, 4);
  EXPECT_EQ(categories[0].RightRecallTests, 1);

  // Area 1: two first tries, one right: the prior of the two never answered is 2/6.
  const TAreaOutlook area = figures.Outlook(1, kNow)[0];
  EXPECT_EQ(area.Questions, 4);
  EXPECT_EQ(area.NeverAnswered, 2);
  const std::vector<double> recall = figures.AreaRecall(1, 1, kNow + kDayMs);
  ASSERT_EQ(recall.size(), 4u);
  EXPECT_DOUBLE_EQ(recall[2], 2.0 / 6);
  EXPECT_DOUBLE_EQ(recall[3], 2.0 / 6);
  EXPECT_LT(recall[0], recall[1]) << "three wrong answers against one right, a day later";
  const std::vector<TDayAnswers> days = figures.LastDays(30);
  ASSERT_EQ(days.size(), 30u);
  EXPECT_EQ(days.back().Wrong, 1);
  EXPECT_EQ(days.back().Right, 1);
  EXPECT_EQ(days[days.size() - 2].Wrong, 1);
  EXPECT_EQ(days[days.size() - 6].Right, 1);

  const std::vector<TTroubleQuestion> trouble = figures.Trouble(10);
  ASSERT_EQ(trouble.size(), 1u);
  EXPECT_EQ(trouble[0].RecordNo, 0);
  EXPECT_EQ(trouble[0].WrongAnswers, 3);
  EXPECT_EQ(trouble[0].MostTickedWrong, "A");

  Answer(store, 7, kNow - 5 * kDayMs, true, "B");
  // A "Klar" of Lernmodus is exposure, no test of recall.
  TAnswerRow exposure;
  exposure.TimeMs = kNow - 1000;
  exposure.RecordNo = 8;
  exposure.Mode = 1;
  exposure.Correct = "B";
  exposure.Right = true;
  exposure.SelfGraded = true;
  store.RecordAnswer(exposure, FingerprintText(QuestionFingerprint(records[8])));
  const std::vector<TCategoryFigures> all =
      TLearningStatistics(&store, TLearnerModel(), 0.9, kNow).Categories(0, 0);
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(all[0].Questions, 2);
  EXPECT_EQ(all[0].Due, 1) << "as the due round counts it";
  EXPECT_EQ(all[0].Answered, 2);
  EXPECT_EQ(all[0].RecallTests, 1);
}

} // namespace
