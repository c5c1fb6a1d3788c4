// The verdict of an exam area from its wrong answers.
#include "core/ExamGrading.h"

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
