// The SQLite history file: schema, migration, recording and the memory-state cache.
#include "history/HistoryStore.h"
#include "history/FsrsFormulas.h"
#include "history/WriteAheadLog.h"
#include "toolkit/FileSystem.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <utility>

const char* const HistoryFileName = "Lernverlauf.sqlite";

// The correct letters of a question's last recorded answer, as a column of `frage`.
#define LAST_KEY                                                                                   \
  "(SELECT loesung FROM antwort WHERE antwort.frage = frage.id ORDER BY antwort.id DESC LIMIT 1)"

namespace {

constexpr int kBusyTimeoutMs = 3000;

// Version 1: questions with their memory state and answer counts (caches of the log), answers,
// exam gradings, settings, and the public view of the answers.
const char* const kSchemaVersion1 = R"sql(
CREATE TABLE frage (
  id INTEGER PRIMARY KEY,
  fingerabdruck TEXT NOT NULL,
  nr INTEGER NOT NULL,
  stabilitaet REAL,
  schwierigkeit REAL,
  letzte_wiederholung INTEGER,
  antworten INTEGER NOT NULL DEFAULT 0,
  falsch INTEGER NOT NULL DEFAULT 0,
  erste_richtig INTEGER
);
CREATE INDEX frage_fingerabdruck ON frage(fingerabdruck);
CREATE TABLE antwort (
  id INTEGER PRIMARY KEY,
  frage INTEGER NOT NULL REFERENCES frage(id),
  zeit_ms INTEGER NOT NULL,
  nr INTEGER NOT NULL,
  lizenz INTEGER NOT NULL,
  bereich INTEGER NOT NULL,
  modus INTEGER NOT NULL,
  angekreuzt TEXT NOT NULL,
  loesung TEXT NOT NULL,
  ergebnis INTEGER NOT NULL,
  art TEXT NOT NULL
);
CREATE INDEX antwort_frage ON antwort(frage, id);
CREATE INDEX antwort_zeit ON antwort(zeit_ms);
CREATE TABLE pruefung (
  id INTEGER PRIMARY KEY,
  zeit_ms INTEGER NOT NULL,
  lizenz INTEGER NOT NULL,
  bereich INTEGER NOT NULL,
  fragen INTEGER NOT NULL,
  richtig INTEGER NOT NULL,
  ergebnis TEXT NOT NULL
);
CREATE TABLE einstellung (
  name TEXT PRIMARY KEY,
  wert TEXT NOT NULL
);
CREATE VIEW antworten AS
  SELECT strftime('%Y-%m-%dT%H:%M:%SZ', zeit_ms / 1000, 'unixepoch') AS zeit, nr, lizenz,
         bereich, modus, angekreuzt, loesung, ergebnis, art
  FROM antwort ORDER BY id;
)sql";

// What went wrong, as the learner reads it, and whether it lasts for the run.
struct TProblem {
  const char* What;
  bool Lasting;
};

TProblem ProblemOf(int code) {
  switch (code & 0xFF) {
  case SQLITE_NOTADB:
    return {"die Datei ist keine SQLite-Datenbank", true};
  case SQLITE_CORRUPT:
    return {"die Datei ist beschädigt", true};
  case SQLITE_READONLY:
  case SQLITE_PERM:
    return {"die Datei ist schreibgeschützt", true};
  case SQLITE_CANTOPEN:
    return {"die Datei kann nicht geöffnet werden", true};
  case SQLITE_BUSY:
  case SQLITE_LOCKED:
    return {"die Datei ist von einem anderen Programm gesperrt", false};
  case SQLITE_FULL:
    return {"der Datenträger ist voll", false};
  case SQLITE_IOERR:
    return {"die Datei kann nicht gelesen oder geschrieben werden", false};
  default:
    return {"die Datei kann nicht benutzt werden", false};
  }
}

const char* const kReplaced =
    "die Datei wurde verschoben, gelöscht oder ersetzt, während Aerolern lief";

[[noreturn]] void Raise(const std::string& path, const std::string& what, bool lasting) {
  throw EHistoryError("Lernverlauf \"" + path + "\": " + what + ".", lasting);
}

