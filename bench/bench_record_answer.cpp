// Benchmark: recording one answer through the history store, against the same writes issued
// through the plain SQLite C API, and against a bare one-row insert.
//
// Each side has a file of its own in a temporary folder, with the pragmas the store sets (WAL,
// synchronous=NORMAL, foreign_keys=ON, the same busy timeout) and the store's schema, and
// records the same sequence of answers. The C API side prepares every statement once and binds,
// steps and resets them per answer: BEGIN IMMEDIATE, look up the question row (adding it when
// missing), insert the answer, read the memory state, update it, COMMIT; the memory state is
// computed by the store's own function, so that both write the same values. The bare insert is
// the answer row alone, in a transaction of its own (autocommit), prepared once. Reported beside
// them: the same writes through SQLiteCpp with its statements kept from answer to answer.
#include "bench/HistoryBenchSupport.h"

#include <sqlite3.h>

#include <algorithm>
#include <exception>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

// The questions the learner goes round; the first round adds their rows before measuring.
constexpr int kQuestions = 1000;
// 2026-12-08 10:00 UTC, one answer every 20 seconds.
constexpr int64_t kFirstAnswerMs = 1796724000000;
constexpr int64_t kAnswerStepMs = 20000;
// The store's busy timeout.
constexpr int kBusyTimeoutMs = 3000;
// More repetitions than the other benchmarks: the disk's waits make single ones vary widely.
constexpr int kRepetitions = 9;

const char* const kStoreName = "RecordAnswer/Store";
const char* const kPlainName = "RecordAnswer/PlainCApi";
const char* const kBareName = "BareInsert/PlainCApi";
const char* const kKeptName = "RecordAnswer/SQLiteCppStatementsKept";

struct TSqliteCloser {
  void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct TStatementCloser {
  void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using TStatement = std::unique_ptr<sqlite3_stmt, TStatementCloser>;

class TPlainDatabase {
public:
  // Opens a file the store has created, with the store's pragmas.
  explicit TPlainDatabase(const std::string& path) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    handle.reset(raw);
    Check(rc, "open");
    Check(sqlite3_busy_timeout(raw, kBusyTimeoutMs), "busy timeout");
    Exec("PRAGMA foreign_keys=ON");
    Exec("PRAGMA journal_mode=WAL");
    Exec("PRAGMA synchronous=NORMAL");
  }

  TStatement Prepare(const char* sql) {
    sqlite3_stmt* statement = nullptr;
    Check(sqlite3_prepare_v2(handle.get(), sql, -1, &statement, nullptr), sql);
    return TStatement(statement);
  }
  void Exec(const char* sql) {
    Check(sqlite3_exec(handle.get(), sql, nullptr, nullptr, nullptr), sql);
  }
  // Steps a statement and tells whether it gave a row.
  bool Step(sqlite3_stmt* statement) {
    const int rc = sqlite3_step(statement);
    if (rc == SQLITE_ROW)
      return true;
    if (rc != SQLITE_DONE)
      Check(rc, sqlite3_sql(statement));
    return false;
  }
  // Steps a statement that gives no row and resets it.
  void Run(sqlite3_stmt* statement) {
    Step(statement);
    sqlite3_reset(statement);
  }
  void Check(int rc, const char* doing) const {
    if (rc != SQLITE_OK)
      throw std::runtime_error(std::string("SQLite: ") + doing + ": " +
                               sqlite3_errmsg(handle.get()));
  }
  sqlite3* Handle() const { return handle.get(); }

private:
  std::unique_ptr<sqlite3, TSqliteCloser> handle;
};

void BindText(sqlite3_stmt* statement, int index, const std::string& text) {
  sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
}
void BindText(sqlite3_stmt* statement, int index, const char* text) {
  sqlite3_bind_text(statement, index, text, -1, SQLITE_STATIC);
}

const char* const kInsertAnswerSql = "INSERT INTO antwort (frage, zeit_ms, nr, lizenz, bereich, "
                                     "modus, angekreuzt, loesung, ergebnis, art) "
                                     "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";

void BindAnswer(sqlite3_stmt* insert, int64_t question, const TAnswerRow& answer) {
  sqlite3_bind_int64(insert, 1, question);
  sqlite3_bind_int64(insert, 2, answer.TimeMs);
  sqlite3_bind_int(insert, 3, answer.RecordNo);
  sqlite3_bind_int(insert, 4, answer.Licence);
  sqlite3_bind_int(insert, 5, answer.Area);
  sqlite3_bind_int(insert, 6, answer.Mode);
  BindText(insert, 7, answer.Ticked);
  BindText(insert, 8, answer.Correct);
  sqlite3_bind_int(insert, 9, answer.Right ? 1 : 0);
  BindText(insert, 10, answer.SelfGraded ? "selbst" : "antwort");
}

// The writes of THistoryStore::RecordAnswer, with every statement prepared once.
class TPlainRecorder {
public:
  explicit TPlainRecorder(const std::string& path)
      : db(path), begin(db.Prepare("BEGIN IMMEDIATE")), commit(db.Prepare("COMMIT")),
        rollback(db.Prepare("ROLLBACK")),
        find(db.Prepare("SELECT id FROM frage WHERE fingerabdruck = ? AND nr = ?")),
        add(db.Prepare("INSERT INTO frage (fingerabdruck, nr) VALUES (?, ?)")),
        insert(db.Prepare(kInsertAnswerSql)),
        state(db.Prepare("SELECT stabilitaet, schwierigkeit, letzte_wiederholung FROM frage "
                         "WHERE id = ?")),
        update(db.Prepare("UPDATE frage SET stabilitaet = ?, schwierigkeit = ?, "
                          "letzte_wiederholung = ? WHERE id = ?")) {}

