// The exam-date plan of the learning history: the learner's licence and daily budget, and the
// plan recomputed from the log each time it is asked for.
#include "history/LearningHistory.h"

#include "core/Edition.h"
#include "core/Licences.h"
#include "history/CalendarDate.h"

#include "toolkit/Platform.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>

namespace {

const char* const kLicenceSetting = "pruefungslizenz";
const char* const kBudgetSetting = "taegliches_pensum";
constexpr int kMostAnswers = 2000;
constexpr int kMostMinutes = 600;
// The median is taken over the gaps between the latest answers; a longer gap is a pause.
constexpr int kTimedAnswers = 1001;
constexpr int64_t kLongestGapMs = 5 * 60 * 1000;
constexpr double kSecondsWithoutData = 20;
constexpr double kFewestSeconds = 2;
constexpr int64_t kMsPerDay = 86400000;
constexpr int kLearningDayStartSeconds = 4 * 3600;
const char* const kWhereToSet = "im Menü „Lernstand“ unter „Lernstatistik...“";

struct TBudget {
  int Value = 0;
  bool Minutes = false;
};

// "80", "80 Antworten", "30 min", "30 Minuten"; none for anything else or out of range.
std::optional<TBudget> ParseBudget(const std::string& text) {
  std::size_t end = 0;
  while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])))
    ++end;
  if (end == 0 || end > 5)
    return std::nullopt;
  std::string unit = text.substr(end);
  unit.erase(0, unit.find_first_not_of(' '));
  TBudget budget{std::stoi(text.substr(0, end)), false};
  if (unit == "min" || unit == "Min" || unit == "Min." || unit == "Minuten")
    budget.Minutes = true;
  else if (!unit.empty() && unit != "Antworten")
    return std::nullopt;
  if (budget.Value < 1 || budget.Value > (budget.Minutes ? kMostMinutes : kMostAnswers))
    return std::nullopt;
  return budget;
}

// The start of the learning day of `nowMs`: 04:00 local time.
int64_t LearningDayStart(int64_t nowMs) {
  const int64_t today = LocalTimeOfDay(nowMs, kLearningDayStartSeconds);
  return today <= nowMs ? today
                        : LocalTimeOfDay(LocalDayStart(nowMs, -1), kLearningDayStartSeconds);
}

// Against the schedule's own demand for today: what it still asks for, and whether the rest of
// today's budget holds it.
std::string PaceOf(const TPlanStatus& status) {
  if (status.Plan.RequiredToday > static_cast<int>(status.Remaining.size()))
    return "Im Rückstand";
  if (status.Plan.RequiredToday == 0)
    return "Voraus";
  return "Im Plan";
}

} // namespace

int TLearningHistory::ExamLicence() {
  try {
    if (THistoryStore* history = Store()) {
      const std::string text = history->Setting(kLicenceSetting).value_or("");
      const int licence = std::atoi(text.c_str());
      if (std::to_string(licence) == text && LicenceShown(licence))
        return licence;
    }
  } catch (const EHistoryError& error) {
    Report(error, "Die Lizenz des Prüfungstermins kann nicht gelesen werden.");
  }
  return 0;
}

std::string TLearningHistory::SetExamLicence(int licence) {
  if (!LicenceShown(licence) || LicenceName(licence).empty())
    return "Diese Lizenz bietet Aerolern nicht an.";
  if (THistoryStore* history = Store())
    history->SetSetting(kLicenceSetting, std::to_string(licence));
  return "";
}

std::string TLearningHistory::BudgetText() {
  try {
    if (THistoryStore* history = Store())
      return history->Setting(kBudgetSetting).value_or("");
  } catch (const EHistoryError& error) {
    Report(error, "Das tägliche Pensum kann nicht gelesen werden.");
  }
  return "";
}

std::string TLearningHistory::SetBudget(const std::string& text) {
  std::optional<TBudget> budget;
  if (!text.empty() && !(budget = ParseBudget(text)))
    return "Das tägliche Pensum „" + text + "“ wird nicht übernommen: es ist eine ganze Zahl von " +
           "1 bis " + std::to_string(kMostAnswers) + " Antworten oder von 1 bis " +
           std::to_string(kMostMinutes) + " Minuten (zum Beispiel „80“ oder „30 min“).";
  if (THistoryStore* history = Store())
    history->SetSetting(kBudgetSetting, !budget           ? std::string()
                                        : budget->Minutes ? std::to_string(budget->Value) + " min"
                                                          : std::to_string(budget->Value));
  return "";
}

