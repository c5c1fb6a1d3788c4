// A canvas that draws nothing and records what it was asked to draw, for tests to read.
#pragma once

#include "toolkit/PaintBox.h"

#include <string>
#include <vector>

struct TPaintOp {
  enum class TKind { FillRect, FrameRect, Line, Text } Kind = TKind::FillRect;
  TRect Rect;         // the rectangle; for a line its end points as Left/Top and Width/Height
  uint32_t Color = 0; // for text the font's colour
  std::string Text;
  TFont Font;
};

class TRecordingCanvas : public TCanvas {
public:
  void FillRect(const TRect& rect, uint32_t color) override;
  void FrameRect(const TRect& rect, uint32_t color) override;
  void Line(int x1, int y1, int x2, int y2, uint32_t color) override;
  void TextOut(int x, int y, const std::string& text, const TFont& font) override;
  // The headless backend's fixed text metric.
  TTextSize TextExtent(const std::string& text, const TFont& font) override;

  const std::vector<TPaintOp>& Ops() const { return ops; }

private:
  std::vector<TPaintOp> ops;
};

// Paints the box on a recording canvas and returns what it drew.
std::vector<TPaintOp> PaintOps(TPaintBox& box);
