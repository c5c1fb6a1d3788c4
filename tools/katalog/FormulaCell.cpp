// Adding and taking away the apostrophe that keeps a spreadsheet from running a cell.
#include "tools/katalog/FormulaCell.h"

#include <string_view>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A minus sign, digits, and optionally a point and more digits.
bool IsNegativeNumber(std::string_view text) {
  if (text.size() < 2 || text[0] != '-')
    return false;
  std::size_t pos = 1;
  auto digits = [&] {
    const std::size_t start = pos;
    while (pos < text.size() && IsDigit(text[pos]))
      ++pos;
    return pos > start;
  };
  if (!digits())
    return false;
  if (pos < text.size() && text[pos] == '.') {
    ++pos;
    if (!digits())
      return false;
  }
  return pos == text.size();
}

bool StartsFormula(std::string_view text) {
  return !text.empty() && std::string_view("=+-@\t\r").find(text[0]) != std::string_view::npos &&
         !IsNegativeNumber(text);
}

// One or more apostrophes followed by a cell that starts a formula.
bool IsNeutralised(std::string_view cell) {
  const std::size_t quotes = cell.find_first_not_of('\'');
  return quotes > 0 && quotes != std::string_view::npos && StartsFormula(cell.substr(quotes));
}

} // namespace

std::string NeutraliseFormula(const std::string& text) {
  return StartsFormula(text) || IsNeutralised(text) ? "'" + text : text;
}

std::string RestoreFormula(const std::string& cell) {
  return IsNeutralised(cell) ? cell.substr(1) : cell;
}
