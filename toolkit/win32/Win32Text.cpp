// Conversions between the model's text and the Windows API's.
#include "toolkit/win32/Win32Text.h"

#include "toolkit/Menus.h"
#include "toolkit/Platform.h"
#include "toolkit/win32/Win32Api.h"

#include <limits>
#include <stdexcept>

namespace {

// The Windows conversion functions count in int; the model's texts are far shorter.
int CheckedLength(std::size_t length) {
  if (length > static_cast<std::size_t>(std::numeric_limits<int>::max()))
    throw std::length_error("Text zu lang für Windows.");
  return static_cast<int>(length);
}

} // namespace

std::wstring Widen(const std::string& utf8) {
  if (utf8.empty())
    return {};
  const int length = CheckedLength(utf8.size());
  // Without MB_ERR_INVALID_CHARS a malformed sequence becomes U+FFFD instead of failing.
  const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), units);
  return wide;
}

std::string Narrow(const std::wstring& utf16) {
  if (utf16.empty())
    return {};
  const int length = CheckedLength(utf16.size());
  const int bytes =
      WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, narrow.data(), bytes, nullptr, nullptr);
  return narrow;
}

std::string WindowsLineBreaks(const std::string& text) {
  const std::vector<std::string> lines = SplitLines(text);
  std::string joined = lines.front();
  for (std::size_t i = 1; i < lines.size(); ++i)
    joined += "\r\n" + lines[i];
  return joined;
}

std::string MenuEntryText(const std::string& caption, TShortCut shortCut) {
  std::string text = caption;
  if (shortCut != 0)
    text += "\t" + ShortCutToText(shortCut);
  return text;
}

char32_t TypedCharacterOf(int virtualKey, const std::wstring& characters) {
  if (virtualKey == VK_BACK)
    return vkBack;
  if (characters.empty())
    return 0;
  char32_t character = static_cast<char16_t>(characters[0]);
  if (character >= 0xD800 && character <= 0xDBFF) {
    const char32_t low = characters.size() > 1 ? static_cast<char16_t>(characters[1]) : 0;
    if (low < 0xDC00 || low > 0xDFFF)
      return 0xFFFD;
    character = 0x10000 + ((character - 0xD800) << 10) + (low - 0xDC00);
  } else if (character >= 0xDC00 && character <= 0xDFFF) {
    return 0xFFFD;
  }
  if (character < 32 || character == 127)
    return 0;
  return character;
}

int FontHeightOf(int points) { return -MulDiv(points, 96, 72); }
