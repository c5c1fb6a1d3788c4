// The exam-date plan: which questions to answer on each day until the exam, so that every area
// of the exam licence is graded "Bestanden." at the exam moment with the highest probability the
// daily budget allows. It is computed afresh from the memory states whenever it is asked for and
// keeps nothing between calls.
#pragma once
#include "history/LearnerModel.h"

#include <cstdint>
#include <optional>
#include <vector>

// A question of the exam licence as the plan starts from it.
struct TPlanQuestion {
  int32_t RecordNo = 0;
  int Area = 0;
  std::optional<TMemoryState> State; // none: never met
  int64_t LastReviewMs = 0;
};

// An area of the exam licence: its grading limits and the learner's chance on a question never
// met (the outlook's prior).
struct TPlanArea {
  int Area = 0;
  int Questions = 0;
  int OralFrom = 0;
  int FailFrom = 0;
  double Prior = 0.25;
};

struct TPlanInputs {
  std::vector<TPlanQuestion> Questions;
  std::vector<TPlanArea> Areas;
  int64_t NowMs = 0;  // today's session; later sessions follow a day apart
  int64_t ExamMs = 0; // the exam moment
  double Budget = 0;  // answers per day, the same-day repeats of wrong answers included
  double Retention = 0.9;
  // Today's session is under way: the answers it has left, and how many questions it met for
  // the first time already (they count towards today's pace of new questions).
  std::optional<double> BudgetLeftToday;
  int NewlyMetToday = 0;
};

// How a day's questions are chosen. The plan is the trainer's; the others are the simple
// schedules it is measured against.
enum class TPlanPolicy {
  // New questions paced over the days left, then the questions whose review raises the chance to
  // pass all areas most, leftovers to new questions.
  Plan,
  // Due questions (recall below the retention), lowest recall first, then new questions.
  DueThenNew,
  // New questions paced as the plan paces them, then due questions, lowest recall first.
  PacedNewThenDue,
  // Due questions only, lowest recall first.
  DueOnly,
};

// One day of the plan.
struct TPlanDay {
  int64_t SessionMs = 0;
  int NewQuestions = 0;
  int Reviews = 0;
  // Expected answers: each question once, and again the same day when answered wrong.
  double Answers = 0;
};

// What today's plan does for one area.
struct TPlanAreaToday {
  int Area = 0;
  int Questions = 0; // planned today
  int NewQuestions = 0;
  double PassedNow = 0; // the area's chance to pass at the exam moment without further study
  // The area's chance to pass at the exam moment if the plan is kept.
  double PassedPlanned = 0;
  // The expected rise of log P(every area passed) from today's questions of the area.
  double Gain = 0;
};

struct TExamPlan {
  // Today's questions by record number, in the order the plan takes them.
  std::vector<int32_t> Today;
  // The questions the schedule still asks for today: the paced new ones not yet met and every
  // candidate for review, whether or not the budget holds them.
  int RequiredToday = 0;
  // One day per session until the exam, today first.
  std::vector<TPlanDay> Days;
  // P(every area "Bestanden.") at the exam moment if the plan is kept, and if only due questions
  // are reviewed within the same budget.
  double Projected = 0;
  double DueOnly = 0;
  // The areas with what today's questions do for them, the largest gain first.
  std::vector<TPlanAreaToday> Areas;
};

// The number of daily sessions from the inputs' now until the exam moment (the last one lies
// less than a day before it).
int PlanSessions(int64_t nowMs, int64_t examMs);

// Today's questions under a policy, by record number, in the order they are taken.
std::vector<int32_t> PlanToday(const TPlanInputs& inputs, const TLearnerModel& model,
                               TPlanPolicy policy = TPlanPolicy::Plan);

// The whole plan until the exam with its projections.
TExamPlan PlanToExam(const TPlanInputs& inputs, const TLearnerModel& model);

// P(every area passed) at the exam moment if the policy is followed every day, with the memory
// states it expects (a review succeeds with the probability of recall).
double ProjectPass(const TPlanInputs& inputs, const TLearnerModel& model, TPlanPolicy policy);
