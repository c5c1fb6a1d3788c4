// The pointer on the X tests' display: moved and pressed as a user's mouse is (through XTest),
// and the cursor image the screen shows (through XFixes). Apart from the toolkit headers, since
// Xlib's "Screen" clashes with the toolkit's.
#pragma once

#include <vector>

class Fl_Window;

// Moves the pointer to a position of a shown window (window coordinates).
void MovePointer(Fl_Window& window, int x, int y);
// Presses (down) or releases a mouse button: 1 left, 2 middle, 3 right.
void PointerButton(int button, bool down);

// The cursor the screen shows at the moment.
struct TCursorImage {
  int Width = 0;
  int Height = 0;
  int HotX = 0;
  int HotY = 0;
  std::vector<unsigned long> Pixels; // ARGB, rows from the top

  bool operator==(const TCursorImage& other) const {
    return Width == other.Width && Height == other.Height && HotX == other.HotX &&
           HotY == other.HotY && Pixels == other.Pixels;
  }
  bool operator!=(const TCursorImage& other) const { return !(*this == other); }
};
TCursorImage CurrentCursor();
