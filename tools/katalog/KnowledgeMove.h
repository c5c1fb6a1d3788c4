// Carrying a knowledge file ("Wissensstand.dat") over from one catalogue to a revised one.
#pragma once

#include "core/srcCommon.h"

#include <cstddef>
#include <string>
#include <vector>

struct TKnowledgeMove {
  std::vector<PoolEntry> Entries; // the entries for the new catalogue, in file order
  std::size_t Kept = 0;           // entries whose question the new catalogue still has
  std::size_t Added = 0;          // questions new in the new catalogue, added as open entries
  std::size_t Dropped = 0;        // entries whose question is gone
};

// Maps the entries of a knowledge file made with the catalogue `oldCatalogue` onto
// `newCatalogue` by question fingerprint. The record at an entry's RecordNo in the old catalogue
// gives the fingerprint; the entry moves to the first record in use of the new catalogue with
// that fingerprint that no earlier entry has taken, keeping its flags and taking licence and
// area from that record. An entry without such a record, or whose RecordNo lies outside the old
// catalogue, is dropped. Then every record in use of the new catalogue whose fingerprint no
// record in use of the old one has, and that no entry has taken, is added as an open entry.
// Only whole records of the catalogues count.
TKnowledgeMove MoveKnowledge(const std::string& oldCatalogue, const std::string& newCatalogue,
                             const std::vector<PoolEntry>& entries);

// The bytes of a knowledge file with these entries.
std::string KnowledgeFileBytes(const std::vector<PoolEntry>& entries);
