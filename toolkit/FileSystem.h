// Files by their UTF-8 paths on every platform: the POSIX calls on Linux; on Windows the C
// runtime's wide-character calls with the path in UTF-16, so that any folder name works (a user
// folder "C:\Users\Jürgen Ölmann"), and every file in binary mode.
#pragma once

#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>

#ifdef _WIN32
// Windows knows none of these: a handle is inherited only when asked for (so not inheriting is
// the default), there are no named pipes or terminals in the file system, and the program's
// folders hold no symbolic links to refuse.
#ifndef O_CLOEXEC
#define O_CLOEXEC _O_NOINHERIT
#endif
#ifndef O_NOFOLLOW
#define O_NOFOLLOW 0
#endif
#ifndef O_NONBLOCK
#define O_NONBLOCK 0
#endif
#ifndef O_NOCTTY
#define O_NOCTTY 0
#endif
#ifndef O_DIRECTORY
#define O_DIRECTORY 0
#endif
using TFileStatus = struct _stat64;
#else
using TFileStatus = struct stat;
#endif

// open(2) on the path; -1 with errno set when it fails.
int OpenPath(const std::string& path, int flags, int mode = 0666);
// stat(2) and lstat(2) on the path (the same on Windows), fstat(2) on a descriptor; 0 on success.
int StatPath(const std::string& path, TFileStatus& status);
int LinkStatPath(const std::string& path, TFileStatus& status);
int StatDescriptor(int fd, TFileStatus& status);
// fopen(3) on the path.
std::FILE* OpenStream(const std::string& path, const char* mode);
// Renames a file, replacing what stands at `to` in one step; on Windows written through to the
// disk before it returns. 0 on success, -1 with errno set.
int RenamePath(const std::string& from, const std::string& to);
int RemovePath(const std::string& path);
// Writes the file's data to the disk; 0 on success.
int SyncDescriptor(int fd);
// Reads `size` bytes at `offset` without moving a shared position; false when fewer came.
bool ReadAt(int fd, void* buffer, std::size_t size, int64_t offset);
// The path as the standard library's file-system path, read as UTF-8.
std::filesystem::path FileSystemPath(const std::string& path);
// A file-system path as UTF-8.
std::string Utf8Path(const std::filesystem::path& path);

// What identifies a file while it exists: its device (volume) and its number on it. False when
// nothing stands at the path.
struct TFileIdentity {
  uint64_t Device = 0;
  uint64_t Number = 0;
  bool operator==(const TFileIdentity& other) const {
    return Device == other.Device && Number == other.Number;
  }
};
bool IdentifyFile(const std::string& path, TFileIdentity& identity);
// A text that changes whenever the file's content is changed or the file is replaced (size, time
// of the last change and identity); empty when nothing stands at the path.
std::string FileChangeStamp(const std::string& path);
