// Display opening and X input focus for the FLTK backend.
#include "toolkit/fltk/FltkX11.h"

#include <FL/Fl_Window.H>
#include <FL/x.H>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace {

// Keeps the X server to this connection from construction to destruction.
class TServerGrab {
public:
  TServerGrab() { XGrabServer(fl_display); }
  ~TServerGrab() {
    XUngrabServer(fl_display);
    XFlush(fl_display);
  }
  TServerGrab(const TServerGrab&) = delete;
  TServerGrab& operator=(const TServerGrab&) = delete;
};

// Adds a state to a window's _NET_WM_STATE unless it is there already (FLTK may have put the
// modal state there).
void AddWindowState(Window xid, const char* stateName) {
  const Atom property = XInternAtom(fl_display, "_NET_WM_STATE", False);
  const Atom wanted = XInternAtom(fl_display, stateName, False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  bool present = false;
  if (XGetWindowProperty(fl_display, xid, property, 0, 64, False, XA_ATOM, &type, &format, &count,
                         &remaining, &data) == Success &&
      data != nullptr) {
    const auto* states = reinterpret_cast<const Atom*>(data);
    for (unsigned long i = 0; i < count && format == 32; ++i)
      present = present || states[i] == wanted;
    XFree(data);
  }
  if (!present)
    XChangeProperty(fl_display, xid, property, XA_ATOM, 32, PropModeAppend,
                    reinterpret_cast<const unsigned char*>(&wanted), 1);
}

} // namespace

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

void ShowToolWindow(Fl_Window& window, Fl_Window* owner, const std::function<void()>& show) {
  TServerGrab grab;
  show();
  if (!window.shown())
    return;
  const Window xid = fl_xid(&window);
  if (owner != nullptr && owner->shown())
    XSetTransientForHint(fl_display, xid, fl_xid(owner));
  AddWindowState(xid, "_NET_WM_STATE_SKIP_TASKBAR");
}
