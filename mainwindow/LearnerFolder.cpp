// Creating and entering the learner's own folder.
#include "mainwindow/LearnerFolder.h"

#include "toolkit/FileSystem.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::string EnterLearnerFolder(const std::string& folder, const std::string& templates) {
  const fs::path target = FileSystemPath(folder);
  std::error_code error;
  fs::create_directories(target, error);
  if (error || !fs::is_directory(target, error))
    return "Der Ordner \"" + folder + "\" für Ihre Lerndaten lässt sich nicht anlegen.";
  for (const char* name : LearnerFolderTemplates) {
    const fs::path copy = target / name;
    const fs::path original = FileSystemPath(templates) / name;
    if (fs::exists(copy, error) || !fs::is_regular_file(original, error))
      continue;
    // copy_options::none refuses to replace a file that appeared meanwhile.
    fs::copy_file(original, copy, fs::copy_options::none, error);
    if (error && !fs::exists(copy))
      return std::string("Die Datei \"") + name + "\" lässt sich nicht in den Ordner \"" + folder +
             "\" kopieren.";
  }
  fs::current_path(target, error);
  if (error)
    return "In den Ordner \"" + folder + "\" für Ihre Lerndaten lässt sich nicht wechseln.";
  return "";
}
