// Tests of the catalogue file: byte layout, edition check, reading, writing and deleting.
#include "support/CoreFixture.h"

#include "toolkit/Exceptions.h"

namespace {

class CatalogueTest : public CoreTest {};

TEST_F(CatalogueTest, RecordBytesFollowTheFileLayout) {
  QuestionRecord record = MakeQuestion(7, 10, "Wie hoch ist die Föhnmauer?");
  record.CorrectA = true;
  record.CorrectB = false;
  record.CorrectD = true;
  record.AnswerC = "Über 3000 m";
  record.ImageNo = -2;
  const RecordBytes bytes = EncodeRecord(record);

  EXPECT_EQ(bytes[0], 1);
  EXPECT_EQ(bytes[1], 0);
  EXPECT_EQ(bytes[4], 24);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[5]), 24), "Talwinder Flugschule Ost");
  EXPECT_EQ(bytes[29], 0);
  EXPECT_EQ(bytes[133], 1);
  EXPECT_EQ(bytes[134], 0);
  EXPECT_EQ(bytes[135], 0);
  EXPECT_EQ(bytes[136], 1);
  // "ö" is one Windows-1252 byte, so the question has 27 characters.
  EXPECT_EQ(bytes[138], 27);
  EXPECT_EQ(bytes[139 + 18], 0xF6);
  EXPECT_EQ(bytes[906], 11);
  EXPECT_EQ(bytes[907], 0xDC);
  EXPECT_EQ(bytes[1676], 0xFE);
  EXPECT_EQ(bytes[1679], 0xFF);
  EXPECT_EQ(bytes[1680], 7);
  EXPECT_EQ(bytes[1682], 10);
  for (std::size_t i = 1418; i < 1676; ++i)
    ASSERT_EQ(bytes[i], 0) << "reserved byte " << i;

  const QuestionRecord back = DecodeRecord(bytes);
  EXPECT_EQ(back.Question, record.Question);
  EXPECT_EQ(back.AnswerC, "Über 3000 m");
  EXPECT_EQ(back.ImageNo, -2);
  EXPECT_TRUE(back.CorrectA && !back.CorrectB && !back.CorrectC && back.CorrectD);
}

TEST_F(CatalogueTest, TextsAreCutToTheirFieldsBothWays) {
  QuestionRecord record = MakeQuestion(1, 1, std::string(300, 'x'));
  record.Owner = std::string(140, 'o');
  RecordBytes bytes = EncodeRecord(record);
  EXPECT_EQ(bytes[138], 255);
  EXPECT_EQ(bytes[4], 128);
  EXPECT_EQ(bytes[133], 0) << "owner overflowed into the correctness flags";

  // A length byte beyond the owner field's 128 characters is read as 128, never further.
  bytes[4] = 200;
  bytes[133] = 1;
  const QuestionRecord back = DecodeRecord(bytes);
  EXPECT_EQ(back.Owner, std::string(128, 'o'));
}

// A number outside the catalogue reads the placeholder; a pick with nothing open gives it too.
TEST_F(CatalogueTest, PlaceholderOutsideTheCatalogue) {
  WriteCatalogue(Questions(2, 1, 1));
  QuestionRecord none;
  ReadQuestion(2, none);
  QuestionRecord before;
  ReadQuestion(-1, before);
  EXPECT_EQ(before.Question, none.Question);
  ReadQuestion(1, before);
  EXPECT_EQ(before.Question, "Frage 1");
  BuildAll();
  while (OpenQuestionCount() > 0) {
    PickNextQuestion(before);
    MarkCurrentKnown();
  }
  PickNextQuestion(before);
  EXPECT_EQ(before.Question, none.Question);
  EXPECT_TRUE(none.InUse);
  EXPECT_EQ(none.Owner, "Talwinder Flugschule Ost");
  EXPECT_EQ(none.Question,
            "Keine Frage gefunden. Ggf. muss das Programm beendet und neu gestartet werden");
  EXPECT_EQ(none.Question.size(), 77u);
  EXPECT_EQ(none.AnswerA, "N/A");
  EXPECT_EQ(none.AnswerD, "N/A");
  EXPECT_FALSE(none.CorrectA || none.CorrectB || none.CorrectC || none.CorrectD);
  EXPECT_EQ(none.ImageNo, 0);
  EXPECT_EQ(none.Licence, 0);
  EXPECT_EQ(none.Area, 0);
}

