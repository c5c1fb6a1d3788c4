// The exception classes of the system: input/output errors and conversion errors.
#pragma once

#include <stdexcept>
#include <string>

// Base of every error the system raises on purpose; the event dispatch shows it and goes on.
class Exception : public std::runtime_error {
public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// A failed file operation. ErrorCode uses the classic run-time numbers:
// 2 file not found, 5 access denied, 100 read past end, 101 write failed, 103 file not open.
class EInOutError : public Exception {
public:
  EInOutError(int errorCode, const std::string& message)
      : Exception(message), ErrorCode(errorCode) {}
  int ErrorCode = 0;
};

// A text that is not a valid number.
class EConvertError : public Exception {
public:
  explicit EConvertError(const std::string& message) : Exception(message) {}
};

// Error numbers of EInOutError.
enum : int {
  ioFileNotFound = 2,
  ioAccessDenied = 5,
  ioReadPastEnd = 100,
  ioWriteFailed = 101,
  ioFileNotOpen = 103,
};

// Builds the German text of an input/output error, for example
// "E/A-Fehler 103 beim Lesen von Aerolern.dat: Datei nicht geöffnet."
std::string InOutErrorText(int errorCode, const std::string& operation,
                           const std::string& fileName);

// Raises EInOutError with the text of InOutErrorText.
[[noreturn]] void RaiseInOutError(int errorCode, const std::string& operation,
                                  const std::string& fileName);

// Raises EInOutError with the text of InOutErrorText, but with `reason` in place of the classic
// reason, for failures the classic texts would misname.
[[noreturn]] void RaiseInOutError(int errorCode, const std::string& operation,
                                  const std::string& fileName, const std::string& reason);

// Maps an errno value of a failed open to the classic error number (2, 5, or the errno itself).
int InOutErrorFromErrno(int errnoValue);

// Raises EInOutError for a failed system call with the classic number of `errnoValue`. A folder
// where a file was expected, or a file where a folder was expected, is named as such rather than
// as "access denied" or "not found".
[[noreturn]] void RaiseInOutErrorFromErrno(int errnoValue, const std::string& operation,
                                           const std::string& fileName);

// What stands at a path where a regular file was expected.
enum class TNotAFile { Folder, Device, Pipe, Socket, Other };

// Raises EInOutError 5 saying what stands at the path instead of a regular file.
[[noreturn]] void RaiseNotARegularFile(TNotAFile kind, const std::string& operation,
                                       const std::string& fileName);
