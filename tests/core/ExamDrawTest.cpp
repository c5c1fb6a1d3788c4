// Tests of the exam draw: thinning an area to the exam's question count.
#include "support/CoreFixture.h"

#include "toolkit/Exceptions.h"

namespace {

class ExamDrawTest : public CoreTest {
protected:
  int32_t OpenEntries() const {
    int32_t open = 0;
    for (const PoolEntry& entry : QuestionPool())
      open += entry.Open != 0;
    return open;
  }
  void Draw(int licence, int area) {
    SetExamPosition(licence, area);
    SelectCategories(licence, area);
    DrawExamQuestions(licence, area);
  }
};

TEST_F(ExamDrawTest, AreaIsThinnedToTheConfiguredCount) {
  WriteSettings("AnzPrfFragenGSA=40\n");
  std::vector<QuestionRecord> records = Questions(55, 1, 3);
  const std::vector<QuestionRecord> others = Questions(20, 1, 2);
  records.insert(records.begin() + 10, others.begin(), others.end());
  records[0].InUse = false;
  records.push_back(MakeQuestion(1, 3));
  WriteCatalogue(records);
  platform.SetTimeOfDay(40000);
  Draw(1, 3);
  // 55 of area 3 minus the deleted one plus the last: 55 entries, in record order.
  ASSERT_EQ(QuestionPool().size(), 55u);
  EXPECT_EQ(QuestionPool().front().RecordNo, 1);
  EXPECT_EQ(QuestionPool().back().RecordNo, 75);
  EXPECT_EQ(OpenQuestionCount(), 40);
  EXPECT_EQ(OpenEntries(), 40);

  WriteCatalogue(Questions(25, 1, 3));
  Draw(1, 3);
  EXPECT_EQ(OpenQuestionCount(), 25);
}

TEST_F(ExamDrawTest, RemovedQuestionsAreSpreadNotABlock) {
  WriteSettings("AnzPrfFragenGSA=30\n");
  WriteCatalogue(Questions(100, 1, 1));
  platform.SetTimeOfDay(41000); // the clock stands still during the whole draw
  Draw(1, 1);
  ASSERT_EQ(OpenQuestionCount(), 30);
  // Picks at one clock reading continue the generator, so the open questions are scattered.
  int runs = 0;
  for (std::size_t i = 0; i < QuestionPool().size(); ++i)
    if (QuestionPool()[i].Open && (i == 0 || !QuestionPool()[i - 1].Open))
      ++runs;
  EXPECT_GT(runs, 5);
}

TEST_F(ExamDrawTest, DrawRemovesWhatRepeatedPicksWouldRemove) {
  WriteSettings("AnzPrfFragenGSA=30\n");
  WriteCatalogue(Questions(200, 1, 1));
  SelectCategories(1, 1);
  auto openNumbers = [] {
    std::vector<int32_t> numbers;
    for (const PoolEntry& entry : QuestionPool())
      if (entry.Open)
        numbers.push_back(entry.RecordNo);
    return numbers;
  };
  // A pick at another clock reading first, so that the next pick seeds afresh from 45000.
  auto seedFreshly = [&](int other) {
    BuildQuestionPool(false);
    platform.SetTimeOfDay(other);
    QuestionRecord ignored;
    PickNextQuestion(ignored);
    platform.SetTimeOfDay(45000);
  };
  seedFreshly(1);
  Draw(1, 1);
  const std::vector<int32_t> drawn = openNumbers();
  const int32_t lastPicked = CurrentQuestionNo();
  ASSERT_EQ(drawn.size(), 30u);

  seedFreshly(2);
  while (OpenQuestionCount() > 30) {
    QuestionRecord ignored;
    PickNextQuestion(ignored);
    MarkCurrentKnown();
  }
  EXPECT_EQ(openNumbers(), drawn);
  EXPECT_EQ(CurrentQuestionNo(), lastPicked);
}

TEST_F(ExamDrawTest, DefaultsAndLimitsOfTheMotorLicences) {
  WriteSettings("AnzPrfFragenMG3=3\n");
  std::vector<QuestionRecord> records = Questions(45, 7, 10);
  const std::vector<QuestionRecord> area8 = Questions(6, 7, 8);
  records.insert(records.end(), area8.begin(), area8.end());
  WriteCatalogue(records);
  platform.SetTimeOfDay(42000);
  Draw(72, 10);
  EXPECT_EQ(QuestionPool().size(), 45u);
  EXPECT_EQ(OpenQuestionCount(), 30);
  Draw(71, 8);
  EXPECT_EQ(QuestionPool().size(), 6u);
  EXPECT_EQ(OpenQuestionCount(), 3);
}

TEST_F(ExamDrawTest, UnselectedCategoryEndsTheDraw) {
  WriteSettings("AnzPrfFragenGSA=2\n");
  WriteCatalogue(Questions(10, 1, 1));
  SetExamPosition(1, 1);
  SelectCategories(2, 1);
  DrawExamQuestions(1, 1);
  EXPECT_EQ(QuestionPool().size(), 10u);
  EXPECT_EQ(OpenQuestionCount(), 10);
}

// A count that is no number, or one that asks for no question at all or for a negative number,
// aborts the draw; the pool then holds the whole area, all open.
TEST_F(ExamDrawTest, InvalidCountAbortsAfterTheBuild) {
  WriteCatalogue(Questions(40, 1, 4));
  SetExamPosition(1, 4);
  SelectCategories(1, 4);
  for (const char* count : {"30 ", "0", "-3"}) {
    WriteSettings("AnzPrfFragenGSA=" + std::string(count) + "\n");
    EXPECT_THROW(DrawExamQuestions(1, 4), EConvertError) << count;
    EXPECT_EQ(QuestionPool().size(), 40u);
    EXPECT_EQ(OpenQuestionCount(), 40);
  }
}

TEST_F(ExamDrawTest, EmptyAreaAndUnknownLicence) {
  WriteSettings("");
  WriteCatalogue(Questions(5, 1, 1));
  Draw(1, 2);
  EXPECT_TRUE(QuestionPool().empty());
  EXPECT_EQ(OpenQuestionCount(), 0);
  // A licence without exam keys keeps no question of its area.
  WriteCatalogue(Questions(5, 9, 1));
  platform.SetTimeOfDay(44000);
  Draw(9, 1);
  EXPECT_EQ(QuestionPool().size(), 5u);
  EXPECT_EQ(OpenQuestionCount(), 0);
}

} // namespace
