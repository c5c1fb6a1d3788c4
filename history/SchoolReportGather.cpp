// Gathering the learner's report for the flight school from the catalogue, the settings and the
// history.
#include "history/LearningHistory.h"

#include "core/Edition.h"
#include "core/Licences.h"
#include "history/CalendarDate.h"

#include "toolkit/Exceptions.h"

#include <map>

namespace {

// Answers are counted per quarter of an hour and these added up per week: every time zone's
// offset and every change of the clocks falls on a quarter hour, so no slot spans two weeks.
constexpr int64_t kSlotMs = 15 * 60 * 1000;

TReportShares SharesOf(const TExamOutlook& outlook) {
  return {outlook.Passed, outlook.Oral, outlook.Failed};
}

std::string CatalogueFingerprintOf(const TCatalogueView& catalogue) {
  std::vector<uint64_t> fingerprints;
  for (const std::string& fingerprint : catalogue.Fingerprints)
    if (!fingerprint.empty())
      fingerprints.push_back(std::stoull(fingerprint, nullptr, 16));
  return CatalogueFingerprint(fingerprints);
}

std::vector<TReportWeek> WeeksOf(THistoryStore& history) {
  std::map<std::string, int> answers;
  for (const auto& [slot, count] : history.AnswersPerSlot(kSlotMs))
    answers[IsoWeekText(slot * kSlotMs)] += count;
  std::vector<TReportWeek> weeks;
  for (const auto& [week, count] : answers)
    weeks.push_back({week, count});
  return weeks;
}

} // namespace

TSchoolReport TLearningHistory::SchoolReport(const std::string& name, int64_t nowMs) {
  THistoryStore* history = Store();
  if (history == nullptr)
    throw Exception("Ohne nutzbaren Lernverlauf gibt es keinen Bericht.");
  TSchoolReport report;
  report.Name = name;
  report.MomentMs = nowMs;
  report.EditionOwner = EditionOwnerFullName;
  const TCatalogueView& catalogue = CatalogueView();
  report.Catalogue = CatalogueFingerprintOf(catalogue);

  const TLearningStatistics statistics(history, model, DesiredRetention(), nowMs);
  const std::optional<int64_t> examMoment = ExamMoment();
  // The plan's projection exists for the areas of the exam licence only, and only with a plan.
  const TPlanStatus plan = PlanStatus(true);
  std::map<int, double> planned;
  if (plan.Problem.empty())
    for (const TPlanAreaToday& area : plan.Plan.Areas)
      planned.emplace(area.Area, area.PassedPlanned);
  for (int licence = kFirstLicence; licence <= kLastLicence; ++licence) {
    if (!LicenceShown(licence))
      continue;
    const std::vector<TAreaOutlook> now = statistics.Outlook(licence, nowMs);
    std::vector<TAreaOutlook> onExamDate;
    if (examMoment)
      onExamDate = statistics.Outlook(licence, *examMoment);
    for (std::size_t i = 0; i < now.size(); ++i) {
      TReportArea& area = report.Areas.emplace_back();
      area.Licence = licence;
      area.Area = now[i].Area;
      area.Questions = now[i].Questions;
      area.Met = now[i].Questions - now[i].NeverAnswered;
      area.Now = SharesOf(now[i].Outlook);
      if (examMoment)
        area.OnExamDate = SharesOf(onExamDate[i].Outlook);
      const auto projection = planned.find(area.Area);
      if (licence == plan.ExamLicence && projection != planned.end())
        area.Planned = projection->second;
    }
  }

  for (const TExamRow& exam : history->Exams())
    report.Exams.push_back(
        {exam.TimeMs, exam.Licence, exam.Area, exam.Questions, exam.Right, exam.Verdict});
  report.Weeks = WeeksOf(*history);
  // The statistics have followed the catalogue: a question its record still holds takes the
  // record's category, one the catalogue no longer has keeps that of its latest answer.
  for (const TQuestionAnswers& answered : history->AnswerSummary()) {
    TReportQuestion& question = report.Questions.emplace_back();
    question.Fingerprint = answered.Fingerprint;
    question.Number = answered.RecordNo;
    question.Licence = answered.Licence;
    question.Area = answered.Area;
    const auto recordNo = static_cast<std::size_t>(answered.RecordNo);
    if (answered.RecordNo >= 0 && recordNo < catalogue.Fingerprints.size() &&
        catalogue.Fingerprints[recordNo] == answered.Fingerprint) {
      question.Licence = catalogue.Categories[recordNo].first;
      question.Area = catalogue.Categories[recordNo].second;
    }
    question.Answered = answered.Answers;
    question.Wrong = answered.Wrong;
    question.CommonWrongTicks = answered.CommonWrongTicks;
  }
  return report;
}
