// The knowledge file "Wissensstand.dat": the open questions of the pool, saved and loaded.
#include "core/CommonState.h"
#include "core/QuestionRecordCodec.h"
#include "core/RecordFile.h"
#include "core/srcCommon.h"

#include "toolkit/Application.h"
#include "toolkit/Exceptions.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

const char* const KnowledgeFileName = "Wissensstand.dat";

namespace {

constexpr std::size_t kEntrySize = 12;
using EntryBytes = std::array<uint8_t, kEntrySize>;

EntryBytes EncodeEntry(const PoolEntry& entry) {
  EntryBytes bytes{};
  bytes[0] = entry.InUse;
  bytes[1] = entry.Open;
  WriteInt16(bytes.data() + 2, entry.Licence);
  WriteInt16(bytes.data() + 4, entry.Area);
  WriteInt32(bytes.data() + 8, entry.RecordNo);
  return bytes;
}

PoolEntry DecodeEntry(const EntryBytes& bytes) {
  return PoolEntry{bytes[0], bytes[1], ReadInt16(bytes.data() + 2), ReadInt16(bytes.data() + 4),
                   ReadInt32(bytes.data() + 8)};
}

// A file descriptor that is closed when it goes out of scope.
class TDescriptor {
public:
  explicit TDescriptor(int fd) : fd(fd) {}
  ~TDescriptor() {
    if (fd >= 0)
      ::close(fd);
  }
  TDescriptor(const TDescriptor&) = delete;
  TDescriptor& operator=(const TDescriptor&) = delete;
  int Get() const { return fd; }
  int Release() { return std::exchange(fd, -1); }

private:
  int fd;
};

void WriteAll(int fd, const std::vector<uint8_t>& data, const std::string& path) {
  std::size_t written = 0;
  while (written < data.size()) {
    const ssize_t n = ::write(fd, data.data() + written, data.size() - written);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      RaiseInOutError(ioWriteFailed, "Schreiben", path);
    written += static_cast<std::size_t>(n);
  }
}

// Writes the bytes to a new file beside the target and renames it over the target only when it
// is complete, so that a failed save leaves the earlier file as it was.
void ReplaceFileSafely(const std::string& path, const std::vector<uint8_t>& data) {
  const std::string temporary = path + ".neu";
  TDescriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  if (fd.Get() < 0)
    RaiseInOutError(InOutErrorFromErrno(errno), "Anlegen", path);
  try {
    WriteAll(fd.Get(), data, path);
    if (::fsync(fd.Get()) != 0 || ::close(fd.Release()) != 0)
      RaiseInOutError(ioWriteFailed, "Schreiben", path);
    if (std::rename(temporary.c_str(), path.c_str()) != 0)
      RaiseInOutError(InOutErrorFromErrno(errno), "Umbenennen", path);
  } catch (...) {
    std::remove(temporary.c_str());
    throw;
  }
}

// A state saved before a question was deleted still names it: it stays closed, so a deleted
// question never comes back. Entries beyond the catalogue's end are kept as they are.
void CloseDeletedQuestions(std::vector<PoolEntry>& entries) {
  std::vector<bool> inUse;
  try {
    inUse = RecordsInUse();
  } catch (const EInOutError&) {
    return; // without a readable catalogue there is nothing to compare with
  }
  for (PoolEntry& entry : entries)
    if (entry.RecordNo >= 0 && static_cast<std::size_t>(entry.RecordNo) < inUse.size() &&
        !inUse[static_cast<std::size_t>(entry.RecordNo)])
      entry.Open = 0;
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

void SaveKnowledge() {
  const std::string path = KnowledgeFilePath();
  std::vector<uint8_t> data;
  for (const PoolEntry& entry : QuestionPool()) {
    if (entry.Open == 0)
      continue;
    const EntryBytes bytes = EncodeEntry(entry);
    data.insert(data.end(), bytes.begin(), bytes.end());
  }
  ReplaceFileSafely(path, data);
}

void LoadKnowledgeIntoPool() {
  const std::string path = KnowledgeFilePath();
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) {
    // The pool and its count stay as they were, so learning goes on where it was.
    Application.MessageBox("Keine Wissensdatei vorhanden.");
    return;
  }
  TRecordFile file(path, kEntrySize, TRecordFile::TMode::ReadOnly);
  const int64_t count = file.RecordCount();
  std::vector<PoolEntry> entries;
  entries.reserve(static_cast<std::size_t>(count));
  EntryBytes bytes{};
  for (int64_t i = 0; i < count; ++i) {
    file.Read(bytes.data());
    entries.push_back(DecodeEntry(bytes));
  }
  file.Close();
  CloseDeletedQuestions(entries);
  ReplacePool(std::move(entries));
  SelectAllCategories();
}
