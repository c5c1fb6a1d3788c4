// The program entry: the trainer in real windows.
#include "core/srcCommon.h"
#include "mainwindow/Startup.h"
#include "toolkit/Application.h"
#include "toolkit/fltk/FltkPlatform.h"

#include <filesystem>
#include <system_error>

namespace {

// The catalogue is looked up in the working folder; without it there is nothing to learn.
bool CatalogueFound(TPlatform& platform) {
  std::error_code error;
  if (std::filesystem::is_regular_file(CatalogueFileName, error))
    return true;
  const std::string folder = std::filesystem::current_path(error).string();
  platform.MessageDialog("Aerolern", std::string("Die Fragendatei \"") + CatalogueFileName +
                                         "\" fehlt im Arbeitsverzeichnis \"" + folder +
                                         "\".\n\rAerolern wird beendet.");
  return false;
}

} // namespace

int main() {
  TFltkPlatform platform;
  if (!CatalogueFound(platform))
    return 1;
  StartProgram();
  Application.Run();
  Application.DestroyForms();
  return 0;
}
