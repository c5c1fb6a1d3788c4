// Reading back what a window shows, for the X tests (apart from the toolkit headers, since
// FLTK's drawing header brings Xlib, whose "Screen" clashes with the toolkit's).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

class Fl_Window;

// The red, green and blue of one pixel of a shown window (window coordinates).
std::array<uint8_t, 3> WindowPixel(Fl_Window& window, int x, int y);
// The pixels of a rectangle of a shown window, rows from the top.
std::vector<std::array<uint8_t, 3>> WindowPixels(Fl_Window& window, int x, int y, int w, int h);
