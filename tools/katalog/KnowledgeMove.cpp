// The fingerprint mapping behind the umziehen command.
#include "tools/katalog/KnowledgeMove.h"

#include "core/KnowledgeEntryCodec.h"
#include "core/QuestionRecordCodec.h"
#include "history/Fingerprint.h"

#include <cstring>
#include <map>
#include <set>

namespace {

struct TRecordInfo {
  uint64_t Fingerprint;
  bool InUse;
  int16_t Licence;
  int16_t Area;
};

std::vector<TRecordInfo> RecordsOf(const std::string& catalogueBytes) {
  std::vector<TRecordInfo> records;
  const std::size_t count = catalogueBytes.size() / kRecordSize;
  records.reserve(count);
  RecordBytes bytes{};
  for (std::size_t recordNo = 0; recordNo < count; ++recordNo) {
    std::memcpy(bytes.data(), catalogueBytes.data() + recordNo * kRecordSize, kRecordSize);
    records.push_back(TRecordInfo{RecordFingerprint(bytes), bytes[kOffInUse] != 0,
                                  ReadInt16(bytes.data() + kOffLicence),
                                  ReadInt16(bytes.data() + kOffArea)});
  }
  return records;
}

} // namespace

TKnowledgeMove MoveKnowledge(const std::string& oldCatalogue, const std::string& newCatalogue,
                             const std::vector<PoolEntry>& entries) {
  const std::vector<TRecordInfo> oldRecords = RecordsOf(oldCatalogue);
  const std::vector<TRecordInfo> newRecords = RecordsOf(newCatalogue);

  // The records in use of the new catalogue per fingerprint, in file order. Entries take them
  // from the front, so the first one not yet taken is always at `nextFree`.
  std::map<uint64_t, std::vector<int32_t>> newByFingerprint;
  for (std::size_t recordNo = 0; recordNo < newRecords.size(); ++recordNo)
    if (newRecords[recordNo].InUse)
      newByFingerprint[newRecords[recordNo].Fingerprint].push_back(static_cast<int32_t>(recordNo));
  std::map<uint64_t, std::size_t> nextFree;
  std::vector<bool> taken(newRecords.size(), false);

  TKnowledgeMove move;
  for (const PoolEntry& entry : entries) {
    if (entry.RecordNo < 0 || static_cast<std::size_t>(entry.RecordNo) >= oldRecords.size()) {
      ++move.Dropped;
      continue;
    }
    const uint64_t fingerprint = oldRecords[static_cast<std::size_t>(entry.RecordNo)].Fingerprint;
    const auto candidates = newByFingerprint.find(fingerprint);
    std::size_t& next = nextFree[fingerprint];
    if (candidates == newByFingerprint.end() || next >= candidates->second.size()) {
      ++move.Dropped;
      continue;
    }
    const int32_t recordNo = candidates->second[next++];
    taken[static_cast<std::size_t>(recordNo)] = true;
    const TRecordInfo& record = newRecords[static_cast<std::size_t>(recordNo)];
    PoolEntry moved = entry;
    moved.Licence = record.Licence;
    moved.Area = record.Area;
    moved.RecordNo = recordNo;
    move.Entries.push_back(moved);
    ++move.Kept;
  }

  std::set<uint64_t> oldInUse;
  for (const TRecordInfo& record : oldRecords)
    if (record.InUse)
      oldInUse.insert(record.Fingerprint);
  for (std::size_t recordNo = 0; recordNo < newRecords.size(); ++recordNo) {
    const TRecordInfo& record = newRecords[recordNo];
    // A question an entry has taken is in the file already, even when the old catalogue had it
    // only as a deleted record.
    if (!record.InUse || taken[recordNo] || oldInUse.count(record.Fingerprint) != 0)
      continue;
    move.Entries.push_back(
        PoolEntry{1, 1, record.Licence, record.Area, static_cast<int32_t>(recordNo)});
    ++move.Added;
  }
  return move;
}

std::string KnowledgeFileBytes(const std::vector<PoolEntry>& entries) {
  std::string bytes;
  bytes.reserve(entries.size() * kKnowledgeEntrySize);
  for (const PoolEntry& entry : entries) {
    const KnowledgeEntryBytes encoded = EncodeKnowledgeEntry(entry);
    bytes.append(reinterpret_cast<const char*>(encoded.data()), encoded.size());
  }
  return bytes;
}
