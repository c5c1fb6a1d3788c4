// GDI fonts of the Win32 backend: making, measuring, drawing plain lines.
#include "toolkit/win32/Win32Fonts.h"

#include "toolkit/Platform.h"
#include "toolkit/win32/Win32Text.h"

#include <algorithm>
#include <cwchar>

COLORREF ColorRefOf(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

TWin32Fonts::TWin32Fonts() : measuring(CreateCompatibleDC(nullptr)) {}

const TWin32Fonts::TEntry& TWin32Fonts::EntryOf(const TFont& font) {
  const TKey key{font.Name, font.Size, font.Bold, font.Underline};
  auto found = fonts.find(key);
  if (found != fonts.end())
    return found->second;

  LOGFONTW description{};
  description.lfHeight = FontHeightOf(font.Size);
  const bool black = font.Name == "Arial Black";
  description.lfWeight = black ? FW_BLACK : (font.Bold ? FW_BOLD : FW_NORMAL);
  description.lfUnderline = font.Underline ? TRUE : FALSE;
  description.lfCharSet = DEFAULT_CHARSET;
  description.lfOutPrecision = OUT_DEFAULT_PRECIS;
  description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  description.lfQuality = DEFAULT_QUALITY;
  description.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
  const std::wstring face = Widen(font.Name);
  wcsncpy(description.lfFaceName, face.c_str(), LF_FACESIZE - 1);

  TEntry entry;
  entry.Font.reset(CreateFontIndirectW(&description));
  // A font GDI cannot make leaves the stock font of dialogs, so text still shows and measures.
  HGDIOBJ used =
      entry.Font ? static_cast<HGDIOBJ>(entry.Font.get()) : GetStockObject(DEFAULT_GUI_FONT);
  TSelection selected(measuring.get(), used);
  TEXTMETRICW metrics{};
  GetTextMetricsW(measuring.get(), &metrics);
  entry.LineHeight = metrics.tmHeight;
  return fonts.emplace(key, std::move(entry)).first->second;
}

HFONT TWin32Fonts::Handle(const TFont& font) {
  const TEntry& entry = EntryOf(font);
  return entry.Font ? entry.Font.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int TWin32Fonts::TextWidth(const TFont& font, const std::string& line) {
  const std::wstring wide = Widen(line);
  if (wide.empty())
    return 0;
  TSelection selected(measuring.get(), Handle(font));
  SIZE size{};
  GetTextExtentPoint32W(measuring.get(), wide.c_str(), static_cast<int>(wide.size()), &size);
  return size.cx;
}

int TWin32Fonts::LineHeight(const TFont& font) { return EntryOf(font).LineHeight; }

TTextSize TWin32Fonts::Measure(const TFont& font, const std::string& text) {
  const std::vector<std::string> lines = SplitLines(text);
  int widest = 0;
  for (const std::string& line : lines)
    widest = std::max(widest, TextWidth(font, line));
  return {widest, LineHeight(font) * static_cast<int>(lines.size())};
}

void TWin32Fonts::DrawLines(HDC dc, const TFont& font, const std::vector<std::string>& lines, int x,
                            int y) {
  TSelection selected(dc, Handle(font));
  const int mode = SetBkMode(dc, TRANSPARENT);
  const UINT align = SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  const int lineHeight = LineHeight(font);
  int top = y;
  for (const std::string& line : lines) {
    const std::wstring wide = Widen(line);
    ExtTextOutW(dc, x, top, 0, nullptr, wide.c_str(), static_cast<UINT>(wide.size()), nullptr);
    top += lineHeight;
  }
  SetTextAlign(dc, align);
  SetBkMode(dc, mode);
}
