// Reading the log's frames and the database header with plain file reads, before SQLite opens
// either: the layout is SQLite's documented file format.
#include "history/WriteAheadLog.h"

#include "core/FileDescriptor.h"
#include "toolkit/Exceptions.h"
#include "toolkit/FileSystem.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <vector>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

constexpr std::size_t kLogHeaderSize = 32;
constexpr std::size_t kFrameHeaderSize = 24;
constexpr uint32_t kLogMagicLow = 0x377f0682;
constexpr uint32_t kLogMagicHigh = 0x377f0683;
// SQLite's dead-man switch in the shared-memory file: every connection holds a read lock on this
// byte while it has the database open.
constexpr int64_t kSharedMemoryAliveByte = 128;

uint32_t BigEndian32(const unsigned char* bytes) {
  return static_cast<uint32_t>(bytes[0]) << 24 | static_cast<uint32_t>(bytes[1]) << 16 |
         static_cast<uint32_t>(bytes[2]) << 8 | static_cast<uint32_t>(bytes[3]);
}

// Whether a running program has the database open: its lock on the shared-memory file's switch.
// An open-file-description lock query sees the locks of this process's connections too.
bool LogInUse(const std::string& databasePath) {
  TDescriptor memory(OpenPath(databasePath + "-shm", O_RDONLY | O_CLOEXEC));
  if (memory.Get() < 0)
    return false;
#ifdef _WIN32
  // Windows locks belong to a handle: a lock this handle cannot take is held by a connection,
  // of this process or another.
  auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(memory.Get()));
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(kSharedMemoryAliveByte);
  if (!LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at))
    return true;
  UnlockFileEx(handle, 0, 1, 0, &at);
  return false;
#else
  struct flock probe {};
  probe.l_type = F_WRLCK;
  probe.l_whence = SEEK_SET;
  probe.l_start = kSharedMemoryAliveByte;
  probe.l_len = 1;
  // A file system without such locks gives no answer; the log is then taken as in use.
  if (::fcntl(memory.Get(), F_OFD_GETLK, &probe) != 0)
    return true;
  return probe.l_type != F_UNLCK;
#endif
}

// The write counts of page 1 in the log's valid frames, in log order.
std::vector<uint32_t> LoggedWriteCounts(int log, bool& firstFrameIsPageOne) {
  std::vector<uint32_t> counts;
  firstFrameIsPageOne = false;
  unsigned char header[kLogHeaderSize];
  if (!ReadAt(log, header, sizeof header, 0))
    return counts;
  const uint32_t magic = BigEndian32(header);
  const uint32_t pageSize = BigEndian32(header + 8);
  if ((magic != kLogMagicLow && magic != kLogMagicHigh) || pageSize < 512 || pageSize > 65536)
    return counts;
  std::vector<unsigned char> frame(kFrameHeaderSize + pageSize);
  for (int64_t at = kLogHeaderSize;; at += static_cast<int64_t>(frame.size())) {
    if (!ReadAt(log, frame.data(), frame.size(), at))
      return counts;
    // Frames of an earlier round of the log carry other salts and are no longer part of it.
    if (BigEndian32(&frame[8]) != BigEndian32(header + 16) ||
        BigEndian32(&frame[12]) != BigEndian32(header + 20))
      return counts;
    const bool pageOne = BigEndian32(&frame[0]) == 1;
    if (at == static_cast<int64_t>(kLogHeaderSize))
      firstFrameIsPageOne = pageOne;
    if (pageOne)
      counts.push_back(BigEndian32(&frame[kFrameHeaderSize + kWriteCountOffset]));
  }
}

enum class TOrigin { Unknown, This, Other };

TOrigin OriginOfLog(const std::string& databasePath, int log) {
  bool firstFrameIsPageOne = false;
  const std::vector<uint32_t> counts = LoggedWriteCounts(log, firstFrameIsPageOne);
  if (counts.empty() || !firstFrameIsPageOne)
    return TOrigin::Unknown;
  TDescriptor database(OpenPath(databasePath, O_RDONLY | O_CLOEXEC));
  unsigned char header[100];
  if (database.Get() < 0 || !ReadAt(database.Get(), header, sizeof header, 0))
    return TOrigin::Other; // a log without its database belongs to none
  // The database holds the count before the log's first transaction, or a later one that a
  // checkpoint copied from the log. Unsigned arithmetic lets the count wrap around.
  const uint32_t before = counts.front() - 1;
  const uint32_t stored = BigEndian32(header + kWriteCountOffset);
  const uint32_t latest = counts.back();
  return stored - before <= latest - before ? TOrigin::This : TOrigin::Other;
}

std::string FreeName(const std::string& base) {
  for (int n = 1;; ++n) {
    const std::string name = base + std::to_string(n);
    TFileStatus info{};
    if (LinkStatPath(name, info) != 0 && errno == ENOENT)
      return name;
  }
}

std::string SetAside(const std::string& databasePath) {
  const std::string logPath = databasePath + "-wal";
  const std::string aside = FreeName(logPath + ".beiseite-");
  if (RenamePath(logPath, aside) != 0)
    throw Exception("das Protokoll " + logPath +
                    " gehört nicht zu dieser Datei und lässt sich "
                    "nicht beiseitelegen");
  // The shared memory indexes the log that went; SQLite builds it anew.
  RemovePath(databasePath + "-shm");
  return aside;
}

} // namespace

std::optional<std::string> SetAsideForeignLog(const std::string& databasePath) {
  TDescriptor log(OpenPath(databasePath + "-wal", O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
  if (log.Get() < 0 || LogInUse(databasePath) ||
      OriginOfLog(databasePath, log.Get()) != TOrigin::Other)
    return std::nullopt;
  return SetAside(databasePath);
}

void ClearLogOfMovedFile(const std::string& databasePath) {
  const std::string logPath = databasePath + "-wal";
  TFileStatus info{};
  if (LinkStatPath(logPath, info) != 0 || LogInUse(databasePath))
    return;
  if (info.st_size > 0) {
    static_cast<void>(SetAside(databasePath));
    return;
  }
  RemovePath(logPath);
  RemovePath(databasePath + "-shm");
}
