// Field-level validation of the catalogue CSV import.
#include "tools/katalog/ImportFields.h"

#include "core/QuestionRecordCodec.h"
#include "toolkit/Cp1252.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string Quoted(const std::string& text) { return "„" + text + "“"; }

// Bytes of the UTF-8 sequence a lead byte starts (1 for a byte that cannot start one).
std::size_t SequenceLength(unsigned char lead) {
  if ((lead & 0xE0) == 0xC0)
    return 2;
  if ((lead & 0xF0) == 0xE0)
    return 3;
  if ((lead & 0xF8) == 0xF0)
    return 4;
  return 1;
}

// "U+1F600" for a well-formed sequence, otherwise a note on the broken bytes.
std::string DescribeCharacter(const std::string& sequence) {
  static const char* const kBroken = "ungültige UTF-8-Bytefolge";
  static const uint32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
  const auto lead = static_cast<unsigned char>(sequence[0]);
  const std::size_t length = SequenceLength(lead);
  if ((lead >= 0x80 && length == 1) || sequence.size() < length)
    return kBroken;
  uint32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(sequence[i]);
    if ((next & 0xC0) != 0x80)
      return kBroken;
    codePoint = (codePoint << 6) | (next & 0x3F);
  }
  if (codePoint < kSmallest[length] || codePoint > 0x10FFFF ||
      (codePoint >= 0xD800 && codePoint <= 0xDFFF))
    return kBroken;
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(codePoint));
  return name;
}

} // namespace

std::string ParseWholeNumber(const std::string& text, const char* column, int64_t minimum,
                             int64_t maximum, int64_t& value) {
  std::size_t pos = !text.empty() && text[0] == '-' ? 1 : 0;
  if (pos == text.size())
    return std::string(column) + " " + Quoted(text) + " ist keine ganze Zahl.";
  // Far more digits than any limit needs; stops the value from overflowing.
  if (text.size() - pos > 12)
    return std::string(column) + " " + Quoted(text) + " liegt außerhalb von " +
           std::to_string(minimum) + " bis " + std::to_string(maximum) + ".";
  int64_t magnitude = 0;
  for (; pos < text.size(); ++pos) {
    if (text[pos] < '0' || text[pos] > '9')
      return std::string(column) + " " + Quoted(text) + " ist keine ganze Zahl.";
    magnitude = magnitude * 10 + (text[pos] - '0');
  }
  const int64_t result = text[0] == '-' ? -magnitude : magnitude;
  if (result < minimum || result > maximum)
    return std::string(column) + " " + Quoted(text) + " liegt außerhalb von " +
           std::to_string(minimum) + " bis " + std::to_string(maximum) + ".";
  value = result;
  return {};
}

std::string ParseCorrectLetters(const std::string& text, bool (&correct)[4]) {
  bool seen[4] = {false, false, false, false};
  for (char c : text) {
    const char upper = c >= 'a' && c <= 'd' ? static_cast<char>(c - 'a' + 'A') : c;
    if (upper < 'A' || upper > 'D' || seen[upper - 'A'])
      return "Richtig " + Quoted(text) +
             ": erlaubt sind die Buchstaben A bis D, jeder höchstens einmal.";
    seen[upper - 'A'] = true;
  }
  for (int i = 0; i < 4; ++i)
    correct[i] = seen[i];
  return {};
}

std::string ParseActiveFlag(const std::string& text, bool& active) {
  if (text != "0" && text != "1")
    return "Aktiv " + Quoted(text) + " muss 1 (Frage) oder 0 (gelöscht) sein.";
  active = text == "1";
  return {};
}

std::string CheckFieldText(const std::string& utf8, const char* column) {
  std::size_t pos = 0;
  for (std::size_t character = 1; pos < utf8.size(); ++character) {
    const std::size_t length =
        std::min(SequenceLength(static_cast<unsigned char>(utf8[pos])), utf8.size() - pos);
    const std::string sequence = utf8.substr(pos, length);
    if (!IsCp1252Representable(sequence))
      return std::string(column) + ": Zeichen " + std::to_string(character) + " (" +
             DescribeCharacter(sequence) + ") gibt es in Windows-1252 nicht.";
    pos += length;
  }
  const std::size_t characters = Utf8Length(utf8);
  if (characters > kTextCapacity)
    return std::string(column) + " ist " + std::to_string(characters) +
           " Zeichen lang; das Feld fasst höchstens " + std::to_string(kTextCapacity) + ".";
  return {};
}
