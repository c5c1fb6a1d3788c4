// The learner's report as a JSON file: the catalogue's fingerprint, the text and the file name.
#include "history/SchoolReport.h"

#include "history/CalendarDate.h"
#include "history/Fingerprint.h"
#include "history/SchoolReportFields.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <ctime>
#include <string_view>
#include <utility>

namespace {

// Kept in the order the format lists its fields, so that a person reading the file finds them
// as the help page names them.
using TJson = nlohmann::ordered_json;

constexpr uint64_t kOffsetBasis = 14695981039346656037ull;
constexpr uint64_t kPrime = 1099511628211ull;
// Shares to a hundredth of a percent: finer digits tell the school nothing.
constexpr double kShareSteps = 10000;

double Rounded(double share) { return std::round(share * kShareSteps) / kShareSteps; }

int64_t FloorSeconds(int64_t ms) { return ms / 1000 - (ms % 1000 < 0 ? 1 : 0); }

// "2026-12-10T09:30:00Z".
std::string UtcText(int64_t ms) {
  const tm civil = CivilTime(FloorSeconds(ms));
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &civil);
  return text;
}

TJson SharesJson(const TReportShares& shares) {
  namespace F = SchoolReportField;
  return TJson{{F::Passed, Rounded(shares.Passed)},
               {F::Oral, Rounded(shares.Oral)},
               {F::Failed, Rounded(shares.Failed)}};
}

TJson AreaJson(const TReportArea& area) {
  namespace F = SchoolReportField;
  TJson json{{F::Licence, area.Licence},
             {F::Area, area.Area},
             {F::QuestionCount, area.Questions},
             {F::Met, area.Met},
             {F::Now, SharesJson(area.Now)}};
  if (area.OnExamDate)
    json[F::OnExamDate] = SharesJson(*area.OnExamDate);
  if (area.Planned)
    json[F::Planned] = Rounded(*area.Planned);
  return json;
}

TJson QuestionJson(const TReportQuestion& question) {
  namespace F = SchoolReportField;
  TJson json{{F::Fingerprint, question.Fingerprint}, {F::Number, question.Number},
             {F::Licence, question.Licence},         {F::Area, question.Area},
             {F::Answers, question.Answered},        {F::Wrong, question.Wrong}};
  if (question.CommonWrongTicks)
    json[F::CommonWrongTicks] = *question.CommonWrongTicks;
  return json;
}

bool UnfitForFileName(unsigned char c) {
  return c < 32 || c == 127 ||
         std::string_view("/\\:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos;
}

} // namespace

std::string CatalogueFingerprint(const std::vector<uint64_t>& questionFingerprints) {
  // FNV-1a over the eight bytes of each fingerprint, lowest first.
  uint64_t hash = kOffsetBasis;
  for (uint64_t fingerprint : questionFingerprints)
    for (int byte = 0; byte < 8; ++byte)
      hash = (hash ^ ((fingerprint >> (8 * byte)) & 0xFF)) * kPrime;
  return FingerprintText(hash);
}

std::string SchoolReportJson(const TSchoolReport& report) {
  namespace F = SchoolReportField;
  TJson json{{F::Format, SchoolReportFormat},
             {F::Version, SchoolReportVersion},
             {F::Name, report.Name},
             {F::Moment, UtcText(report.MomentMs)},
             {F::Edition, report.EditionOwner},
             {F::Catalogue, report.Catalogue}};
  TJson areas = TJson::array();
  for (const TReportArea& area : report.Areas)
    areas.push_back(AreaJson(area));
  TJson exams = TJson::array();
  for (const TReportExam& exam : report.Exams)
    exams.push_back({{F::Moment, UtcText(exam.MomentMs)},
                     {F::Licence, exam.Licence},
                     {F::Area, exam.Area},
                     {F::QuestionCount, exam.Questions},
                     {F::Right, exam.Right},
                     {F::Verdict, exam.Verdict}});
  TJson weeks = TJson::array();
  for (const TReportWeek& week : report.Weeks)
    weeks.push_back({{F::Week, week.Week}, {F::Answers, week.Answers}});
  TJson questions = TJson::array();
  for (const TReportQuestion& question : report.Questions)
    questions.push_back(QuestionJson(question));
  json[F::Areas] = std::move(areas);
  json[F::Exams] = std::move(exams);
  json[F::Weeks] = std::move(weeks);
  json[F::Questions] = std::move(questions);
  // A byte sequence that is no UTF-8 (a name pasted from elsewhere) becomes U+FFFD rather than
  // failing the whole report.
  return json.dump(2, ' ', false, TJson::error_handler_t::replace) + "\n";
}

std::string SchoolReportFileName(const std::string& name, int64_t momentMs,
                                 int32_t utcOffsetSeconds) {
  std::string safe;
  for (char c : name)
    safe += UnfitForFileName(static_cast<unsigned char>(c)) ? '_' : c;
  const tm civil = CivilTime(FloorSeconds(momentMs) + utcOffsetSeconds);
  char date[16];
  std::strftime(date, sizeof date, "%d.%m.%Y", &civil);
  return "Lernstand-" + safe + "-" + date + ".json";
}
