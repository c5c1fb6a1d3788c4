// Tests of the start-up and the main window's layout and menu.
#include "support/UiFixture.h"

#include "dialogs/srcKategorieWahl.h"
#include "mainwindow/LearnerFolder.h"
#include "mainwindow/Startup.h"
#include "windows/srcSplash.h"

#include <filesystem>

namespace {

class StartupTest : public UiTest {};

TEST_F(StartupTest, WindowAfterStartUp) {
  WriteCatalogue(Questions(5, 1, 1));
  const uint32_t before = platform.TickCount();
  Start();
  EXPECT_EQ(Application.Title(), "Aerolern");
  EXPECT_EQ(Application.MainForm(), &Main());
  EXPECT_GT(platform.TickCount() - before, 5000u) << "the splash window stays five seconds";
  EXPECT_FALSE(frmSplash->Visible());
  EXPECT_EQ(Main().Caption(), "Talwinder Flugschule Ost Aerolern Version IV");
  EXPECT_TRUE(Main().mnuLernmode->Checked());
  EXPECT_FALSE(Main().mnuVertifungsmode->Checked());
  EXPECT_FALSE(Main().mnuSchnellernmode->Checked());
  EXPECT_FALSE(Main().mnuProgrammPruefungsmodus->Checked());
  EXPECT_FALSE(Main().mnuDULV->Visible());
  EXPECT_TRUE(Main().mnuDHV->Visible());
  EXPECT_TRUE(Main().mnuDFS->Visible());
  EXPECT_EQ(Main().btnInfosUeber->Caption(), "Über Talwinder Flugschule Ost");
  EXPECT_EQ(Main().Width(), 523);
  EXPECT_EQ(Main().Height(), 445);
  EXPECT_EQ(Main().Top(), 34);
  EXPECT_EQ(Main().Left(), 251);
  EXPECT_EQ(Main().FocusedControl(), Main().btnKlar);
  EXPECT_EQ(platform.ModalShowings(), std::vector<std::string>{"frmKategorieWahl"});
  EXPECT_TRUE(platform.Messages().empty());
}

TEST_F(StartupTest, LowScreenGivesANegativeTop) {
  WriteCatalogue(Questions(5, 1, 1));
  platform.SetScreenSize(800, 600);
  Start();
  EXPECT_EQ(Main().Top(), 600 / 3 - 445 / 2);
  EXPECT_LT(Main().Top(), 0);
  EXPECT_EQ(Main().Left(), 400 - 261);
}

TEST_F(StartupTest, MenuEntriesAndShortcuts) {
  WriteCatalogue(Questions(5, 1, 1));
  Start();
  struct TEntry {
    const char* Name;
    const char* Caption;
    TShortCut Key;
  };
  const TEntry entries[] = {
      {"mnuProgrammWissensstandSpeichern", "Aktueller Wissensstand speichern",
       ShortCut('S', ssCtrl)},
      {"mnuProgrammWissensstandLaden", "Wissensstand laden", ShortCut('L', ssCtrl)},
      {"sep002", "-", 0},
      {"mnuLernmode", "Lernmodus", 0},
      {"mnuVertifungsmode", "Vertiefungsmodus", 0},
      {"mnuSchnellernmode", "Schnelllernmodus", 0},
      {"mnuProgrammPruefungsmodus", "Prüfungsmodus", 0},
      {"mnuProgrammPruefungsfehler", "Falsch beantwortete Prüfungsfragen lernen", 0},
      {"sep001", "-", 0},
      {"mnuBericht", "Bericht für die Flugschule...", 0},
      {"sep005", "-", 0},
      {"mnuProgrammProgrammbeenden", "Programm beenden", ShortCut(vkF10)},
      {"mnuFragenKategorieWaehlen", "Kategorie wählen", ShortCut('K', ssCtrl)},
      {"sep003", "-", 0},
      {"mnuFragenNeueFrage", "Neue Frage eingeben", ShortCut('N', ssCtrl)},
      {"mnuFragenAktuelleFrageAendern", "Aktuelle Frage ändern", ShortCut('F', ssCtrl)},
      {"AktuelleFragelschen1", "Aktuelle Frage löschen", ShortCut('L', ssCtrl)},
      {"mnuFragenLoeschenRueckgaengig", "Löschen rückgängig", ShortCut('Z', ssCtrl)},
      {"sep004", "-", 0},
      {"mnuFragenAntwortPruefen", "Antwort prüfen", ShortCut(vkF5)},
      {"mnuLernstandFaelligeFragen", "Fällige Fragen wiederholen", ShortCut('W', ssCtrl)},
      {"mnuLernstandStatistik", "Lernstatistik...", ShortCut('T', ssCtrl)},
      {"mnuLernstandPensum", "Heutiges Pensum lernen", ShortCut('P', ssCtrl)},
      {"mnuLernstandLernplan", "Lernplan...", ShortCut('J', ssCtrl)},
      {"Kurzhilfe1", "Kurzhilfe", ShortCut(vkF1, ssCtrl)},
      {"mnuHilfe", "Hilfe", ShortCut(vkF1)},
      {"btnInfosUeber", "Über Talwinder Flugschule Ost", ShortCut(vkF1, ssShift | ssCtrl)},
      {"mnuDHV", "DHV...", ShortCut(vkF1, ssShift)},
      {"mnuDULV", "DULV...", ShortCut(vkF2, ssShift)},
      {"mnuDFS", "DFS...", ShortCut(vkF3, ssShift)}};
  std::vector<const TMenuItem*> inOrder;
  for (const auto& menu : Main().MainMenu1->Items())
    for (const auto& item : menu->Items())
      inOrder.push_back(item.get());
  ASSERT_EQ(inOrder.size(), std::size(entries));
  for (std::size_t i = 0; i < inOrder.size(); ++i) {
    EXPECT_EQ(inOrder[i]->Name(), entries[i].Name);
    EXPECT_EQ(inOrder[i]->Caption(), entries[i].Caption);
    EXPECT_EQ(inOrder[i]->ShortCut(), entries[i].Key) << entries[i].Name;
  }
  EXPECT_EQ(Main().MainMenu1->Items()[0]->Caption(), "Programm");
  EXPECT_EQ(Main().MainMenu1->Items()[1]->Caption(), "Fragen");
  EXPECT_EQ(Main().MainMenu1->Items()[2]->Caption(), "Lernstand");
  EXPECT_EQ(Main().MainMenu1->Items()[3]->Caption(), "Infos");
}

TEST_F(StartupTest, ProgramEndsByF10OrCloseBoxWithoutSaving) {
  WriteCatalogue(Questions(5, 1, 1));
  Start();
  PressKey(Main(), vkF10);
  EXPECT_TRUE(Application.Terminated());
  EXPECT_FALSE(Main().Visible());
  EXPECT_FALSE(FileExists("Wissensstand.dat"));

  // A second run of the program, ended by the close box of its window.
  EndProgram();
  Application.ResetTerminated();
  Start();
  ASSERT_TRUE(Main().Visible());
  Main().CloseRequest();
  EXPECT_TRUE(Application.Terminated());
  EXPECT_FALSE(Main().Visible());
  EXPECT_FALSE(FileExists("Wissensstand.dat"));
}

TEST_F(StartupTest, ForeignCatalogueEndsTheProgram) {
  std::vector<QuestionRecord> records = Questions(5, 1, 1);
  for (QuestionRecord& record : records)
    record.Owner = "Andere Flugschule";
  WriteCatalogue(records);
  StartProgram();
  ASSERT_EQ(platform.Messages().size(), 1u);
  EXPECT_EQ(platform.Messages()[0].Text,
            "Achtung! Das Datenfile (Fragenkatalog) passt nicht zur Aerolern Version!");
  EXPECT_TRUE(Application.Terminated());
  // The window was laid out all the same.
  EXPECT_EQ(Main().Height(), 445);
}

TEST_F(StartupTest, UnreadableCatalogueIsReportedAndTheWindowStillBuilt) {
  WriteFileBytes(CatalogueFileName, "");
  StartProgram();
  ASSERT_EQ(platform.Messages().size(), 1u);
  EXPECT_NE(platform.Messages()[0].Text.find("E/A-Fehler 100"), std::string::npos);
  EXPECT_EQ(Main().Caption(), "Talwinder Flugschule Ost Aerolern Version IV");
}

} // namespace

