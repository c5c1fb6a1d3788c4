// The program entry: the trainer in real windows, the Windows API's on Windows and FLTK's on X11.
#include "core/srcCommon.h"
#include "mainwindow/Startup.h"
#include "toolkit/Application.h"

#ifdef _WIN32
#include "mainwindow/LearnerFolder.h"
#include "toolkit/win32/Win32Folders.h"
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

// The installed program's Start-menu entry starts it with "/lernordner": it then works in the
// learner's own folder "Documents\Aerolern", made on the first start with the demo files that
// the installer keeps beside the program in "vorlage".
bool EnterLearnerFolderWhenAsked([[maybe_unused]] TPlatform& platform, [[maybe_unused]] int argc,
                                 [[maybe_unused]] char** argv) {
#ifdef _WIN32
  if (argc < 2 || std::string(argv[1]) != "/lernordner")
    return true;
  const std::string documents = DocumentsFolder();
  const std::string problem =
      documents.empty() ? "Windows nennt keinen Ordner \"Dokumente\" für Ihre Lerndaten."
                        : EnterLearnerFolder(documents + "\\Aerolern", ProgramFolder() + "vorlage");
  if (problem.empty())
    return true;
  platform.MessageDialog("Aerolern", problem + "\n\rAerolern wird beendet.");
  return false;
#else
  return true;
#endif
}

} // namespace

int main(int argc, char** argv) {
  TProgramPlatform platform;
  if (!EnterLearnerFolderWhenAsked(platform, argc, argv))
    return 1;
  if (!CatalogueFound(platform))
    return 1;
  StartProgram();
  Application.Run();
  Application.DestroyForms();
  return 0;
}
