// Drawing and input handling of the FLTK widgets that stand for the model's controls.
#include "toolkit/fltk/FltkWidgets.h"

#include "toolkit/fltk/FltkFonts.h"
#include "toolkit/fltk/FltkFormPeer.h"
#include "toolkit/fltk/FltkText.h"
#include "toolkit/fltk/FltkX11.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <exception>

namespace {

TMouseButton ModelButtonOf(int fltkButton) {
  switch (fltkButton) {
  case FL_RIGHT_MOUSE:
    return TMouseButton::Right;
  case FL_MIDDLE_MOUSE:
    return TMouseButton::Middle;
  default:
    return TMouseButton::Left;
  }
}

// The longest text FLTK's input accepts when the model sets no limit.
constexpr int kUnlimitedLength = 32767;

// The alignment FLTK needs so that a widget's own label is drawn inside it: a label aligned
// outside would be drawn a second time by the parent group.
constexpr Fl_Align kInsideLeft = FL_ALIGN_INSIDE | FL_ALIGN_LEFT;

// Draws lines of text from the top of a box, literally: fl_draw with a position does not
// interpret "@" or "&".
void DrawLines(const std::vector<std::string>& lines, const TFont& font, Fl_Color color, int x,
               int y, bool underline) {
  SelectFont(font);
  fl_color(color);
  const int lineHeight = fl_height();
  const int ascent = lineHeight - fl_descent();
  int top = y;
  for (const std::string& line : lines) {
    fl_draw(line.c_str(), static_cast<int>(line.size()), x, top + ascent);
    if (underline) {
      const int width = static_cast<int>(fl_width(line.c_str(), static_cast<int>(line.size())));
      fl_line(x, top + ascent + 1, x + width - 1, top + ascent + 1);
    }
    top += lineHeight;
  }
}

} // namespace

void TFltkLink::Apply(TChange what) {
  switch (what) {
  case TChange::Text:
    widget.copy_label(FltkAccessLabel(control->Caption()).c_str());
    break;
  case TChange::Visible:
    if (control->Visible())
      widget.show();
    else
      widget.hide();
    break;
  case TChange::Enabled:
    if (control->Enabled())
      widget.activate();
    else
      widget.deactivate();
    break;
  case TChange::Font: {
    const TFltkFont mapped = FltkFontOf(control->Font());
    widget.labelfont(mapped.Face);
    widget.labelsize(mapped.Size);
    widget.labelcolor(mapped.Color);
    break;
  }
  case TChange::Cursor:
    // The pointer over the widget now takes the new shape; elsewhere the next entering does.
    if (Fl::belowmouse() == &widget && !PointerEntered())
      PointerLeft();
    break;
  default:
    break; // a widget that shows more of its control applies the rest itself
  }
}

bool TFltkLink::PointerEntered() {
  Fl_Window* window = widget.window();
  if (control == nullptr || window == nullptr || control->Cursor() != crHandPoint)
    return false;
  window->cursor(FL_CURSOR_HAND);
  cursorShown = true;
  return true;
}

void TFltkLink::PointerLeft() {
  if (!cursorShown)
    return;
  cursorShown = false;
  if (Fl_Window* window = widget.window())
    window->cursor(FL_CURSOR_DEFAULT);
}

int TFltkLink::HandleInput(int event) {
  switch (event) {
  case FL_PUSH: {
    if (control == nullptr)
      return 1;
    TControl* target = control;
    const TShiftState shift = ShiftStateOf(Fl::event_state());
    const int x = Fl::event_x() - widget.x();
    const int y = Fl::event_y() - widget.y();
    // Nothing of this widget is touched after forwarding: a handler may end the control.
    if (Fl::event_button() == FL_LEFT_MOUSE) {
      pressed = true;
      peer.Forward([=] { target->LeftButtonDown(shift, x, y); });
    } else if (control->AcceptsInput()) {
      const TMouseButton button = ModelButtonOf(Fl::event_button());
      peer.Forward([=] { target->MouseDown(button, shift, x, y); });
    }
    return 1;
  }
  case FL_DRAG:
    return 1;
  case FL_RELEASE:
    if (pressed && Fl::event_button() == FL_LEFT_MOUSE) {
      pressed = false;
      if (control != nullptr) {
        TControl* target = control;
        const bool over = Fl::event_inside(&widget) != 0;
        peer.Forward([target, over] { target->LeftButtonUp(over); });
      }
    }
    return 1;
  case FL_KEYBOARD:
    peer.RouteKey();
    return 1;
  case FL_SHORTCUT:
    // A button would otherwise fire on its access letter by itself; the model decides.
    return 0;
  case FL_ENTER:
    return PointerEntered() ? 1 : -1;
  case FL_LEAVE:
  case FL_HIDE:
    PointerLeft();
    return -1;
  default:
    return -1;
  }
}

