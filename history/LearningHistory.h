// The learning history of the trainer: hears the learning events, records one answer per
// showing of a question, and answers what is due. It opens its file on first use.
#pragma once

#include "core/LearningEvents.h"
#include "core/srcCommon.h"
#include "history/CatalogueView.h"
#include "history/ExamPlan.h"
#include "history/HistoryStore.h"
#include "history/LearnerModel.h"
#include "history/LearnerParameters.h"
#include "history/LearningStatistics.h"
#include "history/SchoolReport.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The questions due for review among the selected categories, and the earliest due moment of
// those that are not due yet.
struct TDueQuestions {
  std::vector<PoolEntry> Entries;
  std::optional<int64_t> NextDueMs; // UTC
  // The due questions of the categories not selected.
  int DueElsewhere = 0;
  // The history could not be used or read: what is due is not known, and the learner has been
  // told why, once for the problem.
  bool Unknown = false;
};

// The exam-date plan as the learner meets it today.
struct TPlanStatus {
  // One sentence when there is no plan (no exam date, a date that has passed, no daily budget, no
  // readable history or catalogue, no questions for the licence); empty otherwise.
  std::string Problem;
  int ExamLicence = 0;
  std::string ExamDate; // "TT.MM.JJJJ"
  int DaysLeft = 0;     // calendar days until the exam day
  double Budget = 0;    // answers per day
  // The rest of today's questions and, when the whole plan was asked for, the days to come and
  // the projections; computed from the memory states of this moment with what is left of
  // today's budget.
  TExamPlan Plan;
  // The rest of today's questions, in the plan's order, for the pool.
  std::vector<PoolEntry> Remaining;
  int Done = 0;         // questions of the licence answered today
  int AnswersToday = 0; // answers given today
  // P(every area "Bestanden.") at the exam moment with no more study.
  double PassNow = 0;
  bool AnyAnswer = false;
  // "Voraus", "Im Plan" or "Im Rückstand".
  std::string Pace;
};

class TLearningHistory : public TLearningListener {
public:
  // `path`: the history file; empty for the file beside the knowledge file the settings name.
  explicit TLearningHistory(std::string path = "");
  ~TLearningHistory() override;

  void QuestionShown(const TQuestionShown& event) override;
  void AnswerChecked(const TAnswerChecked& event) override;
  void QuestionSorted(const TQuestionSorted& event) override;
  void ExamAreaGraded(const TExamAreaGraded& event) override;

  // The due questions of the categories `selected` takes (licence, area), all open.
  TDueQuestions DueQuestions(const std::function<bool(int, int)>& selected);
  // The retention below which a question is due; 0.9 until the learner chooses another.
  double DesiredRetention();
  void SetDesiredRetention(double value);
  // The exam date the learner set, as the UTC moment of its local midnight; none when it is
  // unset or has passed (today still counts).
  std::optional<int64_t> ExamDayStart();
  // The moment the outlook looks at for the exam: 09:00 local time of the exam day, or now when
  // that has passed on the day itself; none without an exam date to come.
  std::optional<int64_t> ExamMoment();
  // The exam date as stored ("TT.MM.JJJJ"), empty for none.
  std::string ExamDateText();
  // Takes the exam date "TT.MM.JJJJ" (empty clears it); returns why a date is refused, or "".
  std::string SetExamDate(const std::string& text);
  // Takes the desired retention as a whole percentage from 70 to 97; returns why a value is
  // refused, or "".
  std::string SetRetentionPercent(const std::string& text);
  // The licence the exam date is for (an exam licence this edition offers), 0 for none.
  int ExamLicence();
  // Takes the licence of the exam date; returns why it is refused, or "".
  std::string SetExamLicence(int licence);
  // The daily budget as stored: "80" answers or "30 min", empty for none.
  std::string BudgetText();
  // Takes the daily budget: a whole number of answers (1 to 2000) or of minutes ("30 min", 1 to
  // 600); empty clears it. Returns why a value is refused, or "".
  std::string SetBudget(const std::string& text);
  // The learner's median seconds per answer, from the latest answers of the log.
  double SecondsPerAnswer();
  // The plan at this moment, recomputed from the log; `whole` adds the days until the exam and
  // the projections, which take longer than today's questions.
  TPlanStatus PlanStatus(bool whole);
  // Whether the history file can be used (opened on first use; the learner has been told why
  // not).
  bool Usable();
  // The learner's figures at `nowMs`; without a usable or readable history those of the
  // catalogue alone (a history that cannot be read is reported). Raises what reading the
  // catalogue raises.
  TLearningStatistics Statistics(int64_t nowMs);
  // The model the memory states come from.
  const TLearnerModel& Model() const { return model; }
  // Which memory model is in use: "Gedächtnismodell: Standardwerte" or "Gedächtnismodell: an
  // Ihre Antworten angepasst am TT.MM.JJJJ (N Antworten)".
  std::string ModelText();
  // Whether the log is large enough for fitting the model to the learner's answers.
  bool CanAdapt();
  // Fits the model to the learner's answers now; returns one sentence for the learner: that it
  // is adapted, or why the model in use stays.
  std::string AdaptNow();
  // The report for the flight school at `nowMs`, with the name the learner gave it (see
  // history/SchoolReport.h). Raises an Exception with a German sentence when the history cannot
  // be used or read, or the catalogue or the settings cannot be read.
  TSchoolReport SchoolReport(const std::string& name, int64_t nowMs);
  // Tells the learner how many answers of the session were not recorded, if any.
  void EndSession();

private:
  // The store, opened on first use; nullptr when the file cannot be used (the learner has been
  // told why).
  THistoryStore* Store();
  void Record(const TAnswerChecked& check, bool selfGraded);
  // Takes the parameters the history keeps, replays the memory states made with others, and
  // fits anew when the log has grown by half since the last fit tried.
  void AdoptKeptParameters(THistoryStore& history);
  // Moves the history's questions to their records in the catalogue once it changed.
  void FollowCatalogue(THistoryStore& history);
  // Tells the learner what went wrong once, until the history works again; a failure that lasts
  // for the session is told even after a passing one.
  void Report(const EHistoryError& error, const char* consequence);
  // A write failed: a lasting failure ends recording for the session; either is reported.
  void Fail(const EHistoryError& error, const char* consequence);
  // Recording works (again): tells the learner so, with the answers lost meanwhile, when a
  // failure had been told.
  void RecordingWorks();

  // The catalogue's fingerprints and categories, kept while the file is unchanged (same size,
  // change time and file), since fingerprinting every record takes as long as reading it.
  const TCatalogueView& CatalogueView();

  std::string path;
  std::unique_ptr<THistoryStore> store;
  TCatalogueView catalogueView;
  std::string catalogueStamp;
  std::string followedStamp;
  TKeptParameters kept;
  TLearnerModel model;
  bool unusable = false;
  bool reported = false;
  bool reportedLasting = false;
  // Answers not recorded since the learner was last told of them.
  int lostAnswers = 0;
  // The showing of the question on display: whether it is recorded already, and its last check.
  TQuestionShown showing;
  bool showingRecorded = true;
  std::optional<TAnswerChecked> lastCheck;
};

// The history file's path: beside the knowledge file.
std::string HistoryFilePath();
