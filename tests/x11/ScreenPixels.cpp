// Reads pixels back from a shown FLTK window.
#include "ScreenPixels.h"

#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <memory>

std::array<uint8_t, 3> WindowPixel(Fl_Window& window, int x, int y) {
  window.make_current();
  std::unique_ptr<uchar[]> pixel(fl_read_image(nullptr, x, y, 1, 1));
  if (!pixel)
    return {0, 0, 0};
  return {pixel[0], pixel[1], pixel[2]};
}

std::vector<std::array<uint8_t, 3>> WindowPixels(Fl_Window& window, int x, int y, int w, int h) {
  window.make_current();
  std::unique_ptr<uchar[]> block(fl_read_image(nullptr, x, y, w, h));
  std::vector<std::array<uint8_t, 3>> pixels;
  if (!block)
    return pixels;
  for (int i = 0; i < w * h; ++i)
    pixels.push_back({block[i * 3], block[i * 3 + 1], block[i * 3 + 2]});
  return pixels;
}