// Raises the database's write count by one (see history/WriteAheadLog.h); inside a write
// transaction, so that page 1 heads the transaction in the log. The value is a number this
// function computed, not text from outside.
void RaiseWriteCount(SQLite::Database& database) {
  const auto count = static_cast<uint32_t>(database.execAndGet("PRAGMA application_id").getInt());
  database.exec("PRAGMA application_id=" + std::to_string(static_cast<int32_t>(count + 1)));
}

// The file at the path: device and inode, none when nothing is there.
std::optional<std::pair<uint64_t, uint64_t>> FileIdentity(const std::string& path) {
  TFileIdentity identity;
  if (!IdentifyFile(path, identity))
    return std::nullopt;
  return std::make_pair(identity.Device, identity.Number);
}

// Makes a kept statement ready for its next use, whatever the last one left.
SQLite::Statement& Fresh(SQLite::Statement& statement) {
  statement.tryReset();
  return statement;
}

// The stored state, clamped to the ranges the model keeps, so that a damaged value never turns
// into a recall outside [0, 1] or NaN.
std::optional<TMemoryState> StateOf(SQLite::Statement& row, int first) {
  const SQLite::Column stability = row.getColumn(first);
  if (stability.isNull())
    return std::nullopt;
  const auto valid = [](double value, double low, double high) {
    return std::isnan(value) ? low : std::clamp(value, low, high);
  };
  return TMemoryState{
      valid(stability.getDouble(), fsrs::kMinStability, fsrs::kMaxStability),
      valid(row.getColumn(first + 1).getDouble(), fsrs::kMinDifficulty, fsrs::kMaxDifficulty)};
}

TRecordedAnswer AsRecorded(const TAnswerRow& answer) {
  return {answer.TimeMs, answer.Mode, answer.SelfGraded, answer.Right, answer.Correct};
}

} // namespace

struct THistoryStore::TRecordingStatements {
  explicit TRecordingStatements(SQLite::Database& db)
      : Begin(db, "BEGIN IMMEDIATE"), Commit(db, "COMMIT"), Rollback(db, "ROLLBACK"),
        FindQuestion(db, "SELECT id, stabilitaet, schwierigkeit, letzte_wiederholung, " LAST_KEY
                         " FROM frage WHERE fingerabdruck = ? AND nr = ?"),
        AddQuestion(db, "INSERT INTO frage (fingerabdruck, nr) VALUES (?, ?)"),
        InsertAnswer(db, "INSERT INTO antwort (frage, zeit_ms, nr, lizenz, bereich, modus, "
                         "angekreuzt, loesung, ergebnis, art) "
                         "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        UpdateQuestion(db, "UPDATE frage SET stabilitaet = ?, schwierigkeit = ?, "
                           "letzte_wiederholung = ?, antworten = antworten + 1, "
                           "falsch = falsch + ?, erste_richtig = coalesce(erste_richtig, ?) "
                           "WHERE id = ?") {}
  SQLite::Statement Begin, Commit, Rollback, FindQuestion, AddQuestion, InsertAnswer,
      UpdateQuestion;
};

namespace {

// One write transaction on kept statements: rolled back unless committed.
class TKeptTransaction {
public:
  TKeptTransaction(SQLite::Statement& beginStatement, SQLite::Statement& rollbackStatement)
      : rollback(rollbackStatement) {
    Fresh(beginStatement).exec();
  }
  ~TKeptTransaction() {
    if (!committed)
      static_cast<void>(Fresh(rollback).tryExecuteStep());
  }
  TKeptTransaction(const TKeptTransaction&) = delete;
  TKeptTransaction& operator=(const TKeptTransaction&) = delete;
  void Commit(SQLite::Statement& commit) {
    Fresh(commit).exec();
    committed = true;
  }

private:
  SQLite::Statement& rollback;
  bool committed = false;
};

} // namespace

// Runs a database action and turns an SQLite failure into the learner's message.
template <class Action> auto THistoryStore::Guarded(const char* doing, Action&& action) {
  if (detached)
    Raise(path, std::string(kReplaced) + " (" + doing + ")", true);
  try {
    return action();
  } catch (const SQLite::Exception& error) {
    const TProblem problem = ProblemOf(error.getErrorCode());
    Raise(path, std::string(problem.What) + " (" + doing + ")", problem.Lasting);
  }
}