  void Record(const TAnswerRow& answer, const std::string& fingerprint) {
    db.Run(begin.get());
    try {
      const int64_t question = QuestionIdFor(fingerprint, answer.RecordNo);
      BindAnswer(insert.get(), question, answer);
      db.Run(insert.get());
      sqlite3_bind_int64(state.get(), 1, question);
      db.Step(state.get());
      std::optional<TMemoryState> before;
      if (sqlite3_column_type(state.get(), 0) != SQLITE_NULL)
        before = TMemoryState{sqlite3_column_double(state.get(), 0),
                              sqlite3_column_double(state.get(), 1)};
      const int64_t last = sqlite3_column_type(state.get(), 2) == SQLITE_NULL
                               ? answer.TimeMs
                               : sqlite3_column_int64(state.get(), 2);
      sqlite3_reset(state.get());
      const TMemoryState after = *BenchNextMemory({before, last}, answer).State;
      sqlite3_bind_double(update.get(), 1, after.Stability);
      sqlite3_bind_double(update.get(), 2, after.Difficulty);
      sqlite3_bind_int64(update.get(), 3, answer.TimeMs);
      sqlite3_bind_int64(update.get(), 4, question);
      db.Run(update.get());
      db.Run(commit.get());
    } catch (...) {
      sqlite3_reset(find.get());
      sqlite3_reset(insert.get());
      sqlite3_reset(state.get());
      sqlite3_reset(update.get());
      db.Run(rollback.get());
      throw;
    }
  }

private:
  int64_t QuestionIdFor(const std::string& fingerprint, int32_t recordNo) {
    BindText(find.get(), 1, fingerprint);
    sqlite3_bind_int(find.get(), 2, recordNo);
    const bool found = db.Step(find.get());
    const int64_t id = found ? sqlite3_column_int64(find.get(), 0) : 0;
    sqlite3_reset(find.get());
    if (found)
      return id;
    BindText(add.get(), 1, fingerprint);
    sqlite3_bind_int(add.get(), 2, recordNo);
    db.Run(add.get());
    return sqlite3_last_insert_rowid(db.Handle());
  }

