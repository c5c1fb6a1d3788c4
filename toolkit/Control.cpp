// Properties, input entry points and change notification of controls.
#include "toolkit/Control.h"

#include "toolkit/Application.h"
#include "toolkit/Form.h"

#include <algorithm>
#include <cctype>

TControl::TControl(TForm* owner, TWinControl* parentControl, std::string controlName)
    : form(owner), parent(parentControl), name(std::move(controlName)) {
  if (parent != nullptr)
    parent->AddChild(this);
  if (form != nullptr)
    font = form->Font();
}

TControl::~TControl() {
  if (parent != nullptr)
    parent->RemoveChild(this);
}

void TControl::Detach() {
  if (parent != nullptr)
    parent->RemoveChild(this);
  parent = nullptr;
  form = nullptr;
}

void TControl::NotifyChanged(TChange what) {
  if (form != nullptr)
    form->ControlChanged(*this, what);
}

void TControl::SetBounds(int newLeft, int newTop, int newWidth, int newHeight) {
  if (left == newLeft && top == newTop && width == newWidth && height == newHeight)
    return;
  left = newLeft;
  top = newTop;
  width = newWidth;
  height = newHeight;
  NotifyChanged(TChange::Bounds);
}

void TControl::SetVisible(bool value) {
  if (visible == value)
    return;
  visible = value;
  NotifyChanged(TChange::Visible);
  if (!value && form != nullptr)
    form->ControlHidden(*this);
}

bool TControl::Showing() const {
  for (const TControl* control = this; control != nullptr; control = control->parent)
    if (!control->visible)
      return false;
  return true;
}

void TControl::SetEnabled(bool value) {
  if (enabled == value)
    return;
  enabled = value;
  NotifyChanged(TChange::Enabled);
  if (!value && form != nullptr)
    form->ControlHidden(*this);
}

void TControl::SetCaption(const std::string& value) {
  if (caption == value)
    return;
  caption = value;
  NotifyChanged(TChange::Text);
}

void TControl::SetFont(const TFont& value) {
  if (font == value)
    return;
  font = value;
  NotifyChanged(TChange::Font);
}

void TControl::SetCursor(TCursor value) {
  if (cursor == value)
    return;
  cursor = value;
  NotifyChanged(TChange::Cursor);
}

bool TControl::CanFocus() const {
  if (!IsFocusable())
    return false;
  for (const TControl* control = this; control != nullptr; control = control->parent)
    if (!control->visible || !control->enabled)
      return false;
  return true;
}

void TControl::SetFocus() {
  if (form != nullptr && CanFocus())
    form->SetFocusedControl(this);
}

bool TControl::Focused() const { return form != nullptr && form->FocusedControl() == this; }

std::string StripAccessMarkers(const std::string& caption) {
  std::string shown;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size())
      ++i;
    shown += caption[i];
  }
  return shown;
}

char AccessLetterOf(const std::string& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&')
      continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char>(std::tolower(static_cast<unsigned char>(caption[i + 1])));
  }
  return 0;
}

char TControl::AccessLetter() const { return AccessLetterOf(caption); }

void TControl::DoClick() {
  if (OnClick)
    Application.Dispatch([&] { OnClick(this); });
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown)
    Application.Dispatch([&] { OnMouseDown(this, button, shift, x, y); });
}

bool TControl::AcceptsInput() const {
  return Showing() && Enabled() && (form == nullptr || !form->InputBlocked());
}

void TControl::LeftButtonDown(TShiftState shift, int x, int y) {
  leftButtonDown = false;
  if (!AcceptsInput())
    return;
  if (IsFocusable())
    SetFocus();
  clickConsumed = false;
  leftButtonDown = true;
  MouseDown(TMouseButton::Left, shift, x, y);
}

void TControl::LeftButtonUp(bool overControl) {
  if (!leftButtonDown)
    return;
  leftButtonDown = false;
  // The mouse-down handler may have hidden or disabled the control, or dealt with the press.
  if (!overControl || clickConsumed || !AcceptsInput())
    return;
  ClickReaction();
  DoClick();
}

void TControl::Click() {
  LeftButtonDown();
  LeftButtonUp(true);
}

void TWinControl::RemoveChild(TControl* control) {
  children.erase(std::remove(children.begin(), children.end(), control), children.end());
}
