// The exam-date plan: a forward simulation of the expected memory states, one session a day, in
// which each day's questions are chosen by a policy.
#include "history/ExamPlan.h"

#include "core/LearningEvents.h"
#include "history/ExamOutlook.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>

namespace {

constexpr int64_t kMsPerDay = 86400000;
// A question answered wrong is answered again later in the same session.
constexpr int64_t kRelearnMs = 10 * 60 * 1000;
// In the last days every question whose exam recall is below the goal is a candidate.
constexpr int kLastDays = 3;
constexpr double kExamRecallGoal = 0.97;
// The step of the finite difference that values a question of an area.
constexpr double kValueStep = 0.02;
constexpr double kSmallestPass = 1e-300;
// The expected memory of a question is a mixture of a few states: each review splits every state
// into success and failure, and the closest ones are merged again.
constexpr std::size_t kParts = 4;
// The plan's own answers keep one key, so that no key change restarts a memory.
const char* const kKey = "A";

struct TPart {
  double Weight = 0;
  TMemoryState State;
  int64_t LastReviewMs = 0;
};

// What the plan expects of one question; no parts: never met.
struct TBelief {
  std::vector<TPart> Parts;
};

// One candidate of a day: a question and what choosing it is worth and costs.
struct TChoice {
  std::size_t Question = 0;
  double Value = 0;
  double Recall = 0;
};

class TSimulation {
public:
  TSimulation(const TPlanInputs& planInputs, const TLearnerModel& learnerModel)
      : inputs(planInputs), model(learnerModel), beliefs(planInputs.Questions.size()) {
    for (std::size_t i = 0; i < beliefs.size(); ++i) {
      const TPlanQuestion& question = inputs.Questions[i];
      if (question.State)
        beliefs[i].Parts.push_back({1.0, *question.State, question.LastReviewMs});
      const auto area = std::find_if(inputs.Areas.begin(), inputs.Areas.end(),
                                     [&](const TPlanArea& a) { return a.Area == question.Area; });
      areaOf.push_back(area == inputs.Areas.end()
                           ? inputs.Areas.size()
                           : static_cast<std::size_t>(area - inputs.Areas.begin()));
    }
  }

  // Chooses the questions of one session and applies their expected answers.
  // With `chosen`, the questions taken, their gains in log P(every area passed) and the count the
  // schedule asks for are reported.
  TPlanDay Day(int session, int sessions, TPlanPolicy policy, std::vector<std::size_t>* chosen,
               std::vector<double>* gains, int* required);

  // P(every area passed) at the exam moment with the expected memories.
  double PassAll() const {
    double pass = 1;
    for (std::size_t a = 0; a < inputs.Areas.size(); ++a)
      pass *= AreaOutlook(a, 0).Passed;
    return pass;
  }

  TExamOutlook AreaOutlook(std::size_t area, double raise) const {
    std::vector<double> recall;
    for (std::size_t i = 0; i < beliefs.size(); ++i)
      if (areaOf[i] == area)
        recall.push_back(std::min(1.0, ExamRecall(i) + raise));
    const TPlanArea& limits = inputs.Areas[area];
    return ExamOutlook(recall, limits.Questions, limits.OralFrom, limits.FailFrom);
  }

  std::size_t AreaOf(std::size_t question) const { return areaOf[question]; }

private:
  double Prior(std::size_t question) const {
    return areaOf[question] < inputs.Areas.size() ? inputs.Areas[areaOf[question]].Prior : 0.25;
  }
  double RecallOf(const TBelief& belief, double prior, int64_t atMs) const {
    if (belief.Parts.empty())
      return prior;
    double recall = 0;
    for (const TPart& part : belief.Parts)
      recall += part.Weight * model.RecallAt(part.State, part.LastReviewMs, atMs, atMs);
    return recall;
  }
  double ExamRecall(std::size_t question) const {
    return RecallOf(beliefs[question], Prior(question), inputs.ExamMs);
  }
  TBelief Reviewed(const TBelief& belief, double prior, int64_t atMs) const;
  // The value of raising the exam recall of one question of each area by one: the derivative of
  // log P(every area passed), by a finite difference of the area's outlook.
  std::vector<double> AreaValues() const;
  // The questions to review, best first: the candidates of the policy, or with `rest` the
  // plan's other met questions whose review still raises the chance.
  std::vector<TChoice> Candidates(int64_t atMs, bool lastDays, TPlanPolicy policy,
                                  const std::vector<double>& values, bool rest = false) const;
  std::vector<TChoice> NewQuestions(int64_t atMs, TPlanPolicy policy,
                                    const std::vector<double>& values) const;

