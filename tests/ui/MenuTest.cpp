// Tests of the main window's menu actions: knowledge state, deleting, help and links.
#include "support/UiFixture.h"

#include "core/Edition.h"
#include "toolkit/Convert.h"
#include "windows/srcXMsgBox.h"

namespace {

class MenuTest : public UiTest {
protected:
  void SetUp() override { WriteCatalogue(Questions(6, 1, 1)); }
};

TEST_F(MenuTest, SaveAndLoadTheKnowledgeState) {
  Start();
  ChooseMenu(Main(), "mnuVertifungsmode");
  ClickControl(Main(), "btnKlar");
  ClickControl(Main(), "btnKlar");
  PressKey(Main(), 'S', ssCtrl);
  EXPECT_EQ(ReadFileBytes(KnowledgeFileName).size(), 4 * 12u);
  EXPECT_TRUE(platform.Messages().empty()) << "saving shows nothing";
  // A new pass opens everything; loading brings back the four open questions.
  platform.OnModal("frmKategorieWahl", [](TForm&) {});
  ChooseMenu(Main(), "mnuFragenKategorieWaehlen");
  EXPECT_EQ(OpenQuestionCount(), 6);
  PressKey(Main(), 'L', ssCtrl);
  EXPECT_EQ(OpenQuestionCount(), 4) << "Ctrl+L loads and never deletes";
  EXPECT_EQ(CounterLine(), "Unklare Fragen: 4");
  EXPECT_TRUE(Main().mnuVertifungsmode->Checked()) << "loading keeps the mode";
  for (std::size_t i = 0; i < 6; ++i)
    EXPECT_EQ(ReadFileBytes(CatalogueFileName)[i * kRecordSize], 1) << "nothing deleted";
}

TEST_F(MenuTest, LoadingWithoutAFileKeepsLearning) {
  Start();
  ChooseMenu(Main(), "mnuVertifungsmode");
  ClickControl(Main(), "btnKlar");
  PressKey(Main(), 'L', ssCtrl);
  ASSERT_EQ(platform.Messages().size(), 1u);
  EXPECT_EQ(platform.Messages()[0].Text, "Keine Wissensdatei vorhanden.");
  EXPECT_EQ(OpenQuestionCount(), 5);
  EXPECT_FALSE(Main().PlaceholderShown());
}

// A question the catalogue no longer has shows the placeholder and is treated as it: its
// solution, deletion and change do nothing.
TEST_F(MenuTest, QuestionMissingFromTheCatalogueIsThePlaceholder) {
  Start();
  ChooseMenu(Main(), "mnuVertifungsmode");
  WriteFileBytes(KnowledgeFileName, EntryBytes({1, 1, 1, 1, 5}) + EntryBytes({1, 1, 1, 1, 9}));
  PressKey(Main(), 'L', ssCtrl);
  ASSERT_EQ(platform.Messages().size(), 1u);
  EXPECT_EQ(platform.Messages()[0].Text,
            "1 Eintrag der Wissensdatei passt nicht zum Fragenkatalog und wurde übergangen.");
  EXPECT_EQ(CounterLine(), "Unklare Fragen: 1");
  ASSERT_EQ(CurrentQuestionNo(), 5);
  // The catalogue loses its last record while the question is open.
  const std::string catalogue = ReadFileBytes(CatalogueFileName);
  WriteFileBytes(CatalogueFileName, catalogue.substr(0, 5 * kRecordSize));
  ClickControl(Main(), "btnUnklar");
  ASSERT_TRUE(Main().PlaceholderShown());
  EXPECT_EQ(Main().lblFrage->Caption(), TrimControls(NoQuestionRecord().Question));
  ClickControl(Main(), "btnLoesung");
  EXPECT_TRUE(Main().chkAntwortA->Enabled() && Main().chkAntwortB->Enabled());
  ChooseMenu(Main(), "AktuelleFragelschen1");
  ChooseMenu(Main(), "mnuFragenAktuelleFrageAendern");
  EXPECT_EQ(platform.Messages().size(), 1u) << "no error of the missing record";
  EXPECT_EQ(platform.ModalShowings().size(), 1u) << "no editor";
  EXPECT_EQ(ReadFileBytes(CatalogueFileName).size(), 5 * kRecordSize);
}

TEST_F(MenuTest, DeletingTheCurrentQuestionWithoutAsking) {
  Start();
  ChooseMenu(Main(), "mnuVertifungsmode");
  const int32_t current = CurrentQuestionNo();
  const std::string before = ReadFileBytes(CatalogueFileName);
  ChooseMenu(Main(), "AktuelleFragelschen1");
  const std::string after = ReadFileBytes(CatalogueFileName);
  ASSERT_EQ(after.size(), before.size());
  EXPECT_EQ(after[current * kRecordSize], 0);
  EXPECT_EQ(CounterLine(), "Unklare Fragen: 5");
  EXPECT_NE(CurrentQuestionNo(), current);
  EXPECT_EQ(platform.ModalShowings().size(), 1u) << "no confirmation is asked";
  // Ctrl+Z takes the deletion back: the question is in use, open and on display again.
  ASSERT_TRUE(Main().mnuFragenLoeschenRueckgaengig->Enabled());
  PressKey(Main(), 'Z', ssCtrl);
  EXPECT_EQ(ReadFileBytes(CatalogueFileName), before);
  EXPECT_EQ(CounterLine(), "Unklare Fragen: 6");
  EXPECT_EQ(CurrentQuestionNo(), current);
  EXPECT_FALSE(Main().mnuFragenLoeschenRueckgaengig->Enabled()) << "nothing more to take back";
  // Taken back after a new pass, the question joins it.
  ChooseMenu(Main(), "AktuelleFragelschen1");
  platform.OnModal("frmKategorieWahl", [](TForm&) {});
  ChooseMenu(Main(), "mnuFragenKategorieWaehlen");
  ASSERT_EQ(OpenQuestionCount(), 5);
  PressKey(Main(), 'Z', ssCtrl);
  EXPECT_EQ(ReadFileBytes(CatalogueFileName), before);
  EXPECT_EQ(OpenQuestionCount(), 6);
}

TEST_F(MenuTest, ShortHelpText) {
  Start();
  PressKey(Main(), vkF1, ssCtrl);
  ASSERT_EQ(platform.Messages().size(), 1u);
  EXPECT_EQ(platform.Messages()[0].Caption, "Aerolern");
  const std::string& text = platform.Messages()[0].Text;
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t at = text.find("\n\r"); at != std::string::npos; at = text.find("\n\r", start)) {
    lines.push_back(text.substr(start, at - start));
    start = at + 2;
  }
  lines.push_back(text.substr(start));
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[0], "Talwinder Flugschule Ost Aerolern - Kurzhilfe:");
  EXPECT_NE(lines[1].find("die Fragen am  Bildschirm durcharbeiten."), std::string::npos);
  EXPECT_EQ(lines[1].rfind("Im Menü \"Fragen\"->\"Kategorie wählen\" wählt man", 0), 0u);
  EXPECT_EQ(lines[3], "Im Menü \"Fragen\" können neue Fragen erfasst werden, oder die aktuelle "
                      "Frage geändert bzw. gelöscht werden.");
  EXPECT_EQ(lines[6], "");
  EXPECT_EQ(lines[7], "Talwinder Flugschule Ost wünscht viel Erfolg bei der Theorieprüfung.");
  EXPECT_EQ(text.find('\r'), text.find("\n\r") + 1) << "LF comes before CR";
}