// Every write but the recording of an answer (which keeps its statements) goes through here: the
// file is checked to be the one opened, and the write count rises inside the transaction.
template <class Action> void THistoryStore::Writing(const char* doing, Action&& action) {
  RequireSameFile(doing);
  Guarded(doing, [&] {
    SQLite::Transaction transaction(*database, SQLite::TransactionBehavior::IMMEDIATE);
    RaiseWriteCount(*database);
    action();
    transaction.commit();
  });
}

THistoryStore::THistoryStore(const std::string& filePath) : path(filePath) {
  SetAsideLogOfAnotherFile();
  Guarded("beim Öffnen", [&] {
    // One connection per store, used by one thread: SQLite need not lock each call.
    database = std::make_unique<SQLite::Database>(
        path, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE | SQLite::OPEN_NOMUTEX, kBusyTimeoutMs);
    // A write-protected file opens for reading only; recording into it would fail later.
    if (sqlite3_db_readonly(database->getHandle(), "main") == 1)
      Raise(path, "die Datei ist schreibgeschützt", true);
    RequireOursOrEmpty();
    database->exec("PRAGMA foreign_keys=ON");
    Migrate();
    database->exec("PRAGMA journal_mode=WAL");
    database->exec("PRAGMA synchronous=NORMAL");
    recording = std::make_unique<TRecordingStatements>(*database);
  });
  const auto identity = FileIdentity(path);
  if (identity)
    std::tie(device, inode) = *identity;
}

// Closing the last connection checkpoints the log into the file and removes it with the shared
// memory, so that no log is left to meet another file.
THistoryStore::~THistoryStore() = default;

void THistoryStore::SetAsideLogOfAnotherFile() {
  try {
    if (const std::optional<std::string> aside = SetAsideForeignLog(path))
      notice = "Lernverlauf \"" + path + "\": Das Protokoll der letzten Sitzung (" + path +
               "-wal) gehört nicht zu dieser Datei; sie wurde wohl ersetzt oder aus einer "
               "Sicherung zurückgeholt. Es wurde nicht angewandt, sondern als \"" +
               *aside + "\" beiseitegelegt.";
  } catch (const Exception& error) {
    Raise(path, error.what(), true);
  }
}

std::optional<std::string> THistoryStore::TakeNotice() { return std::exchange(notice, {}); }

void THistoryStore::RequireOursOrEmpty() {
  const int version = database->execAndGet("PRAGMA user_version").getInt();
  const bool empty = database->execAndGet("SELECT count(*) FROM sqlite_master").getInt() == 0;
  SQLite::Statement answers(*database, "SELECT count(*) FROM sqlite_master "
                                       "WHERE type = 'table' AND name = ?");
  answers.bind(1, "antwort");
  answers.executeStep();
  const bool ours = version > 0 && answers.getColumn(0).getInt() == 1;
  if (!empty && !ours && version <= kHistorySchemaVersion)
    Raise(path, "die Datei ist die Datenbank eines anderen Programms, kein Lernverlauf", true);
}

void THistoryStore::RequireSameFile(const char* doing) {
  if (detached)
    return; // Guarded reports it
  const auto identity = FileIdentity(path);
  if (identity && identity->first == device && identity->second == inode)
    return;
  // What was recorded goes into the file this store holds (moved or deleted); its log is emptied
  // and removed, so that it never meets the file now at the path.
  try {
    database->exec("PRAGMA wal_checkpoint(TRUNCATE)");
  } catch (const SQLite::Exception&) {
    // the close below checkpoints as far as it can
  }
  recording.reset();
  database.reset();
  detached = true;
  try {
    ClearLogOfMovedFile(path);
  } catch (const Exception&) {
    // the log stays where it is; the next start sets it aside
  }
  Raise(path, std::string(kReplaced) + " (" + doing + ")", true);
}

