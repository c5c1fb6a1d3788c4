// Turning catalogue bytes into the catalogue CSV text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The CSV of a catalogue: the header line, then one line per whole record in file order,
// deleted ones included. Texts are what DecodeRecord gives, a cell that a spreadsheet would run as
// a formula neutralised (FormulaCell.h); a trailing partial record is left out.
std::string ExportCatalogueCsv(const std::string& catalogueBytes);

// Numbers of the whole records whose bytes an import of the export would not restore: a foreign
// or differently spelt owner, a non-zero reserved field, bytes behind a text, flags other than
// 0 and 1, a clamped length byte.
std::vector<int64_t> RecordsNotRestoredByImport(const std::string& catalogueBytes);
