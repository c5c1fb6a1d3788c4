// The complete-or-nothing replacement of a file: temporary file, fsync, rename, fsync of the
// folder.
#include "core/SafeFileReplace.h"

#include "core/FileDescriptor.h"
#include "toolkit/Exceptions.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace {

void WriteAll(int fd, const std::string& bytes, const std::string& path) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      RaiseInOutError(ioWriteFailed, "Schreiben", path);
    written += static_cast<std::size_t>(n);
  }
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos)
    return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the rename itself durable. The new file is complete already, so a folder that cannot be
// flushed (some file systems refuse it) does not turn the save into a failure.
void FlushFolder(const std::string& path) {
  TDescriptor folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.Get() >= 0)
    static_cast<void>(::fsync(folder.Get()));
}

} // namespace

void ReplaceFileSafely(const std::string& path, const std::string& bytes) {
  const std::string temporary = path + ".neu";
  TDescriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  // Whatever stands under the temporary name and cannot be opened is not ours to remove.
  if (file.Get() < 0)
    RaiseInOutError(InOutErrorFromErrno(errno), "Anlegen", path);
  try {
    WriteAll(file.Get(), bytes, path);
    if (::fsync(file.Get()) != 0 || !file.Close())
      RaiseInOutError(ioWriteFailed, "Schreiben", path);
    if (std::rename(temporary.c_str(), path.c_str()) != 0)
      RaiseInOutError(InOutErrorFromErrno(errno), "Umbenennen", path);
  } catch (...) {
    std::remove(temporary.c_str());
    throw;
  }
  FlushFolder(path);
}
