// The exam draw: the questions of one area, thinned at random to the exam's question count.
#include "core/CommonState.h"
#include "core/srcCommon.h"

void DrawExamQuestions(int licence, int area) {
  const int recordLicence = (licence == 71 || licence == 72) ? 7 : licence;
  SetOpenCount(0);
  std::vector<PoolEntry> entries;
  try {
    entries = ScanCatalogue([&](int16_t l, int16_t a) { return l == recordLicence && a == area; });
  } catch (const std::exception&) {
    // Nothing of an unreadable catalogue is asked; no stale entry stays open.
    ReplacePool({});
    throw;
  }
  ReplacePool(std::move(entries));
  const int32_t limit = ExamQuestionCount(licence);
  if (limit >= OpenQuestionCount())
    return;
  // Every drawn entry is in use and of the area, so it can be picked exactly when the area is
  // selected. Unselected, no pick finds anything and the draw ends after the first try.
  if (!CategorySelected(static_cast<int16_t>(recordLicence), static_cast<int16_t>(area))) {
    PickNextRecordNo();
    return;
  }
  CloseRandomEntriesDownTo(limit);
}
