// Regular files only: the type of what stands at a path is checked on the opened descriptor.
#include "core/RegularFile.h"

#include "core/FileDescriptor.h"
#include "toolkit/Exceptions.h"
#include "toolkit/FileSystem.h"

#include <cerrno>

namespace {

TNotAFile KindOf(mode_t mode) {
  if (S_ISDIR(mode))
    return TNotAFile::Folder;
  if (S_ISCHR(mode))
    return TNotAFile::Device;
#ifndef _WIN32
  if (S_ISBLK(mode))
    return TNotAFile::Device;
  if (S_ISFIFO(mode))
    return TNotAFile::Pipe;
  if (S_ISSOCK(mode))
    return TNotAFile::Socket;
#endif
  return TNotAFile::Other;
}

} // namespace

int OpenRegularFile(const std::string& path, int flags, const std::string& operation) {
  // Without O_NONBLOCK the open of a named pipe would wait for a writer.
  TDescriptor file(OpenPath(path, flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (file.Get() < 0) {
    const int error = errno;
    if (error == ENOENT)
      return -1;
    // A pipe without reader or a socket refuses the open itself; name what it is.
    RequireRegularOrMissing(path, operation);
    RaiseInOutErrorFromErrno(error, operation, path);
  }
  TFileStatus info{};
  if (StatDescriptor(file.Get(), info) != 0)
    RaiseInOutErrorFromErrno(errno, operation, path);
  if (!S_ISREG(info.st_mode))
    RaiseNotARegularFile(KindOf(info.st_mode), operation, path);
#ifndef _WIN32
  const int status = ::fcntl(file.Get(), F_GETFL);
  if (status < 0 || ::fcntl(file.Get(), F_SETFL, status & ~O_NONBLOCK) != 0)
    RaiseInOutErrorFromErrno(errno, operation, path);
#endif
  return file.Release();
}

void RequireRegularOrMissing(const std::string& path, const std::string& operation) {
  TFileStatus info{};
  if (StatPath(path, info) == 0 && !S_ISREG(info.st_mode))
    RaiseNotARegularFile(KindOf(info.st_mode), operation, path);
}
