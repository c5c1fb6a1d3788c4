// TFltkPlatform: the toolkit model realised with real windows through FLTK 1.3 on X11.
//
// What this backend realises:
// - forms as double-buffered windows: caption, outer position and size from the model's frame
//   metrics, fixed size, no border for BorderStyle None, modal showing, close box and Escape
//   handed to the model; tool windows transient for the main form's window and out of the
//   task list;
// - one widget per control: labels (literal text, word wrap, transparency, underline), check
//   boxes, radio buttons, push buttons (default button outlined, access letters), one-line
//   inputs (maximum length, paste), pictures (decoded when first drawn), group boxes; controls
//   created and destroyed at run time;
// - main menus: separators, check marks, hidden and disabled entries, shortcut texts;
// - input: clicks and other mouse buttons, every key through the model (key down, typed
//   character, menu shortcuts, access letters), focus mirrored from the model;
// - the pointer's shape: the hand over controls whose Cursor is crHandPoint;
// - fonts: Liberation Sans for "MS Sans Serif" and "Arial", points to pixels at 96 dpi, text
//   measured as it is drawn, LF CR and CR LF as one line break;
// - the platform services: tick count, time of day, program path, screen size, desktop
//   opener (xdg-open), the standard message dialog, message pumping and waiting without
//   spinning.
#pragma once

#include "toolkit/Platform.h"

#include <sys/types.h>

#include <vector>

class TFltkPlatform : public TPlatform {
public:
  // Installs itself as the platform; the display is opened when it is first needed.
  TFltkPlatform();
  ~TFltkPlatform() override;
  TFltkPlatform(const TFltkPlatform&) = delete;
  TFltkPlatform& operator=(const TFltkPlatform&) = delete;

  uint32_t TickCount() override;
  int32_t TimeOfDayMs() override;
  std::string ProgramPath() override;
  void MessageDialog(const std::string& caption, const std::string& text) override;
  int ScreenWidth() override;
  int ScreenHeight() override;
  TTextSize MeasureText(const TFont& font, const std::string& text) override;
  // Runs xdg-open and reports whether it succeeded (exit status 0). An opener still running
  // after a few seconds has found an application and counts as success.
  bool ShellOpen(const std::string& target) override;
  std::unique_ptr<TFormPeer> CreateFormPeer(TForm& form) override;
  void ProcessMessages() override;
  void WaitForEvents(int32_t timeoutMs) override;
  void ModalShown(TForm& form) override;

private:
  // Openers that outlived their wait, reaped when they end.
  std::vector<pid_t> runningOpeners;
};
