// The exam's limits per exam licence and the verdict they give.
#pragma once

#include <cstdint>
#include <string>

// The verdict of a graded exam area.
enum class TExamVerdict { Bestanden, MuendlicheNachpruefung, NichtBestanden };

// A limit of an exam licence as the settings file gives it (kind: elQuestionCount, elOralFrom or
// elFailFrom of srcCommon.h), with the defaults of a missing key; 0 for a licence without keys.
// A value that is no number, a question count outside 1 to 10000, or a threshold of wrong
// answers outside 0 to the question count raises EConvertError naming the key and the file.
int32_t ExamLimitOf(int examLicence, int kind);
// The same limit as the settings file at `settingsPath` gives it.
int32_t ExamLimitFrom(const std::string& settingsPath, int examLicence, int kind);
// The wrong answers of an area of `questions` exam questions with `right` right ones: the exam
// questions not answered right, so the questions an area could not supply count as wrong. Never
// negative (more right answers than exam questions, after the categories changed during the
// exam, are no wrong ones); computed without overflow for any 32-bit values, and a count beyond
// INT32_MAX stays INT32_MAX.
int32_t ExamWrongAnswers(int32_t questions, int32_t right);
// The verdict for `wrong` wrong answers: failed from `failFrom` on, else oral from `oralFrom` on.
TExamVerdict GradeExam(int32_t wrong, int32_t oralFrom, int32_t failFrom);
// "Bestanden.", "Mündliche Nachprüfung." or "Nicht bestanden.".
const char* ExamVerdictText(TExamVerdict verdict);
