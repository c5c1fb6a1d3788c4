// Gathering the learners' reports for the class overview: folders and files in, usable reports
// and the reasons for the others out.
#pragma once

#include "history/SchoolReport.h"
#include "tools/katalog/ClassCatalogue.h"

#include <string>
#include <vector>

struct TClassReport {
  std::string File;
  TSchoolReport Report;
};

// A file or folder that gave no report, with the German reason.
struct TLeftOut {
  std::string File;
  std::string Reason;
};

struct TClassReports {
  std::vector<TClassReport> Reports; // usable, in the order the files were named
  std::vector<TLeftOut> LeftOut;
  // Folders that hold no report file; nothing is wrong with them, but the school should know.
  std::vector<std::string> EmptyFolders;
};

// The report files the paths name: a folder gives the files ending in ".json" directly inside
// it, in name order; any other path is taken as a file. A folder that cannot be read is left out.
std::vector<std::string> ReportFiles(const std::vector<std::string>& paths, TClassReports& reports);

// Reads the reports the paths name. A report is left out when it cannot be read, is no report of
// a version this program reads, or has answered questions of which none is in the catalogue
// (another school's catalogue); a report without answered questions is used.
TClassReports ReadClassReports(const std::vector<std::string>& paths,
                               const TClassCatalogue& catalogue);
