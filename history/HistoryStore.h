// The history file "Lernverlauf.sqlite": every recorded answer, the exam gradings, the memory
// state of each question as a cache of the log, and the learner's choices.
#pragma once

#include "history/LearnerModel.h"

#include "toolkit/Exceptions.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace SQLite {
class Database;
class Statement;
} // namespace SQLite

// A failure of the history file, with a German sentence that names the file and what is wrong.
class EHistoryError : public Exception {
public:
  EHistoryError(const std::string& message, bool lasting) : Exception(message), Lasting(lasting) {}
  // Whether the file stays unusable for the run (not a database, damaged, newer, read-only),
  // rather than for one answer (locked, disk full).
  bool Lasting;
};

// The schema version this program writes; older files are migrated forward.
constexpr int kHistorySchemaVersion = 2;
// The name of the history file, kept in the knowledge file's folder.
extern const char* const HistoryFileName;

// One answer as the view `antworten` shows it.
struct TAnswerRow {
  int64_t TimeMs = 0; // UTC
  int32_t RecordNo = 0;
  int Licence = 0;
  int Area = 0;
  int Mode = 0;
  std::string Ticked;  // "BD", empty for none
  std::string Correct; // the same form
  bool Right = false;
  bool SelfGraded = false; // "selbst" rather than "antwort"
};

// A question the history knows: its fingerprint, last known record number and memory state.
struct THistoryQuestion {
  int64_t Id = 0;
  std::string Fingerprint;
  int32_t RecordNo = 0;
  std::optional<TMemoryState> Memory;
  int64_t LastReviewMs = 0;
  // The correct letters its last answer was given with; none before the first answer.
  std::optional<std::string> LastKey;
  int Answers = 0;
  int WrongAnswers = 0;
  // Whether the first test of recall was right; none before the first one (an exposure in
  // Lernmodus is no test).
  std::optional<bool> FirstTryRight;
};

// The right and wrong answers recorded on one local calendar day.
struct TDayAnswers {
  int64_t DayStartMs = 0; // UTC moment of the local midnight
  int Right = 0;
  int Wrong = 0;
};

// A graded exam area as the history keeps it.
struct TExamRow {
  int64_t TimeMs = 0; // UTC
  int Licence = 0;
  int Area = 0;
  int Questions = 0;
  int Right = 0;
  std::string Verdict;
};

// What the log holds of one question answered at least once.
struct TQuestionAnswers {
  std::string Fingerprint;
  int32_t RecordNo = 0; // last known record number
  // The category of its latest answer.
  int Licence = 0;
  int Area = 0;
  int Answers = 0;
  int Wrong = 0;
  // The ticks of the wrong answers given most often (the first in letter order among equals);
  // none when no answer with ticks was wrong, as with wrong self-grades only.
  std::optional<std::string> CommonWrongTicks;
};

class THistoryStore {
public:
  // Opens the file, creating it when missing, and brings its schema up to date. An empty file
  // gets the schema; a database of another program is refused unchanged. A log left beside the
  // file that was written for another file is set aside first (see history/WriteAheadLog.h).
  explicit THistoryStore(const std::string& path);
  ~THistoryStore();
  THistoryStore(const THistoryStore&) = delete;
  THistoryStore& operator=(const THistoryStore&) = delete;

  const std::string& Path() const { return path; }
  // What the learner should know about the opening (a log set aside), once; none otherwise.
  std::optional<std::string> TakeNotice();

  // Every write first makes sure that the file at the path is still the one the store opened:
  // when it was moved, deleted or replaced, the store lets go of it for good and raises a lasting
  // EHistoryError, so that nothing is written into a file the learner no longer has.

  // Records one answer of the question with the fingerprint and updates its memory state, in
  // one transaction. The question is the one at the answer's record number with that
  // fingerprint; a question the history does not know yet is added.
  // The model gives the question's new memory state; the store keeps it.
  void RecordAnswer(const TAnswerRow& answer, const std::string& fingerprint,
                    const TLearnerModel& model = TLearnerModel());
  // Records the grading of an exam area.
  void RecordExam(int64_t timeMs, int licence, int area, int32_t questions, int32_t right,
                  const std::string& verdict);

