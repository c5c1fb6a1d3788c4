// TControl, the base of every control, and TWinControl, a control that holds others.
#pragma once

#include "toolkit/Platform.h"
#include "toolkit/Types.h"

#include <string>
#include <vector>

class TForm;
class TWinControl;

// A caption as it is drawn: "&&" becomes "&", the "&" before an access letter disappears.
std::string StripAccessMarkers(const std::string& caption);
// The access letter of a caption (the letter after a single "&") in lower case, or 0.
char AccessLetterOf(const std::string& caption);

class TControl : public TObject {
public:
  TControl(TForm* form, TWinControl* parent, std::string name);
  ~TControl() override;
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  const std::string& Name() const { return name; }
  TForm* Form() const { return form; }
  // Takes the control out of its parent and form; it no longer reports changes.
  void Detach();
  TWinControl* Parent() const { return parent; }

  virtual int Left() const { return left; }
  virtual int Top() const { return top; }
  virtual int Width() const { return width; }
  virtual int Height() const { return height; }
  void SetLeft(int value) { SetBounds(value, top, width, height); }
  void SetTop(int value) { SetBounds(left, value, width, height); }
  void SetWidth(int value) { SetBounds(left, top, value, height); }
  void SetHeight(int value) { SetBounds(left, top, width, value); }
  virtual void SetBounds(int newLeft, int newTop, int newWidth, int newHeight);

  bool Visible() const { return visible; }
  virtual void SetVisible(bool value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible itself and every parent up to the form.
  bool Showing() const;

  bool Enabled() const { return enabled; }
  void SetEnabled(bool value);

  const std::string& Caption() const { return caption; }
  virtual void SetCaption(const std::string& value);

  const TFont& Font() const { return font; }
  virtual void SetFont(const TFont& value);

  // The pointer's shape while it is over the control.
  TCursor Cursor() const { return cursor; }
  void SetCursor(TCursor value);

  int TabOrder() const { return tabOrder; }
  void SetTabOrder(int value) { tabOrder = value; }
  // Whether the control takes the keyboard focus (buttons, boxes, inputs).
  virtual bool IsFocusable() const { return false; }
  bool CanFocus() const;
  // Moves the keyboard focus here (when the control can take it).
  void SetFocus();
  bool Focused() const;

  // The letter after the "&" of the caption in lower case, or 0.
  char AccessLetter() const;

  TNotifyEvent OnClick;
  TMouseEvent OnMouseDown;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;

  // User input, as a backend or a test delivers it. Each fires the events the desktop fires
  // and then does the toolkit's own part (a click toggles a box, a key presses a button).
  // Click is a left press and release over the control at once.
  void Click();
  void MouseDown(TMouseButton button = TMouseButton::Left, TShiftState shift = 0, int x = 0,
                 int y = 0);
  // The left button goes down on the control: it takes the focus and fires OnMouseDown at once.
  void LeftButtonDown(TShiftState shift = 0, int x = 0, int y = 0);
  // The left button comes up again after LeftButtonDown; over the control that completes the
  // click (the toolkit's reaction, then OnClick) unless the press was consumed.
  void LeftButtonUp(bool overControl);

  // Called by a mouse-down handler that has dealt with the press itself: the click that the
  // press starts then neither toggles nor selects the control and fires no OnClick.
  void ConsumeClick() { clickConsumed = true; }

  // The toolkit's own reaction to a click after the mouse-down event: toggling, selecting.
  virtual void ClickReaction() {}
  // Whether Space clicks the control while it has the focus.
  virtual bool ClickedBySpace() const { return false; }
  // Whether Return clicks the control while it has the focus, instead of the default button.
  virtual bool ClickedByReturn() const { return false; }
  // The toolkit's own reaction to a character typed while the control has the focus, after
  // the key-press event: an input edits its text, other controls do nothing.
  virtual void KeyPressReaction(char32_t /*character*/) {}
  // Whether user input reaches the control: shown, enabled, and its form not blocked.
  bool AcceptsInput() const;
  // Fires OnClick through the dispatch.
  void DoClick();

protected:
  void NotifyChanged(TChange what);

  TForm* form = nullptr;
  TWinControl* parent = nullptr;

private:
  std::string name;
  int left = 0, top = 0, width = 0, height = 0;
  bool visible = true;
  bool enabled = true;
  std::string caption;
  TFont font;
  TCursor cursor = crDefault;
  int tabOrder = -1;
  bool clickConsumed = false;
  bool leftButtonDown = false;
};

class TWinControl : public TControl {
public:
  using TControl::TControl;

  // The direct children in creation order.
  const std::vector<TControl*>& Controls() const { return children; }
  void AddChild(TControl* control) { children.push_back(control); }
  void RemoveChild(TControl* control);

private:
  std::vector<TControl*> children;
};
