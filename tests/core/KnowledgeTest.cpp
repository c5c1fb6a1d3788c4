// Tests of the knowledge file: saving, loading, its path rules and a failed save.
#include "support/CoreFixture.h"

#include "core/SafeFileReplace.h"
#include "toolkit/Exceptions.h"

#include <filesystem>
#include <sys/stat.h>
#include <thread>

namespace {

class KnowledgeTest : public CoreTest {
protected:
  void SetUp() override { WriteSettings("; Wissensstand im Arbeitsverzeichnis\n"); }

  // Closes every open question of the pool.
  void MarkAllKnown() {
    QuestionRecord record;
    for (int time = 30000; OpenQuestionCount() > 0; ++time) {
      platform.SetTimeOfDay(time);
      PickNextQuestion(record);
      MarkCurrentKnown();
    }
  }

  // A catalogue of n questions, the pool built, and every question whose number `closed`
  // accepts closed by picks at successive clock readings.
  void BuildAndClose(int count, const std::function<bool(int32_t)>& closed) {
    WriteCatalogue(Questions(count, 1, 1));
    BuildAll();
    int time = 10000;
    while (true) {
      int32_t target = -1;
      for (const PoolEntry& entry : QuestionPool())
        if (entry.Open && closed(entry.RecordNo)) {
          target = entry.RecordNo;
          break;
        }
      if (target < 0)
        return;
      // Pick until the wanted question comes up, then close it.
      QuestionRecord record;
      do {
        platform.SetTimeOfDay(time++);
        PickNextQuestion(record);
      } while (CurrentQuestionNo() != target);
      MarkCurrentKnown();
    }
  }
};

TEST_F(KnowledgeTest, SavingWritesTheOpenEntriesInPoolOrder) {
  BuildAndClose(30, [](int32_t n) { return n % 5 != 0; });
  ASSERT_EQ(OpenQuestionCount(), 6);
  SaveKnowledge();
  const std::string bytes = ReadFileBytes(KnowledgeFileName);
  ASSERT_EQ(bytes.size(), 6 * 12u);
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(bytes.substr(i * 12, 12), EntryBytes(PoolEntry{1, 1, 1, 1, i * 5})) << i;
  for (const auto& entry : std::filesystem::directory_iterator("."))
    EXPECT_EQ(entry.path().filename().string().find(".neu"), std::string::npos) << entry.path();
}

TEST_F(KnowledgeTest, ThreeHundredEntriesWithOneHundredTwentyOpen) {
  WriteCatalogue(Questions(300, 1, 1));
  std::string bytes;
  for (int i = 0; i < 300; ++i)
    bytes += EntryBytes(PoolEntry{1, static_cast<uint8_t>(i % 5 < 2 ? 1 : 0), 1, 1, i});
  WriteFileBytes(KnowledgeFileName, bytes);
  BuildQuestionPool(true);
  EXPECT_EQ(QuestionPool().size(), 300u);
  EXPECT_EQ(OpenQuestionCount(), 120);
  SaveKnowledge();
  EXPECT_EQ(ReadFileBytes(KnowledgeFileName).size(), 1440u);
}

TEST_F(KnowledgeTest, LoadingTakesEntriesAsStoredAndSelectsEverything) {
  WriteCatalogue(Questions(3, 1, 1));
  SelectCategories(2, 2);
  // A trailing partial record is ignored: 25 bytes are two entries.
  WriteFileBytes(KnowledgeFileName, EntryBytes({1, 0, 7, 10, 2}) + EntryBytes({1, 1, 3, 1, 900}) +
                                        std::string(1, '\x01'));
  BuildQuestionPool(true);
  ASSERT_EQ(QuestionPool().size(), 2u);
  EXPECT_EQ(QuestionPool()[0].Licence, 7);
  EXPECT_EQ(QuestionPool()[0].Area, 10);
  EXPECT_EQ(QuestionPool()[1].RecordNo, 900);
  for (int slot = 0; slot < 28; ++slot)
    EXPECT_TRUE(SlotSelected(slot));
  // The open entry lies beyond the catalogue: it could never be shown, so it is loaded closed.
  EXPECT_EQ(QuestionPool()[1].Open, 0);
  EXPECT_EQ(OpenQuestionCount(), 0);
  ASSERT_EQ(platform.Messages().size(), 1u);
  EXPECT_EQ(platform.Messages()[0].Text,
            "1 Eintrag der Wissensdatei passt nicht zum Fragenkatalog und wurde übergangen.");
  // Several are counted in one message; the licence and area of an entry stay as stored.
  WriteFileBytes(KnowledgeFileName, EntryBytes({1, 1, 1, 1, 3}) + EntryBytes({1, 1, 4, 2, 1}) +
                                        EntryBytes({1, 1, 1, 1, -1}));
  BuildQuestionPool(true);
  EXPECT_EQ(OpenQuestionCount(), 1);
  EXPECT_EQ(QuestionPool()[1].Licence, 4);
  ASSERT_EQ(platform.Messages().size(), 2u);
  EXPECT_EQ(platform.Messages()[1].Text,
            "2 Einträge der Wissensdatei passen nicht zum Fragenkatalog und wurden übergangen.");
}

TEST_F(KnowledgeTest, EmptyStateRoundTrip) {
  WriteCatalogue(Questions(2, 1, 1));
  BuildAll();
  SaveKnowledge();
  const std::string earlier = ReadFileBytes(KnowledgeFileName);
  ASSERT_EQ(earlier.size(), 24u);
  // A pool without any entry (a selection without questions, or a failed build) saves nothing
  // and keeps the earlier file.
  SelectCategories(5, 1);
  BuildQuestionPool(false);
  SaveKnowledge();
  EXPECT_EQ(ReadFileBytes(KnowledgeFileName), earlier);
  ASSERT_EQ(platform.Messages().size(), 1u);
  EXPECT_EQ(platform.Messages()[0].Text, "Es gibt keinen Wissensstand zum Speichern.");
  // A pool whose entries are all closed is the state "everything known": an empty file.
  BuildAll();
  MarkAllKnown();
  SaveKnowledge();
  EXPECT_TRUE(FileExists(KnowledgeFileName));
  EXPECT_EQ(ReadFileBytes(KnowledgeFileName).size(), 0u);
  BuildAll();
  BuildQuestionPool(true);
  EXPECT_TRUE(QuestionPool().empty());
  EXPECT_EQ(OpenQuestionCount(), 0);
  QuestionRecord record;
  PickNextQuestion(record);
  EXPECT_EQ(record.Question, NoQuestionRecord().Question);
}

TEST_F(KnowledgeTest, MissingFileKeepsThePoolAndItsCount) {
  WriteCatalogue(Questions(4, 1, 1));
  BuildAll();
  const std::vector<PoolEntry> before = QuestionPool();
  BuildQuestionPool(true);
  ASSERT_EQ(platform.Messages().size(), 1u);
  EXPECT_EQ(platform.Messages()[0].Text, "Keine Wissensdatei vorhanden.");
  EXPECT_EQ(platform.Messages()[0].Caption, "Aerolern");
  EXPECT_EQ(QuestionPool().size(), before.size());
  EXPECT_EQ(OpenQuestionCount(), 4);
  platform.SetTimeOfDay(77);
  QuestionRecord record;
  PickNextQuestion(record);
  EXPECT_NE(record.Question, NoQuestionRecord().Question);
}

TEST_F(KnowledgeTest, PathFromTheSettings) {
  WriteSettings("");
  EXPECT_EQ(KnowledgeFilePath(), "Wissensstand.dat");
  WriteSettings("KnowledgeLevelLocation=\n");
  EXPECT_EQ(KnowledgeFilePath(), "Wissensstand.dat");
  WriteSettings("KnowledgeLevelLocation=/home/lernen/\n");
  EXPECT_EQ(KnowledgeFilePath(), "/home/lernen/Wissensstand.dat");
  WriteSettings("knowledgelevellocation=/home/lernen\n");
  EXPECT_EQ(KnowledgeFilePath(), "/home/lernen/Wissensstand.dat");
  WriteSettings("KnowledgeLevelLocation=C:\\Lernen\\\n");
  EXPECT_EQ(KnowledgeFilePath(), "C:\\Lernen/Wissensstand.dat");
  WriteSettings("KnowledgeLevelLocation=/home/lernen//\r\n");
  EXPECT_EQ(KnowledgeFilePath(), "/home/lernen//Wissensstand.dat");
  // The value is Windows-1252 in the file and UTF-8 for the file system.
  WriteSettings("KnowledgeLevelLocation=/home/J\xFCrgen\n");
  EXPECT_EQ(KnowledgeFilePath(), "/home/J\xC3\xBCrgen/Wissensstand.dat");
}

TEST_F(KnowledgeTest, SaveAndLoadInTheConfiguredDirectory) {
  std::filesystem::create_directory("stand");
  WriteSettings("KnowledgeLevelLocation=" + dir.File("stand") + "\n");
  WriteCatalogue(Questions(3, 1, 2));
  BuildAll();
  SaveKnowledge();
  EXPECT_EQ(ReadFileBytes(dir.File("stand/Wissensstand.dat")).size(), 36u);
  EXPECT_FALSE(FileExists(KnowledgeFileName));
}

TEST_F(KnowledgeTest, FailedSaveKeepsTheEarlierFile) {
  WriteCatalogue(Questions(3, 1, 1));
  BuildAll();
  SaveKnowledge();
  const std::string earlier = ReadFileBytes(KnowledgeFileName);
  ASSERT_EQ(earlier.size(), 36u);

  // A directory that does not exist fails too, and leaves nothing behind.
  WriteSettings("KnowledgeLevelLocation=" + dir.File("fehlt") + "\n");
  try {
    SaveKnowledge();
    FAIL() << "saving into a missing directory succeeded";
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.ErrorCode, 2);
    EXPECT_NE(std::string(error.what()).find("Wissensstand.dat"), std::string::npos);
  }
}