  TPlainDatabase db;
  TStatement begin, commit, rollback, find, add, insert, state, update;
};

// The answer row alone, one autocommit transaction per row.
class TBareInserter {
public:
  explicit TBareInserter(const std::string& path)
      : db(path), insert(db.Prepare(kInsertAnswerSql)) {}
  void Insert(const TAnswerRow& answer) {
    BindAnswer(insert.get(), answer.RecordNo + 1, answer);
    db.Run(insert.get());
  }

private:
  TPlainDatabase db;
  TStatement insert;
};

// The same writes through SQLiteCpp as the store issues them, but with every statement prepared
// once and reset after each use: what the store would cost with its statements kept.
class TKeptStatementsRecorder {
public:
  explicit TKeptStatementsRecorder(const std::string& path)
      : db(OpenWithPragmas(path)), begin(db, "BEGIN IMMEDIATE"), commit(db, "COMMIT"),
        rollback(db, "ROLLBACK"),
        find(db, "SELECT id FROM frage WHERE fingerabdruck = ? AND nr = ?"),
        add(db, "INSERT INTO frage (fingerabdruck, nr) VALUES (?, ?)"),
        insert(db, kInsertAnswerSql),
        state(db, "SELECT stabilitaet, schwierigkeit, letzte_wiederholung FROM frage WHERE id = ?"),
        update(db, "UPDATE frage SET stabilitaet = ?, schwierigkeit = ?, letzte_wiederholung = ? "
                   "WHERE id = ?") {}

  void Record(const TAnswerRow& answer, const std::string& fingerprint) {
    Run(begin);
    try {
      const int64_t question = QuestionIdFor(fingerprint, answer.RecordNo);
      insert.bind(1, question);
      insert.bind(2, answer.TimeMs);
      insert.bind(3, answer.RecordNo);
      insert.bind(4, answer.Licence);
      insert.bind(5, answer.Area);
      insert.bind(6, answer.Mode);
      insert.bind(7, answer.Ticked);
      insert.bind(8, answer.Correct);
      insert.bind(9, answer.Right ? 1 : 0);
      insert.bind(10, answer.SelfGraded ? "selbst" : "antwort");
      Run(insert);
      state.bind(1, question);
      state.executeStep();
      std::optional<TMemoryState> before;
      if (!state.getColumn(0).isNull())
        before = TMemoryState{state.getColumn(0).getDouble(), state.getColumn(1).getDouble()};
      const int64_t last =
          state.getColumn(2).isNull() ? answer.TimeMs : state.getColumn(2).getInt64();
      state.reset();
      const TMemoryState after = *BenchNextMemory({before, last}, answer).State;
      update.bind(1, after.Stability);
      update.bind(2, after.Difficulty);
      update.bind(3, answer.TimeMs);
      update.bind(4, question);
      Run(update);
      Run(commit);
    } catch (...) {
      for (SQLite::Statement* statement : {&find, &add, &insert, &state, &update})
        statement->tryReset();
      Run(rollback);
      throw;
    }
  }

private:
  static SQLite::Database OpenWithPragmas(const std::string& path) {
    SQLite::Database opened(path, SQLite::OPEN_READWRITE, kBusyTimeoutMs);
    opened.exec("PRAGMA foreign_keys=ON");
    opened.exec("PRAGMA journal_mode=WAL");
    opened.exec("PRAGMA synchronous=NORMAL");
    return opened;
  }
  static void Run(SQLite::Statement& statement) {
    statement.exec();
    statement.reset();
  }
  int64_t QuestionIdFor(const std::string& fingerprint, int32_t recordNo) {
    find.bind(1, fingerprint);
    find.bind(2, recordNo);
    const bool found = find.executeStep();
    const int64_t id = found ? find.getColumn(0).getInt64() : 0;
    find.reset();
    if (found)
      return id;
    add.bind(1, fingerprint);
    add.bind(2, recordNo);
    Run(add);
    return db.getLastInsertRowid();
  }