void THistoryStore::Migrate() {
  SQLite::Transaction transaction(*database, SQLite::TransactionBehavior::IMMEDIATE);
  const int version = database->execAndGet("PRAGMA user_version").getInt();
  if (version > kHistorySchemaVersion)
    Raise(path,
          "die Datei stammt von einer neueren Aerolern-Version (Schema " + std::to_string(version) +
              ")",
          true);
  if (version < 1)
    database->exec(kSchemaVersion1);
  // Version 2 keeps the schema; its memory states count Lernmodus answers as exposure, not as
  // recall, and learning days from 04:00: the cache is replayed once.
  if (version == 1)
    RebuildMemoryInTransaction(TLearnerModel());
  // Later versions add their steps here, each from the one before.
  if (version < kHistorySchemaVersion) {
    database->exec("PRAGMA user_version=" + std::to_string(kHistorySchemaVersion));
    RaiseWriteCount(*database);
  }
  transaction.commit();
}

void THistoryStore::RecordAnswer(const TAnswerRow& answer, const std::string& fingerprint,
                                 const TLearnerModel& model) {
  RequireSameFile("beim Aufzeichnen einer Antwort");
  Guarded("beim Aufzeichnen einer Antwort", [&] {
    TRecordingStatements& kept = *recording;
    TKeptTransaction transaction(kept.Begin, kept.Rollback);
    RaiseWriteCount(*database);
    SQLite::Statement& find = Fresh(kept.FindQuestion);
    find.bind(1, fingerprint);
    find.bind(2, answer.RecordNo);
    int64_t question = 0;
    TQuestionMemory before;
    if (find.executeStep()) {
      question = find.getColumn(0).getInt64();
      before.State = StateOf(find, 1);
      if (!find.getColumn(3).isNull())
        before.LastReviewMs = find.getColumn(3).getInt64();
      if (!find.getColumn(4).isNull())
        before.Key = find.getColumn(4).getString();
      find.tryReset();
    } else {
      SQLite::Statement& add = Fresh(kept.AddQuestion);
      add.bind(1, fingerprint);
      add.bind(2, answer.RecordNo);
      add.exec();
      question = database->getLastInsertRowid();
    }
    SQLite::Statement& insert = Fresh(kept.InsertAnswer);
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
    insert.exec();
    const TQuestionMemory after = model.AfterAnswer(before, AsRecorded(answer));
    SQLite::Statement& update = Fresh(kept.UpdateQuestion);
    update.bind(1, after.State->Stability);
    update.bind(2, after.State->Difficulty);
    update.bind(3, after.LastReviewMs);
    update.bind(4, answer.Right ? 0 : 1);
    // Only a test of recall can be the first try that the outlook's prior counts.
    if (TLearnerModel::IsRecallTest(answer.Mode, answer.SelfGraded))
      update.bind(5, answer.Right ? 1 : 0);
    else
      update.bind(5);
    update.bind(6, question);
    update.exec();
    transaction.Commit(kept.Commit);
  });
}

void THistoryStore::RecordExam(int64_t timeMs, int licence, int area, int32_t questions,
                               int32_t right, const std::string& verdict) {
  Writing("beim Aufzeichnen einer Prüfung", [&] {
    SQLite::Statement insert(*database, "INSERT INTO pruefung (zeit_ms, lizenz, bereich, fragen, "
                                        "richtig, ergebnis) VALUES (?, ?, ?, ?, ?, ?)");
    insert.bind(1, timeMs);
    insert.bind(2, licence);
    insert.bind(3, area);
    insert.bind(4, questions);
    insert.bind(5, right);
    insert.bind(6, verdict);
    insert.exec();
  });
}

