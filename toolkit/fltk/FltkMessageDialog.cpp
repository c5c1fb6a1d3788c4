// The standard message dialog: a small modal window laid out around its text.
#include "toolkit/fltk/FltkMessageDialog.h"

#include "toolkit/Application.h"
#include "toolkit/fltk/FltkFonts.h"
#include "toolkit/fltk/FltkText.h"
#include "toolkit/fltk/FltkWidgets.h"
#include "toolkit/fltk/FltkX11.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>

#include <algorithm>
#include <vector>

namespace {

constexpr int kMargin = 12;
constexpr int kButtonWidth = 75;
constexpr int kMaxTextWidth = 480;

// The dialog window: Enter, Escape and Space close it as its one button would.
class TMessageWindow : public Fl_Double_Window {
public:
  using Fl_Double_Window::Fl_Double_Window;

  int handle(int event) override {
    if (event == FL_KEYBOARD || event == FL_SHORTCUT) {
      const int key = Fl::event_key();
      if (key == FL_Enter || key == FL_KP_Enter || key == FL_Escape || key == ' ')
        hide();
      return 1;
    }
    return Fl_Double_Window::handle(event);
  }

  void draw() override {
    Fl_Double_Window::draw();
    if (!focused) {
      focused = true;
      GiveInputFocus(*this);
    }
  }

private:
  bool focused = false;
};

void HideWindowOf(Fl_Widget* widget, void*) {
  if (Fl_Window* window = widget->as_window() ? widget->as_window() : widget->window())
    window->hide();
}

} // namespace

void ShowFltkMessageDialog(const std::string& caption, const std::string& text) {
  OpenFltkDisplay();
  const TFont font;
  const std::vector<std::string> lines = WrapLines(
      text, kMaxTextWidth, [&](const std::string& line) { return FltkTextWidth(font, line); });
  int textWidth = 0;
  for (const std::string& line : lines)
    textWidth = std::max(textWidth, FltkTextWidth(font, line));
  const int textHeight = FltkLineHeight(font) * static_cast<int>(lines.size());
  const int width = std::max(textWidth, kButtonWidth + 2 * kMargin) + 2 * kMargin;
  const int height = kMargin + textHeight + kMargin + kButtonHeight + kMargin;

  Fl_Group* const previousGroup = Fl_Group::current();
  TMessageWindow window((Fl::w() - width) / 2, (Fl::h() - height) / 2, width, height);
  window.end();
  Fl_Group::current(nullptr);
  // The window owns its two children and deletes them with itself.
  window.add(new TFltkTextLines(kMargin, kMargin, textWidth, textHeight, lines, font));
  auto* button = new Fl_Button((width - kButtonWidth) / 2, height - kMargin - kButtonHeight,
                               kButtonWidth, kButtonHeight, "OK");
  window.add(button);
  Fl_Group::current(previousGroup);

  const TFltkFont mapped = FltkFontOf(font);
  button->labelfont(mapped.Face);
  button->labelsize(mapped.Size);
  button->callback(HideWindowOf);
  window.callback(HideWindowOf);
  window.copy_label(caption.c_str());
  window.set_modal();
  window.show();
  button->take_focus();
  while (window.shown()) {
    Application.ProcessMessages();
    if (!window.shown())
      break;
    Application.WaitForEvents();
  }
  FocusNextWindow(window);
}