// Only the sampled record carries the edition's owner; every other record a foreign one.
void WriteSampledCatalogue(int count, int sampled) {
  std::vector<QuestionRecord> records = Questions(count, 1, 1);
  for (int i = 0; i < count; ++i)
    records[i].Owner = i == sampled ? "Talwinder Flugschule Ost" : "Andere Flugschule";
  WriteCatalogue(records);
}

TEST_F(CatalogueTest, EditionCheckSamplesTheRecordAtAQuarter) {
  const std::pair<int, int> cases[] = {{1, 0}, {3, 0}, {4, 1}, {7, 1}, {4001, 1000}};
  for (auto [count, sampled] : cases) {
    WriteSampledCatalogue(count, sampled);
    SelectCategories(1, 1);
    platform.ClearMessages();
    InitCatalogue();
    EXPECT_TRUE(platform.Messages().empty()) << count << " records";
    EXPECT_FALSE(Application.Terminated()) << count << " records";
    for (int slot = 0; slot < 28; ++slot)
      EXPECT_TRUE(SlotSelected(slot)) << slot;
  }
}

TEST_F(CatalogueTest, EditionCheckComparesTrimmedAndCaseFolded) {
  std::vector<QuestionRecord> records = Questions(2, 1, 1);
  records[0].Owner = " \t TALWINDER FLUGSCHULE OST  ";
  WriteCatalogue(records);
  InitCatalogue();
  EXPECT_TRUE(platform.Messages().empty());
  EXPECT_FALSE(Application.Terminated());

  records[0].Owner = "Talwinder Flugschule-Ost";
  WriteCatalogue(records);
  SelectCategories(1, 1);
  InitCatalogue();
  ASSERT_EQ(platform.Messages().size(), 1u);
  EXPECT_EQ(platform.Messages()[0].Caption, "Aerolern");
  EXPECT_EQ(platform.Messages()[0].Text,
            "Achtung! Das Datenfile (Fragenkatalog) passt nicht zur Aerolern Version!");
  EXPECT_TRUE(Application.Terminated());
  // The flags are set in every case once the sample was read.
  EXPECT_TRUE(SlotSelected(0) && SlotSelected(27));
}

TEST_F(CatalogueTest, EditionCheckOnMissingOrEmptyCatalogueFails) {
  SelectCategories(1, 1);
  try {
    InitCatalogue();
    FAIL() << "no error for a missing catalogue";
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.ErrorCode, 103);
    EXPECT_NE(std::string(error.what()).find("Aerolern.dat"), std::string::npos);
  }
  WriteFileBytes(CatalogueFileName, "");
  try {
    InitCatalogue();
    FAIL() << "no error for an empty catalogue";
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.ErrorCode, 100);
  }
  // The check did not complete, so the selection is untouched.
  EXPECT_FALSE(SlotSelected(0));
  EXPECT_TRUE(SlotSelected(1));
}

TEST_F(CatalogueTest, ReadQuestionInsideAndOutsideTheFile) {
  WriteCatalogue(Questions(3, 2, 3));
  QuestionRecord record;
  ReadQuestion(2, record);
  EXPECT_EQ(record.Question, "Frage 2");
  EXPECT_EQ(record.Licence, 2);
  EXPECT_EQ(record.Area, 3);
  for (int32_t outside : {3, -1, 1000}) {
    record = MakeQuestion(1, 1, "stale");
    ReadQuestion(outside, record);
    EXPECT_EQ(record.Question, NoQuestionRecord().Question) << outside;
  }
  std::remove(CatalogueFileName);
  EXPECT_THROW(ReadQuestion(0, record), EInOutError);
}

