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

void RaiseInOutError(int errorCode, const std::string& operation, const std::string& fileName,
                     const std::string& reason) {
  throw EInOutError(errorCode, "E/A-Fehler " + std::to_string(errorCode) + " beim " + operation +
                                   " von " + fileName + ": " + reason + ".");
}

void RaiseInOutErrorFromErrno(int errnoValue, const std::string& operation,
                              const std::string& fileName) {
  const int code = InOutErrorFromErrno(errnoValue);
  if (errnoValue == EISDIR)
    RaiseNotARegularFile(TNotAFile::Folder, operation, fileName);
  if (errnoValue == ENOTDIR)
    RaiseInOutError(code, operation, fileName, "Ein Teil des Pfades ist eine Datei, kein Ordner");
  RaiseInOutError(code, operation, fileName);
}

void RaiseNotARegularFile(TNotAFile kind, const std::string& operation,
                          const std::string& fileName) {
  const char* reason = "Das ist keine gewöhnliche Datei";
  switch (kind) {
  case TNotAFile::Folder:
    reason = "Das ist ein Ordner, keine Datei";
    break;
  case TNotAFile::Device:
    reason = "Das ist ein Gerät, keine gewöhnliche Datei";
    break;
  case TNotAFile::Pipe:
    reason = "Das ist eine benannte Pipe, keine gewöhnliche Datei";
    break;
  case TNotAFile::Socket:
    reason = "Das ist ein Socket, keine gewöhnliche Datei";
    break;
  case TNotAFile::Other:
    break;
  }
  RaiseInOutError(ioAccessDenied, operation, fileName, reason);
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
#ifdef EDQUOT
  case EDQUOT:
#endif
  case EFBIG:
    return ioWriteFailed;
  default:
    return errnoValue;
  }
}
