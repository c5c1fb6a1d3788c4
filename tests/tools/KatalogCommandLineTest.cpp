// Tests of the command line: usage errors, missing files and the warnings of the export.
#include "KatalogTestSupport.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

TEST(KatalogCommandLine, WrongUsageShowsTheUsageTextWithStatus2) {
  TTempDir dir;
  WriteFileBytes("a.csv", kCsvHeaderLine);
  const std::vector<std::vector<std::string>> wrong = {
      {},
      {"frobnicate", "a.csv"},
      {"import"},
      {"import", "a.csv"},
      {"import", "a.csv", "-o"},
      {"import", "a.csv", "-o", "x.dat", "-o", "y.dat"},
      {"import", "a.csv", "b.csv", "-o", "x.dat"},
      {"export", "a.dat", "--schnell"},
      {"check", "a.dat", "b.dat"},
      {"check", "a.dat", "-o", "x.txt"},
      {"wissen"},
      {"umziehen", "a.dat", "b.dat", "w.dat"},
      {"umziehen", "a.dat", "w.dat", "-o", "x.dat"},
      {"verlauf"},
      {"verlauf", "a.sqlite", "b.sqlite"},
      {"klasse", "--katalog", "a.dat", "-o", "k.html"},
      {"klasse", "berichte", "-o", "k.html"},
      {"klasse", "berichte", "--katalog", "a.dat"},
      {"klasse", "berichte", "--katalog", "a.dat", "--katalog", "b.dat", "-o", "k.html"},
  };
  for (const auto& args : wrong) {
    SCOPED_TRACE(testing::PrintToString(args));
    const TToolRun run = RunTool(args);
    EXPECT_EQ(run.Status, 2);
    EXPECT_NE(run.Err.find("Aufruf:"), std::string::npos);
    EXPECT_EQ(run.Out, "");
  }
  EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::string>{"a.csv"});

  const TToolRun help = RunTool({"hilfe"});
  EXPECT_EQ(help.Status, 0);
  EXPECT_NE(help.Out.find("Aufruf:"), std::string::npos);
  for (const char* command :
       {"import", "export", "check", "wissen", "umziehen", "verlauf", "klasse"})
    EXPECT_NE(help.Out.find(std::string("aerolern-katalog ") + command + " "), std::string::npos)
        << command;
}

TEST(KatalogCommandLine, MissingInputFileFailsWithStatus1AndNoOutput) {
  TTempDir dir;
  WriteFileBytes("leer.dat", "");
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"import", "fehlt.csv", "-o", "x.dat"},
           {"export", "fehlt.dat", "-o", "x.csv"},
           {"wissen", "fehlt.dat"},
           {"umziehen", "leer.dat", "fehlt.dat", "leer.dat", "-o", "x.dat"},
           {"verlauf", "fehlt.sqlite", "-o", "x.csv"}}) {
    SCOPED_TRACE(args[0]);
    const TToolRun run = RunTool(args);
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("fehlt."), std::string::npos) << run.Err;
    EXPECT_NE(run.Err.find("nicht gefunden"), std::string::npos) << run.Err;
  }
  EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::string>{"leer.dat"});
}

// An output that is an input (by another name too) would destroy it; what is not a regular file
// is neither read nor replaced: a named pipe is not waited on, a link to a device stays a link.
TEST(KatalogCommandLine, RefusesToOverwriteAnInputOrWhatIsNotAFile) {
  namespace fs = std::filesystem;
  TTempDir dir;
  const std::string catalogue = CatalogueBytes({EditionQuestion(1, 1, "Frage")});
  WriteFileBytes("A.dat", catalogue);
  WriteFileBytes("K.csv", kCsvHeaderLine);
  WriteFileBytes("H.sqlite", "kein Verlauf");
#ifdef _WIN32 // a symbolic link needs an administrator there; a hard link is the same file, too
  fs::create_hard_link("A.dat", "link.dat");
#else
  fs::create_symlink("A.dat", "link.dat");
#endif
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"export", "A.dat", "-o", "A.dat"},
           {"export", "A.dat", "-o", "link.dat"},
           {"import", "K.csv", "-o", "K.csv"},
           {"verlauf", "H.sqlite", "-o", "H.sqlite"},
           {"umziehen", "A.dat", "A.dat", "K.csv", "-o", "A.dat"}}) {
    SCOPED_TRACE(testing::PrintToString(args));
    const TToolRun run = RunTool(args);
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("ist dieselbe Datei wie die Eingabedatei"), std::string::npos)
        << run.Err;
  }
  EXPECT_EQ(ReadFileBytes("A.dat"), catalogue);
  EXPECT_EQ(ReadFileBytes("K.csv"), kCsvHeaderLine);
  EXPECT_EQ(ReadFileBytes("H.sqlite"), "kein Verlauf");

