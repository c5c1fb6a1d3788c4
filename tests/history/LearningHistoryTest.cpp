// Tests of the trainer's history: what each mode records, the review of due questions, and a
// history file that cannot be used.
#include "support/UiFixture.h"

#include "history/HistoryStore.h"

#include <SQLiteCpp/SQLiteCpp.h>

namespace {

constexpr int64_t kDayMs = 86400000;

class LearningHistoryTest : public UiTest {
protected:
  LearningHistoryTest() { recordHistory = true; }
  // The rows of the public view as "nr modus angekreuzt/loesung ergebnis art".
  std::vector<std::string> Answers() {
    std::vector<std::string> rows;
    if (!FileExists(HistoryFileName))
      return rows;
    SQLite::Database db(HistoryFileName);
    SQLite::Statement query(db, "SELECT nr, modus, angekreuzt, loesung, ergebnis, art "
                                "FROM antworten");
    while (query.executeStep())
      rows.push_back(query.getColumn(0).getString() + " m" + query.getColumn(1).getString() + " " +
                     query.getColumn(2).getString() + "/" + query.getColumn(3).getString() + " " +
                     query.getColumn(4).getString() + " " + query.getColumn(5).getString());
    return rows;
  }
  std::string No() const { return std::to_string(CurrentQuestionNo()); }
};

TEST_F(LearningHistoryTest, OneAnswerPerShowingInEveryMode) {
  WriteCatalogue(Questions(6, 1, 1));
  Start();
  EXPECT_FALSE(FileExists(HistoryFileName)) << "start-up does not open the history";
  const std::string lern = No();
  ClickControl(Main(), "btnKlar");
  const std::string unklar = No();
  ClickControl(Main(), "btnUnklar");
  ChooseMenu(Main(), "mnuVertifungsmode");
  const std::string checked = No();
  TickAnswer(false);
  ClickControl(Main(), "btnLoesung");
  ClickControl(Main(), "btnKlar"); // the check was the answer of this showing
  const std::string selfGraded = No();
  ClickControl(Main(), "btnKlar");
  ChooseMenu(Main(), "mnuSchnellernmode");
  const std::string quick = No();
  TypeChar(Main(), 'b');
  EXPECT_EQ(Answers(), (std::vector<std::string>{
                           lern + " m1 /B 1 selbst", unklar + " m1 /B 0 selbst",
                           checked + " m2 AB/B 0 antwort", selfGraded + " m2 /B 1 selbst",
                           quick + " m3 B/B 1 antwort"}));

  // The exam records every "Weiter" and the grading of the area.
  WriteSettings("AnzPrfFragenGSA=1\nAnzMuendlichGSA=1\nAnzNichtBestGSA=1\n");
  platform.OnModal("frmPruefungsKatWahl", [](TForm& dialog) { ClickControl(dialog, "btnOk"); });
  ChooseMenu(Main(), "mnuProgrammPruefungsmodus");
  EXPECT_FALSE(Main().mnuLernstandFaelligeFragen->Enabled());
  const std::string exam = No();
  TickAnswer(true);
  ClickControl(Main(), "btnLoesung");
  ASSERT_EQ(Answers().size(), 6u);
  EXPECT_EQ(Answers().back(), exam + " m4 B/B 1 antwort");
  SQLite::Database db(HistoryFileName);
  EXPECT_EQ(db.execAndGet("SELECT lizenz || '/' || bereich || ' ' || fragen || ' ' || richtig || "
                          "' ' || ergebnis FROM pruefung")
                .getString(),
            "1/1 1 1 Bestanden.");
}

// Ticks made without "Lösung" are the learner's answer: Enter on the focused "Klar" checks them,
// and a wrong answer stays on display with its solution until "Klar" is pressed once more.
TEST_F(LearningHistoryTest, TicksBeforeKlarOrUnklarAreTheAnswer) {
  WriteCatalogue(Questions(6, 1, 1));
  Start();
  ChooseMenu(Main(), "mnuVertifungsmode");
  ASSERT_EQ(Main().FocusedControl(), Main().btnKlar);
  const std::string wrong = No();
  TickAnswer(false);
  PressKey(Main(), vkReturn);
  EXPECT_EQ(No(), wrong);
  EXPECT_FALSE(Main().chkAntwortA->Enabled()) << "the solution is on display";
  EXPECT_TRUE(Main().chkAntwortA->Checked() && Main().chkAntwortB->Checked());
  PressKey(Main(), vkReturn);
  EXPECT_EQ(OpenQuestionCount(), 5);
  const std::string right = No();
  TickAnswer(true);
  ClickControl(Main(), "btnKlar");
  EXPECT_EQ(OpenQuestionCount(), 4);
  const std::string unklar = No();
  TickAnswer(true);
  ClickControl(Main(), "btnUnklar");
  const std::string untouched = No();
  ClickControl(Main(), "btnKlar");
  // F5 checks as "Lösung" does.
  const std::string byKey = No();
  TickAnswer(false);
  PressKey(Main(), vkF5);
  EXPECT_FALSE(Main().chkAntwortA->Enabled());
  EXPECT_EQ(Answers(),
            (std::vector<std::string>{wrong + " m2 AB/B 0 antwort", right + " m2 B/B 1 antwort",
                                      unklar + " m2 B/B 1 antwort", untouched + " m2 /B 1 selbst",
                                      byKey + " m2 AB/B 0 antwort"}));
}

// In Schnelllernmodus a letter on a question with two correct answers only shows the solution:
// neither it nor the learner's sorting after it is a test of recall.
TEST_F(LearningHistoryTest, ALetterThatCannotAnswerIsNoAnswer) {
  QuestionRecord two = MakeQuestion(1, 1);
  two.CorrectA = true;
  WriteCatalogue({two});
  Start();
  ChooseMenu(Main(), "mnuSchnellernmode");
  Main().SetFocusedControl(nullptr);
  TypeChar(Main(), 'a');
  ClickControl(Main(), "btnUnklar");
  EXPECT_EQ(Answers(), std::vector<std::string>{});
}

TEST_F(LearningHistoryTest, DueQuestionsAreReviewed) {
  WriteCatalogue(Questions(4, 1, 1));
  Start();
  PressKey(Main(), 'W', ssCtrl);
  ASSERT_EQ(platform.Messages().size(), 1u);
  EXPECT_EQ(platform.Messages()[0].Text, "Keine Frage ist fällig.");
  // Two questions known today (stability 2.3 days), one not.
  ClickControl(Main(), "btnKlar");
  ClickControl(Main(), "btnKlar");
  ClickControl(Main(), "btnUnklar");
  const std::string counter = CounterLine();
  PressKey(Main(), 'W', ssCtrl);
  ASSERT_EQ(platform.Messages().size(), 2u);
  EXPECT_EQ(platform.Messages()[1].Text, "Keine Frage ist fällig.\n\rDie nächste Frage ist am "
                                         "08.12.2026 fällig.")
      << "the question answered wrong is due the same day, later";
  EXPECT_EQ(CounterLine(), counter) << "the pool stays as it was";
  // Three days on, all three answered questions are due.
  platform.SetUtcNow(platform.UtcNowMs() + 3 * kDayMs);
  PressKey(Main(), 'W', ssCtrl);
  EXPECT_EQ(platform.Messages().size(), 2u);
  EXPECT_EQ(CounterLine(), "Unklare Fragen: 3");
  EXPECT_EQ(OpenQuestionCount(), 3);
}

TEST_F(LearningHistoryTest, UnusableFileIsReportedOnceAndLearningGoesOn) {
  WriteCatalogue(Questions(4, 1, 1));
  const std::string notADatabase(3000, 'z');
  WriteFileBytes(HistoryFileName, notADatabase);
  Start();
  ClickControl(Main(), "btnKlar");
  ClickControl(Main(), "btnKlar");
  EXPECT_EQ(OpenQuestionCount(), 2) << "both clicks took effect";
  ASSERT_EQ(platform.Messages().size(), 1u);
  EXPECT_NE(platform.Messages()[0].Text.find(HistoryFileName), std::string::npos)
      << platform.Messages()[0].Text;
  EXPECT_NE(platform.Messages()[0].Text.find("keine SQLite-Datenbank"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(HistoryFileName), notADatabase);
  // The end of the session says how many answers the history lacks.
  Main().Close();
  ASSERT_EQ(platform.Messages().size(), 2u);
  EXPECT_EQ(platform.Messages()[1].Text,
            "2 Antworten wurden dieser Sitzung nicht im Lernverlauf aufgezeichnet.");

  // Without a settings file the history has no folder; the click still counts.
  std::remove(dir.File("aerolern.ini").c_str());
  std::remove(HistoryFileName);
  EndProgram();
  Start();
  ClickControl(Main(), "btnKlar");
  EXPECT_EQ(OpenQuestionCount(), 3);
  EXPECT_FALSE(FileExists(HistoryFileName));
}

// What the history makes of answers: a revised catalogue continues a question's history,
// Lernmodus gives no first try, a clock that was a year ahead is put right at the next start,
// and the exam outlook looks at 09:00 of the exam day.
TEST_F(LearningHistoryTest, RecallTellsTheTruth) {
  std::vector<QuestionRecord> records = Questions(4, 1, 1);
  WriteCatalogue(records);
  Start();
  const auto answer = [&](int32_t recordNo, bool right) {
    QuestionRecord record;
    ReadQuestion(recordNo, record);
    Main().History().QuestionShown({recordNo, lmVertiefen, false, record});
    TAnswerChecked check;
    check.RecordNo = recordNo;
    check.Mode = lmVertiefen;
    check.Right = right;
    check.ByLearner = true;
    Main().History().AnswerChecked(check);
  };
  const auto sql = [](const std::string& query) {
    SQLite::Database db(HistoryFileName);
    return db.execAndGet(query).getString();
  };
  answer(2, true);
  records.insert(records.begin(), MakeQuestion(1, 1, "Neue Frage"));
  WriteCatalogue(records);
  answer(3, false);
  EXPECT_EQ(sql("SELECT count(*) || ' ' || max(antworten) FROM frage"), "1 2")
      << "the answer after the revision joins the question's history";

  QuestionRecord fresh;
  ReadQuestion(0, fresh);
  Main().History().QuestionShown({0, lmLernen, false, fresh});
  Main().History().QuestionSorted({0, lmLernen, true, true});
  EXPECT_EQ(sql("SELECT coalesce(erste_richtig, 'keiner') || ' ' || stabilitaet FROM frage "
                "WHERE nr = 0"),
            "keiner 0.212")
      << "Lernmodus's Klar is no first try and not graded Good";

  // The exam on the 10th is looked at at 09:00 local time (CET), 08:00 UTC.
  const int64_t now = platform.UtcNowMs();
  ASSERT_EQ(Main().History().SetExamDate("10.12.2026"), "");
  const int64_t dec10At0800Utc = 1796889600000;
  EXPECT_EQ(Main().History().ExamMoment(), dec10At0800Utc);
  platform.SetUtcNow(dec10At0800Utc + 3600000);
  EXPECT_EQ(Main().History().ExamMoment(), platform.UtcNowMs()) << "on the day, after 09:00";

  platform.SetUtcNow(now + 365 * kDayMs);
  answer(1, true);
  EndProgram();
  platform.SetUtcNow(now);
  Start();
  ASSERT_TRUE(Main().History().Usable()) << "the history is opened with the clock put right";
  platform.SetUtcNow(now + 30 * kDayMs);
  const TDueQuestions due = Main().History().DueQuestions([](int, int) { return true; });
  EXPECT_EQ(due.Entries.size(), 3u) << "the review dated a year ahead is due a month later";

  // The school corrects the key of "Frage 2": the question is new again until answered anew.
  records[3].CorrectB = false;
  records[3].CorrectD = true;
  WriteCatalogue(records);
  EXPECT_EQ(Main().History().DueQuestions([](int, int) { return true; }).Entries.size(), 2u);
  EXPECT_EQ(Main().History().Statistics(platform.UtcNowMs()).Categories(1, 1)[0].Answered, 2);
}

// The due round takes the chosen categories with the questions of all categories and says how
// many more are due elsewhere; the statistics count the same questions.
TEST_F(LearningHistoryTest, DueRoundTellsWhatItLeavesOut) {
  std::vector<QuestionRecord> records = Questions(2, 1, 1);
  records.push_back(MakeQuestion(2, 1));
  records.push_back(MakeQuestion(0, 0));
  WriteCatalogue(records);
  Start();
  platform.OnModal("frmKategorieWahl", [](TForm& dialog) { ClickControl(dialog, "chkKat02"); });
  for (int i = 0; i < 4; ++i)
    ClickControl(Main(), "btnKlar");
  ASSERT_FALSE(SlotSelected(CategorySlot(2, 1)));
  platform.SetUtcNow(platform.UtcNowMs() + 3 * kDayMs);
  PressKey(Main(), 'W', ssCtrl);
  EXPECT_EQ(OpenQuestionCount(), 3);
  ASSERT_EQ(platform.Messages().size(), 1u);
  EXPECT_EQ(platform.Messages()[0].Text,
            "Wiederholt werden die 3 fälligen Fragen der gewählten Kategorien mit den Fragen, die "
            "zu allen Kategorien gehören.\n\rIn anderen Kategorien ist 1 Frage fällig; sie kommen "
            "dazu, wenn Sie ihre Kategorien unter „Kategorie wählen“ ankreuzen.");
  const TLearningStatistics figures = Main().History().Statistics(platform.UtcNowMs());
  int due = figures.Categories(0, 0)[0].Due;
  for (const TCategoryFigures& category : figures.Categories(1, 6))
    due += category.Due;
  EXPECT_EQ(due, 4);
}

// A history replaced while the trainer runs gets nothing of this session: recording stops with
// one message, and the end of the session counts what was not recorded.
TEST_F(LearningHistoryTest, ReplacedFileStopsTheRecording) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows moves no file over one that SQLite holds open.";
#endif
  WriteCatalogue(Questions(4, 1, 1));
  { THistoryStore copy("Kopie.sqlite"); }
  Start();
  ClickControl(Main(), "btnKlar");
  ASSERT_EQ(Answers().size(), 1u);
  const std::string replacement = ReadFileBytes("Kopie.sqlite");
  ASSERT_EQ(std::rename("Kopie.sqlite", HistoryFileName), 0);
  ClickControl(Main(), "btnKlar");
  ClickControl(Main(), "btnKlar");
  ASSERT_EQ(platform.Messages().size(), 1u);
  EXPECT_NE(platform.Messages()[0].Text.find("verschoben, gelöscht oder ersetzt"),
            std::string::npos)
      << platform.Messages()[0].Text;
  EXPECT_NE(platform.Messages()[0].Text.find("in dieser Sitzung nicht"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(HistoryFileName), replacement);
  EXPECT_FALSE(FileExists(std::string(HistoryFileName) + "-wal"));
  Main().Close();
  ASSERT_EQ(platform.Messages().size(), 2u);
  EXPECT_EQ(platform.Messages()[1].Text,
            "2 Antworten wurden dieser Sitzung nicht im Lernverlauf aufgezeichnet.");
}

// A file locked at start-up is tried again at each answer; once it takes answers, the learner
// hears that recording goes on and how many answers were missed.
TEST_F(LearningHistoryTest, LockedFileIsUsedOnceItIsFree) {
  WriteCatalogue(Questions(4, 1, 1));
  { THistoryStore created(HistoryFileName); }
  SQLite::Database other(HistoryFileName, SQLite::OPEN_READWRITE);
  other.exec("BEGIN EXCLUSIVE");
  Start();
  ClickControl(Main(), "btnKlar");
  ASSERT_EQ(platform.Messages().size(), 1u);
  EXPECT_NE(platform.Messages()[0].Text.find("vorerst nicht aufgezeichnet"), std::string::npos)
      << platform.Messages()[0].Text;
  other.exec("ROLLBACK");
  ClickControl(Main(), "btnKlar");
  ASSERT_EQ(platform.Messages().size(), 2u);
  EXPECT_EQ(platform.Messages()[1].Text,
            "Der Lernverlauf zeichnet wieder auf. 1 Antwort wurde nicht aufgezeichnet.");
  EXPECT_EQ(Answers().size(), 1u);
  Main().Close();
  EXPECT_EQ(platform.Messages().size(), 2u) << "nothing is missing at the end";
}

// A file that cannot be read is told once per problem: the due round that meets it again says
// nothing more, and takes no round it does not know.
TEST_F(LearningHistoryTest, AProblemIsToldOnceAlsoByTheDueRound) {
  WriteCatalogue(Questions(4, 1, 1));
  { THistoryStore created(HistoryFileName); }
  SQLite::Database other(HistoryFileName, SQLite::OPEN_READWRITE);
  other.exec("BEGIN EXCLUSIVE");
  Start();
  ClickControl(Main(), "btnKlar");
  ASSERT_EQ(platform.Messages().size(), 1u);
  const int open = OpenEntries();
  PressKey(Main(), 'W', ssCtrl);
  EXPECT_EQ(platform.Messages().size(), 1u) << platform.Messages().back().Text;
  EXPECT_EQ(OpenEntries(), open);
  other.exec("ROLLBACK");
}

} // namespace