#ifndef _WIN32 // links to devices and named pipes are things of POSIX file systems
// Only a regular file is read or replaced: a device behind a link, a named pipe or a folder is
// refused by name and stays what it was, and loading a pipe does not wait for a writer.
TEST_F(KnowledgeTest, WhatIsNotARegularFileIsRefusedByName) {
  namespace fs = std::filesystem;
  WriteCatalogue(Questions(3, 1, 1));
  BuildAll();
  const auto refusal = [](const std::function<void()>& action) {
    try {
      action();
    } catch (const EInOutError& error) {
      return std::string(error.what());
    }
    return std::string("no error");
  };
  fs::create_symlink("/dev/null", KnowledgeFileName);
  EXPECT_EQ(refusal([] { SaveKnowledge(); }),
            "E/A-Fehler 5 beim Schreiben von Wissensstand.dat: Das ist ein Gerät, keine "
            "gewöhnliche Datei.");
  EXPECT_TRUE(fs::is_symlink(KnowledgeFileName));
  fs::remove(KnowledgeFileName);

  ASSERT_EQ(::mkfifo(KnowledgeFileName, 0600), 0);
  EXPECT_EQ(refusal([] { SaveKnowledge(); }),
            "E/A-Fehler 5 beim Schreiben von Wissensstand.dat: Das ist eine benannte Pipe, keine "
            "gewöhnliche Datei.");
  EXPECT_EQ(refusal([] { BuildQuestionPool(true); }),
            "E/A-Fehler 5 beim Öffnen von Wissensstand.dat: Das ist eine benannte Pipe, keine "
            "gewöhnliche Datei.");
  EXPECT_TRUE(fs::is_fifo(KnowledgeFileName));
  fs::remove(KnowledgeFileName);

  fs::create_directory(KnowledgeFileName);
  EXPECT_EQ(refusal([] { BuildQuestionPool(true); }),
            "E/A-Fehler 5 beim Öffnen von Wissensstand.dat: Das ist ein Ordner, keine Datei.");
  fs::remove(KnowledgeFileName);

  // A file where the knowledge folder should be is named as such, on loading and saving.
  WriteFileBytes("stand", "");
  WriteSettings("KnowledgeLevelLocation=stand\n");
  const std::string notAFolder = "Ein Teil des Pfades ist eine Datei, kein Ordner.";
  EXPECT_NE(refusal([] { BuildQuestionPool(true); }).find(notAFolder), std::string::npos);
  EXPECT_NE(refusal([] { SaveKnowledge(); }).find(notAFolder), std::string::npos);
  EXPECT_EQ(OpenQuestionCount(), 3);
}

