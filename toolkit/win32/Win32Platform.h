// TWin32Platform: the toolkit model realised with the Windows API (user32, gdi32, comctl32 and
// shell32 only), for the program aerolern.exe.
//
// What this backend realises:
// - forms as top-level windows, made hidden and shown when the model shows them: caption,
//   client area exactly the model's client size below the menu bar (the outer size follows
//   from AdjustWindowRectEx for the styles and the menu), outer corner at the model's Left and
//   Top; single border with minimize box, tool window, sizeable tool window (kept at the
//   model's size), no border; every other form owned by the main form's window (above it),
//   tool windows and borderless ones out of the task bar; close box, Alt+F4 and Escape handed
//   to the model; modal showing (the other windows of the program disabled while the model runs
//   its loop);
// - buttons, check boxes, radio buttons and one-line inputs as native child windows: default
//   button style, access letters, check marks set by the model only (no automatic styles; the
//   model keeps radio buttons exclusive), maximum length, text edited by Windows itself (an
//   input method) handed to the model as a user edit, Ctrl+C and Ctrl+V in inputs;
// - labels (word wrap where the model measured, transparency, colour, bold, underline,
//   literal "&"), pictures (white drawn transparent where asked), group boxes with their caption
//   and paint boxes (TCanvas on GDI) drawn by the form itself, double-buffered, in creation
//   order, so that later controls lie above earlier ones;
// - main menus: separators, check marks, hidden and disabled entries, access letters, shortcut
//   texts after a tab; no accelerator table: shortcuts go through the model's lookup;
// - input: every key through the model (key down with the character it types, shortcuts,
//   Return, Escape, Tab, Alt+letter; Alt plus a menu's letter that no control claims opens the
//   menu; a character typed with AltGr is no shortcut), clicks completed on release over the
//   control, the other buttons as mouse-down, the focus mirrored from the model;
// - the hand pointer over controls whose Cursor is crHandPoint;
// - fonts: GDI fonts by the model's name at its size in points on a 96-dpi screen, text
//   measured exactly as drawn, LF, CR LF and LF CR as one line break;
// - text: UTF-8 in the program, UTF-16 at every Windows call, so file and folder names with any
//   characters work;
// - the platform services: tick count, time of day, calendar clock and local time zone with
//   daylight saving at the given moment, the program's path, screen size, "open" through
//   ShellExecuteW, the standard message dialog (MessageBoxW), message pumping and waiting
//   without spinning; the model's timers keep firing while Windows runs a loop of its own (a
//   message box, a menu held open, a window being moved).
//
// The program is not marked as aware of the screen's resolution: the model's geometry is in
// pixels of a 96-dpi screen, and Windows scales the windows on a finer one.
#pragma once

#include "toolkit/Platform.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TWin32Fonts;

class TWin32Platform : public TPlatform {
public:
  // Installs itself as the platform and registers the window class of forms.
  TWin32Platform();
  ~TWin32Platform() override;
  TWin32Platform(const TWin32Platform&) = delete;
  TWin32Platform& operator=(const TWin32Platform&) = delete;

  uint32_t TickCount() override;
  int32_t TimeOfDayMs() override;
  int64_t UtcNowMs() override;
  int32_t UtcOffsetSeconds(int64_t utcMs) override;
  std::string ProgramPath() override;
  // MessageBoxW with one OK button, owned by the active window of the program; the program's
  // other windows are disabled meanwhile. A message asked for while a window paints (an error
  // of a paint handler) is shown once the painting is over.
  void MessageDialog(const std::string& caption, const std::string& text) override;
  int ScreenWidth() override;
  int ScreenHeight() override;
  TTextSize MeasureText(const TFont& font, const std::string& text) override;
  // ShellExecuteW with "open"; true when Windows reports success.
  bool ShellOpen(const std::string& target) override;
  std::unique_ptr<TFormPeer> CreateFormPeer(TForm& form) override;
  void ProcessMessages() override;
  void WaitForEvents(int32_t timeoutMs) override;
  void ModalShown(TForm& form) override;

  // For the form peers: the fonts of the run; Windows runs a loop of its own (the model's
  // timers fire from a Windows timer meanwhile); a window paints.
  TWin32Fonts& Fonts() { return *fonts; }
  void EnterNativeLoop();
  void LeaveNativeLoop();
  void PaintingStarted() { ++painting; }
  void PaintingEnded() { --painting; }
  // The Windows timer of a loop of Windows' own is due: the model's due timers fire.
  void NativeLoopTick();

private:
  struct TMessage {
    std::string Caption;
    std::string Text;
  };

  // Takes every pending message from the queue: keys for the program's windows go to their
  // forms, everything else is dispatched.
  void Pump();
  void ShowDeferredMessages();
  void ArmNativeLoopTimer();

  std::unique_ptr<TWin32Fonts> fonts;
  int nativeLoops = 0;
  uintptr_t nativeLoopTimer = 0;
  int painting = 0;
  // The next ProcessMessages is the one of a native loop's timer: it takes no messages.
  bool tickPumpSkipped = false;
  std::vector<TMessage> deferredMessages;
};