#ifndef _WIN32 // named pipes and links to devices are things of POSIX file systems
  ASSERT_EQ(::mkfifo("pipe.dat", 0600), 0);
  fs::create_symlink("/dev/null", "geraet.csv");
  const TToolRun pipe = RunTool({"export", "pipe.dat"});
  EXPECT_EQ(pipe.Status, 1);
  EXPECT_NE(pipe.Err.find("pipe.dat: Das ist eine benannte Pipe"), std::string::npos) << pipe.Err;
  const TToolRun device = RunTool({"export", "A.dat", "-o", "geraet.csv"});
  EXPECT_EQ(device.Status, 1);
  EXPECT_NE(device.Err.find("geraet.csv: Das ist ein Gerät"), std::string::npos) << device.Err;
  EXPECT_TRUE(fs::is_symlink("geraet.csv"));
#endif
  const TToolRun folder = RunTool({"export", "."});
  EXPECT_NE(folder.Err.find("Das ist ein Ordner, keine Datei."), std::string::npos) << folder.Err;
}

TEST(KatalogExport, WarnsAboutRecordsAReimportWouldNotRestore) {
  QuestionRecord lowerOwner = EditionQuestion(1, 1, "klein");
  lowerOwner.Owner = "talwinder flugschule ost";
  std::string catalogue =
      CatalogueBytes({EditionQuestion(1, 1, "gut"), EditionQuestion(1, 1, "Länge"), lowerOwner,
                      EditionQuestion(1, 1, "reserviert"), EditionQuestion(9, 9, "Paar")});
  catalogue[1 * kRecordSize + kOffOwner] = static_cast<char>(129);
  catalogue[3 * kRecordSize + kOffReserved16] = 30;

  TTempDir dir;
  WriteFileBytes("Aerolern.dat", catalogue);
  const TToolRun run = RunTool({"export", "Aerolern.dat"});
  EXPECT_EQ(run.Status, 0);
  // Every record is exported even so, the clamped one with what DecodeRecord reads.
  EXPECT_NE(run.Out.find("\n4;9;9;0;B;Paar;"), std::string::npos) << run.Out;
  EXPECT_NE(run.Out.find("\n1;1;1;0;B;Länge;"), std::string::npos) << run.Out;
  EXPECT_EQ(run.Err.find("Datensatz 0"), std::string::npos) << run.Err;
  for (const char* expected :
       {"Datensatz 1: Längenbyte", "Datensatz 2: ein Import", "Datensatz 3: ein Import",
        "Datensatz 4: Lizenz 9", "aerolern-katalog check Aerolern.dat"})
    EXPECT_NE(run.Err.find(expected), std::string::npos) << expected << "\n" << run.Err;
}

TEST(KatalogCommandLine, FailedWriteLeavesNoTemporaryFile) {
  TTempDir dir;
  WriteFileBytes("katalog.csv", std::string(kCsvHeaderLine) + "0;1;1;0;A;F;a;b;c;d;1\n");
  std::filesystem::create_directory("Aerolern.dat"); // the rename over it must fail
  const TToolRun overDirectory = RunTool({"import", "katalog.csv", "-o", "Aerolern.dat"});
  EXPECT_EQ(overDirectory.Status, 1);
  EXPECT_NE(overDirectory.Err.find("E/A-Fehler"), std::string::npos) << overDirectory.Err;
  EXPECT_EQ(FilesIn(dir.Path()), (std::vector<std::string>{"Aerolern.dat", "katalog.csv"}));
  EXPECT_TRUE(FilesIn(dir.File("Aerolern.dat")).empty());

  WriteFileBytes("echt.dat", CatalogueBytes({EditionQuestion(1, 1, "x")}));
  const TToolRun noFolder = RunTool({"export", "echt.dat", "-o", "fehlt/katalog.csv"});
  EXPECT_EQ(noFolder.Status, 1);
  EXPECT_NE(noFolder.Err.find("fehlt/katalog.csv"), std::string::npos) << noFolder.Err;
  EXPECT_EQ(FilesIn(dir.Path()),
            (std::vector<std::string>{"Aerolern.dat", "echt.dat", "katalog.csv"}));
}
