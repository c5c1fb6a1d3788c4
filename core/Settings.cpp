// The settings file beside the program, the exam limits and position, and the exam draw.
#include "core/CommonState.h"
#include "core/srcCommon.h"

#include "toolkit/Convert.h"
#include "toolkit/Cp1252.h"
#include "toolkit/Exceptions.h"
#include "toolkit/Platform.h"

#include <cerrno>
#include <fstream>

namespace {

int examLicenceNo = 0;
int examAreaNo = 0;

constexpr int32_t kDefaultExamQuestions = 30;
constexpr int32_t kDefaultFailingThreshold = 7;

// The value of "<prefix><suffix>" for an exam licence; empty when the line is missing or empty.
std::string ExamValue(const char* prefix, int licence) {
  std::string value;
  ReadIniValue(prefix + ExamKeySuffix(licence), value);
  return value;
}

} // namespace

std::string ExamKeySuffix(int licence) {
  switch (licence) {
  case 1:
    return "GSA";
  case 2:
    return "GSB";
  case 3:
    return "FFK";
  case 4:
    return "WWF";
  case 5:
    return "WGS";
  case 6:
    return "PGS";
  case 7:
    return "MGS";
  case 71:
    return "MG3";
  case 72:
    return "MGP";
  default:
    return "";
  }
}

std::string SettingsFilePath() {
  std::string path = Platform().ProgramPath();
  const std::size_t slash = path.find_last_of('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const std::size_t dot = path.find_last_of('.');
  if (dot != std::string::npos && dot > nameStart)
    path.erase(dot);
  return path + ".ini";
}

void ReadIniValue(const std::string& key, std::string& value) {
  value.clear();
  const std::string path = SettingsFilePath();
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

int32_t ExamQuestionCount(int licence) {
  if (ExamKeySuffix(licence).empty())
    return 0;
  const std::string value = ExamValue("AnzPrfFragen", licence);
  return value.empty() ? kDefaultExamQuestions : StrToInt(value);
}

int32_t ExamLimit(int kind) {
  if (ExamKeySuffix(examLicenceNo).empty())
    return 0;
  switch (kind) {
  case 1:
    return ExamQuestionCount(examLicenceNo);
  case 2: {
    // Without an oral threshold there is no oral band: it starts where failing starts.
    const std::string value = ExamValue("AnzMuendlich", examLicenceNo);
    return value.empty() ? ExamLimit(3) : StrToInt(value);
  }
  case 3: {
    const std::string value = ExamValue("AnzNichtBest", examLicenceNo);
    return value.empty() ? kDefaultFailingThreshold : StrToInt(value);
  }
  default:
    return 0;
  }
}

void SetExamPosition(int licence, int area) {
  examLicenceNo = licence;
  examAreaNo = area;
}

int ExamLicence() { return examLicenceNo; }
int ExamArea() { return examAreaNo; }
