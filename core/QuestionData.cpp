// The question data of a run: selection, pool, random pick, knowledge file, exam draw and the
// learning events.
#include "core/QuestionData.h"

#include "core/CatalogueFile.h"
#include "core/ExamGrading.h"
#include "core/KnowledgeFile.h"

#include "toolkit/Application.h"
#include "toolkit/Platform.h"

#include <string>
#include <utility>

namespace {

constexpr int kPickAttempts = 3;

// A counting tree over the open flags: finds the k-th open entry in logarithmic time.
class TOpenEntryIndex {
public:
  explicit TOpenEntryIndex(const std::vector<PoolEntry>& entries) : tree(entries.size() + 1, 0) {
    for (std::size_t i = 0; i < entries.size(); ++i)
      if (entries[i].Open != 0)
        Add(i, 1);
  }
  void Add(std::size_t index, int32_t delta) {
    for (std::size_t i = index + 1; i < tree.size(); i += i & (~i + 1))
      tree[i] += delta;
  }
  // The index of the k-th open entry (k from 1 to the number of open entries).
  std::size_t FindKth(int32_t k) const {
    std::size_t position = 0;
    std::size_t step = 1;
    while (step * 2 < tree.size())
      step *= 2;
    for (; step > 0; step /= 2)
      if (position + step < tree.size() && tree[position + step] < k) {
        position += step;
        k -= tree[position];
      }
    return position;
  }

private:
  std::vector<int32_t> tree;
};

} // namespace

// --- Catalogue ---------------------------------------------------------------------------

void TQuestionData::InitCatalogue() {
  if (!CatalogueMatchesEdition()) {
    Application.MessageBox(
        "Achtung! Das Datenfile (Fragenkatalog) passt nicht zur Aerolern Version!");
    Application.Terminate();
  }
  SelectAllCategories();
}

void TQuestionData::WriteQuestion(bool append, const QuestionRecord& record) {
  if (!append) {
    ReplaceRecord(currentNo, record);
    return;
  }
  // The pool learns of the new question only once it is safely in the file.
  const int32_t recordNo = AppendRecord(record);
  AppendNewQuestion(recordNo, record.Licence, record.Area);
}

void TQuestionData::DeleteCurrentQuestion() {
  FlagRecordDeleted(currentNo);
  MarkCurrentKnown();
}

void TQuestionData::RestoreDeletedQuestion(int32_t recordNo) {
  FlagRecordInUse(recordNo);
  for (PoolEntry& entry : pool)
    if (entry.RecordNo == recordNo) {
      currentNo = recordNo;
      if (entry.Open == 0 && CategorySelected(entry.Licence, entry.Area)) {
        entry.Open = 1;
        ++openCount;
      }
      return;
    }
  // The pool was built anew since the deletion: the question joins it as a new one does.
  QuestionRecord record;
  ReadExistingQuestion(recordNo, record);
  AppendNewQuestion(recordNo, record.Licence, record.Area);
}

// --- Selection ---------------------------------------------------------------------------

void TQuestionData::SelectCategories(int code, int area) {
  const int licence = RecordLicence(code);
  if (licence >= 0) {
    slotFlags.fill(false);
    const int slot = CategorySlot(licence, area);
    if (slot >= 0 && slot < kSlotCount)
      slotFlags[static_cast<std::size_t>(slot)] = true;
    return;
  }
  for (int licenceNo = kFirstLicence; licenceNo <= kLastLicence; ++licenceNo)
    for (int areaNo = 1; areaNo <= AreaCount(licenceNo); ++areaNo)
      slotFlags[static_cast<std::size_t>(CategorySlot(licenceNo, areaNo))] =
          areaCheckedQuery ? areaCheckedQuery(licenceNo, areaNo) : false;
}

void TQuestionData::SelectAllCategories() { slotFlags.fill(true); }

void TQuestionData::SetSlotSelected(int slot, bool selected) {
  if (slot >= 0 && slot < kSlotCount)
    slotFlags[static_cast<std::size_t>(slot)] = selected;
}

