// The settings file beside the program and the exam limits it gives.
#include "core/ExamGrading.h"
#include "core/Licences.h"
#include "core/srcCommon.h"

#include "toolkit/Convert.h"
#include "toolkit/Cp1252.h"
#include "toolkit/Exceptions.h"
#include "toolkit/Platform.h"

#include <cerrno>
#include <fstream>

namespace {

constexpr int32_t kDefaultExamQuestions = 30;
constexpr int32_t kDefaultFailingThreshold = 7;

// The value of the key's last line in the settings file at `path`, empty when there is none.
void ReadIniValueFrom(const std::string& path, const std::string& key, std::string& value) {
  value.clear();
  std::ifstream file(path, std::ios::binary);
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

// The value of "<prefix><suffix>" for an exam licence; empty when the line is missing or empty.
std::string ExamValue(const std::string& path, const char* prefix, int licence) {
  std::string value;
  ReadIniValueFrom(path, prefix + ExamKeySuffix(licence), value);
  return value;
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
  if (ExamKeySuffix(examLicence).empty())
    return 0;
  switch (kind) {
  case elQuestionCount: {
    const std::string value = ExamValue(settingsPath, "AnzPrfFragen", examLicence);
    return value.empty() ? kDefaultExamQuestions : StrToInt(value);
  }
  case elOralFrom: {
    // Without an oral threshold there is no oral band: it starts where failing starts.
    const std::string value = ExamValue(settingsPath, "AnzMuendlich", examLicence);
    return value.empty() ? ExamLimitFrom(settingsPath, examLicence, elFailFrom) : StrToInt(value);
  }
  case elFailFrom: {
    const std::string value = ExamValue(settingsPath, "AnzNichtBest", examLicence);
    return value.empty() ? kDefaultFailingThreshold : StrToInt(value);
  }
  default:
    return 0;
  }
}
