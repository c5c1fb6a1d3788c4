// Tests of the letter keys, the answer boxes' mouse and key handlers, and the latch.
#include "support/UiFixture.h"

namespace {

class KeyboardTest : public UiTest {
protected:
  // Questions whose only correct answer is C.
  void SetUp() override {
    std::vector<QuestionRecord> records = Questions(5, 1, 1);
    for (QuestionRecord& record : records) {
      record.CorrectB = false;
      record.CorrectC = true;
    }
    WriteCatalogue(records);
  }
};

TEST_F(KeyboardTest, LettersToggleTicksOutsideSchnelllernmodus) {
  Start();
  ChooseMenu(Main(), "mnuVertifungsmode");
  Main().SetFocusedControl(nullptr);
  TypeChar(Main(), 'b');
  EXPECT_TRUE(Main().chkAntwortB->Checked());
  EXPECT_TRUE(Main().LetterKeyLatch);
  TypeChar(Main(), 'B');
  EXPECT_FALSE(Main().chkAntwortB->Checked());
  TypeChar(Main(), 'x');
  TypeChar(Main(), '1');
  for (TCheckBox* box :
       {Main().chkAntwortA, Main().chkAntwortB, Main().chkAntwortC, Main().chkAntwortD})
    EXPECT_FALSE(box->Checked());
  // After the solution a disabled box still toggles, and "Lösung" checks the new ticks.
  Main().chkWeiterWennRichtig->SetChecked(true);
  TypeChar(Main(), 'a');
  ClickControl(Main(), "btnLoesung");
  EXPECT_FALSE(Main().chkAntwortA->Enabled());
  EXPECT_EQ(OpenQuestionCount(), 5);
  TypeChar(Main(), 'a');
  EXPECT_FALSE(Main().chkAntwortA->Checked());
  TypeChar(Main(), 'c');
  ClickControl(Main(), "btnLoesung");
  EXPECT_EQ(OpenQuestionCount(), 4);
}

TEST_F(KeyboardTest, OneLetterAnswersInSchnelllernmodus) {
  Start();
  ChooseMenu(Main(), "mnuSchnellernmode");
  Main().SetFocusedControl(nullptr);
  const uint32_t before = platform.TickCount();
  TypeChar(Main(), 'c');
  EXPECT_GE(platform.TickCount() - before, 1000u);
  EXPECT_EQ(CounterLine(), "Unklare Fragen: 4");
  EXPECT_FALSE(Main().chkAntwortC->Checked()) << "the next question starts without ticks";
  TypeChar(Main(), 'a');
  EXPECT_EQ(CounterLine(), "Unklare Fragen: 4") << "a wrong letter counts as Unklar";
  EXPECT_FALSE(Main().LetterKeyLatch);
}

// One letter cannot answer a question with two correct answers or none: it shows the solution at
// once, and the learner's "Klar" lets the round end.
TEST_F(KeyboardTest, ALetterShowsTheSolutionWhereOneLetterCannotAnswer) {
  QuestionRecord two = MakeQuestion(1, 1);
  two.CorrectA = true;
  QuestionRecord none = MakeQuestion(1, 1);
  none.CorrectB = false;
  WriteCatalogue({two, none});
  Start();
  ChooseMenu(Main(), "mnuSchnellernmode");
  Main().SetFocusedControl(nullptr);
  for (int question = 0; question < 2; ++question) {
    const int32_t shown = CurrentQuestionNo();
    const uint32_t before = platform.TickCount();
    TypeChar(Main(), 'a');
    TypeChar(Main(), 'c');
    EXPECT_EQ(platform.TickCount(), before) << "no pause";
    EXPECT_EQ(CurrentQuestionNo(), shown);
    EXPECT_TRUE(Main().chkAntwortA->Checked() && Main().chkAntwortC->Checked());
    EXPECT_FALSE(Main().chkAntwortC->Enabled()) << "the solution is on display";
    ClickControl(Main(), "btnKlar");
  }
  EXPECT_EQ(platform.ModalShowings().size(), 2u) << "the round ended in the category dialog";
}

TEST_F(KeyboardTest, MousePressOnABoxAnswersUntilTheLatchIsSet) {
  Start();
  ChooseMenu(Main(), "mnuSchnellernmode");
  ClickControl(Main(), "chkAntwortC");
  EXPECT_EQ(OpenQuestionCount(), 4) << "the press answered the question";
  EXPECT_FALSE(Main().chkAntwortC->Checked()) << "the box of the next question stays clear";

  // One letter outside Schnelllernmodus sets the latch for good.
  ChooseMenu(Main(), "mnuVertifungsmode");
  ClickControl(Main(), "chkAntwortB");
  EXPECT_TRUE(Main().chkAntwortB->Checked()) << "the first press toggles once";
  EXPECT_TRUE(Main().LetterKeyLatch);
  ClickControl(Main(), "chkAntwortB");
  EXPECT_FALSE(Main().chkAntwortB->Checked()) << "now an ordinary check box";
  ChooseMenu(Main(), "mnuSchnellernmode");
  ClickControl(Main(), "chkAntwortC");
  EXPECT_TRUE(Main().chkAntwortC->Checked());
  EXPECT_EQ(OpenQuestionCount(), 4) << "with the latch set a press does not answer";
  Main().SetFocusedControl(nullptr);
  TypeChar(Main(), 'c');
  EXPECT_EQ(OpenQuestionCount(), 3) << "a letter still answers";
}

TEST_F(KeyboardTest, KeyDownOnAFocusedBoxActsAsItsLetter) {
  Start();
  ChooseMenu(Main(), "mnuVertifungsmode");
  Main().chkAntwortA->SetFocus();
  // The key goes down on box A first (toggling A), then the typed letter toggles D.
  TypeChar(Main(), 'd');
  EXPECT_TRUE(Main().chkAntwortA->Checked());
  EXPECT_TRUE(Main().chkAntwortD->Checked());
  // With the latch set, space is the toolkit's own toggle only.
  PressKey(Main(), vkSpace);
  EXPECT_FALSE(Main().chkAntwortA->Checked());
}

TEST_F(KeyboardTest, SpaceOnAFocusedBoxTogglesOnceWhileTheLatchIsClear) {
  Start();
  ChooseMenu(Main(), "mnuVertifungsmode");
  Main().chkAntwortB->SetFocus();
  PressKey(Main(), vkSpace);
  EXPECT_TRUE(Main().chkAntwortB->Checked());
  EXPECT_TRUE(Main().LetterKeyLatch);
}

} // namespace
