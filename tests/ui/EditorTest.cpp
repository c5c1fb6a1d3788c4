// Tests of the question editor, opened through the main window's menu.
#include "support/UiFixture.h"

#include "dialogs/srcNew.h"

namespace {

class EditorTest : public UiTest {
protected:
  TEdit& Input(TForm& form, const char* name) { return ControlOf<TEdit>(form, name); }
};

TEST_F(EditorTest, CreationLayout) {
  WriteCatalogue(Questions(2, 1, 1));
  Start();
  TfrmNew& editor = *frmNew;
  EXPECT_EQ(editor.Caption(), "Frage bearbeiten");
  EXPECT_EQ(editor.Height(), 489);
  EXPECT_EQ(editor.opt00->Top(), 400);
  EXPECT_EQ(editor.btnSave->Top(), 428);
  EXPECT_EQ(editor.btnAbbrechen->Top(), 428);
  EXPECT_EQ(editor.Left(), 350);
  EXPECT_EQ(editor.Top(), 148);
  EXPECT_FALSE(editor.Find<TLabel>("lblKat07")->Visible());
  EXPECT_EQ(editor.Find<TLabel>("lblKat04")->Caption(), "Windenschlepp - Windenführer");
  EXPECT_EQ(editor.opt00->Caption(), "Frage gehört zu allen Kategorien");
  EXPECT_EQ(editor.Find<TRadioButton>("opt31")->Caption(), "Flugfunk für Luftsportgeräteführer");
  for (const char* hidden : {"opt71", "opt75", "opt78", "opt710"})
    EXPECT_FALSE(editor.Find<TRadioButton>(hidden)->Visible()) << hidden;
  EXPECT_EQ(editor.inpFrage->MaxLength(), 255);
}

TEST_F(EditorTest, NewQuestionFromEmptyInputs) {
  WriteCatalogue(Questions(3, 1, 1));
  Start();
  // Lernmodus would close the new question at once: it has no correct answer.
  ChooseMenu(Main(), "mnuVertifungsmode");
  platform.OnModal("frmNew", [&](TForm& form) {
    EXPECT_EQ(Input(form, "inpFrage").Text(), "");
    EXPECT_TRUE(frmNew->opt00->Checked());
    EXPECT_FALSE(frmNew->chkA->Checked());
    ClickControl(form, "btnSave");
  });
  ChooseMenu(Main(), "mnuFragenNeueFrage");
  const std::string bytes = ReadFileBytes(CatalogueFileName);
  ASSERT_EQ(bytes.size(), 4 * kRecordSize);
  const RecordBytes written = RecordAt(bytes, 3);
  QuestionRecord empty;
  empty.InUse = true;
  empty.Owner = EditionOwner;
  EXPECT_EQ(written, EncodeRecord(empty)) << "exactly the bytes of an empty question";
  EXPECT_EQ(OpenQuestionCount(), 4);
}

TEST_F(EditorTest, TypedQuestionIsTrimmedAndStoredWithItsCategory) {
  WriteCatalogue(Questions(3, 1, 1));
  Start();
  platform.OnModal("frmNew", [&](TForm& form) {
    frmNew->inpFrage->SetFocus();
    TypeText(form, "  Was ist Föhn?  ");
    frmNew->inpAntwortB->SetFocus();
    TypeText(form, "Ein warmer Fallwind ");
    ClickControl(form, "chkB");
    ClickControl(form, "opt22");
    ClickControl(form, "opt23");
    ClickControl(form, "btnSave");
  });
  ChooseMenu(Main(), "mnuFragenNeueFrage");
  QuestionRecord record;
  ReadQuestion(3, record);
  EXPECT_EQ(record.Question, "Was ist Föhn?");
  EXPECT_EQ(record.AnswerB, "Ein warmer Fallwind");
  EXPECT_TRUE(record.CorrectB);
  EXPECT_FALSE(record.CorrectA || record.CorrectC || record.CorrectD);
  EXPECT_EQ(record.Licence, 2);
  EXPECT_EQ(record.Area, 3);
  EXPECT_EQ(record.ImageNo, 0);
}

TEST_F(EditorTest, ChangeModeFillsAndRewritesInPlace) {
  std::vector<QuestionRecord> records = Questions(1, 2, 3);
  records[0].ImageNo = 5;
  records[0].AnswerC = "mit Leerzeichen  ";
  records[0].CorrectD = true;
  WriteCatalogue(records);
  Start();
  platform.OnModal("frmNew", [&](TForm& form) {
    EXPECT_TRUE(ControlOf<TRadioButton>(form, "opt23").Checked());
    EXPECT_FALSE(frmNew->opt00->Checked());
    EXPECT_EQ(Input(form, "inpAntwortC").Text(), "mit Leerzeichen  ");
    EXPECT_TRUE(frmNew->chkB->Checked() && frmNew->chkD->Checked());
    EXPECT_EQ(frmNew->txtImgNo->Caption(), "5");
    Input(form, "inpFrage").SetText("Geändert");
    ClickControl(form, "btnSave");
  });
  ChooseMenu(Main(), "mnuFragenAktuelleFrageAendern");
  const std::string bytes = ReadFileBytes(CatalogueFileName);
  ASSERT_EQ(bytes.size(), kRecordSize);
  QuestionRecord expected = records[0];
  expected.Question = "Geändert";
  expected.AnswerC = "mit Leerzeichen";
  EXPECT_EQ(RecordAt(bytes, 0), EncodeRecord(expected));
  EXPECT_EQ(Main().lblFrage->Caption(), "Geändert") << "the change is shown at once";
}

TEST_F(EditorTest, HiddenAndUnknownCategoriesSurviveAnEdit) {
  // 71 and 0 joined as text would read as the button "710".
  std::vector<QuestionRecord> records = {MakeQuestion(7, 10), MakeQuestion(0, 0),
                                         MakeQuestion(9, 9), MakeQuestion(71, 0)};
  WriteCatalogue(records);
  Start();
  ChooseMenu(Main(), "mnuVertifungsmode");
  for (int round = 0; round < 4; ++round) {
    // Load a pool that holds just this question, so that it is current.
    WriteSettings("");
    WriteFileBytes(KnowledgeFileName,
                   EntryBytes(PoolEntry{1, 1, records[round].Licence, records[round].Area, round}));
    ChooseMenu(Main(), "mnuProgrammWissensstandLaden");
    ASSERT_EQ(CurrentQuestionNo(), round);
    platform.OnModal("frmNew", [&](TForm& form) { ClickControl(form, "btnSave"); });
    ChooseMenu(Main(), "mnuFragenAktuelleFrageAendern");
    QuestionRecord back;
    ReadQuestion(round, back);
    EXPECT_EQ(back.Licence, records[round].Licence) << round;
    EXPECT_EQ(back.Area, records[round].Area) << round;
  }
}

TEST_F(EditorTest, CancelLeavesTheCatalogueAsItWas) {
  WriteCatalogue(Questions(3, 1, 1));
  Start();
  const std::string before = ReadFileBytes(CatalogueFileName);
  platform.OnModal("frmNew", [&](TForm& form) {
    Input(form, "inpFrage").SetText("verworfen");
    ClickControl(form, "btnAbbrechen");
  });
  ChooseMenu(Main(), "mnuFragenAktuelleFrageAendern");
  platform.OnModal("frmNew", [&](TForm& form) {
    Input(form, "inpFrage").SetText("verworfen");
    form.CloseRequest();
  });
  ChooseMenu(Main(), "mnuFragenNeueFrage");
  EXPECT_EQ(ReadFileBytes(CatalogueFileName), before);
  // After a change mode opening, add mode starts empty again.
  platform.OnModal("frmNew", [&](TForm& form) {
    EXPECT_EQ(Input(form, "inpFrage").Text(), "");
    EXPECT_TRUE(frmNew->opt00->Checked());
  });
  ChooseMenu(Main(), "mnuFragenNeueFrage");
}

TEST_F(EditorTest, NoChangeWhileThePlaceholderIsShown) {
  WriteCatalogue(Questions(2, 1, 1));
  Start([](TForm&) {});
  ASSERT_TRUE(Main().PlaceholderShown());
  const std::string before = ReadFileBytes(CatalogueFileName);
  ChooseMenu(Main(), "mnuFragenAktuelleFrageAendern");
  ChooseMenu(Main(), "AktuelleFragelschen1");
  EXPECT_EQ(ReadFileBytes(CatalogueFileName), before);
  EXPECT_EQ(platform.ModalShowings(), std::vector<std::string>{"frmKategorieWahl"});
}

// A text cut at 255 characters is not cut without a word: a note under the answers says so while
// an input is full.
TEST_F(EditorTest, AFullInputIsNoted) {
  WriteCatalogue(Questions(2, 1, 1));
  Start();
  platform.OnModal("frmNew", [&](TForm& form) {
    TLabel& note = ControlOf<TLabel>(form, "lblGrenze");
    EXPECT_FALSE(note.Visible());
    Input(form, "inpAntwortB").UserEdited(std::string(300, 'x'));
    EXPECT_EQ(Input(form, "inpAntwortB").Text(), std::string(255, 'x'));
    EXPECT_TRUE(note.Visible());
    EXPECT_EQ(note.Caption(), "Höchstens 255 Zeichen je Feld – längerer Text wird abgeschnitten.");
    Input(form, "inpAntwortB").UserEdited("kurz");
    EXPECT_FALSE(note.Visible());
    ClickControl(form, "btnAbbrechen");
  });
  ChooseMenu(Main(), "mnuFragenNeueFrage");
}

} // namespace
