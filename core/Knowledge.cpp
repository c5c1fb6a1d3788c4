// The knowledge file "Wissensstand.dat": where it lies, and its entries read and written.
#include "core/CatalogueFile.h"
#include "core/KnowledgeEntryCodec.h"
#include "core/KnowledgeFile.h"
#include "core/RecordFile.h"
#include "core/SafeFileReplace.h"
#include "core/srcCommon.h"

#include "toolkit/Exceptions.h"
#include "toolkit/FileSystem.h"

#include <cerrno>

const char* const KnowledgeFileName = "Wissensstand.dat";

namespace {

// A state saved before a question was deleted still names it: it stays closed, so a deleted
// question never comes back. An entry of a record the catalogue does not have (a state saved
// with a larger catalogue, or a damaged file) could never be shown: it is closed and counted.
int32_t CloseMissingQuestions(std::vector<PoolEntry>& entries) {
  std::vector<bool> inUse;
  try {
    inUse = RecordsInUse();
  } catch (const EInOutError&) {
    return 0; // without a readable catalogue there is nothing to compare with
  }
  int32_t outside = 0;
  for (PoolEntry& entry : entries) {
    if (entry.RecordNo < 0 || static_cast<std::size_t>(entry.RecordNo) >= inUse.size()) {
      entry.Open = 0;
      ++outside;
    } else if (!inUse[static_cast<std::size_t>(entry.RecordNo)]) {
      entry.Open = 0;
    }
  }
  return outside;
}

} // namespace

std::string KnowledgeFilePath() {
  std::string directory;
  ReadIniValue("KnowledgeLevelLocation", directory);
  if (directory.empty())
    return KnowledgeFileName;
  if (directory.back() == '\\' || directory.back() == '/')
    directory.pop_back();
  return directory + "/" + KnowledgeFileName;
}

bool KnowledgeFileExists(const std::string& path) {
  TFileStatus info{};
  if (StatPath(path, info) == 0)
    return true;
  // A file where the knowledge folder should be is named, not reported as a missing file.
  if (errno != ENOENT)
    RaiseInOutErrorFromErrno(errno, "Öffnen", path);
  return false;
}

std::vector<PoolEntry> ReadKnowledgeFile(const std::string& path, int32_t& outsideCatalogue) {
  TRecordFile file(path, kKnowledgeEntrySize, TRecordFile::TMode::ReadOnly);
  const int64_t count = file.RecordCount();
  std::vector<PoolEntry> entries;
  entries.reserve(static_cast<std::size_t>(count));
  KnowledgeEntryBytes bytes{};
  for (int64_t i = 0; i < count; ++i) {
    file.Read(bytes.data());
    PoolEntry entry = DecodeKnowledgeEntry(bytes.data());
    // An in-use byte of 0 marks a deleted question. Such an entry is never picked, so left open
    // it would be counted as open for good: it is loaded closed, catalogue or not.
    if (entry.InUse == 0)
      entry.Open = 0;
    entries.push_back(entry);
  }
  file.Close();
  outsideCatalogue = CloseMissingQuestions(entries);
  return entries;
}

void WriteKnowledgeFile(const std::string& path, const std::vector<PoolEntry>& entries) {
  std::string data;
  for (const PoolEntry& entry : entries) {
    if (entry.Open == 0)
      continue;
    const KnowledgeEntryBytes bytes = EncodeKnowledgeEntry(entry);
    data.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }
  ReplaceFileSafely(path, data);
}
