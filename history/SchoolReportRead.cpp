// Reading a learner's report from JSON, with a German reason for every refusal.
#include "history/SchoolReport.h"
#include "history/SchoolReportFields.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <limits>

namespace {

using TJson = nlohmann::json;
// The report's key names, from the one list its writer uses too.
namespace Key = SchoolReportField;

// Raised with the German reason; caught at the one entry below.
struct TRefusal {
  std::string Reason;
};

[[noreturn]] void Refuse(const std::string& reason) { throw TRefusal{reason}; }

// A field's place for the reader of a message: "bereiche[2].fragen".
std::string Place(const std::string& parent, const char* key) {
  return parent.empty() ? key : parent + "." + key;
}

std::string Quoted(const std::string& place) { return "„" + place + "“"; }

const TJson& Field(const TJson& object, const std::string& parent, const char* key) {
  const auto found = object.find(key);
  if (found == object.end())
    Refuse("Das Feld " + Quoted(Place(parent, key)) + " fehlt.");
  return *found;
}

const TJson* OptionalField(const TJson& object, const char* key) {
  const auto found = object.find(key);
  return found == object.end() || found->is_null() ? nullptr : &*found;
}

[[noreturn]] void IllTyped(const std::string& place, const std::string& what) {
  Refuse("Das Feld " + Quoted(place) + " ist " + what + ".");
}

int64_t WholeNumber(const TJson& value, const std::string& place, int64_t lowest, int64_t highest) {
  if (!value.is_number_integer())
    IllTyped(place, "keine ganze Zahl");
  const bool isUnsigned = value.is_number_unsigned();
  if (isUnsigned && value.get<uint64_t>() > static_cast<uint64_t>(highest))
    IllTyped(place, "zu groß");
  const int64_t number =
      isUnsigned ? static_cast<int64_t>(value.get<uint64_t>()) : value.get<int64_t>();
  if (number < lowest || number > highest)
    IllTyped(place, "außerhalb des erlaubten Bereichs");
  return number;
}

int Count(const TJson& object, const std::string& parent, const char* key) {
  return static_cast<int>(WholeNumber(Field(object, parent, key), Place(parent, key), 0,
                                      std::numeric_limits<int>::max()));
}

double Share(const TJson& value, const std::string& place) {
  if (!value.is_number())
    IllTyped(place, "keine Zahl");
  const double share = value.get<double>();
  if (!(share >= 0.0 && share <= 1.0))
    IllTyped(place, "kein Anteil zwischen 0 und 1");
  return share;
}

std::string Text(const TJson& value, const std::string& place) {
  if (!value.is_string())
    IllTyped(place, "kein Text");
  return value.get<std::string>();
}

const TJson& Array(const TJson& object, const std::string& parent, const char* key) {
  const TJson& value = Field(object, parent, key);
  if (!value.is_array())
    IllTyped(Place(parent, key), "keine Liste");
  return value;
}

const TJson& Object(const TJson& value, const std::string& place) {
  if (!value.is_object())
    IllTyped(place, "kein Objekt");
  return value;
}

std::string Element(const std::string& list, std::size_t index) {
  return list + "[" + std::to_string(index) + "]";
}

bool IsLowerHex(const std::string& text, std::size_t length) {
  if (text.size() != length)
    return false;
  for (char c : text)
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
      return false;
  return true;
}

std::string Fingerprint(const TJson& object, const std::string& parent, const char* key) {
  const std::string place = Place(parent, key);
  std::string text = Text(Field(object, parent, key), place);
  if (!IsLowerHex(text, 16))
    IllTyped(place, "kein Fingerabdruck aus 16 Hexadezimalziffern");
  return text;
}

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar (H. Hinnant's algorithm).
int64_t DaysFromCivil(int64_t year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// "2026-12-10T09:30:00Z", with an optional fraction of a second, as UTC milliseconds.
int64_t Moment(const TJson& object, const std::string& parent, const char* key) {
  const std::string place = Place(parent, key);
  const std::string text = Text(Field(object, parent, key), place);
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, used = 0;
  const bool parsed = text.size() >= 20 &&
                      std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%n", &year, &month, &day,
                                  &hour, &minute, &second, &used) == 6 &&
                      used == 19 && text[4] == '-' && text[7] == '-' && text[13] == ':' &&
                      text[16] == ':';
  std::size_t at = 19;
  int milliseconds = 0;
  if (parsed && at < text.size() && text[at] == '.') {
    int scale = 100;
    for (++at; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at, scale /= 10)
      milliseconds += (text[at] - '0') * scale;
  }
  const bool valid = parsed && at + 1 == text.size() && text[at] == 'Z' && year >= 1970 &&
                     month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month) &&
                     hour <= 23 && minute <= 59 && second <= 59;
  if (!valid)
    IllTyped(place, "kein Zeitpunkt der Form 2026-12-10T09:30:00Z");
  const int64_t seconds =
      DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
  return seconds * 1000 + milliseconds;
}

TReportShares Shares(const TJson& value, const std::string& place) {
  const TJson& object = Object(value, place);
  TReportShares shares;
  shares.Passed = Share(Field(object, place, Key::Passed), Place(place, Key::Passed));
  shares.Oral = Share(Field(object, place, Key::Oral), Place(place, Key::Oral));
  shares.Failed = Share(Field(object, place, Key::Failed), Place(place, Key::Failed));
  return shares;
}

int Licence(const TJson& object, const std::string& parent) {
  return static_cast<int>(WholeNumber(Field(object, parent, Key::Licence),
                                      Place(parent, Key::Licence), 0,
                                      std::numeric_limits<int16_t>::max()));
}

int Area(const TJson& object, const std::string& parent) {
  return static_cast<int>(WholeNumber(Field(object, parent, Key::Area), Place(parent, Key::Area), 0,
                                      std::numeric_limits<int16_t>::max()));
}

TReportArea ReadArea(const TJson& value, const std::string& place) {
  const TJson& object = Object(value, place);
  TReportArea area;
  area.Licence = Licence(object, place);
  area.Area = Area(object, place);
  area.Questions = Count(object, place, Key::QuestionCount);
  area.Met = Count(object, place, Key::Met);
  area.Now = Shares(Field(object, place, Key::Now), Place(place, Key::Now));
  if (const TJson* onExamDate = OptionalField(object, Key::OnExamDate))
    area.OnExamDate = Shares(*onExamDate, Place(place, Key::OnExamDate));
  if (const TJson* planned = OptionalField(object, Key::Planned))
    area.Planned = Share(*planned, Place(place, Key::Planned));
  return area;
}

TReportExam ReadExam(const TJson& value, const std::string& place) {
  const TJson& object = Object(value, place);
  TReportExam exam;
  exam.MomentMs = Moment(object, place, Key::Moment);
  exam.Licence = Licence(object, place);
  exam.Area = Area(object, place);
  exam.Questions = Count(object, place, Key::QuestionCount);
  exam.Right = Count(object, place, Key::Right);
  if (exam.Right > exam.Questions)
    IllTyped(Place(place, Key::Right), "größer als die Zahl der Fragen");
  exam.Verdict = Text(Field(object, place, Key::Verdict), Place(place, Key::Verdict));
  return exam;
}

TReportWeek ReadWeek(const TJson& value, const std::string& place) {
  const TJson& object = Object(value, place);
  TReportWeek week;
  week.Week = Text(Field(object, place, Key::Week), Place(place, Key::Week));
  int year = 0, number = 0, used = 0;
  if (week.Week.size() != 8 ||
      std::sscanf(week.Week.c_str(), "%4d-W%2d%n", &year, &number, &used) != 2 || used != 8 ||
      number < 1 || number > 53)
    IllTyped(Place(place, Key::Week), "keine Kalenderwoche der Form 2026-W50");
  week.Answers = Count(object, place, Key::Answers);
  return week;
}

// A set of ticks: the letters A to D in order, each at most once; empty for none ticked.
bool IsTickSet(const std::string& ticks) {
  char last = 'A' - 1;
  for (char c : ticks) {
    if (c < 'A' || c > 'D' || c <= last)
      return false;
    last = c;
  }
  return true;
}

TReportQuestion ReadQuestion(const TJson& value, const std::string& place) {
  const TJson& object = Object(value, place);
  TReportQuestion question;
  question.Fingerprint = Fingerprint(object, place, Key::Fingerprint);
  question.Number = Count(object, place, Key::Number);
  question.Licence = Licence(object, place);
  question.Area = Area(object, place);
  question.Answered = Count(object, place, Key::Answers);
  question.Wrong = Count(object, place, Key::Wrong);
  if (question.Wrong > question.Answered)
    IllTyped(Place(place, Key::Wrong), "größer als die Zahl der Antworten");
  if (const TJson* ticks = OptionalField(object, Key::CommonWrongTicks)) {
    const std::string ticksPlace = Place(place, Key::CommonWrongTicks);
    question.CommonWrongTicks = Text(*ticks, ticksPlace);
    if (!IsTickSet(*question.CommonWrongTicks))
      IllTyped(ticksPlace, "keine Auswahl aus den Buchstaben A bis D");
  }
  return question;
}

template <typename T, typename TRead>
std::vector<T> List(const TJson& object, const char* key, TRead read) {
  const TJson& array = Array(object, "", key);
  std::vector<T> items;
  items.reserve(array.size());
  for (std::size_t index = 0; index < array.size(); ++index)
    items.push_back(read(array[index], Element(key, index)));
  return items;
}

void CheckFormat(const TJson& root) {
  const auto format = root.find(Key::Format);
  if (format == root.end() || !format->is_string() || *format != SchoolReportFormat)
    Refuse(std::string("Die Datei ist kein Lernstandsbericht von Aerolern (das Feld „") +
           Key::Format + "“ heißt nicht „" + SchoolReportFormat + "“).");
  const int64_t version =
      WholeNumber(Field(root, "", Key::Version), Key::Version, 1, std::numeric_limits<int>::max());
  if (version > SchoolReportVersion)
    Refuse("Der Bericht hat die Version " + std::to_string(version) +
           ", dieses Programm liest Berichte bis Version " + std::to_string(SchoolReportVersion) +
           "; bitte Aerolern aktualisieren.");
}

// The characters of a UTF-8 text: every byte that does not continue a sequence starts one.
std::size_t CodePoints(const std::string& text) {
  std::size_t count = 0;
  for (char c : text)
    count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
  return count;
}

TSchoolReport Read(const TJson& root) {
  if (!root.is_object())
    Refuse("Die Datei ist kein Lernstandsbericht von Aerolern (kein JSON-Objekt).");
  CheckFormat(root);
  TSchoolReport report;
  report.Name = Text(Field(root, "", Key::Name), Key::Name);
  if (report.Name.empty())
    IllTyped(Key::Name, "leer");
  if (CodePoints(report.Name) > SchoolReportNameLength)
    IllTyped(Key::Name, "länger als " + std::to_string(SchoolReportNameLength) + " Zeichen");
  report.MomentMs = Moment(root, "", Key::Moment);
  report.EditionOwner = Text(Field(root, "", Key::Edition), Key::Edition);
  report.Catalogue = Fingerprint(root, "", Key::Catalogue);
  report.Areas = List<TReportArea>(root, Key::Areas, ReadArea);
  report.Exams = List<TReportExam>(root, Key::Exams, ReadExam);
  report.Weeks = List<TReportWeek>(root, Key::Weeks, ReadWeek);
  report.Questions = List<TReportQuestion>(root, Key::Questions, ReadQuestion);
  return report;
}

} // namespace

std::optional<TSchoolReport> ReadSchoolReport(const std::string& json, std::string& problem) {
  problem.clear();
  TJson root;
  try {
    root = TJson::parse(json);
  } catch (const TJson::parse_error& error) {
    problem =
        "Die Datei ist kein gültiges JSON (Fehler bei Byte " + std::to_string(error.byte) + ").";
    return std::nullopt;
  }
  try {
    return Read(root);
  } catch (const TRefusal& refusal) {
    problem = refusal.Reason;
    return std::nullopt;
  }
}
