// StrToInt and the small text helpers shared by the file formats.
#include "toolkit/Convert.h"

#include "toolkit/Exceptions.h"

namespace {

[[noreturn]] void RaiseInvalid(const std::string& text) {
  throw EConvertError("'" + text + "' ist kein gültiger ganzzahliger Wert.");
}

int DigitValue(char c, bool hex) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (hex && c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (hex && c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

} // namespace

int32_t StrToInt(const std::string& text) {
  std::size_t pos = 0;
  while (pos < text.size() && text[pos] == ' ')
    ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
    negative = text[pos++] == '-';
  bool hex = false;
  if (pos < text.size() && text[pos] == '$') {
    hex = true;
    ++pos;
  } else if (pos + 1 < text.size() && text[pos] == '0' &&
             (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
    hex = true;
    pos += 2;
  }
  if (pos >= text.size())
    RaiseInvalid(text);
  const int64_t base = hex ? 16 : 10;
  // Hexadecimal numbers may use all 32 bits (as "$FFFFFFFF" gives -1); decimal ones must fit.
  const int64_t limit = hex ? 0xFFFFFFFFLL : (negative ? 2147483648LL : 2147483647LL);
  int64_t value = 0;
  for (; pos < text.size(); ++pos) {
    const int digit = DigitValue(text[pos], hex);
    if (digit < 0)
      RaiseInvalid(text);
    value = value * base + digit;
    if (value > limit)
      RaiseInvalid(text);
  }
  if (hex)
    value = static_cast<int32_t>(static_cast<uint32_t>(value));
  return static_cast<int32_t>(negative ? -value : value);
}

std::string TrimControls(const std::string& text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && static_cast<unsigned char>(text[first]) <= 32)
    ++first;
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32)
    --last;
  return text.substr(first, last - first);
}

std::string AsciiLower(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  return out;
}
