// File reading with POSIX calls, so that errno gives the reason of a failure.
#include "tools/katalog/FileAccess.h"

#include "core/FileDescriptor.h"
#include "toolkit/Exceptions.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

[[noreturn]] void RaiseFromErrno(const char* operation, const std::string& path) {
  RaiseInOutError(InOutErrorFromErrno(errno), operation, path);
}

} // namespace

std::string ReadWholeFile(const std::string& path) {
  TDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.Get() < 0)
    RaiseFromErrno("Öffnen", path);
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(file.Get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR)
      continue;
    if (got < 0)
      RaiseFromErrno("Lesen", path);
    if (got == 0)
      return bytes;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
}

void EnsureReadable(const std::string& path) {
  TDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.Get() < 0)
    RaiseFromErrno("Öffnen", path);
  // A folder opens, but reading it fails as in ReadWholeFile.
  struct stat info {};
  if (::fstat(file.Get(), &info) == 0 && S_ISDIR(info.st_mode))
    RaiseInOutError(InOutErrorFromErrno(EISDIR), "Lesen", path);
}
