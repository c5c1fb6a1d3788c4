// The fixture and helpers of the FLTK backend's X tests: the real platform on the display the
// runner set up, synthetic FLTK events and pictures.
#pragma once

#include "support/TempDir.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/fltk/FltkFormPeer.h"
#include "toolkit/fltk/FltkPlatform.h"
#include "toolkit/fltk/FltkWidgets.h"

#include <FL/Fl.H>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <string>

// Every test runs on the real platform against the display the runner set up.
class FltkBackend : public ::testing::Test {
protected:
  void SetUp() override {
    if (std::getenv("DISPLAY") == nullptr)
      GTEST_SKIP() << "no X display; run through with_xvfb.sh";
    Application.ResetTerminated();
  }

  static TFltkFormPeer& PeerOf(TForm& form) {
    auto* peer = dynamic_cast<TFltkFormPeer*>(form.Peer());
    if (peer == nullptr)
      throw std::logic_error("form has no FLTK peer");
    return *peer;
  }

  // Lets FLTK handle what is pending and draw, for up to ms milliseconds.
  static void Pump(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end)
      Fl::wait(0.01);
  }

  static void ShowAndDraw(TForm& form) {
    form.Show();
    PeerOf(form).Window().wait_for_expose();
    Fl::flush();
  }

  // A mouse click as FLTK delivers it: press and release at a window position.
  static void ClickAt(Fl_Widget& widget, int x, int y, int button = FL_LEFT_MOUSE) {
    Fl::e_x = x;
    Fl::e_y = y;
    Fl::e_state = 0;
    Fl::e_keysym = FL_Button + button;
    Fl::e_number = FL_PUSH;
    widget.handle(FL_PUSH);
    Fl::e_number = FL_RELEASE;
    widget.handle(FL_RELEASE);
  }

  static void ClickCentre(Fl_Widget& widget) {
    ClickAt(widget, widget.x() + widget.w() / 2, widget.y() + widget.h() / 2);
  }

  // A key press as FLTK delivers it to a widget (the focused one or the window).
  static void Key(Fl_Widget& target, int key, const std::string& text, int state = 0) {
    static std::string buffer;
    buffer = text;
    Fl::e_keysym = key;
    Fl::e_state = state;
    Fl::e_text = buffer.data();
    Fl::e_length = static_cast<int>(buffer.size());
    Fl::e_number = FL_KEYBOARD;
    target.handle(FL_KEYBOARD);
  }

  TFltkPlatform platform;
};

// Writes a JPEG of one colour; with noise, a pattern whose scan data outweigh the header.
void WriteJpeg(const std::string& path, int width, int height, unsigned char red,
               unsigned char green, unsigned char blue, bool noise = false);

// A folder of its own for files a test writes, removed afterwards; the working directory stays.
class TScratchDir : public TTempDir {
public:
  TScratchDir() : TTempDir(TMode::Stay, "fltk-backend") {}
};