// The installed program runs in the learner's own folder: made with the demo files on the first
// start, whatever characters its path holds, and never overwritten later.
TEST(LearnerFolderTest, IsMadeOnceAndKeepsTheLearnersFiles) {
  TTempDir dir;
  const std::string templates = dir.MakeSubDir("vorlage");
  WriteFileBytes(templates + "/Aerolern.dat", "Demo");
  WriteFileBytes(templates + "/Hilfe.htm", "Hilfe");
  const std::string folder = dir.File("Jürgen Ölmann/Aerolern");
  const std::string work = std::filesystem::current_path().string();

  EXPECT_EQ(EnterLearnerFolder(folder, templates), "");
  EXPECT_EQ(ReadFileBytes("Aerolern.dat"), "Demo");
  EXPECT_EQ(ReadFileBytes("Hilfe.htm"), "Hilfe");
  WriteFileBytes("Aerolern.dat", "Katalog der Flugschule");
  std::filesystem::current_path(work);
  EXPECT_EQ(EnterLearnerFolder(folder, templates), "");
  EXPECT_EQ(ReadFileBytes("Aerolern.dat"), "Katalog der Flugschule");

  std::filesystem::current_path(work);
  WriteFileBytes(dir.File("Datei"), "");
  EXPECT_EQ(EnterLearnerFolder(dir.File("Datei/Aerolern"), templates),
            "Der Ordner \"" + dir.File("Datei/Aerolern") +
                "\" für Ihre Lerndaten lässt sich nicht anlegen.");
}