  const TPlanInputs& inputs;
  const TLearnerModel& model;
  std::vector<TBelief> beliefs;
  std::vector<std::size_t> areaOf;
};

void MergeClosest(std::vector<TPart>& parts) {
  std::sort(parts.begin(), parts.end(),
            [](const TPart& a, const TPart& b) { return a.State.Stability < b.State.Stability; });
  while (parts.size() > kParts) {
    std::size_t closest = 0;
    double gap = HUGE_VAL;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
      const double here =
          std::log(parts[i + 1].State.Stability) - std::log(parts[i].State.Stability);
      if (here < gap) {
        gap = here;
        closest = i;
      }
    }
    TPart& a = parts[closest];
    const TPart& b = parts[closest + 1];
    const double weight = a.Weight + b.Weight;
    const double share = weight > 0 ? b.Weight / weight : 0.5;
    a.State.Stability =
        std::exp((1 - share) * std::log(a.State.Stability) + share * std::log(b.State.Stability));
    a.State.Difficulty = (1 - share) * a.State.Difficulty + share * b.State.Difficulty;
    a.LastReviewMs = std::max(a.LastReviewMs, b.LastReviewMs);
    a.Weight = weight;
    parts.erase(parts.begin() + static_cast<std::ptrdiff_t>(closest) + 1);
  }
}

TBelief TSimulation::Reviewed(const TBelief& belief, double prior, int64_t atMs) const {
  TBelief after;
  auto branch = [&](const TQuestionMemory& before, double weight, double recall) {
    const TRecordedAnswer right{atMs, lmVertiefen, false, true, kKey};
    const TRecordedAnswer wrong{atMs, lmVertiefen, false, false, kKey};
    const TRecordedAnswer relearned{atMs + kRelearnMs, lmVertiefen, false, true, kKey};
    const TQuestionMemory success = model.AfterAnswer(before, right);
    const TQuestionMemory failure = model.AfterAnswer(model.AfterAnswer(before, wrong), relearned);
    after.Parts.push_back({weight * recall, *success.State, success.LastReviewMs});
    after.Parts.push_back({weight * (1 - recall), *failure.State, failure.LastReviewMs});
  };
  if (belief.Parts.empty())
    branch(TQuestionMemory{}, 1.0, prior);
  for (const TPart& part : belief.Parts)
    branch(TQuestionMemory{part.State, part.LastReviewMs, std::string(kKey)}, part.Weight,
           model.RecallAt(part.State, part.LastReviewMs, atMs, atMs));
  MergeClosest(after.Parts);
  return after;
}

std::vector<double> TSimulation::AreaValues() const {
  std::vector<double> values;
  for (std::size_t a = 0; a < inputs.Areas.size(); ++a) {
    const auto questions = static_cast<double>(std::count(areaOf.begin(), areaOf.end(), a));
    if (questions == 0) {
      values.push_back(0);
      continue;
    }
    const double base = std::log(std::max(AreaOutlook(a, 0).Passed, kSmallestPass));
    const double raised = std::log(std::max(AreaOutlook(a, kValueStep).Passed, kSmallestPass));
    values.push_back((raised - base) / (kValueStep * questions));
  }
  values.push_back(0); // questions of no listed area
  return values;
}

std::vector<TChoice> TSimulation::Candidates(int64_t atMs, bool lastDays, TPlanPolicy policy,
                                             const std::vector<double>& values, bool rest) const {
  std::vector<TChoice> candidates;
  for (std::size_t i = 0; i < beliefs.size(); ++i) {
    if (beliefs[i].Parts.empty())
      continue;
    const double recall = RecallOf(beliefs[i], Prior(i), atMs);
    const bool plan = policy == TPlanPolicy::Plan;
    // Only the plan looks at the exam; the simple schedules take due questions alone.
    const double examRecall = plan ? ExamRecall(i) : 0;
    const bool candidate =
        recall < inputs.Retention || (plan && lastDays && examRecall < kExamRecallGoal);
    if (candidate == rest)
      continue;
    double value = -recall; // lowest recall first
    if (plan) {
      // Worth per expected answer: a review that is likely to fail costs its repeat too.
      const TBelief after = Reviewed(beliefs[i], Prior(i), atMs);
      value = values[areaOf[i]] * (RecallOf(after, Prior(i), inputs.ExamMs) - examRecall) /
              (2 - recall);
    }
    if (!rest || value > 0)
      candidates.push_back({i, value, recall});
  }
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const TChoice& a, const TChoice& b) { return a.Value > b.Value; });
  return candidates;
}

