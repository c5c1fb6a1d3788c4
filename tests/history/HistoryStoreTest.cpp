// Tests of the history file: its public view, the memory-state cache against a replay of the
// log, files it must refuse without touching them, two writers, and questions that move.
#include "history/HistoryStore.h"
#include "history/Fingerprint.h"
#include "support/CoreFixture.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <sys/stat.h>

namespace {

constexpr int64_t kDayMs = 86400000;
const char* const kPath = "Lernverlauf.sqlite";

TAnswerRow Answer(int32_t recordNo, int64_t timeMs, bool right) {
  TAnswerRow answer;
  answer.TimeMs = timeMs;
  answer.RecordNo = recordNo;
  answer.Licence = 1;
  answer.Area = 2;
  answer.Mode = 2;
  answer.Ticked = right ? "B" : "AB";
  answer.Correct = "B";
  answer.Right = right;
  return answer;
}

std::string Fingerprint(int32_t recordNo) { return FingerprintText(1000 + recordNo); }

void ExpectCacheEqualsReplay(THistoryStore& store) {
  const std::map<int64_t, TMemoryState> replayed = store.ReplayMemoryStates();
  std::size_t withState = 0;
  for (const THistoryQuestion& question : store.Questions()) {
    if (!question.Memory)
      continue;
    ++withState;
    ASSERT_EQ(replayed.count(question.Id), 1u) << question.Id;
    EXPECT_DOUBLE_EQ(question.Memory->Stability, replayed.at(question.Id).Stability);
    EXPECT_DOUBLE_EQ(question.Memory->Difficulty, replayed.at(question.Id).Difficulty);
  }
  EXPECT_EQ(withState, replayed.size());
}

class HistoryStoreTest : public CoreTest {};

TEST_F(HistoryStoreTest, PublicViewAndSchema) {
  {
    THistoryStore store(kPath);
    store.RecordAnswer(Answer(7, 1796724187000, true), Fingerprint(7));
  }
  SQLite::Database db(kPath);
  EXPECT_EQ(db.execAndGet("PRAGMA user_version").getInt(), kHistorySchemaVersion);
  EXPECT_EQ(db.execAndGet("PRAGMA journal_mode").getString(), "wal");
  SQLite::Statement columns(db, "SELECT name, type FROM pragma_table_info('antworten')");
  std::vector<std::string> names;
  while (columns.executeStep())
    names.push_back(columns.getColumn(0).getString());
  EXPECT_EQ(names, (std::vector<std::string>{"zeit", "nr", "lizenz", "bereich", "modus",
                                             "angekreuzt", "loesung", "ergebnis", "art"}));
  SQLite::Statement row(db, "SELECT * FROM antworten");
  ASSERT_TRUE(row.executeStep());
  EXPECT_EQ(row.getColumn(0).getString(), "2026-12-08T10:03:07Z");
  EXPECT_EQ(row.getColumn(1).getInt(), 7);
  EXPECT_EQ(row.getColumn(5).getString(), "B");
  EXPECT_EQ(row.getColumn(7).getInt(), 1);
  EXPECT_EQ(row.getColumn(8).getString(), "antwort");

  // A damaged cache is read within the model's ranges, never as NaN.
  SQLite::Database damage(kPath, SQLite::OPEN_READWRITE);
  damage.exec("UPDATE frage SET stabilitaet = 1e300, schwierigkeit = -4");
  THistoryStore store(kPath);
  ASSERT_TRUE(store.Questions().front().Memory);
  EXPECT_EQ(store.Questions().front().Memory->Stability, 36500);
  EXPECT_EQ(store.Questions().front().Memory->Difficulty, 1);
  damage.exec("UPDATE frage SET stabilitaet = 'kaputt'");
  EXPECT_FALSE(std::isnan(store.Questions().front().Memory->Stability));
}

TEST_F(HistoryStoreTest, CacheEqualsReplayAndTwoWritersKeepEverything) {
  THistoryStore first(kPath);
  THistoryStore second(kPath);
  std::mt19937 random(42);
  int64_t time = 1796724000000;
  for (int i = 0; i < 400; ++i) {
    time += static_cast<int64_t>(random() % 3) * kDayMs / 2 + 60000;
    const auto recordNo = static_cast<int32_t>(random() % 20);
    THistoryStore& writer = i % 3 == 0 ? second : first;
    writer.RecordAnswer(Answer(recordNo, time, random() % 4 != 0), Fingerprint(recordNo));
  }
  SQLite::Database db(kPath);
  EXPECT_EQ(db.execAndGet("SELECT count(*) FROM antworten").getInt(), 400);
  EXPECT_EQ(first.Questions().size(), 20u);
  ExpectCacheEqualsReplay(first);
  // An answer recorded the same day changes the state too.
  THistoryQuestion before = first.Questions().front();
  first.RecordAnswer(Answer(before.RecordNo, before.LastReviewMs + 1000, false),
                     before.Fingerprint);
  EXPECT_LT(first.Questions().front().Memory->Stability, before.Memory->Stability);
}

// Files the history must not use are reported with their name and left byte for byte as they
// were.
TEST_F(HistoryStoreTest, RefusedFilesStayUntouched) {
  const auto refuses = [&](const std::string& expected) {
    const std::string bytes = ReadFileBytes(kPath);
    try {
      THistoryStore store(kPath);
      store.RecordAnswer(Answer(1, 1796724000000, true), Fingerprint(1));
      ADD_FAILURE() << "no error for: " << expected;
    } catch (const EHistoryError& error) {
      EXPECT_NE(std::string(error.what()).find(kPath), std::string::npos) << error.what();
      EXPECT_NE(std::string(error.what()).find(expected), std::string::npos) << error.what();
    }
    EXPECT_EQ(ReadFileBytes(kPath), bytes) << expected;
  };
  WriteFileBytes(kPath, std::string(5000, 'x'));
  refuses("keine SQLite-Datenbank");

  std::filesystem::remove(kPath);
  {
    SQLite::Database newer(kPath, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    newer.exec("CREATE TABLE zukunft (x); PRAGMA user_version=99");
  }
  refuses("neueren Aerolern-Version (Schema 99)");

  // Another program's database keeps its tables and its journal mode, byte for byte.
  for (const char* mode : {"DELETE", "WAL"}) {
    std::filesystem::remove(kPath);
    {
      SQLite::Database foreign(kPath, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
      foreign.exec(std::string("PRAGMA journal_mode=") + mode);
      foreign.exec("CREATE TABLE kunden (name TEXT); INSERT INTO kunden VALUES ('Meier')");
    }
    refuses("Datenbank eines anderen Programms");
    EXPECT_FALSE(std::filesystem::exists(std::string(kPath) + "-wal")) << mode;
  }

  std::filesystem::remove(kPath);
  { THistoryStore created(kPath); }
  ::chmod(kPath, 0444);
  // Whoever may write to any file (root, also under Wine) cannot be refused.
  if (!std::ofstream(kPath, std::ios::app))
    refuses("schreibgeschützt");
  ::chmod(kPath, 0644);

  // Another program holds the file locked for longer than the busy timeout.
  THistoryStore store(kPath);
  SQLite::Database other(kPath, SQLite::OPEN_READWRITE);
  other.exec("BEGIN EXCLUSIVE");
  try {
    store.RecordAnswer(Answer(1, 1796724000000, true), Fingerprint(1));
    ADD_FAILURE() << "recorded into a locked file";
  } catch (const EHistoryError& error) {
    EXPECT_NE(std::string(error.what()).find("gesperrt"), std::string::npos) << error.what();
    EXPECT_FALSE(error.Lasting);
  }
  other.exec("ROLLBACK");
  store.RecordAnswer(Answer(1, 1796724000000, true), Fingerprint(1));
  EXPECT_EQ(store.Questions().size(), 1u);
}

// A revised catalogue renumbers questions: each history question follows its text to a record
// no other history question holds.
TEST_F(HistoryStoreTest, QuestionsFollowTheirTextToNewRecordNumbers) {
  THistoryStore store(kPath);
  store.RecordAnswer(Answer(0, 1796724000000, true), "aa");
  store.RecordAnswer(Answer(1, 1796724000000, true), "bb");
  store.RecordAnswer(Answer(2, 1796724000000, false), "cc");
  store.RecordAnswer(Answer(3, 1796724000000, false), "cc");
  // New catalogue: a question inserted at the front, "bb" deleted, "cc" once.
  const std::vector<THistoryQuestion> moved = store.FollowCatalogue({"new", "aa", "", "cc"});
  ASSERT_EQ(moved.size(), 4u);
  EXPECT_EQ(moved[0].RecordNo, 1) << "aa moved one down";
  EXPECT_EQ(moved[1].RecordNo, 1) << "bb is gone and keeps its last number";
  EXPECT_EQ(moved[2].RecordNo, 2) << "the one cc record is held by the cc that stood there";
  EXPECT_EQ(moved[3].RecordNo, 3);
  EXPECT_EQ(store.Questions()[0].RecordNo, 1) << "the move is stored";
  // An answer on the moved question continues its history.
  store.RecordAnswer(Answer(1, 1796724000000 + kDayMs, true), "aa");
  EXPECT_EQ(store.Questions().size(), 4u);
  // "bb" comes back; the "cc" that lost its record takes the first cc record not held.
  const std::vector<THistoryQuestion> again = store.FollowCatalogue({"cc", "aa", "bb", "cc", "cc"});
  EXPECT_EQ(again[1].RecordNo, 2);
  EXPECT_EQ(again[2].RecordNo, 0);
  EXPECT_EQ(again[3].RecordNo, 3) << "a question that holds its record stays";
}

} // namespace
