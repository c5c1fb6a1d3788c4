// Tests of the exam-date plan: pacing, budget, ranking, the last days and the projections.
#include "history/ExamPlan.h"
#include "support/CoreFixture.h"

#include <algorithm>
#include <set>

namespace {

constexpr int64_t kDay = 86400000;
constexpr int64_t kNow = 1'800'000'000'000;

// `areas` areas of `perArea` questions each, all never met, graded 30 questions, oral from 6,
// failed from 8 wrong.
TPlanInputs Licence(int areas, int perArea, int days, double budget) {
  TPlanInputs inputs;
  for (int area = 1; area <= areas; ++area) {
    inputs.Areas.push_back({area, 30, 6, 8, 0.25});
    for (int i = 0; i < perArea; ++i)
      inputs.Questions.push_back(
          {static_cast<int32_t>(inputs.Questions.size()), area, std::nullopt, 0});
  }
  inputs.NowMs = kNow;
  inputs.ExamMs = kNow + days * kDay - kDay / 2;
  inputs.Budget = budget;
  return inputs;
}

// Every question met once, `daysAgo` days before now, with a state that is as strong as `good`.
void MeetAll(TPlanInputs& inputs, const TLearnerModel& model, int area, bool good, int daysAgo) {
  for (TPlanQuestion& question : inputs.Questions)
    if (question.Area == area) {
      question.State = model.Fsrs().FirstReview(good ? 3 : 1);
      question.LastReviewMs = kNow - daysAgo * kDay;
    }
}

class ExamPlanTest : public CoreTest {};

TEST_F(ExamPlanTest, PacesNewQuestionsAndKeepsTheBudget) {
  const TLearnerModel model;
  // Ten sessions: the new questions are spread over the seven before the last three days.
  TPlanInputs inputs = Licence(2, 100, 10, 1000);
  EXPECT_EQ(PlanSessions(inputs.NowMs, inputs.ExamMs), 10);
  EXPECT_EQ(PlanToday(inputs, model, TPlanPolicy::PacedNewThenDue).size(), 29u);
  // The plan gives what the budget leaves to more new questions.
  EXPECT_EQ(PlanToday(inputs, model).size(), 200u);

  inputs.Budget = 40;
  const TExamPlan plan = PlanToExam(inputs, model);
  ASSERT_EQ(plan.Days.size(), 10u);
  EXPECT_EQ(plan.RequiredToday, 29);
  for (const TPlanDay& day : plan.Days)
    EXPECT_LE(day.Answers, 40);
  // A new question at a first-try chance of a quarter costs 1.75 answers.
  EXPECT_EQ(plan.Today.size(), 22u);
  EXPECT_EQ(plan.Days.front().NewQuestions, 22);
  const std::set<int32_t> distinct(plan.Today.begin(), plan.Today.end());
  EXPECT_EQ(distinct.size(), plan.Today.size());

  // On the exam day after 09:00 there is nothing left to plan.
  inputs.ExamMs = kNow - 1;
  const TExamPlan late = PlanToExam(inputs, model);
  EXPECT_TRUE(late.Today.empty());
  EXPECT_TRUE(late.Days.empty());
  EXPECT_DOUBLE_EQ(late.Projected, late.DueOnly);
}

TEST_F(ExamPlanTest, SpendsATightBudgetWhereTheChanceToPassRisesMost) {
  const TLearnerModel model;
  TPlanInputs inputs = Licence(2, 60, 5, 30);
  // Both areas are due; area 2 is the weak one that decides whether the exam is passed.
  MeetAll(inputs, model, 1, true, 8);
  MeetAll(inputs, model, 2, false, 3);
  const TExamPlan plan = PlanToExam(inputs, model);
  ASSERT_FALSE(plan.Today.empty());
  for (int32_t recordNo : plan.Today)
    EXPECT_EQ(inputs.Questions[static_cast<std::size_t>(recordNo)].Area, 2);
  ASSERT_EQ(plan.Areas.size(), 2u);
  EXPECT_EQ(plan.Areas.front().Area, 2);
  EXPECT_GT(plan.Areas.front().Gain, 0);
  EXPECT_EQ(plan.Areas.back().Questions, 0);
  // Reviewing due questions alone does less than the plan, and both more than doing nothing.
  EXPECT_GT(plan.Projected, plan.DueOnly);
  const TPlanInputs nothing = [&] {
    TPlanInputs none = inputs;
    none.Budget = 0;
    return none;
  }();
  EXPECT_GT(plan.DueOnly, ProjectPass(nothing, model, TPlanPolicy::Plan));

  // In the last three days a question that is not due but would be forgotten by the exam is
  // reviewed too.
  TPlanInputs last = Licence(1, 40, 2, 200);
  MeetAll(last, model, 1, true, 0);
  EXPECT_TRUE(PlanToday(last, model, TPlanPolicy::DueOnly).empty());
  EXPECT_EQ(PlanToday(last, model).size(), 40u);
}

TEST_F(ExamPlanTest, BeatsDueThenNewForACrammedExam) {
  // Five areas of 100 questions, 80 answers a day for 28 days, the model taken as the truth.
  const TLearnerModel model;
  const TPlanInputs inputs = Licence(5, 100, 28, 80);
  const double plan = ProjectPass(inputs, model, TPlanPolicy::Plan);
  const double dueThenNew = ProjectPass(inputs, model, TPlanPolicy::DueThenNew);
  EXPECT_GT(plan, dueThenNew + 0.3) << plan << " against " << dueThenNew;
  EXPECT_GT(plan, ProjectPass(inputs, model, TPlanPolicy::PacedNewThenDue));
}

} // namespace
