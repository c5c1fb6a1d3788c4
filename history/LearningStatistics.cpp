// The learner's figures: recall per category, the exam outlook per area, days and trouble.
#include "history/LearningStatistics.h"

#include "core/ExamGrading.h"
#include "core/Licences.h"
#include "core/srcCommon.h"
#include "history/CalendarDate.h"
#include "history/CatalogueView.h"

#include <algorithm>
#include <map>

TLearningStatistics::TLearningStatistics(THistoryStore* history, const TLearnerModel& learnerModel,
                                         double desiredRetention, int64_t nowMs)
    : store(history), model(learnerModel), retention(desiredRetention), now(nowMs) {
  const TCatalogueView catalogue = ReadCatalogueView();
  const std::vector<std::string>& fingerprints = catalogue.Fingerprints;
  for (std::size_t recordNo = 0; recordNo < fingerprints.size(); ++recordNo)
    if (!fingerprints[recordNo].empty())
      entries.push_back({static_cast<int32_t>(recordNo), catalogue.Categories[recordNo].first,
                         catalogue.Categories[recordNo].second, nullptr});
  if (store == nullptr)
    return;
  questions = store->FollowCatalogue(fingerprints);
  std::map<int32_t, const THistoryQuestion*> byRecord;
  for (const THistoryQuestion& question : questions) {
    anyAnswer = anyAnswer || question.Answers > 0;
    const auto recordNo = static_cast<std::size_t>(question.RecordNo);
    // A question whose answer key was corrected since counts as never answered.
    if (question.Memory && question.RecordNo >= 0 && recordNo < fingerprints.size() &&
        fingerprints[recordNo] == question.Fingerprint &&
        !TLearnerModel::KeyChanged(question.LastKey, catalogue.Keys[recordNo]))
      byRecord.emplace(question.RecordNo, &question);
  }
  for (TEntry& entry : entries) {
    const auto found = byRecord.find(entry.RecordNo);
    if (found != byRecord.end())
      entry.Known = found->second;
  }
}

double TLearningStatistics::RecallAt(const THistoryQuestion& question, int64_t atMs) const {
  return model.RecallAt(*question.Memory, question.LastReviewMs, atMs, now);
}

std::vector<TCategoryFigures> TLearningStatistics::Categories(int firstLicence,
                                                              int lastLicence) const {
  std::vector<TCategoryFigures> figures;
  // Read here, not with the rest: only the table needs it, and it reads the whole log.
  const std::map<int64_t, std::pair<int, int>> recallTests =
      store != nullptr ? store->RecallTests() : std::map<int64_t, std::pair<int, int>>();
  for (int licence = firstLicence; licence <= lastLicence; ++licence) {
    if (licence == 0)
      figures.push_back({0, 0, 0, 0, 0, 0, 0, 0});
    for (int area = 1; area <= AreaCount(licence); ++area)
      figures.push_back({licence, area, 0, 0, 0, 0, 0, 0});
  }
  for (const TEntry& entry : entries) {
    const int slot = CategorySlot(entry.Licence, entry.Area);
    for (TCategoryFigures& category : figures) {
      if (CategorySlot(category.Licence, category.Area) != slot)
        continue;
      ++category.Questions;
      if (entry.Known) {
        const double recall = RecallAt(*entry.Known, now);
        ++category.Answered;
        category.Due +=
            model.IsDue(*entry.Known->Memory, entry.Known->LastReviewMs, now, retention) ? 1 : 0;
        category.MeanRecall += recall;
        const auto tests = recallTests.find(entry.Known->Id);
        if (tests != recallTests.end()) {
          category.RecallTests += tests->second.first;
          category.RightRecallTests += tests->second.second;
        }
      }
    }
  }
  for (TCategoryFigures& category : figures)
    if (category.Answered > 0)
      category.MeanRecall /= category.Answered;
  return figures;
}

// The learner's first-try success rate in the area, pulled towards a quarter with little data.
double TLearningStatistics::PriorOf(int licence, int area) const {
  int firstTries = 0;
  int rightFirstTries = 0;
  for (const TEntry& entry : entries)
    if (entry.Licence == licence && entry.Area == area && entry.Known &&
        entry.Known->FirstTryRight) {
      ++firstTries;
      rightFirstTries += *entry.Known->FirstTryRight ? 1 : 0;
    }
  return (rightFirstTries + 1.0) / (firstTries + 4.0);
}