  SQLite::Database db;
  SQLite::Statement begin, commit, rollback, find, add, insert, state, update;
};

// Where each side's sequence of answers stands; later repetitions go on from there, so the
// clock of the answers only moves forward.
struct TSide {
  std::string Path;
  int64_t Next = 0;
};

void BM_Store(benchmark::State& state, TSide& side, const TBenchAnswers& answers) {
  try {
    THistoryStore store(side.Path);
    for (; side.Next < kQuestions; ++side.Next)
      store.RecordAnswer(answers.Answer(side.Next), answers.Record(side.Next).Fingerprint);
    for (auto _ : state) {
      const TAnswerRow answer = answers.Answer(side.Next);
      store.RecordAnswer(answer, answers.Record(side.Next).Fingerprint);
      ++side.Next;
    }
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
  }
}

template <class TRecorder>
void BM_Recorder(benchmark::State& state, TSide& side, const TBenchAnswers& answers) {
  try {
    TRecorder recorder(side.Path);
    for (; side.Next < kQuestions; ++side.Next)
      recorder.Record(answers.Answer(side.Next), answers.Record(side.Next).Fingerprint);
    for (auto _ : state) {
      const TAnswerRow answer = answers.Answer(side.Next);
      recorder.Record(answer, answers.Record(side.Next).Fingerprint);
      ++side.Next;
    }
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
  }
}

void BM_Bare(benchmark::State& state, TSide& side, const TBenchAnswers& answers) {
  try {
    TBareInserter inserter(side.Path);
    for (auto _ : state) {
      const TAnswerRow answer = answers.Answer(side.Next);
      inserter.Insert(answer);
      ++side.Next;
    }
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
  }
}

// The C API side's file read back: one answer row per answer recorded, the rows both sides
// recorded equal to the store's, column by column, and the memory states it keeps equal to those
// the store replays from its log.
std::string CheckPlainFile(const TSide& side, const TSide& storeSide) {
  SQLite::Database db(side.Path);
  const int64_t rows = db.execAndGet("SELECT count(*) FROM antwort").getInt64();
  if (rows != side.Next)
    return "the C API side holds " + std::to_string(rows) + " answers for " +
           std::to_string(side.Next) + " recorded";
  SQLite::Statement attach(db, "ATTACH ? AS store");
  attach.bind(1, storeSide.Path);
  attach.exec();
  SQLite::Statement differing(db, "SELECT count(*) FROM (SELECT * FROM main.antwort WHERE id <= ? "
                                  "EXCEPT SELECT * FROM store.antwort WHERE id <= ?)");
  const int64_t common = std::min(side.Next, storeSide.Next);
  differing.bind(1, common);
  differing.bind(2, common);
  differing.executeStep();
  if (differing.getColumn(0).getInt64() != 0)
    return "the C API side wrote other answer rows than the store";
  THistoryStore store(side.Path);
  const std::map<int64_t, TMemoryState> replayed = store.ReplayMemoryStates();
  std::size_t withState = 0;
  for (const THistoryQuestion& question : store.Questions()) {
    if (!question.Memory)
      continue;
    ++withState;
    const auto found = replayed.find(question.Id);
    if (found == replayed.end() || found->second.Stability != question.Memory->Stability ||
        found->second.Difficulty != question.Memory->Difficulty)
      return "a memory state of the C API side differs from the replay of its log";
  }
  if (withState != replayed.size())
    return "the C API side keeps a memory state for another set of questions";
  return "";
}

} // namespace