TFltkLabel::TFltkLabel(TFltkFormPeer& owner, TLabel& label)
    : Fl_Box(label.Left(), label.Top(), label.Width(), label.Height()),
      TFltkLink(owner, label, *this) {
  box(FL_NO_BOX);
  clear_visible_focus();
}

void TFltkLabel::draw() {
  const auto* label = static_cast<const TLabel*>(control);
  if (label == nullptr)
    return;
  if (!label->Transparent()) {
    fl_color(FL_BACKGROUND_COLOR);
    fl_rectf(x(), y(), w(), h());
  }
  const TFont& font = label->Font();
  const std::vector<std::string> lines =
      label->WordWrap()
          ? WrapLines(label->Caption(), w(),
                      [&](const std::string& line) { return FltkTextWidth(font, line); })
          : SplitLines(label->Caption());
  const TFltkFont mapped = FltkFontOf(font);
  // A label clips its text to its bounds, except an auto-sized one on a single line: its
  // bounds are its text as the model measured it, which leaves out an "&" that shows here.
  const bool clipped = label->WordWrap() || !label->AutoSize();
  fl_push_clip(x(), y(), clipped ? w() : window()->w() - x(), h());
  DrawLines(lines, font, active_r() ? mapped.Color : fl_inactive(mapped.Color), x(), y(),
            font.Underline);
  fl_pop_clip();
}

int TFltkLabel::handle(int event) {
  const int result = HandleInput(event);
  return result >= 0 ? result : Fl_Box::handle(event);
}

void TFltkLabel::Apply(TChange what) {
  // draw() shows the caption; an FLTK label would show it a second time.
  if (what != TChange::Text)
    TFltkLink::Apply(what);
}

TFltkButton::TFltkButton(TFltkFormPeer& owner, TButton& button)
    : Fl_Button(button.Left(), button.Top(), button.Width(), button.Height()),
      TFltkLink(owner, button, *this) {}

void TFltkButton::draw() {
  fl_push_clip(x(), y(), w(), h());
  Fl_Button::draw();
  fl_pop_clip();
  const auto* button = static_cast<const TButton*>(control);
  if (button != nullptr && button->Default()) {
    fl_color(active_r() ? FL_BLACK : fl_inactive(FL_BLACK));
    fl_rect(x(), y(), w(), h());
  }
}

int TFltkButton::handle(int event) {
  // The pressed look follows the mouse as on the desktop; the model only hears the click.
  if (event == FL_PUSH && Fl::event_button() == FL_LEFT_MOUSE)
    value(1);
  else if (event == FL_DRAG)
    value(Fl::event_inside(this) ? 1 : 0);
  else if (event == FL_RELEASE)
    value(0);
  const int result = HandleInput(event);
  return result >= 0 ? result : Fl_Button::handle(event);
}

template <class FlButton, class Model>
TFltkMarkButton<FlButton, Model>::TFltkMarkButton(TFltkFormPeer& owner, Model& model)
    : FlButton(model.Left(), model.Top(), model.Width(), model.Height()),
      TFltkLink(owner, model, *this) {
  this->align(kInsideLeft);
}

template <class FlButton, class Model> void TFltkMarkButton<FlButton, Model>::draw() {
  fl_push_clip(this->x(), this->y(), this->w(), this->h());
  FlButton::draw();
  fl_pop_clip();
}

template <class FlButton, class Model> int TFltkMarkButton<FlButton, Model>::handle(int event) {
  const int result = HandleInput(event);
  return result >= 0 ? result : FlButton::handle(event);
}

template <class FlButton, class Model> void TFltkMarkButton<FlButton, Model>::Apply(TChange what) {
  if (what == TChange::Checked)
    this->value(static_cast<const Model*>(control)->Checked() ? 1 : 0);
  else
    TFltkLink::Apply(what);
}

template class TFltkMarkButton<Fl_Check_Button, TCheckBox>;
template class TFltkMarkButton<Fl_Round_Button, TRadioButton>;

TFltkEdit::TFltkEdit(TFltkFormPeer& owner, TEdit& edit)
    : Fl_Input(edit.Left(), edit.Top(), edit.Width(), edit.Height()),
      TFltkLink(owner, edit, *this) {
  align(kInsideLeft);
}

