// The neutralised form of CSV cells that a spreadsheet would run as a formula.
#pragma once

#include <string>

// Spreadsheets open a CSV cell that begins with =, +, -, @, a tab or a carriage return as a
// formula, so that =HYPERLINK(…) in a question text would become a live link. The tool's CSV
// files therefore carry such a cell with one more leading apostrophe, which spreadsheets show as
// text:
//
// - A cell is neutralised when it begins with one of those characters, except a plain number
//   such as -3 or -0.5, which stays a number.
// - So that the rule can be undone without doubt, a cell that begins with apostrophes followed by
//   such a start ('=x, ''+1) gets one more apostrophe as well.
// - Reading takes away exactly that one apostrophe. Every other cell, a text such as 's Wetter
//   or '-3 included, is read as it stands.
//
// RestoreFormula(NeutraliseFormula(text)) == text for every text, and no neutralised cell
// begins with a formula start.
std::string NeutraliseFormula(const std::string& text);
std::string RestoreFormula(const std::string& cell);
