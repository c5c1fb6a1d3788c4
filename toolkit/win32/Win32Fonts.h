// The model's fonts in GDI: one font object per distinct font, text measured exactly as it is
// drawn, and owners for the GDI objects the backend makes.
#pragma once

#include "toolkit/Types.h"
#include "toolkit/win32/Win32Api.h"

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

// Owners of GDI objects and memory device contexts.
struct TGdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
template <class THandle>
using TGdiObject = std::unique_ptr<std::remove_pointer_t<THandle>, TGdiObjectDeleter>;
struct TMemoryDcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
using TMemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, TMemoryDcDeleter>;

// Selects a GDI object into a device context and puts the one before back when it goes.
class TSelection {
public:
  TSelection(HDC dc, HGDIOBJ object) : context(dc), previous(SelectObject(dc, object)) {}
  ~TSelection() { SelectObject(context, previous); }
  TSelection(const TSelection&) = delete;
  TSelection& operator=(const TSelection&) = delete;

private:
  HDC context;
  HGDIOBJ previous;
};

// A model colour (0xRRGGBB) as a GDI colour.
COLORREF ColorRefOf(uint32_t rgb);

// The fonts of one run. "MS Sans Serif", "Arial" and every other name are asked of GDI by name,
// at the model's size in points on a 96-dpi screen; "Arial Black" is asked with the black
// weight, so that a machine without it still shows a heavy face. The colour is no part of a
// GDI font: drawing sets it.
class TWin32Fonts {
public:
  TWin32Fonts();
  TWin32Fonts(const TWin32Fonts&) = delete;
  TWin32Fonts& operator=(const TWin32Fonts&) = delete;

  // The GDI font of a model font, made once and kept until the fonts go.
  HFONT Handle(const TFont& font);
  // Width of one line of text, as TextOutW draws it.
  int TextWidth(const TFont& font, const std::string& line);
  // Height of one line: the distance between two drawn lines.
  int LineHeight(const TFont& font);
  // Size of a text whose lines are separated by LF, CR LF or LF CR (see SplitLines).
  TTextSize Measure(const TFont& font, const std::string& text);
  // Draws lines of text literally ("&" shows as it is) from (x, y) downward, without
  // background, in the font and the device context's text colour.
  void DrawLines(HDC dc, const TFont& font, const std::vector<std::string>& lines, int x, int y);

private:
  using TKey = std::tuple<std::string, int, bool, bool>;
  struct TEntry {
    TGdiObject<HFONT> Font;
    int LineHeight = 0;
  };
  const TEntry& EntryOf(const TFont& font);

  TMemoryDc measuring;
  std::map<TKey, TEntry> fonts;
};
