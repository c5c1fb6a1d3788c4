// Tests of the exam-date plan as the learner meets it: the licence and daily budget in the
// statistics window, the window "Lernplan" and "Heutiges Pensum lernen".
#include "support/UiFixture.h"

#include "core/QuestionData.h"
#include "history/CalendarDate.h"
#include "history/LearningHistory.h"
#include "toolkit/headless/RecordingCanvas.h"
#include "windows/srcLernplan.h"

namespace {

class LernplanTest : public UiTest {
protected:
  LernplanTest() {
    recordHistory = true;
    WriteSettings("AnzPrfFragenGSA=3\nAnzMuendlichGSA=1\nAnzNichtBestGSA=2\n");
    std::vector<QuestionRecord> records;
    for (int area = 1; area <= 3; ++area)
      for (int i = 0; i < 6; ++i)
        records.push_back(MakeQuestion(1, area, "Frage " + std::to_string(records.size())));
    WriteCatalogue(records);
  }

  std::string InDays(int days) { return LocalDateText(LocalDayStart(platform.UtcNowMs(), days)); }

  // Types the values into the statistics window and takes them; returns the messages shown.
  std::vector<std::string> Take(const std::string& date, const std::string& budget) {
    std::vector<std::string> messages;
    platform.OnModal("frmLernstand", [&](TForm& window) {
      ControlOf<TEdit>(window, "edtPruefungstermin").UserEdited(date);
      ControlOf<TEdit>(window, "edtPensum").UserEdited(budget);
      platform.ClearMessages();
      ClickControl(window, "btnUebernehmen");
      for (const auto& message : platform.Messages())
        messages.push_back(message.Text);
    });
    PressKey(Main(), 'T', ssCtrl);
    return messages;
  }

