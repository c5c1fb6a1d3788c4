// The settings file beside the program and the exam limits it gives.
#include "core/ExamGrading.h"
#include "core/Licences.h"
#include "core/srcCommon.h"

#include "toolkit/Convert.h"
#include "toolkit/Cp1252.h"
#include "toolkit/Exceptions.h"
#include "toolkit/FileSystem.h"
#include "toolkit/Platform.h"

#include <cerrno>
#include <fstream>

namespace {

constexpr int32_t kDefaultExamQuestions = 30;
constexpr int32_t kDefaultFailingThreshold = 7;
// The most exam questions an area may ask. An exam draws from the questions of one area, so a
// count beyond what an area could ever hold makes no sense. The 32-bit record number is no
// useful bound (2^31 records of 1684 bytes would be 3.6 TB of catalogue); ten thousand
// questions of one area already fill 17 MB, far more than any catalogue of these exams, whose
// areas are asked 10 to 40 questions. A larger value is a slip of the keyboard, and the cap
// keeps every count computed from the limits small.
constexpr int32_t kMaxExamQuestions = 10000;

// The value of the key's last line in the settings file at `path`, empty when there is none.
void ReadIniValueFrom(const std::string& path, const std::string& key, std::string& value) {
  value.clear();
  std::ifstream file(FileSystemPath(path), std::ios::binary);
  if (!file)
    RaiseInOutError(errno == 0 ? ioFileNotFound : InOutErrorFromErrno(errno), "Öffnen", path);
  const std::string wanted = AsciiLower(Utf8ToCp1252(key));
  std::string line;
  while (std::getline(file, line)) {
    // Lines written on Windows end in CR LF; the CR belongs to the line end, not the value.
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    if (line.empty() || line[0] == ';')
      continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos)
      continue;
    if (AsciiLower(line.substr(0, equals)) == wanted)
      value = Cp1252ToUtf8(line.substr(equals + 1));
  }
  if (file.bad())
    RaiseInOutError(ioReadPastEnd, "Lesen", path);
}

// The value of `key`; empty when the line is missing or empty.
std::string SettingValue(const std::string& path, const std::string& key) {
  std::string value;
  ReadIniValueFrom(path, key, value);
  return value;
}

// Refuses the line `key`=`value` of the settings file at `path`, saying why.
[[noreturn]] void RefuseSetting(const std::string& path, const std::string& key,
                                const std::string& value, const std::string& reason) {
  throw EConvertError("Die Einstellung „" + key + "=" + value + "“ in " + path +
                      " ist ungültig: " + reason);
}

// The whole number of a setting's value; a value that is no number is refused.
int32_t SettingNumber(const std::string& path, const std::string& key, const std::string& value) {
  try {
    return StrToInt(value);
  } catch (const EConvertError& error) {
    RefuseSetting(path, key, value, error.what());
  }
}

// `number`, the value of the setting, unless it lies outside [low, high]. The message says
// that `what` must lie in that range, and ends with `why` when it is not empty.
int32_t WithinRange(const std::string& path, const std::string& key, const std::string& value,
                    int32_t number, int32_t low, int32_t high, const char* what,
                    const char* why = "") {
  if (number < low || number > high)
    RefuseSetting(path, key, value,
                  std::string(what) + " muss zwischen " + std::to_string(low) + " und " +
                      std::to_string(high) + " liegen" + why + ".");
  return number;
}

// The number of exam questions per area of the licence with key suffix `suffix`.
int32_t ExamQuestionCount(const std::string& path, const std::string& suffix) {
  const std::string key = "AnzPrfFragen" + suffix;
  const std::string value = SettingValue(path, key);
  if (value.empty())
    return kDefaultExamQuestions;
  return WithinRange(path, key, value, SettingNumber(path, key, value), 1, kMaxExamQuestions,
                     "die Zahl der Prüfungsfragen je Sachgebiet");
}

// A threshold of wrong answers given in the file. It counts answers among the exam questions,
// so it lies between 0 and the licence's number of exam questions.
int32_t WrongAnswerLimit(const std::string& path, const std::string& key, const std::string& value,
                         const std::string& suffix) {
  const int32_t number = SettingNumber(path, key, value);
  return WithinRange(path, key, value, number, 0, ExamQuestionCount(path, suffix),
                     "die Zahl der falschen Antworten",
                     ", der Zahl der Prüfungsfragen je Sachgebiet");
}

} // namespace

std::string SettingsFilePath() {
  std::string name = ProgramFileName();
  const std::size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0)
    name.erase(dot);
  return ProgramFolder() + name + ".ini";
}

void ReadIniValue(const std::string& key, std::string& value) {
  ReadIniValueFrom(SettingsFilePath(), key, value);
}

int32_t ExamLimitOf(int examLicence, int kind) {
  return ExamLimitFrom(SettingsFilePath(), examLicence, kind);
}

int32_t ExamLimitFrom(const std::string& settingsPath, int examLicence, int kind) {
  const std::string suffix = ExamKeySuffix(examLicence);
  if (suffix.empty())
    return 0;
  // Only lines present in the file are checked; a missing line keeps its default.
  switch (kind) {
  case elQuestionCount:
    return ExamQuestionCount(settingsPath, suffix);
  case elOralFrom: {
    // Without an oral threshold there is no oral band: it starts where failing starts.
    const std::string key = "AnzMuendlich" + suffix;
    const std::string value = SettingValue(settingsPath, key);
    return value.empty() ? ExamLimitFrom(settingsPath, examLicence, elFailFrom)
                         : WrongAnswerLimit(settingsPath, key, value, suffix);
  }
  case elFailFrom: {
    const std::string key = "AnzNichtBest" + suffix;
    const std::string value = SettingValue(settingsPath, key);
    return value.empty() ? kDefaultFailingThreshold
                         : WrongAnswerLimit(settingsPath, key, value, suffix);
  }
  default:
    return 0;
  }
}
