// The knowledge file "Wissensstand.dat" on disk: its entries read and written whole.
#pragma once

#include "core/srcCommon.h"

#include <string>
#include <vector>

// Whether anything stands at the path (reading it refuses what is not a regular file). Raises
// EInOutError when the path cannot be looked at, such as when its folder is a file.
bool KnowledgeFileExists(const std::string& path);
// Every whole entry of the file, with entries of deleted questions closed, and those that name
// a record beyond the catalogue's end closed and counted in `outsideCatalogue`. Without a
// readable catalogue the entries stay as stored.
std::vector<PoolEntry> ReadKnowledgeFile(const std::string& path, int32_t& outsideCatalogue);
// Replaces the file with the open ones of the entries, in their order.
void WriteKnowledgeFile(const std::string& path, const std::vector<PoolEntry>& entries);
