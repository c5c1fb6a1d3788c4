// The key names of the learner's report file (see SchoolReport.h), in one place for the program
// that writes a report and the catalogue tool that reads a folder of them: a name spelt twice
// could drift apart and lose a field without any error.
#pragma once

namespace SchoolReportField {

// The top level.
inline constexpr const char* Format = "format";
inline constexpr const char* Version = "version";
inline constexpr const char* Name = "name";
inline constexpr const char* Moment = "zeitpunkt";
inline constexpr const char* Edition = "edition";
inline constexpr const char* Catalogue = "katalog";
inline constexpr const char* Areas = "bereiche";
inline constexpr const char* Exams = "pruefungen";
inline constexpr const char* Weeks = "antworten_je_woche";
inline constexpr const char* Questions = "fragen";

// One area ("bereiche") and one practice exam ("pruefungen"); both use Licence and Area.
inline constexpr const char* Licence = "lizenz";
inline constexpr const char* Area = "bereich";
inline constexpr const char* QuestionCount = "fragen";
inline constexpr const char* Met = "gesehen";
inline constexpr const char* Now = "jetzt";
inline constexpr const char* OnExamDate = "pruefungstermin";
inline constexpr const char* Planned = "plan";
inline constexpr const char* Right = "richtig";
inline constexpr const char* Verdict = "ergebnis";

// The three shares of an outlook ("jetzt", "pruefungstermin").
inline constexpr const char* Passed = "bestanden";
inline constexpr const char* Oral = "muendlich";
inline constexpr const char* Failed = "nicht_bestanden";

// One week ("antworten_je_woche").
inline constexpr const char* Week = "woche";
inline constexpr const char* Answers = "antworten";

// One question ("fragen"); it also uses Licence, Area and Answers.
inline constexpr const char* Fingerprint = "fingerabdruck";
inline constexpr const char* Number = "nr";
inline constexpr const char* Wrong = "falsch";
inline constexpr const char* CommonWrongTicks = "haeufigste_falsche_auswahl";

} // namespace SchoolReportField
