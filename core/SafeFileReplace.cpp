// The complete-or-nothing replacement of a file: exclusive temporary file, fsync, rename, fsync
// of the folder (on Windows: the file flushed, then moved over the old one with write-through).
#include "core/SafeFileReplace.h"

#include "core/FileDescriptor.h"
#include "core/RegularFile.h"
#include "toolkit/Exceptions.h"
#include "toolkit/FileSystem.h"

#include <cerrno>
#include <memory>
#include <random>
#include <unistd.h>

namespace {

constexpr int kNameAttempts = 100;

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

#ifndef _WIN32
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos)
    return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}
#endif

// Makes the rename itself durable. The new file is complete already, so a folder that cannot be
// flushed (some file systems refuse it) does not turn the save into a failure.
// Windows has no folder to flush: MoveFileEx with write-through makes the rename durable.
void FlushFolder([[maybe_unused]] const std::string& path) {
#ifndef _WIN32
  TDescriptor folder(OpenPath(FolderOf(path), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.Get() >= 0)
    static_cast<void>(::fsync(folder.Get()));
#endif
}

std::string RandomLetters(std::mt19937& random) {
  static constexpr char kLetters[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
  std::string letters;
  for (int i = 0; i < 6; ++i)
    letters += kLetters[pick(random)];
  return letters;
}

// A new file of a name nobody has used, created so that nothing standing there is followed.
class TTemporaryFile {
public:
  explicit TTemporaryFile(const std::string& path) {
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
      name = path + ".neu-" + RandomLetters(random);
      const int fd = OpenPath(name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
      if (fd >= 0) {
        file = std::make_unique<TDescriptor>(fd);
        return;
      }
      if (errno != EEXIST)
        RaiseInOutErrorFromErrno(errno, "Anlegen", path);
    }
    RaiseInOutError(ioAccessDenied, "Anlegen", path);
  }
  ~TTemporaryFile() {
    if (!renamed)
      RemovePath(name);
  }
  TTemporaryFile(const TTemporaryFile&) = delete;
  TTemporaryFile& operator=(const TTemporaryFile&) = delete;

  int Get() const { return file->Get(); }
  bool Close() { return file->Close(); }
  void RenameTo(const std::string& path) {
    if (RenamePath(name, path) != 0)
      RaiseInOutErrorFromErrno(errno, "Umbenennen", path);
    renamed = true;
  }

private:
  std::string name;
  std::unique_ptr<TDescriptor> file;
  bool renamed = false;
};

// The new file takes the permissions of the file it replaces, so that a private file stays so.
// Windows keeps a file's access rights in the folder's inherited rules instead.
void KeepPermissions([[maybe_unused]] int fd, [[maybe_unused]] const std::string& path) {
#ifndef _WIN32
  TFileStatus info{};
  if (StatPath(path, info) == 0)
    static_cast<void>(::fchmod(fd, info.st_mode & 07777));
#endif
}

} // namespace

void ReplaceFileSafely(const std::string& path, const std::string& bytes) {
  RequireRegularOrMissing(path, "Schreiben");
  TTemporaryFile file(path);
  KeepPermissions(file.Get(), path);
  WriteAll(file.Get(), bytes, path);
  if (SyncDescriptor(file.Get()) != 0 || !file.Close())
    RaiseInOutError(ioWriteFailed, "Schreiben", path);
  // What stood at the path may have changed while the new content was written.
  RequireRegularOrMissing(path, "Schreiben");
  file.RenameTo(path);
  FlushFolder(path);
}
