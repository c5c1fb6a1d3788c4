// Pooling the learners' answers per question and testing each question against its area.
#include "tools/katalog/ClassStatistics.h"

#include "tools/katalog/BinomialTail.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <unordered_map>

namespace {

// Case folding of A to Z only, as everywhere in the system; umlauts sort after them.
std::string SortKey(const std::string& name) {
  std::string key = name;
  for (char& c : key)
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c + 32);
  return key;
}

std::vector<TClassReport> LatestPerName(std::vector<TClassReport> reports, int& superseded) {
  std::map<std::string, std::size_t> latest; // name -> index into reports
  for (std::size_t index = 0; index < reports.size(); ++index) {
    const auto [at, added] = latest.emplace(reports[index].Report.Name, index);
    if (!added && reports[index].Report.MomentMs > reports[at->second].Report.MomentMs)
      at->second = index;
  }
  superseded = static_cast<int>(reports.size() - latest.size());
  std::vector<TClassReport> students;
  students.reserve(latest.size());
  for (const auto& entry : latest)
    students.push_back(std::move(reports[entry.second]));
  std::stable_sort(students.begin(), students.end(),
                   [](const TClassReport& a, const TClassReport& b) {
                     return SortKey(a.Report.Name) < SortKey(b.Report.Name);
                   });
  return students;
}

// The learners' answers gathered per record of the school's catalogue.
struct TPooled {
  TClassQuestion Question;
  std::map<std::string, int> WrongTicks; // set of ticks -> learners who chose it most often
};

void PoolAnswers(const std::vector<TClassReport>& students, const TClassCatalogue& catalogue,
                 TClassOverview& overview, std::map<int32_t, TPooled>& pooled) {
  std::set<std::string> missing;
  for (const TClassReport& student : students) {
    for (const TReportQuestion& answered : student.Report.Questions) {
      const int32_t recordNo = catalogue.Find(answered.Fingerprint);
      if (recordNo < 0) {
        missing.insert(answered.Fingerprint);
        overview.MissingAnswers += answered.Answered;
        continue;
      }
      TPooled& entry = pooled[recordNo];
      TClassQuestion& question = entry.Question;
      question.RecordNo = recordNo;
      question.Licence = catalogue.Licence(recordNo);
      question.Area = catalogue.Area(recordNo);
      ++question.Students;
      question.Answers += answered.Answered;
      question.Wrong += answered.Wrong;
      if (answered.CommonWrongTicks)
        ++entry.WrongTicks[*answered.CommonWrongTicks];
    }
  }
  overview.MissingQuestions = static_cast<int>(missing.size());
}

// The one-sided test of each question judged against the rest of its area, and Holm's
// step-down correction over all of them.
void TestAgainstAreas(TClassOverview& overview) {
  std::map<std::pair<int, int>, std::pair<int64_t, int64_t>> areas; // answers, wrong
  for (const TClassQuestion& question : overview.Questions) {
    auto& [answers, wrong] = areas[{question.Licence, question.Area}];
    answers += question.Answers;
    wrong += question.Wrong;
  }
  std::vector<std::size_t> tested;
  for (std::size_t index = 0; index < overview.Questions.size(); ++index) {
    TClassQuestion& question = overview.Questions[index];
    const auto& [areaAnswers, areaWrong] = areas[{question.Licence, question.Area}];
    // The question itself is left out of its area's share, so that a misleading question does
    // not raise the bar it is measured against.
    const int64_t otherAnswers = areaAnswers - question.Answers;
    if (otherAnswers <= 0)
      continue;
    question.AreaShare =
        static_cast<double>(areaWrong - question.Wrong) / static_cast<double>(otherAnswers);
    if (question.Students < kClassMinimumStudents)
      continue;
    question.LogPValue =
        LogBinomialUpperTail(question.Answers, question.Wrong, *question.AreaShare);
    tested.push_back(index);
  }
  overview.TestedQuestions = static_cast<int>(tested.size());
  std::stable_sort(tested.begin(), tested.end(), [&](std::size_t a, std::size_t b) {
    return *overview.Questions[a].LogPValue < *overview.Questions[b].LogPValue;
  });
  const double logLevel = std::log(kClassSignificance);
  for (std::size_t rank = 0; rank < tested.size(); ++rank) {
    const TClassQuestion& question = overview.Questions[tested[rank]];
    const auto remaining = static_cast<double>(tested.size() - rank);
    if (*question.LogPValue > logLevel - std::log(remaining))
      break; // Holm: the first p-value above its bound ends the rejections
    if (question.ShareWrong() - *question.AreaShare >= kClassMinimumExcess)
      overview.Conspicuous.push_back(tested[rank]);
  }
}

void RankHardest(TClassOverview& overview) {
  std::vector<std::size_t> candidates;
  for (std::size_t index = 0; index < overview.Questions.size(); ++index) {
    const TClassQuestion& question = overview.Questions[index];
    if (question.Students >= kClassMinimumStudents && question.Wrong > 0)
      candidates.push_back(index);
  }
  // The share decides; with equal shares, more answers weigh more; then the catalogue's order.
  std::stable_sort(candidates.begin(), candidates.end(), [&](std::size_t a, std::size_t b) {
    const TClassQuestion& first = overview.Questions[a];
    const TClassQuestion& second = overview.Questions[b];
    const int64_t left = first.Wrong * second.Answers;
    const int64_t right = second.Wrong * first.Answers;
    if (left != right)
      return left > right;
    return first.Answers > second.Answers;
  });
  if (candidates.size() > kClassHardestCount)
    candidates.resize(kClassHardestCount);
  overview.Hardest = std::move(candidates);
}

} // namespace

TClassOverview ClassOverview(std::vector<TClassReport> reports, const TClassCatalogue& catalogue) {
  TClassOverview overview;
  overview.Students = LatestPerName(std::move(reports), overview.SupersededReports);
  for (const TClassReport& student : overview.Students)
    overview.OtherRevisions += student.Report.Catalogue != catalogue.Fingerprint() ? 1 : 0;
  std::map<int32_t, TPooled> pooled;
  PoolAnswers(overview.Students, catalogue, overview, pooled);
  overview.Questions.reserve(pooled.size());
  for (auto& [recordNo, entry] : pooled) {
    TClassQuestion& question = entry.Question;
    // The most learners decide; with a tie, the set that comes first in A-to-D order.
    for (const auto& [ticks, students] : entry.WrongTicks)
      if (students > question.CommonWrongStudents) {
        question.CommonWrongTicks = ticks;
        question.CommonWrongStudents = students;
      }
    overview.Questions.push_back(std::move(question));
  }
  TestAgainstAreas(overview);
  RankHardest(overview);
  return overview;
}