// The questions never met, in the order they are taken: the plan takes the areas where learning
// one is worth most first; the simple schedules take the areas in turn.
std::vector<TChoice> TSimulation::NewQuestions(int64_t atMs, TPlanPolicy policy,
                                               const std::vector<double>& values) const {
  std::vector<std::vector<TChoice>> byArea(inputs.Areas.size() + 1);
  std::vector<double> areaValue(byArea.size(), 0);
  for (std::size_t i = 0; i < beliefs.size(); ++i) {
    if (!beliefs[i].Parts.empty())
      continue;
    const std::size_t area = areaOf[i];
    if (byArea[area].empty() && policy == TPlanPolicy::Plan) {
      const TBelief after = Reviewed(TBelief{}, Prior(i), atMs);
      areaValue[area] = values[area] * (RecallOf(after, Prior(i), inputs.ExamMs) - Prior(i));
    }
    byArea[area].push_back({i, areaValue[area], Prior(i)});
  }
  std::vector<TChoice> order;
  if (policy == TPlanPolicy::Plan) {
    std::vector<std::size_t> areas(byArea.size());
    std::iota(areas.begin(), areas.end(), 0);
    std::stable_sort(areas.begin(), areas.end(),
                     [&](std::size_t a, std::size_t b) { return areaValue[a] > areaValue[b]; });
    for (std::size_t area : areas)
      order.insert(order.end(), byArea[area].begin(), byArea[area].end());
    return order;
  }
  for (std::size_t round = 0;; ++round) {
    bool any = false;
    for (const std::vector<TChoice>& area : byArea)
      if (round < area.size()) {
        order.push_back(area[round]);
        any = true;
      }
    if (!any)
      return order;
  }
}

TPlanDay TSimulation::Day(int session, int sessions, TPlanPolicy policy,
                          std::vector<std::size_t>* chosen, std::vector<double>* gains,
                          int* required) {
  TPlanDay day;
  day.SessionMs = inputs.NowMs + session * kMsPerDay;
  const int left = sessions - session;
  const std::vector<double> values =
      policy == TPlanPolicy::Plan ? AreaValues() : std::vector<double>(inputs.Areas.size() + 1);
  const std::vector<TChoice> candidates =
      Candidates(day.SessionMs, left <= kLastDays, policy, values);
  const std::vector<TChoice> fresh = NewQuestions(day.SessionMs, policy, values);
  const bool paced = policy == TPlanPolicy::Plan || policy == TPlanPolicy::PacedNewThenDue;
  const int metToday = session == 0 ? inputs.NewlyMetToday : 0;
  const auto pace = static_cast<std::size_t>(std::max(
      0.0, std::ceil(static_cast<double>(fresh.size() + static_cast<std::size_t>(metToday)) /
                     std::max(1, left - kLastDays)) -
               metToday));
  const double budget =
      session == 0 && inputs.BudgetLeftToday ? *inputs.BudgetLeftToday : inputs.Budget;
  if (required)
    *required = static_cast<int>(candidates.size() + (paced ? std::min(pace, fresh.size()) : 0));

  std::vector<std::size_t> taken;
  double spent = 0;
  std::size_t nextNew = 0;
  // Takes choices in order while the budget holds their expected answers.
  auto take = [&](const std::vector<TChoice>& from, std::size_t begin, std::size_t end) {
    std::size_t i = begin;
    for (; i < end && i < from.size(); ++i) {
      const double cost = 2 - from[i].Recall;
      if (spent + cost > budget)
        break;
      spent += cost;
      taken.push_back(from[i].Question);
    }
    return i;
  };
  switch (policy) {
  case TPlanPolicy::Plan:
  case TPlanPolicy::PacedNewThenDue:
    nextNew = take(fresh, 0, pace);
    take(candidates, 0, candidates.size());
    if (policy == TPlanPolicy::Plan && nextNew == std::min(pace, fresh.size()) &&
        take(fresh, nextNew, fresh.size()) == fresh.size() && spent + 1 <= budget)
      take(Candidates(day.SessionMs, left <= kLastDays, policy, values, true), 0, beliefs.size());
    break;
  case TPlanPolicy::DueThenNew:
    take(candidates, 0, candidates.size());
    take(fresh, 0, fresh.size());
    break;
  case TPlanPolicy::DueOnly:
    take(candidates, 0, candidates.size());
    break;
  }
  for (std::size_t i : taken) {
    day.NewQuestions += beliefs[i].Parts.empty() ? 1 : 0;
    const double before = ExamRecall(i);
    beliefs[i] = Reviewed(beliefs[i], Prior(i), day.SessionMs);
    if (gains)
      gains->push_back(values[areaOf[i]] * (ExamRecall(i) - before));
  }
  day.Reviews = static_cast<int>(taken.size()) - day.NewQuestions;
  day.Answers = spent;
  if (chosen)
    *chosen = std::move(taken);
  return day;
}

} // namespace

