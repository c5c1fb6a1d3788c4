// TCanvas on GDI: what a paint box draws, in the box's own coordinates, on the form's back
// buffer.
#pragma once

#include "toolkit/PaintBox.h"
#include "toolkit/win32/Win32Fonts.h"

class TGdiCanvas : public TCanvas {
public:
  // Draws on dc with (originX, originY) as the box's top left corner; the caller clips.
  TGdiCanvas(HDC dc, int originX, int originY, TWin32Fonts& fonts);

  void FillRect(const TRect& rect, uint32_t color) override;
  void FrameRect(const TRect& rect, uint32_t color) override;
  // Both end points are drawn, as the model's line has them.
  void Line(int x1, int y1, int x2, int y2, uint32_t color) override;
  // Drawn literally: "&" shows as it is.
  void TextOut(int x, int y, const std::string& text, const TFont& font) override;
  TTextSize TextExtent(const std::string& text, const TFont& font) override;

private:
  RECT Absolute(const TRect& rect) const;

  HDC dc;
  int x0;
  int y0;
  TWin32Fonts& fonts;
};
