// German texts for input/output errors and the mapping from errno.
#include "toolkit/Exceptions.h"

#include <cerrno>

namespace {

std::string ReasonText(int errorCode) {
  switch (errorCode) {
  case ioFileNotFound:
    return "Datei nicht gefunden";
  case ioAccessDenied:
    return "Zugriff verweigert";
  case ioReadPastEnd:
    return "Lesen über das Dateiende hinaus";
  case ioWriteFailed:
    return "Schreiben fehlgeschlagen";
  case ioFileNotOpen:
    return "Datei nicht geöffnet";
  default:
    return "Ein-/Ausgabefehler";
  }
}

} // namespace

std::string InOutErrorText(int errorCode, const std::string& operation,
                           const std::string& fileName) {
  return "E/A-Fehler " + std::to_string(errorCode) + " beim " + operation + " von " + fileName +
         ": " + ReasonText(errorCode) + ".";
}

void RaiseInOutError(int errorCode, const std::string& operation, const std::string& fileName) {
  throw EInOutError(errorCode, InOutErrorText(errorCode, operation, fileName));
}

int InOutErrorFromErrno(int errnoValue) {
  switch (errnoValue) {
  case ENOENT:
  case ENOTDIR:
    return ioFileNotFound;
  case EACCES:
  case EPERM:
  case EROFS:
  case EISDIR:
    return ioAccessDenied;
  case ENOSPC:
  case EDQUOT:
  case EFBIG:
    return ioWriteFailed;
  default:
    return errnoValue;
  }
}