void TFltkEdit::Apply(TChange what) {
  switch (what) {
  case TChange::Text:
    ShowText(control->Caption());
    break;
  case TChange::MaxLength: {
    const int limit = static_cast<const TEdit*>(control)->MaxLength();
    maximum_size(limit > 0 ? limit : kUnlimitedLength);
    break;
  }
  case TChange::Font: {
    TFltkLink::Apply(what);
    const TFltkFont mapped = FltkFontOf(control->Font());
    textfont(mapped.Face);
    textsize(mapped.Size);
    textcolor(mapped.Color);
    break;
  }
  default:
    TFltkLink::Apply(what);
    break;
  }
}

void TFltkEdit::ShowText(const std::string& text) {
  value(text.c_str(), static_cast<int>(text.size()));
  position(size());
}

int TFltkEdit::handle(int event) {
  switch (event) {
  case FL_KEYBOARD:
    peer.RouteKey();
    return 1;
  case FL_SHORTCUT:
    return 0;
  case FL_PUSH: {
    if (control == nullptr)
      return 1;
    TControl* target = control;
    if (Fl::event_button() == FL_LEFT_MOUSE) {
      // The model takes the focus and fires its events; FLTK then places the cursor.
      Fl_Widget_Tracker alive(this);
      peer.Forward([target] { target->Click(); });
      if (alive.deleted() || control == nullptr)
        return 1;
      return Fl_Input::handle(event);
    }
    if (Fl::event_button() == FL_RIGHT_MOUSE) {
      if (!control->AcceptsInput())
        return 1;
      const TShiftState shift = ShiftStateOf(Fl::event_state());
      const int x = Fl::event_x() - this->x();
      const int y = Fl::event_y() - this->y();
      peer.Forward([=] { target->MouseDown(TMouseButton::Right, shift, x, y); });
      return 1;
    }
    return Fl_Input::handle(event); // the middle button pastes the selection
  }
  case FL_PASTE: {
    auto* edit = dynamic_cast<TEdit*>(control);
    if (edit == nullptr)
      return 1;
    // A one-line input takes the pasted text up to its first line break, at its end, since
    // the model edits at the end of the text.
    const std::string pasted = SplitLines(std::string(Fl::event_text(), Fl::event_length()))[0];
    peer.Forward([edit, pasted] { edit->UserEdited(edit->Text() + pasted); });
    return 1;
  }
  case FL_DND_ENTER:
  case FL_DND_DRAG:
  case FL_DND_LEAVE:
  case FL_DND_RELEASE:
    return 0;
  default:
    return Fl_Input::handle(event);
  }
}

TFltkImage::TFltkImage(TFltkFormPeer& owner, TImage& image)
    : Fl_Widget(image.Left(), image.Top(), image.Width(), image.Height()),
      TFltkLink(owner, image, *this) {
  box(FL_NO_BOX);
  clear_visible_focus();
}

void TFltkImage::draw() {
  auto* image = static_cast<TImage*>(control);
  if (image == nullptr)
    return;
  const TPicture* picture = &image->Picture();
  if (picture->Empty() && !image->PictureFile().empty() && image->PictureFile() != failedFile) {
    try {
      picture = &image->LoadedPicture();
    } catch (...) {
      // Drawing must not fail; the error is shown once the drawing is over.
      failedFile = image->PictureFile();
      peer.ReportError(std::current_exception());
    }
  }
  if (picture->Empty())
    return;
  fl_push_clip(x(), y(), w(), h());
  if (image->TransparentWhite())
    WithTransparentWhite(*picture).draw(x(), y());
  else
    fl_draw_image(picture->Pixels().data(), x(), y(), picture->Width(), picture->Height(), 3,
                  picture->Width() * 3);
  fl_pop_clip();
}

Fl_RGB_Image& TFltkImage::WithTransparentWhite(const TPicture& picture) {
  const std::vector<uint8_t>& rgb = picture.Pixels();
  if (rgbaImage && rgbaSource == rgb.data())
    return *rgbaImage;
  rgbaImage.reset();
  rgbaPixels.resize(rgb.size() / 3 * 4);
  for (std::size_t from = 0, to = 0; from + 2 < rgb.size(); from += 3, to += 4) {
    rgbaPixels[to] = rgb[from];
    rgbaPixels[to + 1] = rgb[from + 1];
    rgbaPixels[to + 2] = rgb[from + 2];
    rgbaPixels[to + 3] =
        TImage::IsTransparentWhite(rgb[from], rgb[from + 1], rgb[from + 2]) ? 0 : 255;
  }
  rgbaImage =
      std::make_unique<Fl_RGB_Image>(rgbaPixels.data(), picture.Width(), picture.Height(), 4);
  rgbaSource = rgb.data();
  return *rgbaImage;
}

