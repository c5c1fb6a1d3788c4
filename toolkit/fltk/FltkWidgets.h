// The FLTK widgets that stand for the model's controls and forms. Each draws from the model
// and hands the user's input to the model's entry points; none changes model state itself.
#pragma once

#include "toolkit/StdCtrls.h"

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Image.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Round_Button.H>

#include <memory>
#include <string>
#include <vector>

class TFltkFormPeer;

// What every control widget shares: the FLTK widget it is, the control it stands for (until
// the control goes) and the peer that routes keys and reports errors.
class TFltkLink {
public:
  TFltkLink(TFltkFormPeer& owner, TControl& linked, Fl_Widget& self)
      : peer(owner), control(&linked), widget(self) {}
  virtual ~TFltkLink() = default;
  TFltkLink(const TFltkLink&) = delete;
  TFltkLink& operator=(const TFltkLink&) = delete;

  TControl* Control() const { return control; }
  Fl_Widget& Widget() const { return widget; }
  // The control is being destroyed: from now on the widget forwards nothing and draws nothing.
  void Detach() { control = nullptr; }

  // Shows a changed property of the linked control on the widget (the peer places widgets and
  // moves the focus itself). The base shows caption, visibility, enabled state, font and the
  // pointer's shape.
  virtual void Apply(TChange what);

protected:
  // The mouse and key handling of a control that is clicked as a whole: the left button's
  // press fires the mouse-down at once and its release over the control completes the click
  // (so a press dragged off clicks nothing), other buttons only press the mouse down on it;
  // keys go to the form through the peer. Returns -1
  // for events it leaves to the FLTK widget. The pointer's entering and leaving set the
  // window's cursor to the control's.
  int HandleInput(int event);

  TFltkFormPeer& peer;
  TControl* control = nullptr;
  Fl_Widget& widget;
  bool pressed = false;

private:
  // FLTK keeps one cursor per window: the widget sets it while the pointer is over it. Entering
  // returns whether the widget keeps the pointer, since only then does FLTK report the leaving.
  bool PointerEntered();
  void PointerLeft();

  bool cursorShown = false;
};

// TLabel: draws its text itself, line by line, so that "&" and "@" show literally and the
// lines break exactly where TLabel measured them.
class TFltkLabel : public Fl_Box, public TFltkLink {
public:
  TFltkLabel(TFltkFormPeer& owner, TLabel& label);
  void draw() override;
  int handle(int event) override;
  void Apply(TChange what) override;
};

// TButton: pressed look while the mouse is held; the default button has a black outline.
class TFltkButton : public Fl_Button, public TFltkLink {
public:
  TFltkButton(TFltkFormPeer& owner, TButton& button);
  void draw() override;
  int handle(int event) override;
};

// Check boxes, radio buttons and push buttons clip their caption to their bounds as desktop
// controls do: a check box only as wide as its box shows no caption.

// TCheckBox and TRadioButton: the mark always shows the model's Checked; FLTK's own toggle never
// runs, and the model keeps radio siblings exclusive. One class for both, on the FLTK button
// that draws the mark (a square or a round one).
template <class FlButton, class Model> class TFltkMarkButton : public FlButton, public TFltkLink {
public:
  TFltkMarkButton(TFltkFormPeer& owner, Model& model);
  void draw() override;
  int handle(int event) override;
  void Apply(TChange what) override;
};
using TFltkCheckBox = TFltkMarkButton<Fl_Check_Button, TCheckBox>;
using TFltkRadioButton = TFltkMarkButton<Fl_Round_Button, TRadioButton>;

// TEdit: mirrors the model's text. Typing goes to the form as keys, so the model's TEdit does
// the editing (and its maximum length); the FLTK input only keeps cursor and selection.
// Pasted text is handed to the model as a user edit.
class TFltkEdit : public Fl_Input, public TFltkLink {
public:
  TFltkEdit(TFltkFormPeer& owner, TEdit& edit);
  int handle(int event) override;
  // The caption is the input's text; the maximum length and the font of the text apply too.
  void Apply(TChange what) override;

private:
  // Shows the model's text with the cursor at its end.
  void ShowText(const std::string& text);
};

// TImage: draws the model's picture from its own pixel buffer. The picture file is decoded
// on the first draw, so only pictures that are actually shown are decoded. A picture with
// transparent white is drawn as a copy whose white pixels have no opacity.
class TFltkImage : public Fl_Widget, public TFltkLink {
public:
  TFltkImage(TFltkFormPeer& owner, TImage& image);
  void draw() override;
  int handle(int event) override;
  // No caption; a new picture may be decoded again after a failed one.
  void Apply(TChange what) override;

private:
  // The picture as red, green, blue and opacity, white made transparent; made again when the
  // picture's pixels are others than last time.
  Fl_RGB_Image& WithTransparentWhite(const TPicture& picture);

  std::string failedFile;
  // FLTK's image does not copy its pixels: they live here as long as it does.
  std::vector<uchar> rgbaPixels;
  std::unique_ptr<Fl_RGB_Image> rgbaImage;
  const uint8_t* rgbaSource = nullptr;
};

// TGroupBox: an etched frame with the caption on its top line; holds the widgets of its
// child controls (which the group owns, as every FLTK group owns its children).
class TFltkGroupBox : public Fl_Group, public TFltkLink {
public:
  TFltkGroupBox(TFltkFormPeer& owner, TGroupBox& box);
  void draw() override;
  int handle(int event) override;
};

// Lines of text drawn literally in the default font: the text of the message dialog.
class TFltkTextLines : public Fl_Widget {
public:
  TFltkTextLines(int x, int y, int w, int h, std::vector<std::string> shownLines, TFont textFont);
  void draw() override;

private:
  std::vector<std::string> lines;
  TFont font;
};

// The window of a form: the client area plus the menu bar. Every key goes to the model; the
// close box and Escape go to the model too, so FLTK never hides the window by itself.
class TFltkWindow : public Fl_Double_Window {
public:
  TFltkWindow(TFltkFormPeer& owner, int width, int height);
  int handle(int event) override;
  void draw() override;
  // A tool window is shown transient for the main form's window and out of the task list.
  void show() override;
  // Gives the window the X input focus once it is drawn (mapped): without a window manager
  // nothing else would, and keys would go nowhere.
  void RequestInputFocus() { inputFocusPending = true; }
  // Places the window's client area; sets FLTK's forced position so that a first showing
  // goes there too.
  void PlaceClientArea(int left, int top, int width, int height);

private:
  TFltkFormPeer& peer;
  bool inputFocusPending = false;
};

// After a window was hidden: gives the X input focus to the window now on top (the modal one
// if any), since without a window manager nobody else would.
void FocusNextWindow(const Fl_Window& hidden);