std::vector<THistoryQuestion> THistoryStore::Questions(TQuestionFacts facts) {
  return Guarded("beim Lesen", [&] {
    std::vector<THistoryQuestion> questions;
    // Questions are only ever added, so the highest id is their number: one allocation.
    const SQLite::Column highest = database->execAndGet("SELECT max(id) FROM frage");
    if (!highest.isNull())
      questions.reserve(static_cast<std::size_t>(highest.getInt64()));
    const bool counts = facts == TQuestionFacts::All;
    SQLite::Statement rows(*database,
                           counts ? "SELECT id, fingerabdruck, nr, stabilitaet, schwierigkeit, "
                                    "letzte_wiederholung, " LAST_KEY ", antworten, falsch, "
                                    "erste_richtig FROM frage ORDER BY id"
                                  : "SELECT id, fingerabdruck, nr, stabilitaet, schwierigkeit, "
                                    "letzte_wiederholung, " LAST_KEY " FROM frage ORDER BY id");
    while (rows.executeStep()) {
      THistoryQuestion& question = questions.emplace_back();
      question.Id = rows.getColumn(0).getInt64();
      question.Fingerprint = rows.getColumn(1).getString();
      question.RecordNo = rows.getColumn(2).getInt();
      question.Memory = StateOf(rows, 3);
      const SQLite::Column lastReview = rows.getColumn(5);
      question.LastReviewMs = lastReview.isNull() ? 0 : lastReview.getInt64();
      const SQLite::Column lastKey = rows.getColumn(6);
      if (!lastKey.isNull())
        question.LastKey = lastKey.getString();
      if (!counts)
        continue;
      question.Answers = rows.getColumn(7).getInt();
      question.WrongAnswers = rows.getColumn(8).getInt();
      const SQLite::Column firstRight = rows.getColumn(9);
      if (!firstRight.isNull())
        question.FirstTryRight = firstRight.getInt() != 0;
    }
    return questions;
  });
}

namespace {

// Gives each question whose record no longer holds its fingerprint the first record in use with
// that fingerprint that no other question holds, in the order of the questions. Returns the
// questions it moved.
std::vector<const THistoryQuestion*> Remap(std::vector<THistoryQuestion>& questions,
                                           const std::vector<std::string>& fingerprints) {
  const auto holds = [&](const THistoryQuestion& question) {
    return question.RecordNo >= 0 &&
           static_cast<std::size_t>(question.RecordNo) < fingerprints.size() &&
           fingerprints[static_cast<std::size_t>(question.RecordNo)] == question.Fingerprint;
  };
  std::vector<bool> held(fingerprints.size(), false);
  std::vector<THistoryQuestion*> strays;
  for (THistoryQuestion& question : questions) {
    if (holds(question))
      held[static_cast<std::size_t>(question.RecordNo)] = true;
    else
      strays.push_back(&question);
  }
  std::vector<const THistoryQuestion*> moved;
  if (strays.empty())
    return moved;
  // The free records of each fingerprint, first record last, so that taking one is a pop.
  std::unordered_map<std::string_view, std::vector<int32_t>> free;
  for (std::size_t recordNo = fingerprints.size(); recordNo-- > 0;)
    if (!held[recordNo] && !fingerprints[recordNo].empty())
      free[fingerprints[recordNo]].push_back(static_cast<int32_t>(recordNo));
  for (THistoryQuestion* question : strays) {
    const auto found = free.find(question->Fingerprint);
    if (found == free.end() || found->second.empty())
      continue;
    question->RecordNo = found->second.back();
    found->second.pop_back();
    moved.push_back(question);
  }
  return moved;
}

} // namespace

std::vector<THistoryQuestion>
THistoryStore::FollowCatalogue(const std::vector<std::string>& fingerprints, TQuestionFacts facts) {
  std::vector<THistoryQuestion> questions = Questions(facts);
  const std::vector<const THistoryQuestion*> moved = Remap(questions, fingerprints);
  if (moved.empty())
    return questions;
  Writing("beim Zuordnen der Fragen", [&] {
    SQLite::Statement update(*database, "UPDATE frage SET nr = ? WHERE id = ?");
    for (const THistoryQuestion* question : moved) {
      update.bind(1, question->RecordNo);
      update.bind(2, question->Id);
      update.exec();
      update.reset();
    }
  });
  return questions;
}

namespace {

TRecordedAnswer RecordedFrom(SQLite::Statement& row, int first) {
  TRecordedAnswer answer;
  answer.TimeMs = row.getColumn(first).getInt64();
  answer.Mode = row.getColumn(first + 1).getInt();
  answer.SelfGraded = row.getColumn(first + 2).getString() == "selbst";
  answer.Right = row.getColumn(first + 3).getInt() != 0;
  answer.Key = row.getColumn(first + 4).getString();
  return answer;
}

const char* const kLogInOrder =
    "SELECT frage, zeit_ms, modus, art, ergebnis, loesung FROM antwort ORDER BY id";

} // namespace

