// The few calls of the FLTK backend that need Xlib, kept in one file: Xlib's type "Screen"
// clashes with the toolkit's global Screen object.
#pragma once

class Fl_Window;

// Opens the X display for FLTK if it is not open yet (fonts and screen size need it).
void OpenFltkDisplay();

// Gives a shown and mapped window the X input focus; does nothing for another window.
void GiveInputFocus(Fl_Window& window);
