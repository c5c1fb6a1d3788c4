// The report a learner hands to the flight school: what it holds, and its file format.
// The learner writes it on purpose (menu "Bericht für die Flugschule..."); the school's
// catalogue tool reads a folder of them into one class overview. It holds nothing beyond the
// fields below.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The file format's name and version; a reader refuses another name or a newer version.
inline constexpr const char* SchoolReportFormat = "aerolern-lernstand";
inline constexpr int SchoolReportVersion = 1;
// The longest name a learner may put into a report, in characters.
inline constexpr int SchoolReportNameLength = 40;

// The outlook of one area: the shares of "Bestanden.", oral exam and failed, summing to 1.
struct TReportShares {
  double Passed = 0;
  double Oral = 0;
  double Failed = 0;
};

// One area of one licence of this edition.
struct TReportArea {
  int Licence = 0;
  int Area = 0;
  int Questions = 0; // in the catalogue
  int Met = 0;       // answered at least once
  TReportShares Now;
  // On the exam date, when the learner set one.
  std::optional<TReportShares> OnExamDate;
  // The plan's projection of P("Bestanden.") on the exam date, where a plan exists.
  std::optional<double> Planned;
};

// A practice exam that was graded.
struct TReportExam {
  int64_t MomentMs = 0; // UTC
  int Licence = 0;
  int Area = 0;
  int Questions = 0;
  int Right = 0;
  std::string Verdict; // as the program showed it, e.g. "Bestanden."
};

// Answers given in one calendar week (ISO 8601, local time).
struct TReportWeek {
  std::string Week; // "2026-W50"
  int Answers = 0;
};

// One question answered at least once.
struct TReportQuestion {
  std::string Fingerprint; // 16 hexadecimal digits, as the history stores it
  int Number = 0;          // record number in the learner's catalogue
  int Licence = 0;
  int Area = 0;
  int Answered = 0;
  int Wrong = 0;
  // The wrong set of ticks chosen most often ("AB", "" for none ticked); absent when never wrong.
  std::optional<std::string> CommonWrongTicks;
};

struct TSchoolReport {
  std::string Name;     // UTF-8, at most SchoolReportNameLength characters
  int64_t MomentMs = 0; // UTC, when the report was written
  std::string EditionOwner;
  // A fingerprint of the catalogue the learner used (see CatalogueFingerprint).
  std::string Catalogue;
  std::vector<TReportArea> Areas;
  std::vector<TReportExam> Exams;
  std::vector<TReportWeek> Weeks;
  std::vector<TReportQuestion> Questions;
};

// The fingerprint of a whole catalogue: 16 hexadecimal digits over its questions' fingerprints
// in record order (the records in use: a deleted record holds no question), so that any change of
// a text or of the order gives another one.
std::string CatalogueFingerprint(const std::vector<uint64_t>& questionFingerprints);

// The report as JSON text (UTF-8), with the format's name and version.
std::string SchoolReportJson(const TSchoolReport& report);

// Reads a report from JSON text. Returns the report, or nothing with `problem` set to a German
// sentence that names why it cannot be used (not JSON, another format, a newer version, a
// missing or ill-typed field).
std::optional<TSchoolReport> ReadSchoolReport(const std::string& json, std::string& problem);

// The report's file name: "Lernstand-<Name>-<TT.MM.JJJJ>.json" with the local date; characters
// that file names cannot carry (/ \ : * ? " < > | and control characters) become "_".
std::string SchoolReportFileName(const std::string& name, int64_t momentMs,
                                 int32_t utcOffsetSeconds);
