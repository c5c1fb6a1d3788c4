// The wrong answers of an exam area and the verdict they give.
#include "core/ExamGrading.h"

#include <algorithm>
#include <limits>

int32_t ExamWrongAnswers(int32_t questions, int32_t right) {
  // The difference of two 32-bit values needs 33 bits.
  const int64_t wrong = int64_t{questions} - right;
  return static_cast<int32_t>(std::clamp<int64_t>(wrong, 0, std::numeric_limits<int32_t>::max()));
}

TExamVerdict GradeExam(int32_t wrong, int32_t oralFrom, int32_t failFrom) {
  if (wrong >= failFrom)
    return TExamVerdict::NichtBestanden;
  if (wrong >= oralFrom)
    return TExamVerdict::MuendlicheNachpruefung;
  return TExamVerdict::Bestanden;
}

const char* ExamVerdictText(TExamVerdict verdict) {
  switch (verdict) {
  case TExamVerdict::Bestanden:
    return "Bestanden.";
  case TExamVerdict::MuendlicheNachpruefung:
    return "Mündliche Nachprüfung.";
  case TExamVerdict::NichtBestanden:
    return "Nicht bestanden.";
  }
  return "";
}
