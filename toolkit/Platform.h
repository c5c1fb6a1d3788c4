// The platform interface: what the toolkit model needs from the machine it runs on.
// One platform is installed per run (the FLTK backend in the program, the headless one in tests).
#pragma once

#include "toolkit/Types.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TForm;
class TControl;
class TMenuItem;

// What a realised form is told when the model changes; it never reports back what the program
// did, only the user's input, through the model's input entry points.
enum class TChange {
  Bounds,
  Text,
  Visible,
  Enabled,
  Checked,
  MaxLength,
  Picture,
  Font,
  Focus,
  Cursor,
  Paint
};

class TFormPeer {
public:
  virtual ~TFormPeer() = default;
  // A control was added to or is about to be removed from the form.
  virtual void ControlCreated(TControl& control) = 0;
  virtual void ControlDestroyed(TControl& control) = 0;
  // A property of a control (or of the form itself, passed as the control) changed.
  virtual void Changed(TControl& control, TChange what) = 0;
  // The menu or one of its entries changed.
  virtual void MenuChanged() = 0;
};

class TPlatform {
public:
  virtual ~TPlatform() = default;

  // Milliseconds since the system started; 32 bits, wraps around.
  virtual uint32_t TickCount() = 0;
  // Milliseconds since midnight in universal time.
  virtual int32_t TimeOfDayMs() = 0;
  // The calendar clock: milliseconds since 1970-01-01 00:00 UTC.
  virtual int64_t UtcNowMs();
  // How far the local time zone is ahead of UTC at that moment, in seconds (daylight saving
  // time included).
  virtual int32_t UtcOffsetSeconds(int64_t utcMs);
  // Full path of the running program file.
  virtual std::string ProgramPath() = 0;
  // The standard message dialog: the text, one OK button, the caption on its title bar.
  // Returns when the user has closed it.
  virtual void MessageDialog(const std::string& caption, const std::string& text) = 0;

  // Screen size in pixels.
  virtual int ScreenWidth() { return 1024; }
  virtual int ScreenHeight() { return 768; }
  // Size of a text in a font; line breaks (LF, CR LF, LF CR) start new lines.
  virtual TTextSize MeasureText(const TFont& font, const std::string& text);
  // Opens a document or web address with the desktop's default application.
  virtual bool ShellOpen(const std::string&) { return false; }

  // Realises a form that is shown for the first time; nullptr when the backend draws nothing.
  virtual std::unique_ptr<TFormPeer> CreateFormPeer(TForm&) { return nullptr; }
  // Handles the pending input without waiting.
  virtual void ProcessMessages() {}
  // Waits for input for at most timeoutMs milliseconds (a negative value: until input comes).
  virtual void WaitForEvents(int32_t timeoutMs) = 0;
  // A form has just been shown modally; the modal loop follows.
  virtual void ModalShown(TForm&) {}
};

// The installed platform. Throws std::logic_error when none is installed.
TPlatform& Platform();

// Installs a platform (nullptr uninstalls). Backends call this from their constructor and
// destructor; the caller keeps ownership.
void InstallPlatform(TPlatform* platform);

// Whether a platform is installed.
bool HasPlatform();

// The folder of the running program with its trailing separator ("./" when its path names
// none): the settings file and the pictures lie beside the program.
std::string ProgramFolder();
// The running program's file name without its folder.
std::string ProgramFileName();

// How far the machine's local time zone is ahead of UTC at that moment, in seconds (daylight
// saving time included), from the C library; what a platform reports unless it knows better.
int32_t LocalUtcOffsetSeconds(int64_t utcMs);

// The deterministic text metric of the headless backend, also the default: line height
// 13 px at 8 pt and 16 px at 10 pt, per-character advance widths from a fixed table.
TTextSize FixedMetricTextSize(const TFont& font, const std::string& text);

// Splits a text at its line breaks: LF, CR LF and LF CR each end one line.
std::vector<std::string> SplitLines(const std::string& text);

// The lines a word-wrapping label shows in the given width: each paragraph (see SplitLines) is
// filled greedily word by word, words joined by one blank. Backends draw these lines and
// labels measure their height by them, so both agree.
std::vector<std::string> WrapLines(const std::string& text, int width,
                                   const std::function<int(const std::string&)>& measure);
// The text with a line break inside every word wider than `width` in the font (as the platform
// measures it), wherever the word fills a line, since wrapping breaks lines only between words:
// for long words and paths that would otherwise be cut off at a label's edge.
std::string BreakLongWords(const TFont& font, const std::string& text, int width);