int TFltkImage::handle(int event) {
  const int result = HandleInput(event);
  return result >= 0 ? result : Fl_Widget::handle(event);
}

void TFltkImage::Apply(TChange what) {
  if (what == TChange::Picture) {
    failedFile.clear(); // a new picture: a failed decode may be tried again
    rgbaImage.reset();
  } else if (what != TChange::Text) // an image shows no caption
    TFltkLink::Apply(what);
}

TFltkGroupBox::TFltkGroupBox(TFltkFormPeer& owner, TGroupBox& box)
    : Fl_Group(box.Left(), box.Top(), box.Width(), box.Height()), TFltkLink(owner, box, *this) {
  end();
  Fl_Group::box(FL_NO_BOX);
  align(FL_ALIGN_INSIDE | FL_ALIGN_TOP_LEFT);
  clear_visible_focus();
  // The group's caption carries an access letter like a button's.
  set_flag(SHORTCUT_LABEL);
  // The peer places every child itself; FLTK must not move or scale them.
  resizable(nullptr);
}

void TFltkGroupBox::draw() {
  if ((damage() & ~FL_DAMAGE_CHILD) != 0 && control != nullptr) {
    const TFont& font = control->Font();
    const int lineHeight = FltkLineHeight(font);
    fl_draw_box(FL_ENGRAVED_FRAME, x(), y() + lineHeight / 2, w(), h() - lineHeight / 2, color());
    const std::string shown = SplitLines(StripAccessMarkers(control->Caption()))[0];
    if (!shown.empty()) {
      const int width = FltkTextWidth(font, shown);
      fl_color(color());
      fl_rectf(x() + 6, y(), width + 4, lineHeight);
      draw_label(x() + 8, y(), width + 2, lineHeight, kInsideLeft);
    }
  }
  draw_children();
}

int TFltkGroupBox::handle(int event) {
  // Children come first; a press on the group's own area clicks the group box.
  if (event == FL_PUSH && Fl_Group::handle(event))
    return 1;
  if (event == FL_PUSH || event == FL_DRAG || event == FL_RELEASE) {
    const int result = HandleInput(event);
    return result >= 0 ? result : 0;
  }
  return Fl_Group::handle(event);
}

TFltkTextLines::TFltkTextLines(int x, int y, int w, int h, std::vector<std::string> shownLines,
                               TFont textFont)
    : Fl_Widget(x, y, w, h), lines(std::move(shownLines)), font(std::move(textFont)) {
  box(FL_NO_BOX);
}

void TFltkTextLines::draw() { DrawLines(lines, font, FL_FOREGROUND_COLOR, x(), y(), false); }

TFltkWindow::TFltkWindow(TFltkFormPeer& owner, int width, int height)
    : Fl_Double_Window(width, height), peer(owner) {
  end();
  resizable(nullptr);
}

void TFltkWindow::show() {
  if (shown() || !peer.IsToolWindow()) {
    Fl_Double_Window::show();
    return;
  }
  ShowToolWindow(*this, peer.OwnerWindow(), [this] { Fl_Double_Window::show(); });
}

void TFltkWindow::PlaceClientArea(int left, int top, int width, int height) {
  resize(left, top, width, height);
  force_position(1);
}

int TFltkWindow::handle(int event) {
  switch (event) {
  case FL_KEYBOARD:
  case FL_SHORTCUT:
    peer.RouteKey();
    return 1;
  case FL_FOCUS:
    Fl_Double_Window::handle(event);
    // FLTK gives the focus to some child of its own choosing; the model's focus wins.
    peer.SyncFocus(true);
    return 1;
  default:
    return Fl_Double_Window::handle(event);
  }
}

void TFltkWindow::draw() {
  Fl_Double_Window::draw();
  if (inputFocusPending) {
    inputFocusPending = false;
    GiveInputFocus(*this);
  }
}

void FocusNextWindow(const Fl_Window& hidden) {
  Fl_Window* next = Fl::modal() != nullptr ? Fl::modal() : Fl::first_window();
  if (next != nullptr && next != &hidden)
    GiveInputFocus(*next);
}
