// Windows-1252 codec: a fixed table for 0x80..0x9F, identity elsewhere.
#include "toolkit/Cp1252.h"

#include <cstdint>

namespace {

// Code points of the bytes 0x80..0x9F.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t ByteToCodePoint(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F)
    return kHighControls[byte - 0x80];
  return byte;
}

// Returns the byte for a code point, or -1 when Windows-1252 has none.
int CodePointToByte(char32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
    return static_cast<int>(codePoint);
  for (int i = 0; i < 32; ++i)
    if (kHighControls[i] == codePoint)
      return 0x80 + i;
  return -1;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes one UTF-8 character at pos; advances pos. Returns false for a malformed sequence,
// in which case pos has moved past exactly one byte.
bool DecodeUtf8(const std::string& text, std::size_t& pos, char32_t& cp) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  int extra = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    cp = lead;
    ++pos;
    return true;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1, cp = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, cp = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, cp = lead & 0x07, minimum = 0x10000;
  } else {
    ++pos;
    return false;
  }
  if (pos + extra >= text.size()) {
    ++pos;
    return false;
  }
  for (int i = 1; i <= extra; ++i) {
    const auto next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return false;
    }
    cp = (cp << 6) | (next & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++pos;
    return false;
  }
  pos += extra + 1;
  return true;
}

} // namespace

char32_t Cp1252CodePoint(unsigned char byte) { return ByteToCodePoint(byte); }

std::string Cp1252ToUtf8(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (unsigned char byte : bytes)
    AppendUtf8(out, ByteToCodePoint(byte));
  return out;
}

std::string Utf8ToCp1252(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    char32_t cp = 0;
    const int byte = DecodeUtf8(utf8, pos, cp) ? CodePointToByte(cp) : -1;
    out += byte < 0 ? '?' : static_cast<char>(byte);
  }
  return out;
}

bool IsCp1252Representable(const std::string& utf8) {
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    char32_t cp = 0;
    if (!DecodeUtf8(utf8, pos, cp) || CodePointToByte(cp) < 0)
      return false;
  }
  return true;
}

std::u32string Utf8ToCodePoints(const std::string& utf8) {
  std::u32string codePoints;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    char32_t cp = 0;
    codePoints += DecodeUtf8(utf8, pos, cp) ? cp : U'\uFFFD';
  }
  return codePoints;
}

std::string CodePointToUtf8(char32_t codePoint) {
  std::string out;
  AppendUtf8(out, codePoint);
  return out;
}

std::size_t Utf8Length(const std::string& utf8) {
  std::size_t count = 0;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    char32_t cp = 0;
    DecodeUtf8(utf8, pos, cp);
    ++count;
  }
  return count;
}
