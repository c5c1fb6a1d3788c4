// Reading back what a window shows, for the X tests (apart from the toolkit headers, since
// FLTK's drawing header brings Xlib, whose "Screen" clashes with the toolkit's).
#pragma once

#include <array>
#include <cstdint>

class Fl_Window;

// The red, green and blue of one pixel of a shown window (window coordinates).
std::array<uint8_t, 3> WindowPixel(Fl_Window& window, int x, int y);