bool TQuestionData::SlotSelected(int slot) const {
  return slot >= 0 && slot < kSlotCount && slotFlags[static_cast<std::size_t>(slot)];
}

bool TQuestionData::CategorySelected(int licence, int area) const {
  return SlotSelected(CategorySlot(licence, area));
}

void TQuestionData::SetAreaCheckedQuery(std::function<bool(int, int)> query) {
  areaCheckedQuery = std::move(query);
}

// --- Pool --------------------------------------------------------------------------------

void TQuestionData::ReplacePool(std::vector<PoolEntry> entries) {
  pool = std::move(entries);
  openCount = 0;
  for (const PoolEntry& entry : pool)
    if (entry.Open != 0)
      ++openCount;
}

void TQuestionData::AppendNewQuestion(int32_t recordNo, int16_t licence, int16_t area) {
  // A question of a category outside the selection could never be picked: counted as open it
  // would keep the pass from ever ending. It joins the pool closed and opens at the next build.
  const bool pickable = CategorySelected(licence, area);
  pool.push_back(PoolEntry{1, static_cast<uint8_t>(pickable ? 1 : 0), licence, area, recordNo});
  currentNo = recordNo;
  if (pickable)
    ++openCount;
}

void TQuestionData::BuildQuestionPool(bool fromKnowledgeFile) {
  if (fromKnowledgeFile) {
    LoadKnowledgeIntoPool();
    return;
  }
  // A failed build leaves no question to pick until a build succeeds, and no open entry that
  // the count would no longer know of.
  openCount = 0;
  std::vector<PoolEntry> entries;
  try {
    entries = ScanCatalogue(
        [this](int16_t licence, int16_t area) { return CategorySelected(licence, area); });
  } catch (const std::exception&) {
    pool.clear();
    throw;
  }
  ReplacePool(std::move(entries));
}

// Seeds from the time of day, but only when the clock has moved since the last seeding, so that
// picks within one clock reading continue the sequence instead of repeating it.
void TQuestionData::SeedFromClock() {
  const int32_t reading = Platform().TimeOfDayMs();
  if (reading == lastSeedReading)
    return;
  lastSeedReading = reading;
  randSeed = static_cast<uint32_t>(reading);
}

// A number from 0 to range - 1.
uint32_t TQuestionData::Random(uint32_t range) {
  randSeed = randSeed * 134775813u + 1u;
  return static_cast<uint32_t>((static_cast<uint64_t>(randSeed) * range) >> 32);
}

bool TQuestionData::Eligible(const PoolEntry& entry) const {
  return entry.InUse != 0 && entry.Open != 0 && CategorySelected(entry.Licence, entry.Area);
}

// One attempt: the k-th eligible entry's record number, or -1 when there are fewer than k.
int32_t TQuestionData::PickAttempt(int32_t k) const {
  for (const PoolEntry& entry : pool) {
    if (!Eligible(entry))
      continue;
    if (--k == 0)
      return entry.RecordNo;
  }
  return -1;
}

int32_t TQuestionData::PickNextRecordNo() {
  int32_t result = -1;
  for (int attempt = 0; attempt < kPickAttempts && openCount > 0 && result < 0; ++attempt) {
    SeedFromClock();
    const auto k = static_cast<int32_t>(Random(static_cast<uint32_t>(openCount)) + 1);
    currentNo = -1;
    result = PickAttempt(k);
    currentNo = result;
  }
  return result;
}

bool TQuestionData::PickNextQuestion(QuestionRecord& record) {
  const int32_t result = PickNextRecordNo();
  if (result >= 0)
    return ReadExistingQuestion(result, record);
  record = NoQuestionRecord();
  return false;
}

// Closes the first open entry of the current record. Only an open entry lowers the count, so the
// count always matches the open entries; a closed duplicate of the record (possible in a loaded
// knowledge file) does not keep its open twin from being closed.
void TQuestionData::MarkCurrentKnown() {
  for (PoolEntry& entry : pool) {
    if (entry.RecordNo == currentNo && entry.Open != 0) {
      entry.Open = 0;
      --openCount;
      return;
    }
  }
}

