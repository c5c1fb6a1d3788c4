// Listing folders through the standard library with UTF-8 paths on every platform.
#include "tools/katalog/ClassReports.h"

#include "tools/katalog/FileAccess.h"

#include "toolkit/Exceptions.h"
#include "toolkit/FileSystem.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

namespace fs = std::filesystem;

bool EndsWithJson(const std::string& name) {
  if (name.size() <= 5)
    return false;
  std::string ending = name.substr(name.size() - 5);
  std::transform(ending.begin(), ending.end(), ending.begin(), [](unsigned char c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  });
  return ending == ".json";
}

// The German text of a failed folder listing, as the tool words every file error; the error's
// portable condition gives the classic number on every platform.
std::string FolderError(const std::error_code& error, const std::string& folder) {
  return InOutErrorText(InOutErrorFromErrno(error.default_error_condition().value()), "Auflisten",
                        folder);
}

void AddFolder(const std::string& folder, std::vector<std::string>& files, TClassReports& reports) {
  // Joined as the user wrote the folder, so that messages name paths in one style.
  const bool separated = !folder.empty() && (folder.back() == '/' || folder.back() == '\\');
  const std::string prefix = separated ? folder : folder + "/";
  std::vector<std::string> found;
  std::error_code error;
  for (fs::directory_iterator entry(FileSystemPath(folder), error), end; !error && entry != end;
       entry.increment(error)) {
    const std::string name = Utf8Path(entry->path().filename());
    std::error_code kind;
    // A subfolder or pipe that happens to end in ".json" is no report.
    if (EndsWithJson(name) && entry->is_regular_file(kind))
      found.push_back(prefix + name);
  }
  if (error) {
    reports.LeftOut.push_back({folder, FolderError(error, folder)});
    return;
  }
  if (found.empty())
    reports.EmptyFolders.push_back(folder);
  std::sort(found.begin(), found.end());
  files.insert(files.end(), found.begin(), found.end());
}

bool MatchesCatalogue(const TSchoolReport& report, const TClassCatalogue& catalogue) {
  if (report.Questions.empty())
    return true;
  return std::any_of(
      report.Questions.begin(), report.Questions.end(),
      [&](const TReportQuestion& question) { return catalogue.Find(question.Fingerprint) >= 0; });
}

} // namespace

std::vector<std::string> ReportFiles(const std::vector<std::string>& paths,
                                     TClassReports& reports) {
  std::vector<std::string> files;
  for (const std::string& path : paths) {
    std::error_code error;
    if (fs::is_directory(FileSystemPath(path), error))
      AddFolder(path, files, reports);
    else
      files.push_back(path);
  }
  return files;
}

TClassReports ReadClassReports(const std::vector<std::string>& paths,
                               const TClassCatalogue& catalogue) {
  TClassReports reports;
  for (const std::string& file : ReportFiles(paths, reports)) {
    std::string json;
    try {
      json = ReadWholeFile(file);
    } catch (const Exception& error) {
      reports.LeftOut.push_back({file, error.what()});
      continue;
    }
    std::string problem;
    std::optional<TSchoolReport> report = ReadSchoolReport(json, problem);
    if (!report)
      reports.LeftOut.push_back({file, problem});
    else if (!MatchesCatalogue(*report, catalogue))
      reports.LeftOut.push_back(
          {file, "Keine der Fragen des Berichts steht im Fragenkatalog der Flugschule; er wurde "
                 "wohl mit einem anderen Katalog geschrieben."});
    else
      reports.Reports.push_back({file, std::move(*report)});
  }
  return reports;
}
