// Tests of the exam: draw, "Weiter", counting, grading messages, next area and restart.
#include "support/UiFixture.h"

namespace {

class ExamTest : public UiTest {
protected:
  // Answers every question of the running area, the first `right` of them correctly.
  void AnswerArea(int questions, int right) {
    for (int i = 0; i < questions; ++i) {
      ASSERT_FALSE(Main().PlaceholderShown()) << "question " << i;
      TickAnswer(i < right);
      ClickControl(Main(), "btnLoesung");
    }
  }
  static std::string Result(const char* category, int right, int wrong, const char* verdict) {
    return std::string("Prüfungsergebnis: ") + category + "\n\rFragen gesamt: 30\n\r" +
           "Richtig beantwortet: " + std::to_string(right) +
           "\n\rFalsch beantwortet: " + std::to_string(wrong) +
           "\n\r\n\rPrüfungsergebnis: " + verdict;
  }
};

TEST_F(ExamTest, WholeExamOfTheRestrictedLicence) {
  std::vector<QuestionRecord> records = Questions(40, 1, 1);
  for (int area : {2, 4}) {
    const std::vector<QuestionRecord> more = Questions(area == 2 ? 30 : 2, 1, area);
    records.insert(records.end(), more.begin(), more.end());
  }
  WriteCatalogue(records);
  Start();
  int licenceDialogs = 0;
  platform.OnModal("frmPruefungsKatWahl", [&](TForm& dialog) {
    ++licenceDialogs;
    EXPECT_TRUE(ControlOf<TRadioButton>(dialog, "optKat1").Checked());
    ClickControl(dialog, "btnOk");
  });
  platform.OnModal("frmPruefungsKatWahl", [&](TForm& dialog) {
    ++licenceDialogs;
    dialog.CloseRequest();
  });
  ChooseMenu(Main(), "mnuProgrammPruefungsmodus");
  EXPECT_EQ(ExamLicence(), 1);
  EXPECT_EQ(ExamArea(), 1);
  EXPECT_EQ(QuestionPool().size(), 40u);
  EXPECT_EQ(OpenQuestionCount(), 30) << "30 of the area's 40 questions are drawn";
  EXPECT_EQ(CounterLine(), "Offene Fragen: 30");

  const uint32_t before = platform.TickCount();
  TickAnswer(true);
  ClickControl(Main(), "btnLoesung");
  EXPECT_GE(platform.TickCount() - before, 1000u) << "the solution shows for one second";
  EXPECT_EQ(Main().ExamCorrectCount, 1);
  EXPECT_EQ(CounterLine(), "Offene Fragen: 29");
  AnswerArea(29, 25);
  ASSERT_EQ(platform.Messages().size(), 1u);
  EXPECT_EQ(platform.Messages()[0].Caption, "Aerolern");
  EXPECT_EQ(platform.Messages()[0].Text,
            Result("Beschränkter Luftfahrerschein: Meteorologie", 26, 4, "Bestanden."));

  // The next area follows at once.
  EXPECT_EQ(ExamArea(), 2);
  EXPECT_EQ(Main().ExamCorrectCount, 0);
  EXPECT_EQ(OpenQuestionCount(), 30);
  AnswerArea(30, 24);
  ASSERT_EQ(platform.Messages().size(), 2u);
  EXPECT_EQ(platform.Messages()[1].Text,
            Result("Beschränkter Luftfahrerschein: Luftrecht", 24, 6, "Mündliche Nachprüfung."));

  // Area 3 has no question: the placeholder, and "Weiter" leads to its grading.
  EXPECT_EQ(ExamArea(), 3);
  EXPECT_TRUE(Main().PlaceholderShown());
  ClickControl(Main(), "btnLoesung");
  ASSERT_EQ(platform.Messages().size(), 3u);
  EXPECT_EQ(platform.Messages()[2].Text,
            Result("Beschränkter Luftfahrerschein: Flugpraxis", 0, 30, "Nicht bestanden."));

  // Area 4 holds two questions; the missing ones count as wrong.
  EXPECT_EQ(ExamArea(), 4);
  AnswerArea(2, 2);
  ASSERT_EQ(platform.Messages().size(), 4u);
  EXPECT_EQ(platform.Messages()[3].Text,
            Result("Beschränkter Luftfahrerschein: Technologie", 2, 28, "Nicht bestanden."));
  // After the last area the licence dialog comes back; closed without Ok, learning goes on.
  EXPECT_EQ(licenceDialogs, 2);
  EXPECT_TRUE(Main().mnuLernmode->Checked());
}

TEST_F(ExamTest, FailingAtTheThresholdAndWithoutOralBand) {
  WriteCatalogue(Questions(30, 3, 1));
  WriteSettings("AnzPrfFragenFFK=30\nAnzMuendlichFFK=9\nAnzNichtBestFFK=7\n");
  Start();
  auto chooseRadio = [](TForm& dialog) {
    ClickControl(dialog, "optKat3");
    ClickControl(dialog, "btnOk");
  };
  platform.OnModal("frmPruefungsKatWahl", chooseRadio);
  platform.OnModal("frmPruefungsKatWahl", chooseRadio);
  platform.OnModal("frmPruefungsKatWahl", [](TForm& dialog) { dialog.CloseRequest(); });
  ChooseMenu(Main(), "mnuProgrammPruefungsmodus");
  ASSERT_EQ(ExamLicence(), 3);
  // With the oral threshold above the failing one there is no oral band: 6 wrong pass.
  AnswerArea(30, 24);
  ASSERT_EQ(platform.Messages().size(), 1u);
  EXPECT_NE(
      platform.Messages()[0].Text.find("Falsch beantwortet: 6\n\r\n\rPrüfungsergebnis: Bestanden."),
      std::string::npos);
  // Flugfunk has one area: the licence dialog comes back at once, and the exam starts anew.
  AnswerArea(30, 23);
  ASSERT_EQ(platform.Messages().size(), 2u);
  EXPECT_NE(platform.Messages()[1].Text.find(
                "Falsch beantwortet: 7\n\r\n\rPrüfungsergebnis: Nicht bestanden."),
            std::string::npos);
}

TEST_F(ExamTest, LicenceDialogLayoutAndSelection) {
  WriteCatalogue(Questions(3, 3, 1));
  Start();
  platform.OnModal("frmPruefungsKatWahl", [](TForm& dialog) {
    EXPECT_EQ(dialog.Caption(), "Kategoriewahl Prüfungsmodus");
    EXPECT_EQ(dialog.Height(), 255);
    EXPECT_EQ(dialog.Left(), 671);
    EXPECT_EQ(dialog.Top(), 262);
    EXPECT_EQ(ControlOf<TGroupBox>(dialog, "RadioGroup1").Height(), 195);
    EXPECT_EQ(ControlOf<TButton>(dialog, "btnOk").Top(), 205);
    EXPECT_FALSE(ControlOf<TButton>(dialog, "btnOk").Default());
    for (const char* hidden : {"optKat7", "optKat71", "optKat72"})
      EXPECT_FALSE(ControlOf<TRadioButton>(dialog, hidden).Visible()) << hidden;
    ClickControl(dialog, "optKat3");
    EXPECT_FALSE(ControlOf<TRadioButton>(dialog, "optKat1").Checked());
    ClickControl(dialog, "btnOk");
  });
  ChooseMenu(Main(), "mnuProgrammPruefungsmodus");
  EXPECT_EQ(ExamLicence(), 3);
  EXPECT_EQ(ExamArea(), 1);
  platform.OnModal("frmPruefungsKatWahl", [](TForm& dialog) {
    EXPECT_TRUE(ControlOf<TRadioButton>(dialog, "optKat3").Checked()) << "the choice stays";
    dialog.CloseRequest();
  });
  ChooseMenu(Main(), "mnuProgrammPruefungsmodus");
  EXPECT_EQ(ExamLicence(), 3) << "the close box changes no exam position";
}

// The exam asks its draw: loading, entering, deleting and the due questions wait until it is
// left, and Ctrl+L neither loads nor deletes meanwhile.
TEST_F(ExamTest, NothingReplacesTheDrawnQuestions) {
  WriteCatalogue(Questions(5, 1, 1));
  Start();
  ClickControl(Main(), "btnKlar");
  ChooseMenu(Main(), "AktuelleFragelschen1");
  PressKey(Main(), 'S', ssCtrl);
  platform.OnModal("frmPruefungsKatWahl", [](TForm& dialog) { ClickControl(dialog, "btnOk"); });
  ChooseMenu(Main(), "mnuProgrammPruefungsmodus");
  TMenuItem* const poolChanging[] = {Main().mnuProgrammWissensstandLaden, Main().mnuFragenNeueFrage,
                                     Main().AktuelleFragelschen1, Main().mnuLernstandFaelligeFragen,
                                     Main().mnuFragenLoeschenRueckgaengig};
  for (TMenuItem* entry : poolChanging)
    EXPECT_FALSE(entry->Enabled()) << entry->Name();
  const std::string catalogue = ReadFileBytes(CatalogueFileName);
  PressKey(Main(), 'L', ssCtrl);
  PressKey(Main(), 'N', ssCtrl);
  PressKey(Main(), 'Z', ssCtrl);
  EXPECT_EQ(OpenQuestionCount(), 4) << "neither the knowledge file's 3 nor the deleted one";
  EXPECT_EQ(ReadFileBytes(CatalogueFileName), catalogue);
  EXPECT_EQ(platform.ModalShowings().size(), 2u) << "no editor";
  ChooseMenu(Main(), "mnuLernmode");
  for (TMenuItem* entry : poolChanging)
    EXPECT_TRUE(entry->Enabled()) << entry->Name();
}

// After the exam its questions answered wrong make a round of their own.
TEST_F(ExamTest, TheWrongAnswersOfTheExamBecomeARound) {
  WriteCatalogue(Questions(3, 1, 1));
  Start();
  EXPECT_FALSE(Main().mnuProgrammPruefungsfehler->Enabled()) << "no exam yet";
  platform.OnModal("frmPruefungsKatWahl", [](TForm& dialog) { ClickControl(dialog, "btnOk"); });
  platform.OnModal("frmPruefungsKatWahl", [](TForm& dialog) { dialog.CloseRequest(); });
  ChooseMenu(Main(), "mnuProgrammPruefungsmodus");
  std::vector<int32_t> wrong;
  for (int i = 0; i < 3; ++i) {
    if (i > 0)
      wrong.push_back(CurrentQuestionNo());
    TickAnswer(i == 0);
    EXPECT_FALSE(Main().mnuProgrammPruefungsfehler->Enabled()) << "not during the exam";
    ClickControl(Main(), "btnLoesung");
  }
  // The empty areas 2 to 4, then the licence dialog, closed.
  for (int area = 2; area <= 4; ++area)
    ClickControl(Main(), "btnLoesung");
  ASSERT_TRUE(Main().mnuLernmode->Checked());
  ChooseMenu(Main(), "mnuProgrammPruefungsfehler");
  std::vector<int32_t> open;
  for (const PoolEntry& entry : QuestionPool())
    if (entry.Open != 0)
      open.push_back(entry.RecordNo);
  EXPECT_EQ(open, wrong);
  EXPECT_EQ(CounterLine(), "Unklare Fragen: 2");
}

} // namespace
