// TFltkFormPeer: one form realised as an FLTK window, with one widget per control, kept in
// step with the model and handing the user's input back to the model's entry points.
#pragma once

#include "toolkit/Form.h"
#include "toolkit/Platform.h"

#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class Fl_Menu_Bar;
class Fl_Widget;
class Fl_Group;
class Fl_Window;
class TFltkWindow;
class TFltkLink;
class TFltkMenuItems;

class TFltkFormPeer : public TFormPeer {
public:
  // Builds the window and its widgets from the whole current state of the form. The window
  // is shown when the form becomes visible.
  explicit TFltkFormPeer(TForm& form);
  ~TFltkFormPeer() override;
  TFltkFormPeer(const TFltkFormPeer&) = delete;
  TFltkFormPeer& operator=(const TFltkFormPeer&) = delete;

  void ControlCreated(TControl& control) override;
  void ControlDestroyed(TControl& control) override;
  void Changed(TControl& control, TChange what) override;
  void MenuChanged() override;

  // The form is being shown modally: its window blocks input to all others.
  void MakeModal();

  // Input from the widgets. RouteKey hands the current FLTK key event to the form (key down,
  // then the typed character); Forward runs one model input entry point, showing an error it
  // raises as the application does for handlers.
  void RouteKey();
  void Forward(const std::function<void()>& input);
  // An error from drawing (a picture that cannot be decoded), shown once the drawing is over.
  void ReportError(std::exception_ptr error);
  // Gives the keyboard focus to the widget of the model's focused control. Unless the window
  // is being activated, only while the FLTK focus is in this window already.
  void SyncFocus(bool activating);

  TForm& Form() const { return form; }
  // Whether the form is a tool window (of either border style), and the shown window of the
  // main form that it belongs to (nullptr when there is none, or this is the main form).
  bool IsToolWindow() const;
  Fl_Window* OwnerWindow() const;
  // The realised parts, for tests and diagnostics.
  TFltkWindow& Window() const { return *window; }
  Fl_Widget* WidgetOf(const TControl& control) const;
  Fl_Menu_Bar* MenuBar() const { return menuBar; }

private:
  // A control's widget (owned by its FLTK parent group) and the same object as its link.
  struct TEntry {
    Fl_Widget* Widget = nullptr;
    TFltkLink* Link = nullptr;
  };

  static void WindowCallback(Fl_Widget* widget, void* data);
  static void MenuCallback(Fl_Widget* widget, void* data);
  static void ReportPendingErrors(void* data);

  int MenuHeight() const;
  void CreateWidget(TControl& control);
  // The widget that stands for the control's kind; nullptr for a kind this backend does not
  // draw. The one place that maps kinds of control to kinds of widget.
  std::unique_ptr<TFltkLink> NewWidgetFor(TControl& control);
  Fl_Group& GroupOf(const TControl& control) const;
  // Window-relative position of a control: the model's positions are parent-relative and the
  // client area starts below the menu bar.
  void AbsolutePosition(const TControl& control, int& x, int& y) const;
  void Place(const TControl& control);
  void PlaceAll();
  void PlaceWindow();
  void ApplyAll(TControl& control);
  void Apply(TControl& control, TChange what);
  void FormChanged(TChange what);
  void ShowWindow();
  void HideWindow();
  void UpdateMenuBar();
  void RebuildMenu();
  // The top-level menu whose access letter Alt+key is, when no control claims that letter
  // and no shortcut is Alt+key.
  const TMenuItem* MenuOfAccessKey(int key, TShiftState shift) const;
  void OpenMenu(const TMenuItem& item);
  void ClipboardKey(int key, TShiftState shift);

  TForm& form;
  std::unique_ptr<TFltkWindow> window;
  Fl_Menu_Bar* menuBar = nullptr; // owned by the window
  std::unique_ptr<TFltkMenuItems> menuItems;
  std::unique_ptr<TFltkMenuItems> previousMenuItems;
  bool hadMenu = false;
  // While a menu entry's callback runs, the array it came from stays; the menu is rebuilt
  // after the callback.
  int menuCallbackDepth = 0;
  std::map<const TControl*, TEntry> widgets;
  std::vector<std::exception_ptr> pendingErrors;
};
