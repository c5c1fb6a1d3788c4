// Display opening and X input focus for the FLTK backend.
#include "toolkit/fltk/FltkX11.h"

#include <FL/Fl_Window.H>
#include <FL/x.H>

void OpenFltkDisplay() { fl_open_display(); }

void GiveInputFocus(Fl_Window& window) {
  if (!window.shown())
    return;
  const Window xid = fl_xid(&window);
  XWindowAttributes attributes;
  // Focusing a window that is not mapped yet would be an X error.
  if (XGetWindowAttributes(fl_display, xid, &attributes) == 0 || attributes.map_state != IsViewable)
    return;
  // Should the window go, the focus reverts to the window under the pointer.
  XSetInputFocus(fl_display, xid, RevertToPointerRoot, CurrentTime);
}
