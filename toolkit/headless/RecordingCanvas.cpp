// Recording the drawing operations of a paint box.
#include "toolkit/headless/RecordingCanvas.h"

#include "toolkit/Platform.h"

void TRecordingCanvas::FillRect(const TRect& rect, uint32_t color) {
  ops.push_back({TPaintOp::TKind::FillRect, rect, color, "", TFont()});
}

void TRecordingCanvas::FrameRect(const TRect& rect, uint32_t color) {
  ops.push_back({TPaintOp::TKind::FrameRect, rect, color, "", TFont()});
}

void TRecordingCanvas::Line(int x1, int y1, int x2, int y2, uint32_t color) {
  ops.push_back({TPaintOp::TKind::Line, {x1, y1, x2, y2}, color, "", TFont()});
}

void TRecordingCanvas::TextOut(int x, int y, const std::string& text, const TFont& font) {
  const TTextSize size = TextExtent(text, font);
  ops.push_back({TPaintOp::TKind::Text, {x, y, size.Width, size.Height}, font.Color, text, font});
}

TTextSize TRecordingCanvas::TextExtent(const std::string& text, const TFont& font) {
  return FixedMetricTextSize(font, text);
}

std::vector<TPaintOp> PaintOps(TPaintBox& box) {
  TRecordingCanvas canvas;
  box.Paint(canvas);
  return canvas.Ops();
}
