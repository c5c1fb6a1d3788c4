// TPaintBox: a control the program draws itself, on a TCanvas, whenever it is painted.
#pragma once

#include "toolkit/Control.h"

#include <functional>
#include <string>

struct TRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

// Drawing in a paint box's own coordinates (0, 0 is its top left corner). Colours are 0xRRGGBB.
class TCanvas {
public:
  virtual ~TCanvas() = default;
  virtual void FillRect(const TRect& rect, uint32_t color) = 0;
  // The outline one pixel wide, inside the rectangle.
  virtual void FrameRect(const TRect& rect, uint32_t color) = 0;
  virtual void Line(int x1, int y1, int x2, int y2, uint32_t color) = 0;
  // One line of text whose top left corner is (x, y), in the font and its colour.
  virtual void TextOut(int x, int y, const std::string& text, const TFont& font) = 0;
  virtual TTextSize TextExtent(const std::string& text, const TFont& font) = 0;
};

using TPaintEvent = std::function<void(TCanvas& canvas)>;

class TPaintBox : public TControl {
public:
  using TControl::TControl;
  // Draws the box: fired by the backend whenever the box must be shown.
  TPaintEvent OnPaint;
  void Paint(TCanvas& canvas);
  // Asks the backend to paint the box again (its drawing depends on data that changed).
  void Invalidate();
};