// --- Knowledge file ----------------------------------------------------------------------

void TQuestionData::SaveKnowledge() const {
  // A pool without any entry is no learning state (a failed build leaves it so): saving it would
  // replace a good file with nothing. A pool whose entries are all closed is "everything known".
  if (pool.empty()) {
    Application.MessageBox("Es gibt keinen Wissensstand zum Speichern.");
    return;
  }
  WriteKnowledgeFile(KnowledgeFilePath(), pool);
}

void TQuestionData::LoadKnowledgeIntoPool() {
  const std::string path = KnowledgeFilePath();
  if (!KnowledgeFileExists(path)) {
    // The pool and its count stay as they were, so learning goes on where it was.
    Application.MessageBox("Keine Wissensdatei vorhanden.");
    return;
  }
  int32_t outsideCatalogue = 0;
  ReplacePool(ReadKnowledgeFile(path, outsideCatalogue));
  SelectAllCategories();
  if (outsideCatalogue == 1)
    Application.MessageBox(
        "1 Eintrag der Wissensdatei passt nicht zum Fragenkatalog und wurde übergangen.");
  else if (outsideCatalogue > 1)
    Application.MessageBox(std::to_string(outsideCatalogue) +
                           " Einträge der Wissensdatei passen nicht zum Fragenkatalog und wurden "
                           "übergangen.");
}

// --- Exam --------------------------------------------------------------------------------

int32_t TQuestionData::ExamLimit(int kind) const { return ExamLimitOf(examLicence, kind); }

void TQuestionData::SetExamPosition(int licence, int area) {
  examLicence = licence;
  examArea = area;
}

void TQuestionData::DrawExamQuestions(int licence, int area) {
  const int recordLicence = RecordLicence(licence);
  openCount = 0;
  std::vector<PoolEntry> entries;
  try {
    entries = ScanCatalogue([&](int16_t l, int16_t a) { return l == recordLicence && a == area; });
  } catch (const std::exception&) {
    // Nothing of an unreadable catalogue is asked; no stale entry stays open.
    ReplacePool({});
    throw;
  }
  ReplacePool(std::move(entries));
  const int32_t limit = ExamLimitOf(licence, elQuestionCount);
  if (limit >= openCount)
    return;
  // Every drawn entry is in use and of the area, so it can be picked exactly when the area is
  // selected. Unselected, no pick finds anything and the draw ends after the first try.
  if (!CategorySelected(recordLicence, area)) {
    PickNextRecordNo();
    return;
  }
  CloseRandomEntriesDownTo(limit);
}

void TQuestionData::CloseRandomEntriesDownTo(int32_t keep) {
  TOpenEntryIndex index(pool);
  while (openCount > keep && openCount > 0) {
    SeedFromClock();
    const auto k = static_cast<int32_t>(Random(static_cast<uint32_t>(openCount)) + 1);
    const std::size_t chosen = index.FindKth(k);
    currentNo = pool[chosen].RecordNo;
    pool[chosen].Open = 0;
    --openCount;
    index.Add(chosen, -1);
  }
}

// --- Learning events ---------------------------------------------------------------------

void TQuestionData::ReportQuestionShown(const TQuestionShown& event) const {
  if (listener != nullptr)
    listener->QuestionShown(event);
}

void TQuestionData::ReportAnswerChecked(const TAnswerChecked& event) const {
  if (listener != nullptr)
    listener->AnswerChecked(event);
}

void TQuestionData::ReportQuestionSorted(const TQuestionSorted& event) const {
  if (listener != nullptr)
    listener->QuestionSorted(event);
}

void TQuestionData::ReportExamAreaGraded(const TExamAreaGraded& event) const {
  if (listener != nullptr)
    listener->ExamAreaGraded(event);
}

// --- The run's instance ------------------------------------------------------------------

namespace {

// The one mutable object of the question data: everything a run knows of its questions.
TQuestionData runQuestionData;

} // namespace

TQuestionData& QuestionData() { return runQuestionData; }

void ResetQuestionData() { runQuestionData = TQuestionData(); }
