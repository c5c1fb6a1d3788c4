// Font mapping and text measuring of the FLTK backend.
#include "toolkit/fltk/FltkFonts.h"

#include "toolkit/Platform.h"
#include "toolkit/fltk/FltkText.h"
#include "toolkit/fltk/FltkX11.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>

namespace {

// Our own entries in FLTK's font table. With Xft the first character of a name is the style
// (" " plain, "B" bold); fontconfig substitutes its default sans when Liberation is missing,
// which is the font FL_HELVETICA would give.
constexpr Fl_Font kSans = FL_FREE_FONT;
constexpr Fl_Font kSansBold = FL_FREE_FONT + 1;
constexpr Fl_Font kMono = FL_FREE_FONT + 2;
constexpr Fl_Font kMonoBold = FL_FREE_FONT + 3;
constexpr Fl_Font kSerif = FL_FREE_FONT + 4;
constexpr Fl_Font kSerifBold = FL_FREE_FONT + 5;

void RegisterFonts() {
  static bool registered = false;
  if (registered)
    return;
  registered = true;
  Fl::set_font(kSans, " Liberation Sans");
  Fl::set_font(kSansBold, "BLiberation Sans");
  Fl::set_font(kMono, " Liberation Mono");
  Fl::set_font(kMonoBold, "BLiberation Mono");
  Fl::set_font(kSerif, " Liberation Serif");
  Fl::set_font(kSerifBold, "BLiberation Serif");
}

} // namespace

TFltkFont FltkFontOf(const TFont& font) {
  RegisterFonts();
  const bool bold = font.Bold || font.Name == "Arial Black";
  Fl_Font face = bold ? kSansBold : kSans;
  if (font.Name == "Courier New" || font.Name == "Courier")
    face = bold ? kMonoBold : kMono;
  else if (font.Name == "Times New Roman")
    face = bold ? kSerifBold : kSerif;
  const auto red = static_cast<uchar>((font.Color >> 16) & 0xFF);
  const auto green = static_cast<uchar>((font.Color >> 8) & 0xFF);
  const auto blue = static_cast<uchar>(font.Color & 0xFF);
  return {face, PointsToPixels(font.Size), fl_rgb_color(red, green, blue)};
}

void SelectFont(const TFont& font) {
  OpenFltkDisplay();
  const TFltkFont mapped = FltkFontOf(font);
  fl_font(mapped.Face, mapped.Size);
}

int FltkTextWidth(const TFont& font, const std::string& line) {
  SelectFont(font);
  return static_cast<int>(fl_width(line.c_str(), static_cast<int>(line.size())) + 0.5);
}

int FltkLineHeight(const TFont& font) {
  SelectFont(font);
  return fl_height();
}

TTextSize FltkMeasureText(const TFont& font, const std::string& text) {
  const std::vector<std::string> lines = SplitLines(text);
  int widest = 0;
  for (const std::string& line : lines)
    widest = std::max(widest, FltkTextWidth(font, line));
  return {widest, FltkLineHeight(font) * static_cast<int>(lines.size())};
}
