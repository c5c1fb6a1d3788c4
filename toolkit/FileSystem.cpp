// The file calls of the platform, with UTF-8 paths.
#include "toolkit/FileSystem.h"

#include <cerrno>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#ifdef _WIN32

namespace {

std::wstring Wide(const std::string& text) {
  if (text.empty())
    return {};
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

int ErrnoOfLastError() {
  switch (GetLastError()) {
  case ERROR_FILE_NOT_FOUND:
  case ERROR_PATH_NOT_FOUND:
    return ENOENT;
  case ERROR_ACCESS_DENIED:
  case ERROR_SHARING_VIOLATION:
  case ERROR_LOCK_VIOLATION:
    return EACCES;
  case ERROR_DISK_FULL:
  case ERROR_HANDLE_DISK_FULL:
    return ENOSPC;
  default:
    return EIO;
  }
}

} // namespace

int OpenPath(const std::string& path, int flags, int mode) {
  return _wopen(Wide(path).c_str(), flags | _O_BINARY, mode);
}

int StatPath(const std::string& path, TFileStatus& status) {
  return _wstat64(Wide(path).c_str(), &status);
}

int LinkStatPath(const std::string& path, TFileStatus& status) { return StatPath(path, status); }

int StatDescriptor(int fd, TFileStatus& status) { return _fstat64(fd, &status); }

std::FILE* OpenStream(const std::string& path, const char* mode) {
  return _wfopen(Wide(path).c_str(), Wide(mode).c_str());
}

// A file that another program (a virus scanner, a second save) holds open for a moment cannot be
// replaced; the move is tried again for about a second before it counts as refused.
int RenamePath(const std::string& from, const std::string& to) {
  constexpr int kAttempts = 50;
  for (int attempt = 1;; ++attempt) {
    if (MoveFileExW(Wide(from).c_str(), Wide(to).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return 0;
    const DWORD error = GetLastError();
    const bool held = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
    if (!held || attempt == kAttempts) {
      errno = ErrnoOfLastError();
      return -1;
    }
    Sleep(20);
  }
}

int RemovePath(const std::string& path) { return _wremove(Wide(path).c_str()); }

int SyncDescriptor(int fd) { return _commit(fd); }

bool ReadAt(int fd, void* buffer, std::size_t size, int64_t offset) {
  if (_lseeki64(fd, offset, SEEK_SET) != offset)
    return false;
  auto* bytes = static_cast<char*>(buffer);
  std::size_t done = 0;
  while (done < size) {
    const int n = _read(fd, bytes + done, static_cast<unsigned>(size - done));
    if (n <= 0)
      return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

#else

int OpenPath(const std::string& path, int flags, int mode) {
  return ::open(path.c_str(), flags, mode);
}

int StatPath(const std::string& path, TFileStatus& status) { return ::stat(path.c_str(), &status); }

int LinkStatPath(const std::string& path, TFileStatus& status) {
  return ::lstat(path.c_str(), &status);
}

int StatDescriptor(int fd, TFileStatus& status) { return ::fstat(fd, &status); }

std::FILE* OpenStream(const std::string& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

int RenamePath(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str());
}

int RemovePath(const std::string& path) { return std::remove(path.c_str()); }

int SyncDescriptor(int fd) { return ::fsync(fd); }

bool ReadAt(int fd, void* buffer, std::size_t size, int64_t offset) {
  auto* bytes = static_cast<char*>(buffer);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::pread(fd, bytes + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

#endif

#ifdef _WIN32

namespace {

bool FileInformation(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
  HANDLE file =
      CreateFileW(Wide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return false;
  const bool known = GetFileInformationByHandle(file, &info) != 0;
  CloseHandle(file);
  return known;
}

uint64_t Join(DWORD high, DWORD low) { return static_cast<uint64_t>(high) << 32 | low; }

} // namespace

bool IdentifyFile(const std::string& path, TFileIdentity& identity) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!FileInformation(path, info))
    return false;
  identity.Device = info.dwVolumeSerialNumber;
  identity.Number = Join(info.nFileIndexHigh, info.nFileIndexLow);
  return true;
}

// The last write time counts in steps of 100 ns.
std::string FileChangeStamp(const std::string& path) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!FileInformation(path, info))
    return "";
  return std::to_string(Join(info.nFileSizeHigh, info.nFileSizeLow)) + ":" +
         std::to_string(
             Join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime)) +
         ":" + std::to_string(Join(info.nFileIndexHigh, info.nFileIndexLow));
}

#else

bool IdentifyFile(const std::string& path, TFileIdentity& identity) {
  TFileStatus info{};
  if (StatPath(path, info) != 0)
    return false;
  identity.Device = static_cast<uint64_t>(info.st_dev);
  identity.Number = static_cast<uint64_t>(info.st_ino);
  return true;
}

std::string FileChangeStamp(const std::string& path) {
  TFileStatus info{};
  if (StatPath(path, info) != 0)
    return "";
  return std::to_string(info.st_size) + ":" + std::to_string(info.st_ctim.tv_sec) + "." +
         std::to_string(info.st_ctim.tv_nsec) + ":" + std::to_string(info.st_ino);
}

#endif

std::filesystem::path FileSystemPath(const std::string& path) {
  return std::filesystem::u8path(path);
}

std::string Utf8Path(const std::filesystem::path& path) {
  const auto text = path.u8string();
  return std::string(text.begin(), text.end());
}
