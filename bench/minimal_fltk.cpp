// The smallest FLTK program: one window, the baseline for the trainer's start-up time and memory.
//
// The window has the splash window's size and, like it, no border, so that the start-up
// benchmark finds both windows the same way. It runs until it is ended from outside.
#include <FL/Fl.H>
#include <FL/Fl_Window.H>

int main() {
  Fl_Window window(640, 480);
  window.border(0);
  window.end();
  window.show();
  return Fl::run();
}