std::vector<std::pair<int64_t, TRecordedAnswer>> THistoryStore::LoggedAnswers() {
  return Guarded("beim Lesen", [&] {
    std::vector<std::pair<int64_t, TRecordedAnswer>> answers;
    answers.reserve(static_cast<std::size_t>(AnswerCount()));
    SQLite::Statement rows(*database, kLogInOrder);
    while (rows.executeStep())
      answers.emplace_back(rows.getColumn(0).getInt64(), RecordedFrom(rows, 1));
    return answers;
  });
}

int64_t THistoryStore::AnswerCount() {
  return Guarded("beim Lesen",
                 [&] { return database->execAndGet("SELECT count(*) FROM antwort").getInt64(); });
}

std::map<int64_t, TQuestionMemory>
THistoryStore::Replay(const TLearnerModel& model,
                      std::map<int64_t, std::optional<bool>>* firstTries) {
  std::map<int64_t, TQuestionMemory> memories;
  SQLite::Statement rows(*database, kLogInOrder);
  while (rows.executeStep()) {
    const int64_t question = rows.getColumn(0).getInt64();
    const TRecordedAnswer answer = RecordedFrom(rows, 1);
    TQuestionMemory& memory = memories[question];
    memory = model.AfterAnswer(memory, answer);
    if (firstTries && TLearnerModel::IsRecallTest(answer.Mode, answer.SelfGraded)) {
      std::optional<bool>& first = (*firstTries)[question];
      if (!first)
        first = answer.Right;
    }
  }
  return memories;
}

std::map<int64_t, TMemoryState> THistoryStore::ReplayMemoryStates(const TLearnerModel& model) {
  return Guarded("beim Lesen", [&] {
    std::map<int64_t, TMemoryState> states;
    for (const auto& [question, memory] : Replay(model, nullptr))
      if (memory.State)
        states.emplace(question, *memory.State);
    return states;
  });
}

void THistoryStore::RebuildMemory(const TLearnerModel& model) {
  Writing("beim Neuberechnen der Gedächtniszustände", [&] { RebuildMemoryInTransaction(model); });
}

void THistoryStore::RebuildMemoryInTransaction(const TLearnerModel& model) {
  std::map<int64_t, std::optional<bool>> firstTries;
  const std::map<int64_t, TQuestionMemory> memories = Replay(model, &firstTries);
  SQLite::Statement update(*database, "UPDATE frage SET stabilitaet = ?, schwierigkeit = ?, "
                                      "letzte_wiederholung = ?, erste_richtig = ? WHERE id = ?");
  for (const auto& [question, memory] : memories) {
    if (!memory.State)
      continue;
    update.bind(1, memory.State->Stability);
    update.bind(2, memory.State->Difficulty);
    update.bind(3, memory.LastReviewMs);
    const std::optional<bool>& first = firstTries[question];
    if (first)
      update.bind(4, *first ? 1 : 0);
    else
      update.bind(4);
    update.bind(5, question);
    update.exec();
    update.reset();
  }
}

std::map<int64_t, bool> THistoryStore::AnsweredSince(int64_t sinceMs) {
  return Guarded("beim Lesen", [&] {
    std::map<int64_t, bool> answered;
    // By the time index: for DISTINCT the planner would walk the question index and look up the
    // time of every answer.
    SQLite::Statement questions(
        *database, "SELECT DISTINCT frage FROM antwort INDEXED BY antwort_zeit WHERE zeit_ms >= ?");
    questions.bind(1, sinceMs);
    while (questions.executeStep())
      answered.emplace(questions.getColumn(0).getInt64(), false);
    // By the question's index, whose first entry is nearly always an earlier answer.
    SQLite::Statement earlier(*database, "SELECT EXISTS (SELECT 1 FROM antwort INDEXED BY "
                                         "antwort_frage WHERE frage = ? AND zeit_ms < ?)");
    for (auto& [question, before] : answered) {
      earlier.bind(1, question);
      earlier.bind(2, sinceMs);
      before = earlier.executeStep() && earlier.getColumn(0).getInt() != 0;
      earlier.reset();
    }
    return answered;
  });
}

int64_t THistoryStore::AnswerCountSince(int64_t sinceMs) {
  return Guarded("beim Lesen", [&] {
    SQLite::Statement count(
        *database, "SELECT count(*) FROM antwort INDEXED BY antwort_zeit WHERE zeit_ms >= ?");
    count.bind(1, sinceMs);
    count.executeStep();
    return count.getColumn(0).getInt64();
  });
}

