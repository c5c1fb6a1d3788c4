// Driving the pointer through XTest and reading the cursor through XFixes, for the X tests.
#include "XPointer.h"

#include <FL/Fl_Window.H>
#include <FL/x.H>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xfixes.h>

void MovePointer(Fl_Window& window, int x, int y) {
  int rootX = 0, rootY = 0;
  Window child = 0;
  XTranslateCoordinates(fl_display, fl_xid(&window), DefaultRootWindow(fl_display), x, y, &rootX,
                        &rootY, &child);
  XTestFakeMotionEvent(fl_display, -1, rootX, rootY, CurrentTime);
  XFlush(fl_display);
}

void PointerButton(int button, bool down) {
  XTestFakeButtonEvent(fl_display, static_cast<unsigned>(button), down ? True : False, CurrentTime);
  XFlush(fl_display);
}

TCursorImage CurrentCursor() {
  XSync(fl_display, False);
  TCursorImage seen;
  XFixesCursorImage* image = XFixesGetCursorImage(fl_display);
  if (image == nullptr)
    return seen;
  seen.Width = image->width;
  seen.Height = image->height;
  seen.HotX = image->xhot;
  seen.HotY = image->yhot;
  seen.Pixels.assign(image->pixels,
                     image->pixels + static_cast<std::size_t>(image->width) * image->height);
  XFree(image);
  return seen;
}
