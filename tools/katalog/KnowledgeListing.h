// Reading and listing the entries of a knowledge file ("Wissensstand.dat").
#pragma once

#include "core/KnowledgeEntryCodec.h"
#include "core/srcCommon.h"

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

struct TKnowledgeFile {
  std::vector<PoolEntry> Entries;
  std::size_t TrailingBytes = 0; // bytes after the last whole entry
};

// The whole entries of the file; the filler bytes are not looked at.
TKnowledgeFile ReadKnowledgeEntries(const std::string& bytes);

// The note on trailing bytes, if the file has any, on `notes`.
void NoteTrailingBytes(const TKnowledgeFile& file, const std::string& fileName,
                       std::ostream& notes);

// A table of the entries on `out`; a note on trailing bytes goes to `notes`.
void PrintKnowledgeListing(const TKnowledgeFile& file, const std::string& fileName,
                           std::ostream& out, std::ostream& notes);