int PlanSessions(int64_t nowMs, int64_t examMs) {
  if (examMs <= nowMs)
    return 0;
  return static_cast<int>((examMs - nowMs - 1) / kMsPerDay + 1);
}

std::vector<int32_t> PlanToday(const TPlanInputs& inputs, const TLearnerModel& model,
                               TPlanPolicy policy) {
  const int sessions = PlanSessions(inputs.NowMs, inputs.ExamMs);
  std::vector<int32_t> today;
  if (sessions == 0)
    return today;
  TSimulation simulation(inputs, model);
  std::vector<std::size_t> chosen;
  simulation.Day(0, sessions, policy, &chosen, nullptr, nullptr);
  for (std::size_t i : chosen)
    today.push_back(inputs.Questions[i].RecordNo);
  return today;
}

double ProjectPass(const TPlanInputs& inputs, const TLearnerModel& model, TPlanPolicy policy) {
  const int sessions = PlanSessions(inputs.NowMs, inputs.ExamMs);
  TSimulation simulation(inputs, model);
  for (int session = 0; session < sessions; ++session)
    simulation.Day(session, sessions, policy, nullptr, nullptr, nullptr);
  return simulation.PassAll();
}

TExamPlan PlanToExam(const TPlanInputs& inputs, const TLearnerModel& model) {
  TExamPlan plan;
  const int sessions = PlanSessions(inputs.NowMs, inputs.ExamMs);
  TSimulation simulation(inputs, model);
  for (std::size_t a = 0; a < inputs.Areas.size(); ++a)
    plan.Areas.push_back({inputs.Areas[a].Area, 0, 0, simulation.AreaOutlook(a, 0).Passed, 0, 0});
  for (int session = 0; session < sessions; ++session) {
    std::vector<std::size_t> chosen;
    std::vector<double> gains;
    const bool today = session == 0;
    plan.Days.push_back(simulation.Day(session, sessions, TPlanPolicy::Plan,
                                       today ? &chosen : nullptr, today ? &gains : nullptr,
                                       today ? &plan.RequiredToday : nullptr));
    for (std::size_t k = 0; k < chosen.size(); ++k) {
      const std::size_t i = chosen[k];
      plan.Today.push_back(inputs.Questions[i].RecordNo);
      const std::size_t area = simulation.AreaOf(i);
      if (area >= plan.Areas.size())
        continue;
      ++plan.Areas[area].Questions;
      plan.Areas[area].NewQuestions += inputs.Questions[i].State ? 0 : 1;
      plan.Areas[area].Gain += gains[k];
    }
  }
  // The areas are still in the order of the inputs here.
  for (std::size_t a = 0; a < plan.Areas.size(); ++a)
    plan.Areas[a].PassedPlanned = simulation.AreaOutlook(a, 0).Passed;
  std::stable_sort(
      plan.Areas.begin(), plan.Areas.end(),
      [](const TPlanAreaToday& a, const TPlanAreaToday& b) { return a.Gain > b.Gain; });
  plan.Projected = simulation.PassAll();
  plan.DueOnly = ProjectPass(inputs, model, TPlanPolicy::DueOnly);
  return plan;
}
