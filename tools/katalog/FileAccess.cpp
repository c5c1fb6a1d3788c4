// File reading with POSIX calls, so that errno gives the reason of a failure.
#include "tools/katalog/FileAccess.h"

#include "core/FileDescriptor.h"
#include "core/RegularFile.h"
#include "toolkit/Exceptions.h"
#include "toolkit/FileSystem.h"

#include <cerrno>
#include <cstdio>
#include <unistd.h>
#include <utility>

namespace {

[[noreturn]] void RaiseFromErrno(const char* operation, const std::string& path) {
  RaiseInOutErrorFromErrno(errno, operation, path);
}

// The open regular file; a missing one is reported like any other that cannot be opened.
int OpenForReading(const std::string& path) {
  const int fd = OpenRegularFile(path, O_RDONLY, "Öffnen");
  if (fd < 0)
    RaiseInOutErrorFromErrno(ENOENT, "Öffnen", path);
  return fd;
}

} // namespace

std::string ReadWholeFile(const std::string& path) {
  TDescriptor file(OpenForReading(path));
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

void EnsureReadable(const std::string& path) { TDescriptor file(OpenForReading(path)); }

void RefuseOutputOverInput(const std::string& output, const std::vector<std::string>& inputs) {
  TFileIdentity target;
  if (!IdentifyFile(output, target))
    return; // a file that is not there yet is no input
  for (const std::string& input : inputs) {
    TFileIdentity source;
    if (IdentifyFile(input, source) && source == target)
      throw Exception("Die Ausgabedatei " + output + " ist dieselbe Datei wie die Eingabedatei " +
                      input + "; sie würde dabei überschrieben. Es wurde nichts geschrieben.");
  }
}