  // Opens the window "Lernplan" and runs the script in it.
  void OpenPlan(std::function<void(TForm&)> script) {
    platform.OnModal("frmLernplan", std::move(script));
    ChooseMenu(Main(), "mnuLernstandLernplan");
    ASSERT_EQ(platform.ModalShowings().back(), "frmLernplan");
  }
};

TEST_F(LernplanTest, BudgetAndDateAreCheckedAndTheWindowSaysWhatIsMissing) {
  Start();
  OpenPlan([&](TForm& window) {
    EXPECT_TRUE(ControlOf<TLabel>(window, "lblHinweis").Visible());
    EXPECT_EQ(ControlOf<TLabel>(window, "lblHinweis").Caption(),
              "Es ist kein Prüfungstermin gesetzt. Setzen Sie ihn im Menü „Lernstand“ unter "
              "„Lernstatistik...“, mit der Lizenz und dem täglichen Pensum.");
    EXPECT_FALSE(ControlOf<TPaintBox>(window, "pbPlan").Visible());
    EXPECT_FALSE(ControlOf<TButton>(window, "btnPensum").Enabled());
  });
  for (const char* budget : {"0", "-5", "abc", "2001", "601 min", "80 Stunden"}) {
    const std::vector<std::string> messages = Take(InDays(7), budget);
    ASSERT_EQ(messages.size(), 1u) << budget;
    EXPECT_EQ(
        messages[0].find("Das tägliche Pensum „" + std::string(budget) + "“ wird nicht übernommen"),
        0u)
        << messages[0];
    EXPECT_EQ(Main().History().BudgetText(), "");
  }
  EXPECT_EQ(Main().History().ExamLicence(), 1) << "the date is for the licence shown";
  platform.ClearMessages();
  ChooseMenu(Main(), "mnuLernstandPensum");
  ASSERT_EQ(platform.Messages().size(), 1u);
  EXPECT_EQ(platform.Messages()[0].Text,
            "Es ist kein tägliches Pensum gesetzt. Setzen Sie es im Menü „Lernstand“ unter "
            "„Lernstatistik...“.");
  EXPECT_TRUE(Take(InDays(7), "600 min").empty());
  EXPECT_EQ(Main().History().BudgetText(), "600 min");
  EXPECT_TRUE(Take(InDays(7), "12").empty());
  EXPECT_EQ(Main().History().BudgetText(), "12");

  // A licence without questions in the catalogue has nothing to plan.
  EXPECT_EQ(Main().History().SetExamLicence(2), "");
  EXPECT_EQ(Main().History().SetExamLicence(7), "Diese Lizenz bietet Aerolern nicht an.");
  OpenPlan([&](TForm& window) {
    EXPECT_EQ(ControlOf<TLabel>(window, "lblHinweis").Caption(),
              "Der Fragenkatalog enthält keine Fragen für Unbeschränkter Luftfahrerschein; es "
              "gibt nichts zu planen.");
  });

  // The day after the exam the date has passed.
  platform.SetUtcNow(LocalDayStart(platform.UtcNowMs(), 8) + 12 * 3600000);
  OpenPlan([&](TForm& window) {
    EXPECT_EQ(ControlOf<TLabel>(window, "lblHinweis")
                  .Caption()
                  .find("Der Prüfungstermin " + InDays(-1) + " ist vorbei."),
              0u);
  });
}

TEST_F(LernplanTest, AnUnreadableHistoryIsOneSentence) {
  WriteFileBytes(HistoryFileName, std::string(3000, 'z'));
  Start();
  OpenPlan([&](TForm& window) {
    EXPECT_EQ(ControlOf<TLabel>(window, "lblHinweis").Caption(),
              "Ohne nutzbaren Lernverlauf gibt es keinen Lernplan.");
  });
}

TEST_F(LernplanTest, TodaysPlanBecomesThePoolAndTheWindowShowsTheDays) {
  Start();
  ASSERT_TRUE(Take(InDays(10), "12").empty());
  int planned = 0;
  OpenPlan([&](TForm& window) {
    const TPlanStatus& status = frmLernplan->Status();
    ASSERT_EQ(status.Problem, "");
    EXPECT_EQ(ControlOf<TLabel>(window, "lblTage").Caption(),
              "Noch 10 Tage bis zur Prüfung am " + InDays(10) +
                  " (Beschränkter Luftfahrerschein).");
    planned = static_cast<int>(status.Remaining.size());
    EXPECT_GT(planned, 0);
    EXPECT_EQ(ControlOf<TLabel>(window, "lblHeute")
                  .Caption()
                  .find("Heute geplant: " + std::to_string(planned) + " Fragen, davon erledigt: 0"),
              0u);
    EXPECT_EQ(ControlOf<TLabel>(window, "lblTempo").Caption(), "Stand: Im Plan");
    EXPECT_NE(ControlOf<TLabel>(window, "lblPrognose").Caption().find("Noch keine Antworten"),
              std::string::npos);
    // One bar per day until the exam: new questions first, reviews later.
    int newBars = 0, reviewBars = 0;
    for (const TPaintOp& op : PaintOps(ControlOf<TPaintBox>(window, "pbPlan"))) {
      newBars += op.Kind == TPaintOp::TKind::FillRect && op.Color == TfrmLernplan::kColorNew;
      reviewBars += op.Kind == TPaintOp::TKind::FillRect && op.Color == TfrmLernplan::kColorReview;
    }
    EXPECT_GT(newBars, 0);
    EXPECT_GT(reviewBars, 0);
    EXPECT_EQ(status.Plan.Days.size(), 10u);
    ClickControl(window, "btnPensum");
  });
  EXPECT_EQ(static_cast<int>(QuestionPool().size()), planned);
  EXPECT_EQ(CounterLine(), "Unklare Fragen: " + std::to_string(planned));

  // After the first answers the rest of today's plan is what is left of the budget.
  for (int i = 0; i < 3; ++i) {
    TickAnswer(true);
    ClickControl(Main(), "btnKlar");
  }
  const TPlanStatus later = Main().History().PlanStatus(false);
  EXPECT_EQ(later.AnswersToday, 3);
  EXPECT_EQ(later.Done, 3);
  EXPECT_LT(static_cast<int>(later.Remaining.size()), planned);
  PressKey(Main(), 'P', ssCtrl);
  EXPECT_EQ(QuestionPool().size(), later.Remaining.size());

  platform.OnModal("frmPruefungsKatWahl", [](TForm& dialog) { ClickControl(dialog, "btnOk"); });
  ChooseMenu(Main(), "mnuProgrammPruefungsmodus");
  EXPECT_FALSE(Main().mnuLernstandPensum->Enabled()) << "the exam's questions stay";
}

} // namespace
