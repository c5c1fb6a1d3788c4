// Tests of the four modes as the main window lays them out, and of leaving the exam.
#include "support/UiFixture.h"

namespace {

class ModesTest : public UiTest {
protected:
  void SetUp() override {
    std::vector<QuestionRecord> records = Questions(8, 1, 1);
    const std::vector<QuestionRecord> exam = Questions(3, 1, 2);
    records.insert(records.end(), exam.begin(), exam.end());
    WriteCatalogue(records);
  }
  void ExpectLayout(int height, const char* caption, bool solutionVisible, bool autoTicked,
                    int counterTop, bool klarEnabled) {
    EXPECT_EQ(Main().Height(), height);
    EXPECT_EQ(Main().btnLoesung->Caption(), caption);
    EXPECT_EQ(Main().btnLoesung->Visible(), solutionVisible);
    EXPECT_EQ(Main().chkWeiterWennRichtig->Checked(), autoTicked);
    EXPECT_EQ(Main().lblUnklareFragen->Top(), counterTop);
    EXPECT_EQ(Main().btnKlar->Enabled(), klarEnabled);
    EXPECT_EQ(Main().btnUnklar->Enabled(), klarEnabled);
  }
  std::vector<bool> Checks() {
    return {Main().mnuLernmode->Checked(), Main().mnuVertifungsmode->Checked(),
            Main().mnuSchnellernmode->Checked(), Main().mnuProgrammPruefungsmodus->Checked()};
  }
};

TEST_F(ModesTest, EachModeLaysOutTheWindow) {
  Start();
  ExpectLayout(445, "Lösung", false, true, 368, true);
  EXPECT_FALSE(Main().chkWeiterWennRichtig->Visible());
  ChooseMenu(Main(), "mnuVertifungsmode");
  EXPECT_EQ(Checks(), (std::vector<bool>{false, true, false, false}));
  ExpectLayout(445, "Lösung", true, true, 368, true);
  EXPECT_TRUE(Main().chkWeiterWennRichtig->Visible());
  ChooseMenu(Main(), "mnuSchnellernmode");
  EXPECT_EQ(Checks(), (std::vector<bool>{false, false, true, false}));
  ExpectLayout(445, "Lösung", false, true, 368, true);
  EXPECT_FALSE(Main().chkWeiterWennRichtig->Visible());
  ChooseMenu(Main(), "mnuVertifungsmode");
  platform.OnModal("frmPruefungsKatWahl", [](TForm& dialog) { ClickControl(dialog, "btnOk"); });
  ChooseMenu(Main(), "mnuProgrammPruefungsmodus");
  EXPECT_EQ(Checks(), (std::vector<bool>{false, false, false, true}));
  ExpectLayout(372, "Weiter", true, false, 304, false);
  EXPECT_EQ(Main().ClientHeight(), 328) << "Klar and Unklar lie below the visible area";
  EXPECT_TRUE(Main().chkWeiterWennRichtig->Visible()) << "left as it was";
  ChooseMenu(Main(), "mnuVertifungsmode");
  ExpectLayout(445, "Lösung", true, true, 368, true);
  EXPECT_TRUE(Main().chkWeiterWennRichtig->Visible());
}

TEST_F(ModesTest, LearningModesKeepThePoolAndLeavingTheExamRebuildsIt) {
  Start([](TForm& dialog) {
    ClickControl(dialog, "chkUKat0101");
    ClickControl(dialog, "chkUKat0102");
  });
  ClickControl(Main(), "btnKlar");
  ClickControl(Main(), "btnKlar");
  ASSERT_EQ(OpenQuestionCount(), 9);
  ChooseMenu(Main(), "mnuVertifungsmode");
  ChooseMenu(Main(), "mnuSchnellernmode");
  ChooseMenu(Main(), "mnuLernmode");
  EXPECT_EQ(OpenQuestionCount(), 9);
  EXPECT_EQ(CounterLine(), "Unklare Fragen: 9");
  // Re-choosing the mode in force applies it again: the switch is ticked anew.
  ChooseMenu(Main(), "mnuVertifungsmode");
  Main().chkWeiterWennRichtig->SetChecked(false);
  ChooseMenu(Main(), "mnuVertifungsmode");
  EXPECT_TRUE(Main().chkWeiterWennRichtig->Checked());

  platform.OnModal("frmPruefungsKatWahl", [](TForm& dialog) { ClickControl(dialog, "btnOk"); });
  ChooseMenu(Main(), "mnuProgrammPruefungsmodus");
  EXPECT_EQ(OpenQuestionCount(), 8) << "the exam pool holds area 1 of licence 1";
  EXPECT_EQ(CounterLine(), "Offene Fragen: 8");
  ChooseMenu(Main(), "mnuLernmode");
  EXPECT_EQ(OpenQuestionCount(), 11) << "leaving the exam opens every ticked question again";
  EXPECT_EQ(CounterLine(), "Unklare Fragen: 11");
}

TEST_F(ModesTest, ClosingTheExamDialogWithoutOkCancelsTheExam) {
  Start([](TForm& dialog) { ClickControl(dialog, "chkUKat0101"); });
  ChooseMenu(Main(), "mnuSchnellernmode");
  ClickControl(Main(), "btnKlar");
  ASSERT_EQ(OpenQuestionCount(), 7);
  platform.OnModal("frmPruefungsKatWahl", [](TForm& dialog) { dialog.CloseRequest(); });
  ChooseMenu(Main(), "mnuProgrammPruefungsmodus");
  EXPECT_EQ(Checks(), (std::vector<bool>{false, false, true, false}));
  EXPECT_EQ(Main().Height(), 445);
  EXPECT_EQ(OpenQuestionCount(), 8) << "the learning pool is rebuilt as on leaving an exam";
  EXPECT_EQ(ExamLicence(), 0);
}

// An exam selects only its area; leaving it brings the questions of all categories back.
TEST_F(ModesTest, QuestionsOfAllCategoriesReturnAfterTheExam) {
  std::vector<QuestionRecord> records = Questions(3, 1, 1);
  records.push_back(MakeQuestion(0, 0));
  WriteCatalogue(records);
  Start();
  ASSERT_EQ(OpenQuestionCount(), 4);
  platform.OnModal("frmPruefungsKatWahl", [](TForm& dialog) { ClickControl(dialog, "btnOk"); });
  ChooseMenu(Main(), "mnuProgrammPruefungsmodus");
  ASSERT_EQ(OpenQuestionCount(), 3);
  ChooseMenu(Main(), "mnuVertifungsmode");
  EXPECT_EQ(OpenQuestionCount(), 4);
  platform.OnModal("frmKategorieWahl", [](TForm&) {});
  ChooseMenu(Main(), "mnuFragenKategorieWaehlen");
  EXPECT_EQ(OpenQuestionCount(), 4);
}

} // namespace
