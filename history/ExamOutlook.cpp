// The exact distribution of wrong answers in a uniformly drawn exam of unequal questions.
#include "history/ExamOutlook.h"

#include "core/ExamGrading.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

void AddVerdict(TExamOutlook& outlook, int32_t wrong, int oralFrom, int failFrom, double mass) {
  switch (GradeExam(wrong, oralFrom, failFrom)) {
  case TExamVerdict::Bestanden:
    outlook.Passed += mass;
    break;
  case TExamVerdict::MuendlicheNachpruefung:
    outlook.Oral += mass;
    break;
  case TExamVerdict::NichtBestanden:
    outlook.Failed += mass;
    break;
  }
}

} // namespace

TExamOutlook ExamOutlook(const std::vector<double>& recall, int questions, int oralFrom,
                         int failFrom) {
  const int available = static_cast<int>(recall.size());
  const int drawn = std::max(0, std::min(questions, available));
  // Exam questions the area cannot supply are wrong for certain.
  const int32_t missing = ExamWrongAnswers(questions, drawn);
  // Wrong answers among the drawn from `lumped` on all fail alike: one absorbing bucket. The
  // limits may lie anywhere in 32 bits, so their distance is taken in 64.
  const int lumped =
      static_cast<int>(std::clamp<int64_t>(int64_t{failFrom} - missing, 0, int64_t{drawn}));
  const auto width = static_cast<std::size_t>(lumped + 1);
  // mass[d * width + w]: d questions drawn so far, w of them wrong.
  std::vector<double> mass(static_cast<std::size_t>(drawn + 1) * width, 0.0);
  mass[0] = 1;
  for (int scanned = 0; scanned < available && drawn > 0; ++scanned) {
    const double right = std::clamp(recall[static_cast<std::size_t>(scanned)], 0.0, 1.0);
    const int remaining = available - scanned;
    for (int d = std::min(scanned, drawn - 1); d >= 0; --d) {
      const double draw = static_cast<double>(drawn - d) / remaining;
      double* row = &mass[static_cast<std::size_t>(d) * width];
      double* next = row + width;
      for (int w = 0; w <= lumped; ++w) {
        const double here = row[w];
        if (here == 0)
          continue;
        next[w] += here * draw * right;
        next[std::min(w + 1, lumped)] += here * draw * (1 - right);
        row[w] = here * (1 - draw);
      }
    }
  }
  TExamOutlook outlook;
  const double* last = &mass[static_cast<std::size_t>(drawn) * width];
  // w wrong among the drawn are drawn - w right ones, graded as the exam grades them.
  for (int w = 0; w <= lumped; ++w)
    AddVerdict(outlook, ExamWrongAnswers(questions, drawn - w), oralFrom, failFrom, last[w]);
  return outlook;
}