TEST_F(CatalogueTest, NewQuestionIsAppendedOpenAndCurrent) {
  WriteCatalogue(Questions(500, 1, 2));
  BuildAll();
  const int32_t openBefore = OpenQuestionCount();
  WriteQuestion(true, MakeQuestion(3, 1, "Neu"));

  const std::string bytes = ReadFileBytes(CatalogueFileName);
  ASSERT_EQ(bytes.size(), 501 * kRecordSize);
  EXPECT_EQ(DecodeRecord(RecordAt(bytes, 500)).Question, "Neu");
  EXPECT_EQ(CurrentQuestionNo(), 500);
  EXPECT_EQ(OpenQuestionCount(), openBefore + 1);
  const PoolEntry& last = QuestionPool().back();
  EXPECT_EQ(last.RecordNo, 500);
  EXPECT_EQ(last.Open, 1);
  EXPECT_EQ(last.InUse, 1);
  EXPECT_EQ(last.Licence, 3);
  EXPECT_EQ(last.Area, 1);
}

TEST_F(CatalogueTest, ChangingRewritesTheCurrentRecordInPlace) {
  WriteCatalogue(Questions(5, 1, 1));
  BuildAll();
  platform.SetTimeOfDay(1);
  QuestionRecord record;
  PickNextQuestion(record);
  const int32_t current = CurrentQuestionNo();
  ASSERT_GE(current, 0);
  const std::string before = ReadFileBytes(CatalogueFileName);

  WriteQuestion(false, MakeQuestion(2, 2, "Geändert"));
  const std::string after = ReadFileBytes(CatalogueFileName);
  ASSERT_EQ(after.size(), before.size());
  for (std::size_t i = 0; i < 5; ++i) {
    if (static_cast<int32_t>(i) == current)
      EXPECT_EQ(DecodeRecord(RecordAt(after, i)).Question, "Geändert");
    else
      EXPECT_EQ(RecordAt(after, i), RecordAt(before, i)) << i;
  }
  // The pool keeps the old category until it is rebuilt.
  EXPECT_EQ(QuestionPool()[current].Licence, 1);
}

TEST_F(CatalogueTest, ChangingOrDeletingWithoutCurrentQuestionFailsAndKeepsTheFile) {
  WriteCatalogue(Questions(3, 1, 1));
  BuildAll();
  SelectCategories(4, 4); // no question of the pool is selected now, so the pick fails
  QuestionRecord record;
  PickNextQuestion(record);
  ASSERT_EQ(CurrentQuestionNo(), -1);
  const std::string before = ReadFileBytes(CatalogueFileName);
  EXPECT_THROW(WriteQuestion(false, MakeQuestion(1, 1)), EInOutError);
  EXPECT_THROW(DeleteCurrentQuestion(), EInOutError);
  EXPECT_EQ(ReadFileBytes(CatalogueFileName), before);
}

TEST_F(CatalogueTest, DeletingFlagsOnlyTheInUseByte) {
  WriteCatalogue(Questions(4, 1, 1));
  BuildAll();
  platform.SetTimeOfDay(2);
  QuestionRecord record;
  PickNextQuestion(record);
  const int32_t current = CurrentQuestionNo();
  const std::string before = ReadFileBytes(CatalogueFileName);

  DeleteCurrentQuestion();
  std::string after = ReadFileBytes(CatalogueFileName);
  ASSERT_EQ(after.size(), before.size());
  EXPECT_EQ(after[current * kRecordSize], 0);
  after[current * kRecordSize] = before[current * kRecordSize];
  EXPECT_EQ(after, before);
  EXPECT_EQ(OpenQuestionCount(), 3);

  BuildQuestionPool(false);
  EXPECT_EQ(QuestionPool().size(), 3u);
  for (const PoolEntry& entry : QuestionPool())
    EXPECT_NE(entry.RecordNo, current);
}

} // namespace

namespace {

class NewQuestionOutsideSelectionTest : public CoreTest {};

TEST_F(NewQuestionOutsideSelectionTest, JoinsThePoolClosedUntilTheNextBuild) {
  WriteCatalogue(Questions(3, 1, 1));
  SelectCategories(1, 1);
  BuildQuestionPool(false);
  WriteQuestion(true, MakeQuestion(3, 1, "Funk"));
  EXPECT_EQ(CurrentQuestionNo(), 3);
  ASSERT_EQ(QuestionPool().size(), 4u);
  EXPECT_EQ(QuestionPool().back().Open, 0) << "it could never be picked in this selection";
  EXPECT_EQ(OpenQuestionCount(), 3);
  SelectCategories(3, 1);
  BuildQuestionPool(false);
  EXPECT_EQ(OpenQuestionCount(), 1);
}

} // namespace
