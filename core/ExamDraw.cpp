// The exam draw: the questions of one area, thinned at random to the exam's question count.
#include "core/CommonState.h"
#include "core/srcCommon.h"

void DrawExamQuestions(int licence, int area) {
  const int recordLicence = (licence == 71 || licence == 72) ? 7 : licence;
  SetOpenCount(0);
  ReplacePool(ScanCatalogue(
      [&](int16_t l, int16_t a) { return l == recordLicence && a == area; }));
  const int32_t limit = ExamQuestionCount(licence);
  while (limit < OpenQuestionCount()) {
    // A pick that finds nothing (the area's category is not selected) would never end the loop.
    if (PickNextRecordNo() < 0)
      break;
    MarkCurrentKnown();
  }
}
