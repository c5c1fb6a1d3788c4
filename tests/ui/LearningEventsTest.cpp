// Tests of the learning events the main window reports through the question data.
#include "support/UiFixture.h"

#include "core/QuestionData.h"

namespace {

std::string Letters(const std::array<bool, 4>& marks) {
  std::string letters;
  for (std::size_t answer = 0; answer < 4; ++answer)
    if (marks[answer])
      letters += static_cast<char>('A' + answer);
  return letters.empty() ? "-" : letters;
}

// Writes every event as one line, so that a test compares whole sequences.
struct TEventLog : TLearningListener {
  std::vector<std::string> Lines;
  static std::string Head(const char* what, int32_t recordNo, int mode) {
    return std::string(what) + " " + std::to_string(recordNo) + " m" + std::to_string(mode);
  }
  void QuestionShown(const TQuestionShown& e) override {
    Lines.push_back(Head("shown", e.RecordNo, e.Mode) + (e.Placeholder ? " placeholder" : ""));
  }
  void AnswerChecked(const TAnswerChecked& e) override {
    Lines.push_back(Head("checked", e.RecordNo, e.Mode) + " " + Letters(e.Ticked) + "/" +
                    Letters(e.Correct) + (e.Right ? " right" : " wrong") +
                    (e.ByLearner ? " learner" : " auto"));
  }
  void QuestionSorted(const TQuestionSorted& e) override {
    Lines.push_back(Head("sorted", e.RecordNo, e.Mode) + (e.Klar ? " klar" : " unklar") +
                    (e.ByLearner ? " learner" : " auto"));
  }
  void ExamAreaGraded(const TExamAreaGraded& e) override {
    Lines.push_back("graded " + std::to_string(e.Licence) + "/" + std::to_string(e.Area) + " " +
                    std::to_string(e.Questions) + " " + std::to_string(e.RightAnswers) + " " +
                    ExamVerdictText(e.Verdict));
  }
};

class LearningEventsTest : public UiTest {
protected:
  LearningEventsTest() { eventListener = &log; }
  std::string No() const { return std::to_string(CurrentQuestionNo()); }

  TEventLog log;
};

TEST_F(LearningEventsTest, LearningModesReportShowingCheckAndSorting) {
  WriteCatalogue(Questions(3, 1, 1));
  Start();
  const std::string first = No();
  ClickControl(Main(), "btnKlar");
  const std::string second = No();
  EXPECT_EQ(log.Lines, (std::vector<std::string>{
                           "shown " + first + " m1", "checked " + first + " m1 -/B wrong auto",
                           "sorted " + first + " m1 klar learner", "shown " + second + " m1",
                           "checked " + second + " m1 -/B wrong auto"}));

  log.Lines.clear();
  ChooseMenu(Main(), "mnuVertifungsmode");
  const std::string deepened = No();
  TickAnswer(true);
  ClickControl(Main(), "btnLoesung");
  const std::string last = No();
  ClickControl(Main(), "btnUnklar");
  EXPECT_EQ(log.Lines,
            (std::vector<std::string>{
                "shown " + deepened + " m2", "checked " + deepened + " m2 B/B right learner",
                "sorted " + deepened + " m2 klar auto", "shown " + last + " m2",
                "sorted " + last + " m2 unklar learner", "shown " + last + " m2"}));

  log.Lines.clear();
  ChooseMenu(Main(), "mnuSchnellernmode");
  TypeChar(Main(), 'a');
  EXPECT_EQ(log.Lines, (std::vector<std::string>{
                           "shown " + last + " m3", "checked " + last + " m3 A/B wrong learner",
                           "sorted " + last + " m3 unklar auto", "shown " + last + " m3"}));
}

TEST_F(LearningEventsTest, ExamReportsItsGradingAndThePlaceholder) {
  WriteSettings("AnzPrfFragenGSA=2\nAnzMuendlichGSA=1\nAnzNichtBestGSA=2\n");
  WriteCatalogue(Questions(3, 1, 1));
  Start();
  platform.OnModal("frmPruefungsKatWahl", [](TForm& dialog) { ClickControl(dialog, "btnOk"); });
  ChooseMenu(Main(), "mnuProgrammPruefungsmodus");
  log.Lines.clear();
  const std::string asked = No();
  TickAnswer(true);
  ClickControl(Main(), "btnLoesung");
  const std::string next = No();
  ClickControl(Main(), "btnLoesung");
  ASSERT_GE(log.Lines.size(), 7u);
  EXPECT_EQ(std::vector<std::string>(log.Lines.begin(), log.Lines.begin() + 7),
            (std::vector<std::string>{
                "checked " + asked + " m4 B/B right learner", "sorted " + asked + " m4 klar auto",
                "shown " + next + " m4", "checked " + next + " m4 -/B wrong learner",
                "sorted " + next + " m4 klar auto", "graded 1/1 2 1 Mündliche Nachprüfung.",
                "shown -1 m4 placeholder"}));
  // The empty second area: its placeholder is never sorted, and it is graded with no right answer.
  log.Lines.clear();
  ClickControl(Main(), "btnLoesung");
  ASSERT_FALSE(log.Lines.empty());
  EXPECT_EQ(log.Lines[0], "graded 1/2 2 0 Nicht bestanden.");
}

// A category choice in the exam replaces its draw: the area is graded, but it is no exam result.
TEST_F(LearningEventsTest, AnAreaOfChosenCategoriesIsNoExamResult) {
  WriteCatalogue(Questions(1, 1, 1));
  Start();
  platform.OnModal("frmPruefungsKatWahl", [](TForm& dialog) { ClickControl(dialog, "btnOk"); });
  ChooseMenu(Main(), "mnuProgrammPruefungsmodus");
  platform.OnModal("frmKategorieWahl", [](TForm&) {});
  PressKey(Main(), 'K', ssCtrl);
  log.Lines.clear();
  ClickControl(Main(), "btnLoesung");
  ASSERT_EQ(platform.Messages().size(), 1u);
  ASSERT_EQ(ExamArea(), 2);
  auto graded = [&] {
    return std::count_if(log.Lines.begin(), log.Lines.end(),
                         [](const std::string& line) { return line.rfind("graded", 0) == 0; });
  };
  EXPECT_EQ(graded(), 0);
  // The next area is the exam's draw again.
  ClickControl(Main(), "btnLoesung");
  EXPECT_EQ(graded(), 1);
}

} // namespace