  // What of each question is read: everything, or only what scheduling needs (the answer
  // counts and FirstTryRight stay zero), which is quicker for the due questions.
  enum class TQuestionFacts { All, Memory };

  std::vector<THistoryQuestion> Questions(TQuestionFacts facts = TQuestionFacts::All);
  // Moves questions whose record now holds another text to the first record in use with their
  // fingerprint that no other question holds; `fingerprints` has one entry per record, empty
  // for a record not in use. Returns the questions afterwards.
  std::vector<THistoryQuestion> FollowCatalogue(const std::vector<std::string>& fingerprints,
                                                TQuestionFacts facts = TQuestionFacts::All);
  // Every recorded answer in the order recorded, with its question's id.
  std::vector<std::pair<int64_t, TRecordedAnswer>> LoggedAnswers();
  // The number of recorded answers.
  int64_t AnswerCount();
  // The memory states replayed from the log alone, by question id.
  std::map<int64_t, TMemoryState> ReplayMemoryStates(const TLearnerModel& model = TLearnerModel());
  // Replays the log with the model and writes every question's memory state, last review and
  // first try anew, in one transaction: after the model's parameters or rules changed.
  void RebuildMemory(const TLearnerModel& model);

  // The questions answered at or after `sinceMs`, each with whether it had been answered before.
  std::map<int64_t, bool> AnsweredSince(int64_t sinceMs);
  // The number of answers at or after `sinceMs`.
  int64_t AnswerCountSince(int64_t sinceMs);
  // The moments of the latest `count` answers, latest first.
  std::vector<int64_t> LatestAnswerTimes(int count);
  // The answers per day for days that start at `dayStarts` (ascending UTC moments); the last day
  // ends at `endMs`.
  std::vector<TDayAnswers> AnswersPerDay(const std::vector<int64_t>& dayStarts, int64_t endMs);
  // How often each wrong tick pattern was given for the question, most often first.
  std::vector<std::pair<std::string, int>> WrongTicks(int64_t questionId);
  // Every graded exam area in the order recorded.
  std::vector<TExamRow> Exams();
  // Every question answered at least once, in the order of their record numbers; two passes over
  // the log however many questions there are.
  std::vector<TQuestionAnswers> AnswerSummary();
  // The number of answers in each slot of `slotMs` milliseconds that holds any, by the slot's
  // number (its UTC start divided by `slotMs`), in order.
  std::vector<std::pair<int64_t, int>> AnswersPerSlot(int64_t slotMs);
  // The tests of recall of every question answered (not Lernmodus's "Klar" and "Unklar", which are
  // exposure): question id → how many, and how many of them were right.
  std::map<int64_t, std::pair<int, int>> RecallTests();

  // Sets every last review later than `limitMs` to `toMs`: reviews recorded while the clock was
  // ahead. Returns how many were set.
  int PullBackReviewsAfter(int64_t limitMs, int64_t toMs);

  std::optional<std::string> Setting(const std::string& name);
  void SetSetting(const std::string& name, const std::string& value);

private:
  // The statements of recording an answer, prepared once: an answer is recorded often.
  struct TRecordingStatements;

  template <class Action> auto Guarded(const char* doing, Action&& action);
  template <class Action> void Writing(const char* doing, Action&& action);
  void SetAsideLogOfAnotherFile();
  void RequireOursOrEmpty();
  void RequireSameFile(const char* doing);
  void Migrate();
  void RebuildMemoryInTransaction(const TLearnerModel& model);
  std::map<int64_t, TQuestionMemory> Replay(const TLearnerModel& model,
                                            std::map<int64_t, std::optional<bool>>* firstTries);

  std::string path;
  std::unique_ptr<SQLite::Database> database;
  std::unique_ptr<TRecordingStatements> recording;
  // The file the store opened, and whether it has let go of it.
  uint64_t device = 0;
  uint64_t inode = 0;
  bool detached = false;
  std::optional<std::string> notice;
};
