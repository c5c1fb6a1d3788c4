// Turning the catalogue CSV text into catalogue bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TImportError {
  int Line; // line of the CSV file, counted from 1
  std::string Text;
};

struct TImportResult {
  std::string CatalogueBytes; // only meaningful when Errors is empty
  int64_t DeletedRecords = 0;
  std::vector<TImportError> Errors;
};

// Builds the catalogue from CSV text (UTF-8, an optional byte order mark, LF or CRLF line
// ends). Every record carries the edition owner; texts are stored as given, with the apostrophe
// of a neutralised formula cell taken away (FormulaCell.h). All errors of all rows are collected,
// except that a CSV syntax error ends the reading; a UTF-16 file is rejected as such.
TImportResult ImportCatalogueCsv(const std::string& csv);
