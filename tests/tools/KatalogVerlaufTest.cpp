// Tests of the CSV export of the learning history's view.
#include "KatalogTestSupport.h"

#include "history/HistoryStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(KatalogVerlauf, WritesTheAnswersViewAsCsvAndLeavesTheFileAlone) {
  TTempDir dir;
  const std::string expected = "zeit;nr;lizenz;bereich;modus;angekreuzt;loesung;ergebnis;art\n"
                               "2026-12-08T14:03:07Z;12;1;2;2;BD;B;0;antwort\n"
                               "2026-12-09T07:00:59Z;3;0;0;1;;;1;selbst\n";
  {
    // While the trainer has the history open, its answers are still in the write-ahead log.
    THistoryStore store("Lernverlauf.sqlite");
    store.RecordAnswer({1796738587000, 12, 1, 2, 2, "BD", "B", false, false}, "00000000000000aa");
    store.RecordAnswer({1796799659000, 3, 0, 0, 1, "", "", true, true}, "00000000000000bb");
    const TToolRun toScreen = RunTool({"verlauf", "Lernverlauf.sqlite"});
    EXPECT_EQ(toScreen.Status, 0) << toScreen.Err;
    EXPECT_EQ(toScreen.Out, expected);
  }
  const std::string bytesBefore = ReadFileBytes("Lernverlauf.sqlite");
  const TToolRun toFile = RunTool({"verlauf", "Lernverlauf.sqlite", "-o", "verlauf.csv"});
  EXPECT_EQ(toFile.Status, 0) << toFile.Err;
  EXPECT_EQ(toFile.Out, "");
  EXPECT_EQ(ReadFileBytes("verlauf.csv"), expected);
  // The database is unchanged, and reading it leaves no log or shared memory beside it.
  EXPECT_EQ(ReadFileBytes("Lernverlauf.sqlite"), bytesBefore);
  EXPECT_EQ(FilesIn(dir.Path()), (std::vector<std::string>{"Lernverlauf.sqlite", "verlauf.csv"}));

  // A text file, and an empty file (an SQLite database without the view), are no history; the
  // empty file stays empty.
  WriteFileBytes("text.sqlite", "Nr;Lizenz\n0;1\n");
  WriteFileBytes("leer.sqlite", "");
  for (const char* name : {"text.sqlite", "leer.sqlite"}) {
    SCOPED_TRACE(name);
    const TToolRun run = RunTool({"verlauf", name, "-o", "falsch.csv"});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find(std::string(name) + " ist kein Lernverlauf"), std::string::npos)
        << run.Err;
    EXPECT_FALSE(FileExists("falsch.csv"));
  }
  EXPECT_EQ(ReadFileBytes("leer.sqlite"), "");
}
