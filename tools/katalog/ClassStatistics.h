// The class's figures: the latest report of each learner, and the questions pooled over them.
#pragma once

#include "tools/katalog/ClassCatalogue.h"
#include "tools/katalog/ClassReports.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A question is judged only when at least this many learners answered it.
inline constexpr int kClassMinimumStudents = 3;
// The level of the test for conspicuous questions, over all questions tested (Holm).
inline constexpr double kClassSignificance = 0.05;
// And its share wrong lies at least this far above its area's.
inline constexpr double kClassMinimumExcess = 0.20;
// How many of the hardest questions the overview lists.
inline constexpr std::size_t kClassHardestCount = 10;

// One question of the school's catalogue answered by at least one learner.
struct TClassQuestion {
  int32_t RecordNo = 0;
  int Licence = 0; // from the school's catalogue
  int Area = 0;
  int Students = 0; // learners who answered it
  int64_t Answers = 0;
  int64_t Wrong = 0;
  // The wrong set of ticks most learners chose most often, and how many did.
  std::optional<std::string> CommonWrongTicks;
  int CommonWrongStudents = 0;
  // The pooled share wrong of the other questions of its area; absent when it has none.
  std::optional<double> AreaShare;
  // ln of the one-sided binomial p-value against AreaShare, when the question was tested.
  std::optional<double> LogPValue;

  double ShareWrong() const {
    return Answers > 0 ? static_cast<double>(Wrong) / static_cast<double>(Answers) : 0.0;
  }
};

struct TClassOverview {
  // The latest report of each name, sorted by name.
  std::vector<TClassReport> Students;
  int SupersededReports = 0; // older reports of a name that has a later one
  int OtherRevisions = 0;    // of the latest reports, those written with another catalogue
  std::vector<TClassQuestion> Questions; // in record order
  std::vector<std::size_t> Hardest;      // indexes into Questions, hardest first
  std::vector<std::size_t> Conspicuous;  // indexes into Questions, smallest p-value first
  int TestedQuestions = 0;               // the number the correction divides the level by
  // Questions of the reports that the school's catalogue no longer has, and their answers.
  int MissingQuestions = 0;
  int64_t MissingAnswers = 0;
};

// The class's figures from the usable reports.
TClassOverview ClassOverview(std::vector<TClassReport> reports, const TClassCatalogue& catalogue);
