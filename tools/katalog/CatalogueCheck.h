// Validation of a catalogue file and its count of questions per category.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

struct TCatalogueProblem {
  int64_t RecordNo; // -1 for a problem of the file as a whole
  std::string Text;
};

struct TCheckReport {
  int64_t Records = 0;        // whole records
  int64_t DeletedRecords = 0; // whole records with InUse 0
  // Active questions per entry of CatalogueCategories(), in that order.
  std::vector<int64_t> QuestionsPerCategory;
  std::vector<TCatalogueProblem> Problems;
};

// Checks every record: file size a whole number of records, owner equal to the edition owner
// (blanks and controls around it and ASCII case aside), length bytes within their fields and
// the licence/area pair in the category table. Deleted records are checked too, since the
// program reads them by number all the same.
TCheckReport CheckCatalogue(const std::string& catalogueBytes);

// The report as the check command prints it.
void PrintCheckReport(const TCheckReport& report, const std::string& fileName, std::ostream& out);
