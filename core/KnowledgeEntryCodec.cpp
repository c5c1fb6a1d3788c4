// Encoding and decoding of the 12-byte knowledge-file entry.
#include "core/KnowledgeEntryCodec.h"

#include "core/QuestionRecordCodec.h"

KnowledgeEntryBytes EncodeKnowledgeEntry(const PoolEntry& entry) {
  KnowledgeEntryBytes bytes{};
  bytes[0] = entry.InUse;
  bytes[1] = entry.Open;
  WriteInt16(bytes.data() + 2, entry.Licence);
  WriteInt16(bytes.data() + 4, entry.Area);
  WriteInt32(bytes.data() + 8, entry.RecordNo);
  return bytes;
}

PoolEntry DecodeKnowledgeEntry(const uint8_t* bytes) {
  return PoolEntry{bytes[0], bytes[1], ReadInt16(bytes + 2), ReadInt16(bytes + 4),
                   ReadInt32(bytes + 8)};
}

std::vector<PoolEntry> DecodeKnowledgeEntries(const std::string& bytes) {
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  std::vector<PoolEntry> entries;
  entries.reserve(bytes.size() / kKnowledgeEntrySize);
  for (std::size_t at = 0; at + kKnowledgeEntrySize <= bytes.size(); at += kKnowledgeEntrySize)
    entries.push_back(DecodeKnowledgeEntry(data + at));
  return entries;
}
