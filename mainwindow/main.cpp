// The program entry: the trainer in real windows, the Windows API's on Windows and FLTK's on X11.
#include "core/srcCommon.h"
#include "mainwindow/Startup.h"
#include "toolkit/Application.h"

#ifdef _WIN32
#include "toolkit/win32/Win32Platform.h"
using TProgramPlatform = TWin32Platform;
#else
#include "toolkit/fltk/FltkPlatform.h"
using TProgramPlatform = TFltkPlatform;
#endif

#include <filesystem>
#include <system_error>

namespace {

// The catalogue is looked up in the working folder; without it there is nothing to learn.
bool CatalogueFound(TPlatform& platform) {
  std::error_code error;
  if (std::filesystem::is_regular_file(CatalogueFileName, error))
    return true;
  // UTF-8, as every text of the program: on Windows string() would give the ANSI code page.
  const std::string folder = std::filesystem::current_path(error).u8string();
  platform.MessageDialog("Aerolern", std::string("Die Fragendatei \"") + CatalogueFileName +
                                         "\" fehlt im Arbeitsverzeichnis \"" + folder +
                                         "\".\n\rAerolern wird beendet.");
  return false;
}

} // namespace

int main() {
  TProgramPlatform platform;
  if (!CatalogueFound(platform))
    return 1;
  StartProgram();
  Application.Run();
  Application.DestroyForms();
  return 0;
}
