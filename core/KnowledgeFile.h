// The knowledge file "Wissensstand.dat" on disk: its entries read and written whole.
#pragma once

#include "core/srcCommon.h"

#include <string>
#include <vector>

// Whether a knowledge file (not a folder) stands at the path.
bool KnowledgeFileExists(const std::string& path);
// Every whole entry of the file, with entries of deleted questions closed.
std::vector<PoolEntry> ReadKnowledgeFile(const std::string& path);
// Replaces the file with the open ones of the entries, in their order.
void WriteKnowledgeFile(const std::string& path, const std::vector<PoolEntry>& entries);
