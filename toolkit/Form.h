// TForm: a window with its controls, menu and timers; shown plainly or modally.
#pragma once

#include "toolkit/Control.h"
#include "toolkit/Menus.h"
#include "toolkit/StdCtrls.h"
#include "toolkit/Timer.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

class TForm : public TWinControl {
public:
  explicit TForm(std::string name);
  ~TForm() override;

  // Creates a control owned by the form, under the given parent (nullptr: the form itself).
  template <class T>
  T* Create(const std::string& controlName, TWinControl* parentControl = nullptr) {
    auto control = std::make_unique<T>(this, parentControl ? parentControl : this, controlName);
    T* created = control.get();
    owned.push_back(std::move(control));
    ControlAdded(*created);
    return created;
  }
  // Destroys a control created at run time. It leaves the form at once and is freed when the
  // application next processes messages, so a handler may destroy its own control.
  void DestroyControl(TControl* control);
  void FreeReleasedControls();
  TTimer* CreateTimer(const std::string& timerName);
  TMainMenu* CreateMainMenu(const std::string& menuName);

  // Every control in creation order.
  std::vector<TControl*> AllControls() const;
  // A control, timer, menu or menu entry by name; nullptr when there is none.
  TObject* FindComponent(const std::string& componentName) const;
  template <class T> T* Find(const std::string& componentName) const {
    return dynamic_cast<T*>(FindComponent(componentName));
  }

  TBorderStyle BorderStyle() const { return borderStyle; }
  void SetBorderStyle(TBorderStyle value);
  // The outer size is Width/Height; the client area is what lies inside the frame.
  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientWidth(int value);
  void SetClientHeight(int value);
  TFrameMetrics Frame() const { return FrameMetricsOf(borderStyle); }

  TMainMenu* Menu() const { return menu; }
  void SetMenu(TMainMenu* value);

  void SetVisible(bool value) override;
  // Shows the form modally and returns its modal result once it is closed.
  int ShowModal();
  bool Modal() const { return modal; }
  int ModalResult() const { return modalResult; }
  // A non-zero modal result closes a modal form when control is back in its modal loop.
  void SetModalResult(int value);
  // Closes the form: OnClose decides whether it hides; closing the main form ends the program.
  void Close();

  // While input is blocked, clicks, keys and menu choices of the user do nothing; the window
  // still paints and timers still fire.
  bool InputBlocked() const { return inputBlocked; }
  void SetInputBlocked(bool value) { inputBlocked = value; }

  TControl* FocusedControl() const { return focused; }
  void SetFocusedControl(TControl* control);
  // Moves the focus to the next (or previous) focusable control in tab order.
  void SelectNext(bool forward = true);

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnActivate;
  TCloseEvent OnClose;
  // Typed characters without a focused control go to the OnKeyPress every control has.

  // Runs OnCreate; the application calls it once the form exists.
  void DoCreate();

  // User input entry points. A key goes to the menu shortcuts first, then to the focused
  // control (key-down, then the toolkit's reaction); a typed character to the focused control's
  // key-press event, or to the form's when no control has the focus.
  void KeyDown(int key, TShiftState shift = 0);
  void KeyPress(char32_t character);
  // The user closed the window by its close box.
  void CloseRequest() { Close(); }

  // Peer bookkeeping, for controls and menus.
  void ControlChanged(TControl& control, TChange what);
  void ControlHidden(TControl& control);
  void MenuChanged();
  TFormPeer* Peer() const { return peer.get(); }

private:
  void ControlAdded(TControl& control);
  void KeyReaction(int key, TShiftState shift);
  TButton* FindButton(bool wantDefault) const;
  TControl* FindAccessLetter(char letter) const;
  std::vector<TControl*> TabSequence() const;

  std::vector<std::unique_ptr<TControl>> owned;
  std::vector<std::unique_ptr<TControl>> released;
  std::vector<std::unique_ptr<TTimer>> timers;
  std::vector<std::unique_ptr<TMainMenu>> menus;
  TMainMenu* menu = nullptr;
  TBorderStyle borderStyle = TBorderStyle::Single;
  TControl* focused = nullptr;
  std::unique_ptr<TFormPeer> peer;
  bool shownBefore = false;
  bool modal = false;
  int modalResult = 0;
  bool inputBlocked = false;
};

// The control of that name, of the wanted kind; throws std::logic_error when it is missing.
template <class T> T& ControlOf(TForm& form, const std::string& name) {
  T* control = form.Find<T>(name);
  if (control == nullptr)
    throw std::logic_error("Kein passendes Element " + name + " in " + form.Name());
  return *control;
}
