// The few calls of the FLTK backend that need Xlib, kept in one file: Xlib's type "Screen"
// clashes with the toolkit's global Screen object.
#pragma once

#include <functional>

class Fl_Window;

// Opens the X display for FLTK if it is not open yet (fonts and screen size need it).
void OpenFltkDisplay();

// Gives a shown and mapped window the X input focus; does nothing for another window.
void GiveInputFocus(Fl_Window& window);

// Shows a tool window through `show` (FLTK's own showing): transient for the owner's X window
// (none without an owner) and out of the task list. FLTK 1.3 itself makes only modal windows
// transient, for whichever window it made before, and keeps only borderless ones out of the
// task list. The hints must be on the window before the window manager maps it, so the X server
// serves this program alone while FLTK creates the window and the hints go on.
void ShowToolWindow(Fl_Window& window, Fl_Window* owner, const std::function<void()>& show);
