// File reading and replacing with POSIX calls, so that errno gives the reason of a failure.
#include "tools/katalog/FileAccess.h"

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

// Owns an open file descriptor.
class TDescriptor {
public:
  explicit TDescriptor(int fd) : fd(fd) {}
  TDescriptor(const TDescriptor&) = delete;
  TDescriptor& operator=(const TDescriptor&) = delete;
  ~TDescriptor() {
    if (fd >= 0)
      ::close(fd);
  }
  int Get() const { return fd; }
  // Closes now and reports whether the close succeeded (a late write error shows up here).
  bool Close() {
    const int result = ::close(fd);
    fd = -1;
    return result == 0;
  }

private:
  int fd;
};

// Removes the temporary file unless the rename took it over.
class TTemporaryFile {
public:
  explicit TTemporaryFile(std::string path) : path(std::move(path)) {}
  TTemporaryFile(const TTemporaryFile&) = delete;
  TTemporaryFile& operator=(const TTemporaryFile&) = delete;
  ~TTemporaryFile() {
    if (!kept)
      ::unlink(path.c_str());
  }
  const std::string& Path() const { return path; }
  void Keep() { kept = true; }

private:
  std::string path;
  bool kept = false;
};

// mkstemp creates files readable by the owner only; the result should get the usual mode.
mode_t CurrentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
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

void WriteFileReplacing(const std::string& path, const std::string& bytes) {
  std::string pattern = path + ".tmp-XXXXXX";
  TDescriptor file(::mkstemp(pattern.data()));
  if (file.Get() < 0)
    RaiseFromErrno("Anlegen", path);
  TTemporaryFile temporary(pattern);
  if (::fchmod(file.Get(), 0666 & ~CurrentUmask()) != 0)
    RaiseFromErrno("Schreiben", temporary.Path());
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t put = ::write(file.Get(), bytes.data() + written, bytes.size() - written);
    if (put < 0 && errno == EINTR)
      continue;
    if (put < 0)
      RaiseFromErrno("Schreiben", temporary.Path());
    written += static_cast<std::size_t>(put);
  }
  if (!file.Close())
    RaiseFromErrno("Schreiben", temporary.Path());
  if (::rename(temporary.Path().c_str(), path.c_str()) != 0)
    RaiseFromErrno("Umbenennen", temporary.Path());
  temporary.Keep();
}
