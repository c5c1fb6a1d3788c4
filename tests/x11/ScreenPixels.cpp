// Reads one pixel back from a shown FLTK window.
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