// Saves at the same moment each write a file of their own; the last rename wins whole, and no
// new file is left behind.
#endif

TEST_F(KnowledgeTest, SavesAtOnceEachReplaceTheFileWhole) {
  const std::string first(200000, 'a');
  const std::string second(300000, 'b');
  std::thread other([&] {
    for (int i = 0; i < 20; ++i)
      ReplaceFileSafely("ziel.dat", first);
  });
  for (int i = 0; i < 20; ++i)
    ReplaceFileSafely("ziel.dat", second);
  other.join();
  const std::string result = ReadFileBytes("ziel.dat");
  EXPECT_TRUE(result == first || result == second) << result.size() << " bytes of a mixture";
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator("."))
    files += entry.path().filename().string().rfind("ziel.dat", 0) == 0 ? 1 : 0;
  EXPECT_EQ(files, 1);
}

TEST_F(KnowledgeTest, MissingSettingsFileAbortsBeforeTheKnowledgeFile) {
  WriteCatalogue(Questions(3, 1, 1));
  BuildAll();
  std::filesystem::remove(dir.File("aerolern.ini"));
  EXPECT_THROW(SaveKnowledge(), EInOutError);
  EXPECT_FALSE(FileExists(KnowledgeFileName));
  EXPECT_THROW(BuildQuestionPool(true), EInOutError);
  EXPECT_EQ(OpenQuestionCount(), 3);
}

} // namespace

