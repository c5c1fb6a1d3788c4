// TWin32FormPeer: one form realised as a top-level window. Buttons, boxes and inputs are native
// child windows; labels, pictures, group boxes and paint boxes are drawn by the form itself,
// double-buffered and in the model's order, so that a transparent label shows the picture
// below it. Every key goes to the model.
#pragma once

#include "toolkit/Form.h"
#include "toolkit/Platform.h"
#include "toolkit/win32/Win32Api.h"
#include "toolkit/win32/Win32Menu.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TWin32Child;
class TWin32Fonts;
class TWin32Picture;
class TWin32Platform;

class TWin32FormPeer : public TFormPeer {
public:
  // Builds the window, hidden, and its controls from the whole current state of the form.
  TWin32FormPeer(TForm& form, TWin32Platform& platform);
  ~TWin32FormPeer() override;
  TWin32FormPeer(const TWin32FormPeer&) = delete;
  TWin32FormPeer& operator=(const TWin32FormPeer&) = delete;

  void ControlCreated(TControl& control) override;
  void ControlDestroyed(TControl& control) override;
  void Changed(TControl& control, TChange what) override;
  void MenuChanged() override;

  // The form is being shown modally: every other shown window of the program is disabled
  // until it hides.
  void MakeModal();

  // A key message for this form's window or one of its children, as the loop takes it from the
  // queue (translated: whether TranslateMessage has been called for it already). Key downs go
  // to the model with the character they type (key down, then key press); a character without
  // its key goes as a key press. Returns false for a key that Windows should handle itself:
  // Alt plus a menu's access letter (which opens the menu), Alt+Space and Alt+F4 when the model
  // has no shortcut for them.
  bool RouteKeyMessage(const MSG& message, bool translated);
  // Runs one model input entry point, showing an error it raises as the application does.
  void Forward(const std::function<void()>& input);

  TForm& Form() const { return form; }
  HWND Handle() const { return window; }
  TWin32Fonts& Fonts() const;
  // The peer of a window of the backend's form class; nullptr for any other window.
  static TWin32FormPeer* OfWindow(HWND window);
  // The window class of forms, registered while the platform lives.
  static void RegisterWindowClass();
  static void UnregisterWindowClass();

private:
  // What the peer keeps of a control: a native child, or what it needs to paint the control.
  struct TEntry {
    TControl* Control = nullptr;
    std::shared_ptr<TWin32Child> Child;
    std::unique_ptr<TWin32Picture> Picture;
    std::string FailedPictureFile;
    // Where the child window stands, or the area the form paints the control in.
    RECT Placed{};
  };

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  TEntry* EntryOf(const TControl* control);
  TEntry* EntryOfWindow(HWND child);
  void CreateEntry(TControl& control);
  void ApplyAll(TEntry& entry);
  void Apply(TEntry& entry, TChange what);
  // The control and every entry inside it (a group box holds others).
  std::vector<TEntry*> EntryWithDescendants(const TControl& control);
  // The control's rectangle in the client area: the model's positions are parent-relative.
  RECT ClientRectOf(const TControl& control) const;
  // The area a drawn control's painting may cover.
  RECT DrawnArea(const TControl& control) const;
  void Place(TEntry& entry);
  void Invalidate(const RECT& area);
  void FormChanged(TChange what);

  DWORD Style() const;
  DWORD ExtendedStyle() const;
  // Sizes the window so that its client area is the model's client size exactly, below the
  // menu bar; moving puts the outer corner at the model's Left and Top as well.
  void PlaceWindow(bool move);
  void ShowFormWindow();
  void HideFormWindow();
  HWND OwnerWindow() const;
  void DisableOtherWindows();
  void EnableOtherWindows();
  // Gives the keyboard focus to the window of the model's focused control (the form's own
  // window when none), if this window is the active one or is being activated.
  void SyncFocus(bool activating);
  void UpdateMenuBar();
  // The top-level menu whose access letter Alt+key is, when no control claims that letter and
  // no shortcut is Alt+key.
  const TMenuItem* MenuOfAccessKey(int key, TShiftState shift) const;
  void ClipboardKey(int key, TShiftState shift);

  // Paints the controls without a window of their own that reach into the area to repaint.
  void Paint();
  void PaintEntry(HDC dc, TEntry& entry, const RECT& paintArea);
  // The topmost drawn control at a point of the client area that is shown; nullptr for none.
  TControl* DrawnControlAt(POINT point);
  void MouseDownOnDrawn(UINT message, LPARAM lParam);
  void MouseUpOnDrawn(LPARAM lParam);
  bool SetCursorFor(LPARAM hitTest);
  void ShowCursorIfOver(const TControl& control);
  // The font colour and the background of a native child (WM_CTLCOLOR...).
  LRESULT ControlColor(UINT message, HDC dc, HWND child);

  TForm& form;
  TWin32Platform& platform;
  HWND window = nullptr;
  // In creation order, which is the order of drawing: later controls lie above earlier ones.
  std::vector<TEntry> entries;
  // Children of destroyed controls, kept until the loop is back from the handler that
  // destroyed them.
  std::vector<std::shared_ptr<TWin32Child>> released;
  TWin32MenuCommands menuCommands;
  TMenuHandle menuBar;
  bool inMenuLoop = false;
  bool menuOutdated = false;
  bool modalDisabling = false;
  std::vector<HWND> disabledWindows;
  TControl* pressedControl = nullptr;
  SIZE fixedOuterSize{};
};
