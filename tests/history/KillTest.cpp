// A process that records answers is killed at random moments: the file stays whole and keeps
// every answer whose recording had returned, and at most one more.
#include "history/HistoryStore.h"
#include "support/TempDir.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <gtest/gtest.h>

#include <csignal>
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

} // namespace
