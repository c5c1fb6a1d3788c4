// Checked, buffered access to a file of fixed-size records.
#include "core/RecordFile.h"

#include "core/FileDescriptor.h"
#include "core/RegularFile.h"
#include "toolkit/Exceptions.h"
#include "toolkit/FileSystem.h"

#include <cerrno>
#include <cstdio>
#ifdef _WIN32
#include <io.h>
#else
#include <stdio_ext.h>
#endif

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

} // namespace

TRecordFile::TRecordFile(std::string fileName, std::size_t size, TMode mode)
    : name(std::move(fileName)), recordSize(size) {
  const bool writing = mode == TMode::ReadWrite;
  TDescriptor descriptor(OpenRegularFile(name, writing ? O_RDWR : O_RDONLY, "Öffnen"));
  if (descriptor.Get() < 0)
    return;
  std::FILE* opened = ::fdopen(descriptor.Get(), writing ? "r+b" : "rb");
  if (opened == nullptr)
    RaiseInOutErrorFromErrno(errno, "Öffnen", name);
  descriptor.Release();
  owner.reset(opened);
  file = opened;
  std::setvbuf(file, nullptr, _IOFBF, kBufferSize);
}

TRecordFile::~TRecordFile() = default;

void TRecordFile::RequireOpen(const char* operation) {
  if (file == nullptr)
    RaiseInOutError(ioFileNotOpen, operation, name);
}

void TRecordFile::Fail(int errorCode, const char* operation) {
  RaiseInOutError(errorCode, operation, name);
}

void TRecordFile::FailFromErrno(const char* operation) {
  RaiseInOutErrorFromErrno(errno, operation, name);
}

int64_t TRecordFile::RecordCount() {
  RequireOpen("Lesen der Größe");
  TFileStatus info{};
  if (std::fflush(file) != 0 || StatDescriptor(fileno(file), info) != 0)
    FailFromErrno("Lesen der Größe");
  return static_cast<int64_t>(info.st_size) / static_cast<int64_t>(recordSize);
}

void TRecordFile::Seek(int64_t recordNo) {
  RequireOpen("Positionieren");
  if (recordNo < 0 || recordNo > RecordCount())
    Fail(ioReadPastEnd, "Positionieren");
  if (std::fseek(file, static_cast<long>(recordNo * static_cast<int64_t>(recordSize)), SEEK_SET) !=
      0)
    FailFromErrno("Positionieren");
  lastWasWrite = false;
}

void TRecordFile::Read(void* buffer) {
  RequireOpen("Lesen");
  if (lastWasWrite && std::fseek(file, 0, SEEK_CUR) != 0)
    FailFromErrno("Lesen");
  lastWasWrite = false;
  if (std::fread(buffer, 1, recordSize, file) != recordSize)
    Fail(ioReadPastEnd, "Lesen");
}

void TRecordFile::Write(const void* buffer) {
  RequireOpen("Schreiben");
  if (!lastWasWrite && std::fseek(file, 0, SEEK_CUR) != 0)
    FailFromErrno("Schreiben");
  lastWasWrite = true;
  if (std::fwrite(buffer, 1, recordSize, file) != recordSize)
    Fail(ioWriteFailed, "Schreiben");
}

void TRecordFile::Close() {
  RequireOpen("Schließen");
  std::FILE* closing = owner.release();
  file = nullptr;
  const bool flushed = std::fflush(closing) == 0;
  const bool closed = std::fclose(closing) == 0;
  if (!flushed || !closed)
    Fail(ioWriteFailed, "Schließen");
}

void TRecordFile::Discard() {
  if (file == nullptr)
    return;
#ifdef _WIN32
  // Windows has no purge: the stream's descriptor is pointed at the null device, so that the
  // close writes what is buffered nowhere.
  const int nowhere = ::_open("NUL", _O_WRONLY);
  if (nowhere >= 0) {
    ::_dup2(nowhere, ::_fileno(file));
    ::_close(nowhere);
  }
#else
  __fpurge(file);
#endif
  owner.reset();
  file = nullptr;
}
