// The native child windows that stand for the model's focusable controls: push buttons, check
// boxes, radio buttons and one-line inputs. Each shows the model's state and hands the user's
// input to the model's entry points; none changes model state itself.
#pragma once

#include "toolkit/Control.h"
#include "toolkit/win32/Win32Api.h"

#include <memory>
#include <string>

class TWin32FormPeer;

class TWin32Child : public std::enable_shared_from_this<TWin32Child> {
public:
  // Whether the form realises the control as a native window (the other kinds it paints itself).
  static bool IsNativeKind(const TControl& control);
  // Creates the control's window, hidden, as a child of the form's window. The peer keeps the
  // child in a shared pointer: a window procedure holds it too while it forwards input, so a
  // handler may destroy the control without pulling the object from under the procedure.
  static std::shared_ptr<TWin32Child> Create(TWin32FormPeer& peer, TControl& control, HWND parent);
  ~TWin32Child();
  TWin32Child(const TWin32Child&) = delete;
  TWin32Child& operator=(const TWin32Child&) = delete;

  HWND Handle() const { return window; }
  // The control until it is destroyed; from then on the window forwards nothing.
  TControl* Control() const { return control; }
  void Detach() { control = nullptr; }

  // Shows a changed property of the control: caption, shown and enabled state (which count
  // the parents' too), font, check mark, maximum length. A button's default style is taken from
  // the model with every change, since the model announces no change of it.
  void Apply(TChange what);
  // The text of an input was changed by Windows itself (a paste from its context, an input
  // method): the model gets it as a user edit, and the window then shows the model's text.
  void NativeTextChanged();
  // Ctrl+C and Ctrl+V on an input: the selection to the clipboard, the clipboard's first line
  // added to the model's text (the model edits at the end of the text).
  void CopySelection();
  void PasteClipboard();

private:
  enum class TKind { Button, CheckBox, RadioButton, Edit };
  TWin32Child(TWin32FormPeer& owner, TControl& linked, TKind childKind);

  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // The mouse on a button, check box or radio button: the press fires the mouse-down at once
  // and the release over the control completes the click; Windows' own click never runs.
  // Returns whether the message is dealt with.
  bool HandleButtonMouse(UINT message, LPARAM lParam);
  LRESULT HandleEditMouse(UINT message, WPARAM wParam, LPARAM lParam);
  void OtherButtonDown(TMouseButton button, LPARAM lParam);
  void ShowText(const std::string& text);
  void UpdateButtonStyle();

  TWin32FormPeer& peer;
  TControl* control;
  TKind kind;
  HWND window = nullptr;
  bool pressed = false;
  // While the program sets an input's text, Windows' change report is no user edit.
  bool settingText = false;
};

// Whether the control is visible itself and so is every parent below the form (the form's own
// window hides what it holds).
bool ShownInForm(const TControl& control);
// Whether the control and every parent below the form are enabled: a disabled group box grays
// what it holds.
bool EnabledWithParents(const TControl& control);
// The model's shift bits of the keys held down now, as the current message sees them.
TShiftState CurrentShiftState();
