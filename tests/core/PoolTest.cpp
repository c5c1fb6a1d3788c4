// Tests of the question pool: building, the random pick on a fixed clock, and closing.
#include "support/CoreFixture.h"

#include "core/QuestionData.h"

namespace {

class PoolTest : public CoreTest {
protected:
  // Loads a pool made of the given entries through the knowledge file.
  void LoadEntries(const std::vector<PoolEntry>& entries) {
    std::string bytes;
    for (const PoolEntry& entry : entries)
      bytes += EntryBytes(entry);
    WriteSettings("");
    WriteFileBytes(KnowledgeFileName, bytes);
    BuildQuestionPool(true);
  }
};

TEST_F(PoolTest, BuildTakesSelectedRecordsInUseInRecordOrder) {
  std::vector<QuestionRecord> records = {MakeQuestion(1, 1), MakeQuestion(2, 1),
                                         MakeQuestion(1, 1), MakeQuestion(0, 0),
                                         MakeQuestion(1, 1), MakeQuestion(3, 2)};
  records[2].InUse = false;
  WriteCatalogue(records);
  SelectCategories(0, 0);
  SetAreaCheckedQuery([](int licence, int) { return licence == 1; });
  SelectCategories(-1, -1);
  BuildQuestionPool(false);

  std::vector<int32_t> numbers;
  for (const PoolEntry& entry : QuestionPool()) {
    numbers.push_back(entry.RecordNo);
    EXPECT_EQ(entry.Open, 1);
    EXPECT_EQ(entry.InUse, 1);
  }
  // Record 2 is deleted, 5 has no slot, 1 is not ticked; licence 0 comes with flag 0.
  EXPECT_EQ(numbers, (std::vector<int32_t>{0, 3, 4}));
  EXPECT_EQ(OpenQuestionCount(), 3);
  EXPECT_EQ(QuestionPool()[1].Licence, 0);
}

TEST_F(PoolTest, NothingSelectedGivesAnEmptyPoolAndThePlaceholder) {
  WriteCatalogue(Questions(5, 1, 1));
  BuildAll();
  platform.SetTimeOfDay(300);
  QuestionRecord record;
  PickNextQuestion(record);
  const int32_t current = CurrentQuestionNo();
  ASSERT_GE(current, 0);

  SelectCategories(1, 7);
  BuildQuestionPool(false);
  EXPECT_TRUE(QuestionPool().empty());
  EXPECT_EQ(OpenQuestionCount(), 0);
  PickNextQuestion(record);
  EXPECT_EQ(record.Question, NoQuestionRecord().Question);
  EXPECT_EQ(CurrentQuestionNo(), current) << "a pick without attempts keeps the current number";
}

TEST_F(PoolTest, PickOfASingleQuestionAlwaysFindsIt) {
  std::vector<QuestionRecord> records = Questions(3, 2, 1);
  records[1].Licence = 1;
  WriteCatalogue(records);
  SelectCategories(1, 1);
  BuildQuestionPool(false);
  for (int time : {0, 999, 86399999}) {
    platform.SetTimeOfDay(time);
    QuestionRecord record;
    PickNextQuestion(record);
    EXPECT_EQ(CurrentQuestionNo(), 1);
    EXPECT_EQ(record.Question, "Frage 1");
  }
}

TEST_F(PoolTest, PickTakesTheKthEligibleEntryOfTheSeededGenerator) {
  WriteCatalogue(Questions(10, 1, 1));
  BuildAll();
  // Seed 1000 draws k = 4 of 10; seed 12345 draws 3 of 6.
  platform.SetTimeOfDay(1000);
  QuestionRecord record;
  PickNextQuestion(record);
  EXPECT_EQ(CurrentQuestionNo(), 3);
  EXPECT_EQ(record.Question, "Frage 3");
}

TEST_F(PoolTest, AttemptsWithinOneClockReadingContinueTheSequence) {
  WriteCatalogue(Questions(10, 1, 1));
  std::vector<PoolEntry> entries;
  for (int i = 0; i < 10; ++i)
    entries.push_back(PoolEntry{1, 1, static_cast<int16_t>(i < 4 ? 1 : 2), 1, i});
  LoadEntries(entries);
  SelectCategories(1, 1);
  ASSERT_EQ(OpenQuestionCount(), 10);

  // At 5000 the draws are 9, 4, 6: the first attempt fails, the second takes the fourth.
  platform.SetTimeOfDay(5000);
  QuestionRecord record;
  PickNextQuestion(record);
  EXPECT_EQ(CurrentQuestionNo(), 3);

  // At 5003 the draws are 10, 9, 6: all three attempts fail.
  platform.SetTimeOfDay(5003);
  PickNextQuestion(record);
  EXPECT_EQ(CurrentQuestionNo(), -1);
  EXPECT_EQ(record.Question, NoQuestionRecord().Question);
  MarkCurrentKnown();
  EXPECT_EQ(OpenQuestionCount(), 10);
}

TEST_F(PoolTest, RepeatedPicksAtOneClockReadingDiffer) {
  WriteCatalogue(Questions(10, 1, 1));
  BuildAll();
  platform.SetTimeOfDay(2000);
  std::vector<int32_t> picks;
  for (int i = 0; i < 3; ++i) {
    QuestionRecord record;
    PickNextQuestion(record);
    picks.push_back(CurrentQuestionNo());
  }
  // Draws 8, 4, 10 of one generator run, not the same number three times.
  EXPECT_EQ(picks, (std::vector<int32_t>{7, 3, 9}));
}

TEST_F(PoolTest, ClosingLowersTheCountOnlyForAnOpenEntry) {
  WriteCatalogue(Questions(4, 1, 1));
  BuildAll();
  platform.SetTimeOfDay(3000);
  QuestionRecord record;
  PickNextQuestion(record);
  MarkCurrentKnown();
  EXPECT_EQ(OpenQuestionCount(), 3);
  MarkCurrentKnown();
  EXPECT_EQ(OpenQuestionCount(), 3) << "a closed entry was counted twice";
  int open = 0;
  for (const PoolEntry& entry : QuestionPool())
    open += entry.Open != 0;
  EXPECT_EQ(open, 3);
}

TEST_F(PoolTest, ClosingADuplicateRecordClosesOneOpenEntryAtATime) {
  WriteCatalogue(Questions(3, 1, 1));
  LoadEntries({{1, 1, 1, 1, 2}, {1, 1, 1, 1, 2}});
  platform.SetTimeOfDay(4);
  QuestionRecord record;
  PickNextQuestion(record);
  ASSERT_EQ(CurrentQuestionNo(), 2);
  MarkCurrentKnown();
  EXPECT_EQ(QuestionPool()[0].Open, 0);
  EXPECT_EQ(QuestionPool()[1].Open, 1);
  EXPECT_EQ(OpenQuestionCount(), 1);
  // The open twin is still reachable and is closed by the next "known".
  PickNextQuestion(record);
  ASSERT_EQ(CurrentQuestionNo(), 2);
  MarkCurrentKnown();
  EXPECT_EQ(QuestionPool()[1].Open, 0);
  EXPECT_EQ(OpenQuestionCount(), 0);
}

// A new run starts with nothing of the one before: no pool, no dialog query, no listener, no
// exam position, and the editor in its mode for new questions.
TEST_F(PoolTest, ResetStartsAFreshRun) {
  WriteCatalogue(Questions(4, 1, 1));
  BuildAll();
  struct TCounting : TLearningListener {
    int Events = 0;
    void QuestionShown(const TQuestionShown&) override { ++Events; }
  } listener;
  QuestionData().SetLearningListener(&listener);
  SetExamPosition(2, 3);
  SetEditMode(emChangeQuestion);
  QuestionData().ReportQuestionShown({});
  ASSERT_EQ(listener.Events, 1);

  ResetQuestionData();
  EXPECT_TRUE(QuestionPool().empty());
  EXPECT_EQ(OpenQuestionCount(), 0);
  EXPECT_EQ(ExamLicence(), 0);
  EXPECT_EQ(ExamArea(), 0);
  EXPECT_EQ(EditMode(), emNewQuestion);
  QuestionData().ReportQuestionShown({});
  EXPECT_EQ(listener.Events, 1);
  SelectCategories(kSelectFromDialog, kSelectFromDialog);
  for (int slot = 0; slot < kSlotCount; ++slot)
    EXPECT_FALSE(SlotSelected(slot)) << slot;
}

} // namespace

namespace {

class FailedBuildTest : public CoreTest {};

TEST_F(FailedBuildTest, LeavesNoOpenEntryBehind) {
  WriteCatalogue(Questions(4, 1, 1));
  BuildAll();
  platform.SetTimeOfDay(60000);
  QuestionRecord record;
  PickNextQuestion(record);
  std::remove(CatalogueFileName);
  EXPECT_THROW(BuildQuestionPool(false), std::exception);
  EXPECT_EQ(OpenQuestionCount(), 0);
  EXPECT_TRUE(QuestionPool().empty());
  MarkCurrentKnown();
  EXPECT_EQ(OpenQuestionCount(), 0) << "the count never goes below the open entries";
  EXPECT_THROW(DrawExamQuestions(1, 1), std::exception);
  EXPECT_TRUE(QuestionPool().empty());
}

} // namespace