int main(int argc, char** argv) {
  if (!InitializeInterleaved(argc, argv))
    return 1;
  try {
    TTempDir dir(TTempDir::TMode::Enter, "aerolern-bench");

    std::vector<TBenchRecord> records;
    for (int recordNo = 0; recordNo < kQuestions; ++recordNo)
      records.push_back(
          BenchRecordOf(BenchQuestion(recordNo, 1 + recordNo % 6, 1 + recordNo % 5, true)));
    const TBenchAnswers answers(records, 0, kFirstAnswerMs, kAnswerStepMs);

    TSide store{dir.File("store.sqlite")};
    TSide plain{dir.File("plain.sqlite")};
    TSide bare{dir.File("bare.sqlite")};
    TSide kept{dir.File("kept.sqlite")};
    // The store creates every file, so that all of them have its schema and journal mode.
    { THistoryStore create(store.Path); }
    { THistoryStore create(plain.Path); }
    { THistoryStore create(kept.Path); }
    {
      // The bare insert needs the question rows its answers refer to.
      THistoryStore create(bare.Path);
      SQLite::Database db(bare.Path, SQLite::OPEN_READWRITE);
      SQLite::Transaction transaction(db);
      SQLite::Statement add(db, "INSERT INTO frage (id, fingerabdruck, nr) VALUES (?, ?, ?)");
      for (int recordNo = 0; recordNo < kQuestions; ++recordNo) {
        add.bind(1, recordNo + 1);
        add.bind(2, records[static_cast<std::size_t>(recordNo)].Fingerprint);
        add.bind(3, recordNo);
        add.exec();
        add.reset();
      }
      transaction.commit();
    }

    Configure(benchmark::RegisterBenchmark(
                  kStoreName, [&](benchmark::State& state) { BM_Store(state, store, answers); }))
        ->Unit(benchmark::kMicrosecond)
        ->Repetitions(kRepetitions);
    Configure(benchmark::RegisterBenchmark(kPlainName,
                                           [&](benchmark::State& state) {
                                             BM_Recorder<TPlainRecorder>(state, plain, answers);
                                           }))
        ->Unit(benchmark::kMicrosecond)
        ->Repetitions(kRepetitions);
    Configure(benchmark::RegisterBenchmark(
                  kBareName, [&](benchmark::State& state) { BM_Bare(state, bare, answers); }))
        ->Unit(benchmark::kMicrosecond)
        ->Repetitions(kRepetitions);

    Configure(benchmark::RegisterBenchmark(kKeptName,
                                           [&](benchmark::State& state) {
                                             BM_Recorder<TKeptStatementsRecorder>(state, kept,
                                                                                  answers);
                                           }))
        ->Unit(benchmark::kMicrosecond)
        ->Repetitions(kRepetitions);

    TCapturingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::cout << '\n';
    if (plain.Next > 0) {
      const std::string problem = CheckPlainFile(plain, store);
      if (!problem.empty()) {
        std::cerr << "bench_record_answer: " << problem << '\n';
        return 1;
      }
      std::cout << "C API side checked: " << plain.Next << " answers, the first "
                << std::min(plain.Next, store.Next)
                << " equal to the store's, memory states equal to the store's replay of its log\n";
    }
    std::cout << "answers recorded: store " << store.Next << ", C API " << plain.Next
              << ", bare inserts " << bare.Next << ", SQLiteCpp with statements kept " << kept.Next
              << '\n';
    PrintRatio(reporter, "record answer, store / same writes through the C API", kStoreName,
               kPlainName, "goal <= 1.2");
    PrintRatio(reporter, "record answer, store / bare one-row insert", kStoreName, kBareName,
               "reported");
    PrintRatio(reporter, "record answer, same writes through the C API / bare one-row insert",
               kPlainName, kBareName, "reported");
    // Real time holds the waits for the disk when a checkpoint syncs the WAL, the same for
    // every side; processor time shows the work of each side alone.
    PrintCpuRatio(reporter, "record answer, store / same writes through the C API, processor time",
                  kStoreName, kPlainName, "reported");
    PrintCpuRatio(reporter, "record answer, store / bare one-row insert, processor time",
                  kStoreName, kBareName, "reported");
    // The price of SQLiteCpp alone, without preparing statements anew for every answer.
    PrintRatio(reporter, "record answer, SQLiteCpp with statements kept / the C API", kKeptName,
               kPlainName, "reported");
    PrintCpuRatio(reporter,
                  "record answer, SQLiteCpp with statements kept / the C API, processor time",
                  kKeptName, kPlainName, "reported");
  } catch (const std::exception& error) {
    std::cerr << "bench_record_answer: " << error.what() << '\n';
    return 1;
  }
  benchmark::Shutdown();
  return 0;
}
