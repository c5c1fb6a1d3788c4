// The question pool of the current pass: building it from the catalogue, the random pick,
// closing questions, and the counters the main window shows.
#include "core/CommonState.h"
#include "core/QuestionRecordCodec.h"
#include "core/RecordFile.h"
#include "core/srcCommon.h"

#include "toolkit/Platform.h"

#include <utility>

namespace {

std::vector<PoolEntry> pool;
int32_t openCount = 0;
int32_t currentNo = 0;
int32_t editModeValue = 0;

// The 32-bit linear congruential generator and the clock reading it was last seeded from.
uint32_t randSeed = 0;
int64_t lastSeedReading = -1;

constexpr int kPickAttempts = 3;

// Seeds from the time of day, but only when the clock has moved since the last seeding, so that
// picks within one clock reading continue the sequence instead of repeating it.
void SeedFromClock() {
  const int32_t reading = Platform().TimeOfDayMs();
  if (reading == lastSeedReading)
    return;
  lastSeedReading = reading;
  randSeed = static_cast<uint32_t>(reading);
}

// A number from 0 to range - 1.
uint32_t Random(uint32_t range) {
  randSeed = randSeed * 134775813u + 1u;
  return static_cast<uint32_t>((static_cast<uint64_t>(randSeed) * range) >> 32);
}

bool Eligible(const PoolEntry& entry) {
  return entry.InUse != 0 && entry.Open != 0 && CategorySelected(entry.Licence, entry.Area);
}

// One attempt: the k-th eligible entry's record number, or -1 when there are fewer than k.
int32_t PickAttempt(int32_t k) {
  for (const PoolEntry& entry : pool) {
    if (!Eligible(entry))
      continue;
    if (--k == 0)
      return entry.RecordNo;
  }
  return -1;
}

} // namespace

void ReplacePool(std::vector<PoolEntry> entries) {
  pool = std::move(entries);
  openCount = 0;
  for (const PoolEntry& entry : pool)
    if (entry.Open != 0)
      ++openCount;
}

void SetOpenCount(int32_t value) { openCount = value; }

void AppendNewQuestion(int32_t recordNo, int16_t licence, int16_t area) {
  // A question of a category outside the selection could never be picked: counted as open it
  // would keep the pass from ever ending. It joins the pool closed and opens at the next build.
  const bool pickable = CategorySelected(licence, area);
  pool.push_back(PoolEntry{1, static_cast<uint8_t>(pickable ? 1 : 0), licence, area, recordNo});
  currentNo = recordNo;
  if (pickable)
    ++openCount;
}

std::vector<PoolEntry> ScanCatalogue(const std::function<bool(int16_t, int16_t)>& wanted) {
  TRecordFile catalogue(CatalogueFileName, kRecordSize, TRecordFile::TMode::ReadOnly);
  const int64_t count = catalogue.RecordCount();
  std::vector<PoolEntry> entries;
  RecordBytes bytes{};
  for (int64_t recordNo = 0; recordNo < count; ++recordNo) {
    catalogue.Read(bytes.data());
    const int16_t licence = ReadInt16(bytes.data() + kOffLicence);
    const int16_t area = ReadInt16(bytes.data() + kOffArea);
    if (bytes[kOffInUse] != 0 && wanted(licence, area))
      entries.push_back(
          PoolEntry{bytes[kOffInUse], 1, licence, area, static_cast<int32_t>(recordNo)});
  }
  catalogue.Close();
  return entries;
}

std::vector<bool> RecordsInUse() {
  TRecordFile catalogue(CatalogueFileName, kRecordSize, TRecordFile::TMode::ReadOnly);
  const int64_t count = catalogue.RecordCount();
  std::vector<bool> inUse;
  inUse.reserve(static_cast<std::size_t>(count));
  RecordBytes bytes{};
  for (int64_t recordNo = 0; recordNo < count; ++recordNo) {
    catalogue.Read(bytes.data());
    inUse.push_back(bytes[kOffInUse] != 0);
  }
  catalogue.Close();
  return inUse;
}

void BuildQuestionPool(bool fromKnowledgeFile) {
  if (fromKnowledgeFile) {
    LoadKnowledgeIntoPool();
    return;
  }
  // A failed build leaves no question to pick until a build succeeds, and no open entry that
  // the count would no longer know of.
  openCount = 0;
  std::vector<PoolEntry> entries;
  try {
    entries = ScanCatalogue(CategorySelected);
  } catch (const std::exception&) {
    pool.clear();
    throw;
  }
  ReplacePool(std::move(entries));
}

int32_t PickNextRecordNo() {
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

namespace {

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

void CloseRandomEntriesDownTo(int32_t keep) {
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

void PickNextQuestion(QuestionRecord& record) {
  const int32_t result = PickNextRecordNo();
  if (result < 0)
    record = NoQuestionRecord();
  else
    ReadQuestion(result, record);
}

// Closes the first open entry of the current record. Only an open entry lowers the count, so the
// count always matches the open entries; a closed duplicate of the record (possible in a loaded
// knowledge file) does not keep its open twin from being closed.
void MarkCurrentKnown() {
  for (PoolEntry& entry : pool) {
    if (entry.RecordNo == currentNo && entry.Open != 0) {
      entry.Open = 0;
      --openCount;
      return;
    }
  }
}

int32_t OpenQuestionCount() { return openCount; }
int32_t CurrentQuestionNo() { return currentNo; }
void SetEditMode(int32_t value) { editModeValue = value; }
int32_t EditMode() { return editModeValue; }
const std::vector<PoolEntry>& QuestionPool() { return pool; }
