// Drawing a paint box with GDI through the stock DC brush and pen.
#include "toolkit/win32/Win32Canvas.h"

TGdiCanvas::TGdiCanvas(HDC context, int originX, int originY, TWin32Fonts& fontCache)
    : dc(context), x0(originX), y0(originY), fonts(fontCache) {}

RECT TGdiCanvas::Absolute(const TRect& rect) const {
  return {x0 + rect.Left, y0 + rect.Top, x0 + rect.Left + rect.Width, y0 + rect.Top + rect.Height};
}

void TGdiCanvas::FillRect(const TRect& rect, uint32_t color) {
  if (rect.Width <= 0 || rect.Height <= 0)
    return;
  const RECT area = Absolute(rect);
  SetDCBrushColor(dc, ColorRefOf(color));
  ::FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void TGdiCanvas::FrameRect(const TRect& rect, uint32_t color) {
  if (rect.Width <= 0 || rect.Height <= 0)
    return;
  const RECT area = Absolute(rect);
  SetDCBrushColor(dc, ColorRefOf(color));
  ::FrameRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void TGdiCanvas::Line(int x1, int y1, int x2, int y2, uint32_t color) {
  const COLORREF shade = ColorRefOf(color);
  TSelection pen(dc, GetStockObject(DC_PEN));
  SetDCPenColor(dc, shade);
  MoveToEx(dc, x0 + x1, y0 + y1, nullptr);
  LineTo(dc, x0 + x2, y0 + y2);
  // LineTo leaves out the last point.
  SetPixelV(dc, x0 + x2, y0 + y2, shade);
}

void TGdiCanvas::TextOut(int x, int y, const std::string& text, const TFont& font) {
  const COLORREF previous = SetTextColor(dc, ColorRefOf(font.Color));
  fonts.DrawLines(dc, font, {text}, x0 + x, y0 + y);
  SetTextColor(dc, previous);
}

TTextSize TGdiCanvas::TextExtent(const std::string& text, const TFont& font) {
  return fonts.Measure(font, text);
}