double TLearningHistory::SecondsPerAnswer() {
  std::vector<double> gaps;
  try {
    if (THistoryStore* history = Store()) {
      const std::vector<int64_t> times = history->LatestAnswerTimes(kTimedAnswers);
      for (std::size_t i = 0; i + 1 < times.size(); ++i) {
        const int64_t gap = times[i] - times[i + 1];
        if (gap > 0 && gap <= kLongestGapMs)
          gaps.push_back(static_cast<double>(gap) / 1000);
      }
    }
  } catch (const EHistoryError& error) {
    Report(error, "Es gelten 20 Sekunden je Antwort.");
  }
  if (gaps.empty())
    return kSecondsWithoutData;
  std::nth_element(gaps.begin(), gaps.begin() + static_cast<std::ptrdiff_t>(gaps.size() / 2),
                   gaps.end());
  return std::max(kFewestSeconds, gaps[gaps.size() / 2]);
}

TPlanStatus TLearningHistory::PlanStatus(bool whole) {
  TPlanStatus status;
  status.ExamDate = ExamDateText();
  status.ExamLicence = ExamLicence();
  const std::optional<int64_t> examMoment = ExamMoment();
  const std::optional<TBudget> budget = ParseBudget(BudgetText());
  if (!Usable())
    status.Problem = "Ohne nutzbaren Lernverlauf gibt es keinen Lernplan.";
  else if (status.ExamDate.empty())
    status.Problem = std::string("Es ist kein Prüfungstermin gesetzt. Setzen Sie ihn ") +
                     kWhereToSet + ", mit der Lizenz und dem täglichen Pensum.";
  else if (!examMoment)
    status.Problem = "Der Prüfungstermin " + status.ExamDate + " ist vorbei. Setzen Sie " +
                     kWhereToSet + " einen neuen.";
  else if (status.ExamLicence == 0)
    status.Problem = std::string("Für den Prüfungstermin ist keine Lizenz gewählt. Wählen Sie "
                                 "sie ") +
                     kWhereToSet + " in der Prüfungsprognose und drücken Sie „Übernehmen“.";
  else if (!budget)
    status.Problem =
        std::string("Es ist kein tägliches Pensum gesetzt. Setzen Sie es ") + kWhereToSet + ".";
  if (!status.Problem.empty())
    return status;

  const int64_t now = Platform().UtcNowMs();
  status.Budget = budget->Minutes ? budget->Value * 60 / SecondsPerAnswer() : budget->Value;
  status.DaysLeft = static_cast<int>(
      std::lround(static_cast<double>(*ExamDayStart() - LocalDayStart(now, 0)) / kMsPerDay));
  try {
    const double retention = DesiredRetention();
    const TLearningStatistics statistics(Store(), model, retention, now);
    status.AnyAnswer = statistics.AnyAnswer();
    TPlanInputs inputs;
    THistoryStore& history = *Store();
    const int64_t dayStart = LearningDayStart(now);
    inputs.Questions = statistics.PlanQuestions(status.ExamLicence, history.AnsweredSince(dayStart),
                                                status.Done, inputs.NewlyMetToday);
    if (inputs.Questions.empty()) {
      status.Problem = "Der Fragenkatalog enthält keine Fragen für " +
                       LicenceName(status.ExamLicence) + "; es gibt nichts zu planen.";
      return status;
    }
    status.AnswersToday = static_cast<int>(history.AnswerCountSince(dayStart));
    inputs.Areas = statistics.PlanAreas(status.ExamLicence);
    inputs.NowMs = now;
    inputs.ExamMs = *examMoment;
    inputs.Budget = status.Budget;
    inputs.BudgetLeftToday = std::max(0.0, status.Budget - status.AnswersToday);
    inputs.Retention = retention;
    if (whole)
      status.Plan = PlanToExam(inputs, model);
    else
      status.Plan.Today = PlanToday(inputs, model);
    std::map<int32_t, int> areaOf;
    for (const TPlanQuestion& question : inputs.Questions)
      areaOf.emplace(question.RecordNo, question.Area);
    const auto licence = static_cast<int16_t>(RecordLicence(status.ExamLicence));
    for (int32_t recordNo : status.Plan.Today)
      status.Remaining.push_back(
          PoolEntry{1, 1, licence, static_cast<int16_t>(areaOf[recordNo]), recordNo});
    status.PassNow = 1;
    for (const TAreaOutlook& area : statistics.Outlook(status.ExamLicence, *examMoment))
      status.PassNow *= area.Outlook.Passed;
  } catch (const EHistoryError& error) {
    status.Problem = std::string("Der Lernverlauf kann nicht gelesen werden: ") + error.what();
    return status;
  } catch (const std::exception& error) {
    status.Problem = error.what();
    return status;
  }
  status.Pace = PaceOf(status);
  return status;
}