TEST_F(MenuTest, HelpDocumentAndItsFailure) {
  Start();
  PressKey(Main(), vkF1);
  EXPECT_EQ(platform.OpenedTargets(), std::vector<std::string>{"Hilfe.htm"});
  platform.SetShellResult(false);
  bool shown = false;
  platform.OnModal("frmXMsgBox", [&](TForm& box) {
    shown = true;
    EXPECT_EQ(box.Caption(), "HTML-Hilfe kann nicht angezeigt werden.");
    EXPECT_EQ(ControlOf<TLabel>(box, "lblXMB001").Caption(),
              "Die Online Hilfe konnte nicht geöffnet werden, da kein gültiger HTML-Browser "
              "verfügbar ist.");
    EXPECT_EQ(ControlOf<TButton>(box, "Button1").Caption(), "    &Ok    ");
    EXPECT_TRUE(ControlOf<TImage>(box, "imgXMBExclamation").Visible());
    PressKey(box, vkReturn);
  });
  ChooseMenu(Main(), "mnuHilfe");
  EXPECT_TRUE(shown);
  EXPECT_TRUE(platform.Messages().empty());
}

TEST_F(MenuTest, WebLinksAndTheHiddenEntry) {
  Start();
  PressKey(Main(), vkF1, ssShift);
  PressKey(Main(), vkF2, ssShift);
  PressKey(Main(), vkF3, ssShift);
  EXPECT_EQ(platform.OpenedTargets(), (std::vector<std::string>{DhvWebAddress, DfsShopWebAddress}))
      << "the hidden DULV entry's shortcut does nothing";
  Main().mnuDULV->SetVisible(true);
  PressKey(Main(), vkF2, ssShift);
  EXPECT_EQ(platform.OpenedTargets().back(), DulvWebAddress);
  for (const std::string& target : platform.OpenedTargets())
    EXPECT_EQ(target.rfind("https://", 0), 0u) << target;
  platform.SetShellResult(false);
  bool shown = false;
  platform.OnModal("frmXMsgBox", [&](TForm& box) {
    shown = true;
    EXPECT_EQ(box.Caption(), "Fehler beim Öffnen einer Verknüpfung");
  });
  ChooseMenu(Main(), "mnuDHV");
  EXPECT_TRUE(shown);
}

TEST_F(MenuTest, CategoryChoiceInTheExamKeepsTheExamMode) {
  Start();
  platform.OnModal("frmPruefungsKatWahl", [](TForm& dialog) { ClickControl(dialog, "btnOk"); });
  ChooseMenu(Main(), "mnuProgrammPruefungsmodus");
  platform.OnModal("frmKategorieWahl", [](TForm&) {});
  PressKey(Main(), 'K', ssCtrl);
  EXPECT_TRUE(Main().mnuProgrammPruefungsmodus->Checked());
  EXPECT_EQ(Main().Height(), 372);
  EXPECT_EQ(CounterLine(), "Offene Fragen: 6");
}

} // namespace
