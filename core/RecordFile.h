// A file of fixed-size records, opened and closed within one operation. Every step checks its
// result and raises EInOutError with the classic error numbers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

class TRecordFile {
public:
  enum class TMode { ReadWrite, ReadOnly };

  // Opens the file if it exists; otherwise stays unopened, and the first operation raises
  // error 103. A file that exists but cannot be opened, or is not a regular file (a folder, a
  // device, a named pipe), raises at once.
  TRecordFile(std::string fileName, std::size_t recordSize, TMode mode = TMode::ReadWrite);
  TRecordFile(const TRecordFile&) = delete;
  TRecordFile& operator=(const TRecordFile&) = delete;
  // Closes without raising; call Close() to have a failed close reported.
  ~TRecordFile();

  bool IsOpen() const { return file != nullptr; }
  // Number of whole records; a trailing partial record is not counted.
  int64_t RecordCount();
  // Positions at record `recordNo` (0 up to the record count).
  void Seek(int64_t recordNo);
  // Reads the record at the current position.
  void Read(void* buffer);
  // Writes the record at the current position.
  void Write(const void* buffer);
  // Flushes and closes; raises error 101 when the data could not be written.
  void Close();
  // Closes without writing what is still buffered (after a failed write).
  void Discard();

private:
  void RequireOpen(const char* operation);
  [[noreturn]] void Fail(int errorCode, const char* operation);
  [[noreturn]] void FailFromErrno(const char* operation);

  struct TCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, TCloser> owner;
  std::FILE* file = nullptr;
  std::string name;
  std::size_t recordSize;
  bool lastWasWrite = false;
};
