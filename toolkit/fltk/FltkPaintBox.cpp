// Drawing a paint box with FLTK, clipped to the box and in its own coordinates.
#include "toolkit/fltk/FltkPaintBox.h"

#include "toolkit/fltk/FltkFonts.h"

#include <FL/fl_draw.H>

namespace {

Fl_Color ColorOf(uint32_t rgb) {
  return fl_rgb_color(static_cast<uchar>(rgb >> 16), static_cast<uchar>(rgb >> 8),
                      static_cast<uchar>(rgb));
}

class TFltkCanvas : public TCanvas {
public:
  TFltkCanvas(int originX, int originY) : x0(originX), y0(originY) {}
  void FillRect(const TRect& rect, uint32_t color) override {
    fl_color(ColorOf(color));
    fl_rectf(x0 + rect.Left, y0 + rect.Top, rect.Width, rect.Height);
  }
  void FrameRect(const TRect& rect, uint32_t color) override {
    fl_color(ColorOf(color));
    fl_rect(x0 + rect.Left, y0 + rect.Top, rect.Width, rect.Height);
  }
  void Line(int x1, int y1, int x2, int y2, uint32_t color) override {
    fl_color(ColorOf(color));
    fl_line(x0 + x1, y0 + y1, x0 + x2, y0 + y2);
  }
  // fl_draw with a position draws "@" and "&" literally.
  void TextOut(int x, int y, const std::string& text, const TFont& font) override {
    SelectFont(font);
    fl_color(ColorOf(font.Color));
    fl_draw(text.c_str(), static_cast<int>(text.size()), x0 + x,
            y0 + y + fl_height() - fl_descent());
  }
  TTextSize TextExtent(const std::string& text, const TFont& font) override {
    return FltkMeasureText(font, text);
  }

private:
  int x0;
  int y0;
};

} // namespace

TFltkPaintBox::TFltkPaintBox(TFltkFormPeer& owner, TPaintBox& box)
    : Fl_Box(box.Left(), box.Top(), box.Width(), box.Height()), TFltkLink(owner, box, *this) {}

void TFltkPaintBox::draw() {
  auto* box = static_cast<TPaintBox*>(control);
  if (box == nullptr)
    return;
  fl_push_clip(x(), y(), w(), h());
  TFltkCanvas canvas(x(), y());
  box->Paint(canvas);
  fl_pop_clip();
}

int TFltkPaintBox::handle(int event) {
  const int result = HandleInput(event);
  return result >= 0 ? result : Fl_Box::handle(event);
}

void TFltkPaintBox::Apply(TChange what) {
  if (what == TChange::Paint)
    redraw();
  else if (what != TChange::Text)
    TFltkLink::Apply(what);
}
