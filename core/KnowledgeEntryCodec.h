// The byte layout of a knowledge-file entry: 12 bytes, little-endian, the same as a pool entry.
#pragma once

#include "core/srcCommon.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// InUse (1 byte), Open (1), Licence (2), Area (2), two filler bytes, RecordNo (4).
constexpr std::size_t kKnowledgeEntrySize = 12;
using KnowledgeEntryBytes = std::array<uint8_t, kKnowledgeEntrySize>;

// The bytes of an entry; the filler bytes are zero.
KnowledgeEntryBytes EncodeKnowledgeEntry(const PoolEntry& entry);
// The entry of 12 bytes; the filler bytes are not looked at.
PoolEntry DecodeKnowledgeEntry(const uint8_t* bytes);
// The whole entries of a knowledge file's bytes in file order; trailing bytes that make no whole
// entry are left out.
std::vector<PoolEntry> DecodeKnowledgeEntries(const std::string& bytes);