std::vector<int64_t> THistoryStore::LatestAnswerTimes(int count) {
  return Guarded("beim Lesen", [&] {
    std::vector<int64_t> times;
    SQLite::Statement rows(*database, "SELECT zeit_ms FROM antwort ORDER BY zeit_ms DESC LIMIT ?");
    rows.bind(1, count);
    while (rows.executeStep())
      times.push_back(rows.getColumn(0).getInt64());
    return times;
  });
}

std::vector<TDayAnswers> THistoryStore::AnswersPerDay(const std::vector<int64_t>& dayStarts,
                                                      int64_t endMs) {
  std::vector<TDayAnswers> days;
  for (int64_t start : dayStarts)
    days.push_back({start, 0, 0});
  if (days.empty())
    return days;
  return Guarded("beim Lesen", [&] {
    SQLite::Statement rows(*database, "SELECT zeit_ms, ergebnis FROM antwort "
                                      "WHERE zeit_ms >= ? AND zeit_ms < ?");
    rows.bind(1, dayStarts.front());
    rows.bind(2, endMs);
    while (rows.executeStep()) {
      const int64_t time = rows.getColumn(0).getInt64();
      const auto day = std::upper_bound(dayStarts.begin(), dayStarts.end(), time) - 1;
      TDayAnswers& counts = days[static_cast<std::size_t>(day - dayStarts.begin())];
      ++(rows.getColumn(1).getInt() != 0 ? counts.Right : counts.Wrong);
    }
    return days;
  });
}

std::vector<std::pair<std::string, int>> THistoryStore::WrongTicks(int64_t questionId) {
  return Guarded("beim Lesen", [&] {
    std::vector<std::pair<std::string, int>> ticks;
    SQLite::Statement rows(*database, "SELECT angekreuzt, count(*) AS n FROM antwort "
                                      "WHERE frage = ? AND ergebnis = 0 AND art = 'antwort' "
                                      "GROUP BY angekreuzt ORDER BY n DESC, angekreuzt");
    rows.bind(1, questionId);
    while (rows.executeStep())
      ticks.emplace_back(rows.getColumn(0).getString(), rows.getColumn(1).getInt());
    return ticks;
  });
}

std::vector<TExamRow> THistoryStore::Exams() {
  return Guarded("beim Lesen", [&] {
    std::vector<TExamRow> exams;
    SQLite::Statement rows(*database, "SELECT zeit_ms, lizenz, bereich, fragen, richtig, ergebnis "
                                      "FROM pruefung ORDER BY id");
    while (rows.executeStep())
      exams.push_back({rows.getColumn(0).getInt64(), rows.getColumn(1).getInt(),
                       rows.getColumn(2).getInt(), rows.getColumn(3).getInt(),
                       rows.getColumn(4).getInt(), rows.getColumn(5).getString()});
    return exams;
  });
}

std::vector<TQuestionAnswers> THistoryStore::AnswerSummary() {
  return Guarded("beim Lesen", [&] {
    std::map<int64_t, TQuestionAnswers> byId;
    // One pass over the table in its order, as in RecallTests; joined with the questions here
    // the pass would take twice as long. The category comes from the row of the latest answer:
    // SQLite takes a bare column from the row that gives max().
    SQLite::Statement rows(*database, "SELECT frage, count(*), count(*) - sum(ergebnis), lizenz, "
                                      "bereich, max(id) FROM antwort NOT INDEXED GROUP BY frage");
    while (rows.executeStep()) {
      TQuestionAnswers& question = byId[rows.getColumn(0).getInt64()];
      question.Answers = rows.getColumn(1).getInt();
      question.Wrong = rows.getColumn(2).getInt();
      question.Licence = rows.getColumn(3).getInt();
      question.Area = rows.getColumn(4).getInt();
    }
    // As WrongTicks, for every question at once; ordered by the ticks, so that only a higher
    // count displaces the first of equals.
    SQLite::Statement ticks(*database,
                            "SELECT frage, angekreuzt, count(*) FROM antwort NOT INDEXED "
                            "WHERE ergebnis = ? AND art = ? GROUP BY frage, angekreuzt "
                            "ORDER BY frage, angekreuzt");
    ticks.bind(1, 0);
    ticks.bind(2, "antwort");
    std::map<int64_t, int> most;
    while (ticks.executeStep()) {
      const int64_t id = ticks.getColumn(0).getInt64();
      const int count = ticks.getColumn(2).getInt();
      int& best = most[id];
      if (count <= best)
        continue;
      best = count;
      byId[id].CommonWrongTicks = ticks.getColumn(1).getString();
    }
    std::vector<TQuestionAnswers> questions;
    SQLite::Statement known(*database, "SELECT id, fingerabdruck, nr FROM frage ORDER BY nr, id");
    while (known.executeStep()) {
      const auto found = byId.find(known.getColumn(0).getInt64());
      if (found == byId.end() || found->second.Answers == 0)
        continue;
      TQuestionAnswers& question = questions.emplace_back(std::move(found->second));
      question.Fingerprint = known.getColumn(1).getString();
      question.RecordNo = known.getColumn(2).getInt();
    }
    return questions;
  });
}

