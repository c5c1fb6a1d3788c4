// Tests of the question cycle: display, solution and check, "Klar", "Unklar", auto-"Klar",
// new passes and the placeholder.
#include "support/UiFixture.h"

namespace {

class QuestionCycleTest : public UiTest {
protected:
  // One question of licence 2, area 1 with the correct answers B and D and sketch 4.
  void WriteBAndDQuestion() {
    QuestionRecord record = MakeQuestion(2, 1, "  Welche Wolken?\t ");
    record.CorrectB = true;
    record.CorrectD = true;
    record.AnswerA = "Cirrus ";
    record.ImageNo = 4;
    WriteCatalogue({record});
  }
};

TEST_F(QuestionCycleTest, QuestionOnDisplay) {
  WriteBAndDQuestion();
  Start();
  EXPECT_EQ(Main().lblFrage->Caption(), "Welche Wolken?");
  EXPECT_EQ(Main().lblAntwortA->Caption(), "Cirrus ");
  EXPECT_EQ(Main().lblAntwortB->Caption(), "B");
  EXPECT_EQ(Main().lblKategorie->Caption(),
            "Kategorie: Unbeschränkter Luftfahrerschein: Meteorologie");
  EXPECT_EQ(Main().lblImageNo->Caption(), "21_4");
  EXPECT_FALSE(Main().lblImageNo->Visible());
  EXPECT_TRUE(Main().btnSkizzen->Visible());
  EXPECT_EQ(CounterLine(), "Unklare Fragen: 1");
  // Lernmodus shows the solution at once: B and D enabled, A and C greyed, nothing ticked; the
  // solution is said in words too.
  EXPECT_FALSE(Main().chkAntwortA->Enabled());
  EXPECT_TRUE(Main().chkAntwortB->Enabled());
  EXPECT_FALSE(Main().chkAntwortC->Enabled());
  EXPECT_TRUE(Main().chkAntwortD->Enabled());
  EXPECT_FALSE(Main().chkAntwortB->Checked());
  EXPECT_EQ(Main().lblAuswertung->Caption(), "Richtig: B, D");
}

TEST_F(QuestionCycleTest, SolutionAndAnswerCheckForBAndD) {
  WriteBAndDQuestion();
  Start();
  ChooseMenu(Main(), "mnuVertifungsmode");
  Main().chkWeiterWennRichtig->SetChecked(false);
  EXPECT_TRUE(Main().chkAntwortA->Enabled());
  auto answer = [&](bool a, bool b, bool c, bool d) {
    Main().chkAntwortA->SetChecked(a);
    Main().chkAntwortB->SetChecked(b);
    Main().chkAntwortC->SetChecked(c);
    Main().chkAntwortD->SetChecked(d);
    ClickControl(Main(), "btnLoesung");
  };
  // Without auto-"Klar" nothing moves on; the check itself is seen through the switch below.
  answer(false, true, false, false);
  EXPECT_FALSE(Main().chkAntwortA->Enabled());
  EXPECT_TRUE(Main().chkAntwortB->Enabled());
  EXPECT_FALSE(Main().chkAntwortC->Enabled());
  EXPECT_TRUE(Main().chkAntwortD->Enabled());
  EXPECT_TRUE(Main().chkAntwortB->Checked()) << "showing the solution changes no tick";
  EXPECT_EQ(Main().lblAuswertung->Caption(), "Richtig: B, D\nIhre Antwort ist falsch.");
  answer(false, true, false, true);
  EXPECT_EQ(Main().lblAuswertung->Caption(), "Richtig: B, D\nIhre Antwort ist richtig.");
  Main().chkWeiterWennRichtig->SetChecked(true);
  answer(false, true, false, false);
  EXPECT_EQ(OpenQuestionCount(), 1) << "B alone is wrong";
  answer(true, true, false, true);
  EXPECT_EQ(OpenQuestionCount(), 1) << "A, B and D is wrong";
  const uint32_t before = platform.TickCount();
  platform.OnModal("frmKategorieWahl", [](TForm&) {});
  answer(false, true, false, true);
  EXPECT_GE(platform.TickCount() - before, 1000u) << "the automatic Klar waits one second";
  EXPECT_EQ(platform.ModalShowings().size(), 2u) << "the last question done: categories again";
  EXPECT_EQ(OpenQuestionCount(), 1) << "the same choice opens every question again";
}

TEST_F(QuestionCycleTest, KlarAndUnklarAndTheCounter) {
  WriteCatalogue(Questions(6, 1, 1));
  Start();
  ChooseMenu(Main(), "mnuVertifungsmode");
  EXPECT_EQ(CounterLine(), "Unklare Fragen: 6");
  ClickControl(Main(), "btnUnklar");
  EXPECT_EQ(CounterLine(), "Unklare Fragen: 6");
  const int32_t current = CurrentQuestionNo();
  ClickControl(Main(), "btnKlar");
  EXPECT_EQ(CounterLine(), "Unklare Fragen: 5");
  EXPECT_EQ(QuestionPool()[current].Open, 0);
  EXPECT_NE(CurrentQuestionNo(), current);
  // With the switch cleared a right answer stays on display.
  Main().chkWeiterWennRichtig->SetChecked(false);
  TickAnswer(true);
  const int32_t shown = CurrentQuestionNo();
  ClickControl(Main(), "btnLoesung");
  EXPECT_EQ(CurrentQuestionNo(), shown);
  EXPECT_EQ(OpenQuestionCount(), 5);
}

TEST_F(QuestionCycleTest, SketchButtonOnlyForSketchNumbersFromOne) {
  std::vector<QuestionRecord> records = Questions(3, 1, 3);
  records[0].ImageNo = 0;
  records[1].ImageNo = -1;
  records[2].ImageNo = 12;
  WriteCatalogue(records);
  Start();
  int withSketch = 0;
  for (int round = 0; round < 20; ++round) {
    const int32_t current = CurrentQuestionNo();
    withSketch += current == 2;
    EXPECT_EQ(Main().btnSkizzen->Visible(), current == 2) << current;
    if (current == 2) {
      EXPECT_EQ(Main().lblImageNo->Caption(), "13_12");
    }
    ClickControl(Main(), "btnUnklar");
  }
  EXPECT_GT(withSketch, 0);
  EXPECT_LT(withSketch, 20);
}

TEST_F(QuestionCycleTest, PlaceholderWhenNothingIsSelected) {
  WriteCatalogue(Questions(3, 1, 1));
  Start([](TForm&) {});
  EXPECT_EQ(Main().lblFrage->Caption(),
            "Keine Frage gefunden. Ggf. muss das Programm beendet und neu gestartet werden");
  EXPECT_EQ(Main().lblAntwortC->Caption(), "N/A");
  EXPECT_EQ(Main().lblKategorie->Caption(), "Kategorie: Keine Kategorie gefunden");
  EXPECT_FALSE(Main().btnSkizzen->Visible());
  EXPECT_EQ(CounterLine(), "Unklare Fragen: 0");
  EXPECT_TRUE(Main().PlaceholderShown());
  // No solution is shown on the placeholder: every box stays enabled.
  EXPECT_TRUE(Main().chkAntwortA->Enabled() && Main().chkAntwortB->Enabled());
  // "Klar" with no open question leads to the category choice, never below zero.
  platform.OnModal("frmKategorieWahl", [](TForm& dialog) { ClickControl(dialog, "chkUKat0101"); });
  ClickControl(Main(), "btnKlar");
  EXPECT_EQ(platform.ModalShowings().size(), 2u);
  EXPECT_EQ(CounterLine(), "Unklare Fragen: 3");
  EXPECT_FALSE(Main().PlaceholderShown());
}

TEST_F(QuestionCycleTest, PlaceholderInVertiefungsmodusDoesNothingOnLoesung) {
  WriteCatalogue(Questions(2, 1, 1));
  Start([](TForm&) {});
  ChooseMenu(Main(), "mnuVertifungsmode");
  TickAnswer(false);
  const uint32_t before = platform.TickCount();
  ClickControl(Main(), "btnLoesung");
  EXPECT_EQ(platform.TickCount(), before) << "no pause, nothing moves on";
  EXPECT_TRUE(Main().chkAntwortC->Enabled());
  EXPECT_EQ(platform.ModalShowings().size(), 1u);
}

TEST_F(QuestionCycleTest, InputDuringTheAutomaticPauseIsIgnored) {
  WriteCatalogue(Questions(5, 1, 1));
  Start();
  ChooseMenu(Main(), "mnuVertifungsmode");
  TTimer* intruder = Main().CreateTimer("tmrIntruder");
  intruder->SetInterval(400);
  intruder->OnTimer = [&](TObject*) {
    intruder->SetEnabled(false);
    ClickControl(Main(), "btnKlar");
    ClickControl(Main(), "btnUnklar");
    TypeChar(Main(), 'a');
    ChooseMenu(Main(), "mnuLernmode");
  };
  TickAnswer(true);
  const int32_t answered = CurrentQuestionNo();
  ClickControl(Main(), "btnLoesung");
  EXPECT_FALSE(intruder->Enabled()) << "the input came during the pause";
  EXPECT_EQ(OpenQuestionCount(), 4) << "closed once, by the automatic Klar only";
  EXPECT_EQ(QuestionPool()[answered].Open, 0);
  EXPECT_TRUE(Main().mnuVertifungsmode->Checked());
  EXPECT_FALSE(Main().chkAntwortA->Checked());
}

// No text the editor accepts is hidden: 255 characters, also in words longer than a line, fit the
// room of the question or answer within the window in a smaller font; a short text keeps 10 points.
TEST_F(QuestionCycleTest, LongTextsFitTheirRooms) {
  std::string ordinary = "Welche";
  while (ordinary.size() < 250)
    ordinary += " Aussagen zur Thermik";
  ordinary = ordinary.substr(0, 254) + "?";
  const std::string wide = std::string(127, 'W') + " " + std::string(127, 'M');
  QuestionRecord record = MakeQuestion(1, 1, ordinary);
  record.AnswerA = wide;
  record.AnswerB = ordinary;
  record.AnswerC = "Kurz";
  record.AnswerD = wide;
  WriteCatalogue({record});
  Start();
  const std::pair<TLabel*, int> rooms[] = {{Main().lblFrage, 72},
                                           {Main().lblAntwortA, 48},
                                           {Main().lblAntwortB, 48},
                                           {Main().lblAntwortC, 48},
                                           {Main().lblAntwortD, 49}};
  for (const auto& [label, room] : rooms) {
    const TFont font = label->Font();
    const auto width = [&](const std::string& line) {
      return Platform().MeasureText(font, line).Width;
    };
    const std::vector<std::string> lines = WrapLines(label->Caption(), label->Width(), width);
    for (const std::string& line : lines)
      EXPECT_LE(width(line), label->Width()) << label->Name() << ": " << line;
    EXPECT_LE(static_cast<int>(lines.size()) * Platform().MeasureText(font, "X").Height, room)
        << label->Name();
    EXPECT_LE(label->Left() + label->Width(), Main().ClientWidth()) << label->Name();
  }
  EXPECT_EQ(Main().lblFrage->Caption(), ordinary);
  std::string shownA = Main().lblAntwortA->Caption();
  shownA.erase(std::remove(shownA.begin(), shownA.end(), '\n'), shownA.end());
  EXPECT_EQ(shownA, wide) << "only line breaks are added";
  EXPECT_EQ(Main().lblAntwortC->Font().Size, 10);
  EXPECT_LT(Main().lblAntwortB->Font().Size, 10);
}

} // namespace