std::vector<TAreaOutlook> TLearningStatistics::Outlook(int examLicence, int64_t atMs) const {
  const int recordLicence = RecordLicence(examLicence);
  const int32_t questionsAsked = ExamLimitOf(examLicence, elQuestionCount);
  const int32_t oralFrom = ExamLimitOf(examLicence, elOralFrom);
  const int32_t failFrom = ExamLimitOf(examLicence, elFailFrom);
  std::vector<TAreaOutlook> outlook;
  for (int area = 1; area <= AreaCount(recordLicence); ++area) {
    if (!IsValidArea(examLicence, area))
      continue;
    const std::vector<double> recall = AreaRecall(examLicence, area, atMs);
    TAreaOutlook figures;
    figures.Area = area;
    for (const TEntry& entry : entries)
      if (entry.Licence == recordLicence && entry.Area == area && !entry.Known)
        ++figures.NeverAnswered;
    figures.Questions = static_cast<int>(recall.size());
    figures.Outlook = ExamOutlook(recall, questionsAsked, oralFrom, failFrom);
    outlook.push_back(figures);
  }
  return outlook;
}

std::vector<double> TLearningStatistics::AreaRecall(int examLicence, int area, int64_t atMs) const {
  const int recordLicence = RecordLicence(examLicence);
  const double prior = PriorOf(recordLicence, area);
  std::vector<double> recall;
  for (const TEntry& entry : entries)
    if (entry.Licence == recordLicence && entry.Area == area)
      recall.push_back(entry.Known ? RecallAt(*entry.Known, atMs) : prior);
  return recall;
}

std::vector<TPlanQuestion>
TLearningStatistics::PlanQuestions(int examLicence, const std::map<int64_t, bool>& answeredToday,
                                   int& answered, int& newlyMet) const {
  const int recordLicence = RecordLicence(examLicence);
  std::vector<TPlanQuestion> plan;
  answered = 0;
  newlyMet = 0;
  for (const TEntry& entry : entries) {
    if (entry.Licence != recordLicence || !IsValidArea(examLicence, entry.Area))
      continue;
    plan.push_back({entry.RecordNo, entry.Area, std::nullopt, 0});
    if (!entry.Known)
      continue;
    plan.back().State = entry.Known->Memory;
    plan.back().LastReviewMs = entry.Known->LastReviewMs;
    const auto today = answeredToday.find(entry.Known->Id);
    if (today != answeredToday.end()) {
      ++answered;
      newlyMet += today->second ? 0 : 1;
    }
  }
  return plan;
}

std::vector<TPlanArea> TLearningStatistics::PlanAreas(int examLicence) const {
  const int recordLicence = RecordLicence(examLicence);
  std::vector<TPlanArea> areas;
  for (int area = 1; area <= AreaCount(recordLicence); ++area)
    if (IsValidArea(examLicence, area))
      areas.push_back({area, ExamLimitOf(examLicence, elQuestionCount),
                       ExamLimitOf(examLicence, elOralFrom), ExamLimitOf(examLicence, elFailFrom),
                       PriorOf(recordLicence, area)});
  return areas;
}

std::vector<TDayAnswers> TLearningStatistics::LastDays(int days) const {
  std::vector<int64_t> starts;
  for (int day = days - 1; day >= 0; --day)
    starts.push_back(LocalDayStart(now, -day));
  if (store == nullptr) {
    std::vector<TDayAnswers> empty;
    for (int64_t start : starts)
      empty.push_back({start, 0, 0});
    return empty;
  }
  return store->AnswersPerDay(starts, LocalDayStart(now, 1));
}

std::vector<TTroubleQuestion> TLearningStatistics::Trouble(std::size_t count) const {
  std::vector<const TEntry*> wrong;
  for (const TEntry& entry : entries)
    if (entry.Known && entry.Known->WrongAnswers > 0)
      wrong.push_back(&entry);
  std::stable_sort(wrong.begin(), wrong.end(), [](const TEntry* a, const TEntry* b) {
    return a->Known->WrongAnswers > b->Known->WrongAnswers;
  });
  wrong.resize(std::min(count, wrong.size()));
  std::vector<TTroubleQuestion> trouble;
  for (const TEntry* entry : wrong) {
    TTroubleQuestion question;
    question.RecordNo = entry->RecordNo;
    question.WrongAnswers = entry->Known->WrongAnswers;
    const auto ticks = store->WrongTicks(entry->Known->Id);
    if (!ticks.empty()) {
      question.MostTickedWrong = ticks.front().first;
      question.HasWrongTicks = true;
    }
    trouble.push_back(question);
  }
  return trouble;
}
