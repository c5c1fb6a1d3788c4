// Export of the public view of a learning history ("Lernverlauf.sqlite") as CSV.
#pragma once

#include <string>

// The view `antworten` of the history file as CSV in the catalogue tool's dialect: a header line
// of the view's column names, then one line per row in the view's order; NULL gives an empty
// field, and a cell that a spreadsheet would run as a formula is neutralised (FormulaCell.h). The
// file is opened for reading only, so it is neither created nor changed. Raises EInOutError for a
// file that cannot be opened and Exception, naming the file, for one that is no learning history.
std::string ExportHistoryCsv(const std::string& path);
