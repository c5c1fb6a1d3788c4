// Tests of closing the main window while it pauses one second: the program ends at once.
#include "support/UiFixture.h"

#include "mainwindow/Startup.h"

namespace {

class CloseDuringPauseTest : public UiTest {
protected:
  // Closes the main window by its close box `afterMs` after the next click or key.
  void CloseLater(uint32_t afterMs) {
    closer = Main().CreateTimer("tmrCloseTest");
    closer->SetInterval(afterMs);
    closer->OnTimer = [this](TObject*) {
      closer->SetEnabled(false);
      Main().CloseRequest();
    };
    closer->SetEnabled(true);
  }
  void ExpectEndedAtOnce(std::size_t dialogsBefore) {
    EXPECT_TRUE(Application.Terminated());
    EXPECT_FALSE(Main().Visible());
    EXPECT_TRUE(platform.Messages().empty()) << platform.Messages().front().Text;
    EXPECT_EQ(platform.ModalShowings().size(), dialogsBefore) << "no dialog after the close";
  }

  TTimer* closer = nullptr;
};

TEST_F(CloseDuringPauseTest, AfterWeiterOnTheLastExamQuestion) {
  WriteSettings("AnzPrfFragenGSA=1\n");
  WriteCatalogue(Questions(3, 1, 1));
  Start();
  platform.OnModal("frmPruefungsKatWahl", [](TForm& dialog) { ClickControl(dialog, "btnOk"); });
  ChooseMenu(Main(), "mnuProgrammPruefungsmodus");
  ASSERT_EQ(OpenQuestionCount(), 1);
  const std::size_t dialogs = platform.ModalShowings().size();
  CloseLater(300);
  const uint32_t before = platform.TickCount();
  ClickControl(Main(), "btnLoesung");
  EXPECT_LT(platform.TickCount() - before, 1000u) << "the pause ends with the close";
  ExpectEndedAtOnce(dialogs);
}

TEST_F(CloseDuringPauseTest, DuringTheAutomaticKlarOfTheLastQuestion) {
  WriteCatalogue(Questions(1, 1, 1));
  Start();
  ChooseMenu(Main(), "mnuVertifungsmode");
  ASSERT_TRUE(Main().chkWeiterWennRichtig->Checked());
  TickAnswer(true);
  const std::size_t dialogs = platform.ModalShowings().size();
  CloseLater(300);
  ClickControl(Main(), "btnLoesung");
  ExpectEndedAtOnce(dialogs);
  EXPECT_EQ(OpenQuestionCount(), 1) << "the question was not sorted";
}

TEST_F(CloseDuringPauseTest, InLernmodusWithQuestionsWithoutCorrectAnswer) {
  std::vector<QuestionRecord> records = Questions(2, 1, 1);
  for (QuestionRecord& record : records)
    record.CorrectB = false;
  WriteCatalogue(records);
  // Every showing is right at once and pauses before its automatic "Klar".
  StartProgram();
  platform.OnModal("frmKategorieWahl", TickAllLicences);
  CloseLater(1500);
  Main().Show();
  ExpectEndedAtOnce(1);
  EXPECT_EQ(OpenQuestionCount(), 1) << "one question was sorted before the close";
}

} // namespace
