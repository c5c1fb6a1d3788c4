// The known folders, asked of the shell.
#include "toolkit/win32/Win32Folders.h"

#include "toolkit/win32/Win32Text.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

std::string DocumentsFolder() {
  PWSTR path = nullptr;
  const HRESULT found = SHGetKnownFolderPath(FOLDERID_Documents, KF_FLAG_CREATE, nullptr, &path);
  std::string folder = SUCCEEDED(found) && path != nullptr ? Narrow(path) : std::string();
  // The shell allocates the path even when it fails.
  CoTaskMemFree(path);
  return folder;
}