namespace {

class KnowledgeAfterDeletionTest : public CoreTest {};

TEST_F(KnowledgeAfterDeletionTest, DeletedQuestionsStayClosedAfterLoading) {
  WriteSettings("");
  std::vector<QuestionRecord> records = Questions(4, 1, 1);
  records[2].InUse = false;
  WriteCatalogue(records);
  std::string bytes;
  for (int32_t recordNo : {0, 2, 3, 7})
    bytes += EntryBytes(PoolEntry{1, 1, 1, 1, recordNo});
  // Record 1 is in use in the catalogue, but the entry itself says deleted.
  bytes += EntryBytes(PoolEntry{0, 1, 1, 1, 1});
  WriteFileBytes(KnowledgeFileName, bytes);
  BuildQuestionPool(true);
  ASSERT_EQ(QuestionPool().size(), 5u);
  EXPECT_EQ(QuestionPool()[1].Open, 0) << "record 2 was deleted after the state was saved";
  EXPECT_EQ(QuestionPool()[3].Open, 0) << "record 7 lies beyond the catalogue";
  EXPECT_EQ(QuestionPool()[4].Open, 0) << "an entry whose in-use byte is 0 loads closed";
  EXPECT_EQ(OpenQuestionCount(), 2);
  for (int time = 50000; time < 50040; ++time) {
    platform.SetTimeOfDay(time);
    QuestionRecord record;
    PickNextQuestion(record);
    EXPECT_NE(CurrentQuestionNo(), 2);
    EXPECT_NE(CurrentQuestionNo(), 1);
  }
}

} // namespace
