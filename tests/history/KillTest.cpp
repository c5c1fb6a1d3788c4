// A process that records answers is killed at random moments: the file stays whole and keeps
// every answer whose recording had returned, and at most one more.
#include "history/HistoryStore.h"
#include "support/TempDir.h"
#include "toolkit/headless/HeadlessPlatform.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const char* const kPath = "Lernverlauf.sqlite";

// Records answers until it is killed, writing the number of each returned recording to `out`.
[[noreturn]] void RecordForever(int out) {
  try {
    THistoryStore store(kPath);
    for (int32_t done = 1;; ++done) {
      TAnswerRow answer;
      answer.TimeMs = 1796724000000 + done * 1000;
      answer.RecordNo = done % 50;
      answer.Right = done % 3 != 0;
      store.RecordAnswer(answer, "f" + std::to_string(done % 50));
      if (::write(out, &done, sizeof done) != sizeof done)
        ::_exit(2);
    }
  } catch (...) {
    ::_exit(3);
  }
}

int64_t AnswersIn(const char* path) {
  SQLite::Database db(path);
  EXPECT_EQ(db.execAndGet("PRAGMA integrity_check").getString(), "ok");
  return db.execAndGet("SELECT count(*) FROM antworten").getInt64();
}

TEST(HistoryKillTest, KilledWritersLoseAtMostTheAnswerInFlight) {
  TTempDir dir;
  THeadlessPlatform platform; // the learning days need the local time
  { THistoryStore created(kPath); }
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    const int64_t before = AnswersIn(kPath);
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(pipeEnds[0]);
      RecordForever(pipeEnds[1]);
    }
    ::close(pipeEnds[1]);
    ::usleep(1000 + random() % 20000);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer ended by itself in round " << round;
    int32_t returned = 0;
    int32_t done = 0;
    while (::read(pipeEnds[0], &done, sizeof done) == sizeof done)
      returned = done;
    ::close(pipeEnds[0]);
    const int64_t added = AnswersIn(kPath) - before;
    ASSERT_TRUE(added == returned || added == returned + 1)
        << "round " << round << ": " << added << " answers stored, " << returned << " returned";
  }
}

// Starts a writer, lets it record at least `atLeast` answers and kills it, so that its log stays
// beside the file. Returns the number of recordings that had returned.
int32_t CrashAfter(int32_t atLeast) {
  int pipeEnds[2];
  EXPECT_EQ(::pipe(pipeEnds), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipeEnds[0]);
    RecordForever(pipeEnds[1]);
  }
  ::close(pipeEnds[1]);
  int32_t done = 0;
  while (done < atLeast && ::read(pipeEnds[0], &done, sizeof done) == sizeof done) {
  }
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  while (::read(pipeEnds[0], &done, sizeof done) == sizeof done) {
  }
  ::close(pipeEnds[0]);
  return done;
}

bool Exists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

// A log left by a crash is applied to its own file, but never to a file put in its place: an
// older copy restored after the crash, or a file that replaced the history while it was open.
TEST(HistoryKillTest, TheLogNeverMeetsAnotherFile) {
  TTempDir dir;
  THeadlessPlatform platform;
  const std::string log = std::string(kPath) + "-wal";
  { THistoryStore created(kPath); }
  CrashAfter(5);
  ASSERT_TRUE(Exists(log));
  std::string backup;
  {
    THistoryStore store(kPath);
    EXPECT_EQ(store.TakeNotice(), std::nullopt) << "the crash's own log is applied";
  }
  EXPECT_FALSE(Exists(log)) << "closing leaves no log";
  const int64_t kept = AnswersIn(kPath);
  EXPECT_GE(kept, 5);
  ASSERT_EQ(::system("cp Lernverlauf.sqlite Sicherung.sqlite"), 0);

  // The learner restores the copy after the next crash: its log is set aside, not applied.
  CrashAfter(400);
  ASSERT_TRUE(Exists(log));
  ASSERT_EQ(::system("cp Sicherung.sqlite Lernverlauf.sqlite"), 0);
  {
    THistoryStore store(kPath);
    const std::optional<std::string> notice = store.TakeNotice();
    ASSERT_TRUE(notice.has_value());
    EXPECT_NE(notice->find("beiseitegelegt"), std::string::npos) << *notice;
  }
  EXPECT_TRUE(Exists(log + ".beiseite-1"));
  EXPECT_EQ(AnswersIn(kPath), kept);

  // The file is replaced while a store holds it: the next answer is refused for good, and the
  // store's log is gone before the replacement is opened.
  THistoryStore store(kPath);
  TAnswerRow answer;
  answer.TimeMs = 1796724000000;
  store.RecordAnswer(answer, "f");
  ASSERT_EQ(::system("cp Sicherung.sqlite neu.sqlite && mv neu.sqlite Lernverlauf.sqlite"), 0);
  try {
    store.RecordAnswer(answer, "f");
    ADD_FAILURE() << "recorded into a file no longer at its path";
  } catch (const EHistoryError& error) {
    EXPECT_TRUE(error.Lasting);
    EXPECT_NE(std::string(error.what()).find("ersetzt"), std::string::npos) << error.what();
  }
  EXPECT_FALSE(Exists(log));
  EXPECT_THROW(store.SetSetting("x", "y"), EHistoryError);
  EXPECT_EQ(AnswersIn(kPath), kept);
}

} // namespace
