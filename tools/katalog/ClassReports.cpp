// Listing folders with POSIX calls, so that errno gives the reason of a failure.
#include "tools/katalog/ClassReports.h"

#include "tools/katalog/FileAccess.h"

#include "toolkit/Exceptions.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace {

struct TFolderCloser {
  void operator()(DIR* folder) const { ::closedir(folder); }
};

bool EndsWithJson(const std::string& name) {
  if (name.size() <= 5)
    return false;
  std::string ending = name.substr(name.size() - 5);
  std::transform(ending.begin(), ending.end(), ending.begin(), [](unsigned char c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  });
  return ending == ".json";
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The German text of a failed folder read, as the tool words every file error.
std::string FolderError(int errnoValue, const std::string& folder) {
  return InOutErrorText(InOutErrorFromErrno(errnoValue), "Auflisten", folder);
}

void AddFolder(const std::string& folder, std::vector<std::string>& files, TClassReports& reports) {
  const std::unique_ptr<DIR, TFolderCloser> listing(::opendir(folder.c_str()));
  if (!listing) {
    reports.LeftOut.push_back({folder, FolderError(errno, folder)});
    return;
  }
  const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  std::vector<std::string> found;
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(listing.get());
    if (entry == nullptr)
      break;
    const std::string name = entry->d_name;
    // A subfolder or pipe that happens to end in ".json" is no report.
    if (EndsWithJson(name) && IsRegularFile(prefix + name))
      found.push_back(prefix + name);
  }
  if (errno != 0) {
    reports.LeftOut.push_back({folder, FolderError(errno, folder)});
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
    if (IsFolder(path))
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