std::vector<std::pair<int64_t, int>> THistoryStore::AnswersPerSlot(int64_t slotMs) {
  return Guarded("beim Lesen", [&] {
    std::vector<std::pair<int64_t, int>> slots;
    SQLite::Statement rows(*database, "SELECT zeit_ms / ? AS slot, count(*) FROM antwort "
                                      "GROUP BY slot ORDER BY slot");
    rows.bind(1, slotMs);
    while (rows.executeStep())
      slots.emplace_back(rows.getColumn(0).getInt64(), rows.getColumn(1).getInt());
    return slots;
  });
}

std::map<int64_t, std::pair<int, int>> THistoryStore::RecallTests() {
  return Guarded("beim Lesen", [&] {
    std::map<int64_t, std::pair<int, int>> tests;
    // As TLearnerModel::IsRecallTest: all but the self-grades of Lernmodus (modus 1).
    // One pass over the table in its order: by the question's index the planner would look up
    // every answer's row apart.
    SQLite::Statement rows(*database, "SELECT frage, count(*), sum(ergebnis) FROM antwort "
                                      "NOT INDEXED WHERE NOT (modus = 1 AND art = 'selbst') "
                                      "GROUP BY frage");
    while (rows.executeStep())
      tests.emplace(rows.getColumn(0).getInt64(),
                    std::pair{rows.getColumn(1).getInt(), rows.getColumn(2).getInt()});
    return tests;
  });
}

int THistoryStore::PullBackReviewsAfter(int64_t limitMs, int64_t toMs) {
  const char* const doing = "beim Berichtigen der Wiederholungszeiten";
  const int ahead = Guarded(doing, [&] {
    SQLite::Statement count(*database, "SELECT count(*) FROM frage WHERE letzte_wiederholung > ?");
    count.bind(1, limitMs);
    count.executeStep();
    return count.getColumn(0).getInt();
  });
  if (ahead == 0)
    return 0; // no write transaction for nothing
  int changed = 0;
  Writing(doing, [&] {
    SQLite::Statement update(*database, "UPDATE frage SET letzte_wiederholung = ? "
                                        "WHERE letzte_wiederholung > ?");
    update.bind(1, toMs);
    update.bind(2, limitMs);
    changed = update.exec();
  });
  return changed;
}

std::optional<std::string> THistoryStore::Setting(const std::string& name) {
  return Guarded("beim Lesen", [&]() -> std::optional<std::string> {
    SQLite::Statement find(*database, "SELECT wert FROM einstellung WHERE name = ?");
    find.bind(1, name);
    if (!find.executeStep())
      return std::nullopt;
    return find.getColumn(0).getString();
  });
}

void THistoryStore::SetSetting(const std::string& name, const std::string& value) {
  Writing("beim Speichern einer Einstellung", [&] {
    SQLite::Statement upsert(*database, "INSERT INTO einstellung (name, wert) VALUES (?, ?) "
                                        "ON CONFLICT(name) DO UPDATE SET wert = excluded.wert");
    upsert.bind(1, name);
    upsert.bind(2, value);
    upsert.exec();
  });
}
