// Realising a form with the Windows API: the window, its controls, geometry, menu, focus,
// painting and the routing of keys and clicks to the model.
#include "toolkit/win32/Win32FormPeer.h"

#include "toolkit/Application.h"
#include "toolkit/PaintBox.h"
#include "toolkit/win32/Win32Child.h"
#include "toolkit/win32/Win32Drawing.h"
#include "toolkit/win32/Win32Fonts.h"
#include "toolkit/win32/Win32Picture.h"
#include "toolkit/win32/Win32Platform.h"
#include "toolkit/win32/Win32Text.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr const wchar_t* kFormClass = L"AerolernForm";
// Posted to a form's window: the children of destroyed controls may go now.
constexpr UINT kFreeReleased = WM_APP + 1;
// The icon of the program's resources, when it has one.
constexpr int kProgramIcon = 1;

bool Contains(const TControl& outer, const TControl& control) {
  for (const TControl* c = &control; c != nullptr; c = c->Parent())
    if (c == &outer)
      return true;
  return false;
}

HBRUSH FaceBrush() { return GetSysColorBrush(COLOR_BTNFACE); }

// Tells the platform for as long as it lives that a window paints.
class TPainting {
public:
  explicit TPainting(TWin32Platform& backend) : platform(backend) { platform.PaintingStarted(); }
  ~TPainting() { platform.PaintingEnded(); }
  TPainting(const TPainting&) = delete;
  TPainting& operator=(const TPainting&) = delete;

private:
  TWin32Platform& platform;
};

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM data) {
  auto& found = *reinterpret_cast<std::vector<HWND>*>(data);
  if (IsWindowVisible(window) && IsWindowEnabled(window))
    found.push_back(window);
  return TRUE;
}

} // namespace

void TWin32FormPeer::RegisterWindowClass() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kProgramIcon));
  if (windowClass.hIcon == nullptr)
    windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  // No background brush: the form paints its whole client area itself, double-buffered.
  windowClass.hbrBackground = nullptr;
  windowClass.lpszClassName = kFormClass;
  if (RegisterClassExW(&windowClass) == 0)
    throw std::runtime_error("Die Fensterklasse von Aerolern lässt sich nicht anmelden.");
}

void TWin32FormPeer::UnregisterWindowClass() {
  UnregisterClassW(kFormClass, GetModuleHandleW(nullptr));
}

TWin32FormPeer* TWin32FormPeer::OfWindow(HWND window) {
  wchar_t name[32] = {};
  if (window == nullptr || GetClassNameW(window, name, 32) == 0 || wcscmp(name, kFormClass) != 0)
    return nullptr;
  return reinterpret_cast<TWin32FormPeer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

TWin32FormPeer::TWin32FormPeer(TForm& owner, TWin32Platform& backend)
    : form(owner), platform(backend) {
  // WindowProc stores the peer and the window at WM_NCCREATE.
  CreateWindowExW(ExtendedStyle(), kFormClass, Widen(form.Caption()).c_str(), Style(), form.Left(),
                  form.Top(), 0, 0, OwnerWindow(), nullptr, GetModuleHandleW(nullptr), this);
  if (window == nullptr)
    throw std::runtime_error("Das Fenster " + form.Name() + " lässt sich nicht anlegen.");
  UpdateMenuBar();
  for (TControl* control : form.AllControls())
    CreateEntry(*control);
  PlaceWindow(true);
  // Access letters and the focus frame always show, as on the classic desktop.
  SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL | UISF_HIDEFOCUS), 0);
}

TWin32FormPeer::~TWin32FormPeer() {
  for (TEntry& entry : entries)
    if (entry.Child)
      entry.Child->Detach();
  entries.clear();
  released.clear();
  EnableOtherWindows();
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  SetMenu(window, nullptr);
  menuBar.reset();
  DestroyWindow(window);
}

TWin32Fonts& TWin32FormPeer::Fonts() const { return platform.Fonts(); }

void TWin32FormPeer::Forward(const std::function<void()>& input) { Application.Dispatch(input); }

// --- Controls ----------------------------------------------------------------------------

TWin32FormPeer::TEntry* TWin32FormPeer::EntryOf(const TControl* control) {
  if (control == nullptr)
    return nullptr;
  auto found = std::find_if(entries.begin(), entries.end(),
                            [control](const TEntry& entry) { return entry.Control == control; });
  return found == entries.end() ? nullptr : &*found;
}

TWin32FormPeer::TEntry* TWin32FormPeer::EntryOfWindow(HWND child) {
  auto found = std::find_if(entries.begin(), entries.end(), [child](const TEntry& entry) {
    return entry.Child && entry.Child->Handle() == child;
  });
  return found == entries.end() ? nullptr : &*found;
}

std::vector<TWin32FormPeer::TEntry*> TWin32FormPeer::EntryWithDescendants(const TControl& control) {
  std::vector<TEntry*> found;
  for (TEntry& entry : entries)
    if (Contains(control, *entry.Control))
      found.push_back(&entry);
  return found;
}

void TWin32FormPeer::CreateEntry(TControl& control) {
  TEntry entry;
  entry.Control = &control;
  if (TWin32Child::IsNativeKind(control)) {
    entry.Child = TWin32Child::Create(*this, control, window);
    // A control made later lies above the ones before it.
    if (entry.Child)
      SetWindowPos(entry.Child->Handle(), HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  } else if (dynamic_cast<TImage*>(&control) != nullptr) {
    entry.Picture = std::make_unique<TWin32Picture>();
  }
  entries.push_back(std::move(entry));
  ApplyAll(entries.back());
}

void TWin32FormPeer::ApplyAll(TEntry& entry) {
  for (TChange what :
       {TChange::Bounds, TChange::Font, TChange::Text, TChange::Visible, TChange::Enabled,
        TChange::Checked, TChange::MaxLength, TChange::Picture, TChange::Cursor})
    Apply(entry, what);
}

RECT TWin32FormPeer::ClientRectOf(const TControl& control) const {
  int x = control.Left();
  int y = control.Top();
  for (const TControl* parent = control.Parent(); parent != nullptr && parent != &form;
       parent = parent->Parent()) {
    x += parent->Left();
    y += parent->Top();
  }
  return {x, y, x + std::max(0, control.Width()), y + std::max(0, control.Height())};
}

RECT TWin32FormPeer::DrawnArea(const TControl& control) const {
  RECT area = ClientRectOf(control);
  // An auto-sized label on one line may draw past its bounds (see PaintLabel).
  const auto* label = dynamic_cast<const TLabel*>(&control);
  if (label != nullptr && label->AutoSize() && !label->WordWrap()) {
    RECT client{};
    GetClientRect(window, &client);
    area.right = std::max(area.right, client.right);
  }
  return area;
}

void TWin32FormPeer::Invalidate(const RECT& area) {
  if (!IsRectEmpty(&area))
    InvalidateRect(window, &area, FALSE);
}

void TWin32FormPeer::Place(TEntry& entry) {
  const RECT area = ClientRectOf(*entry.Control);
  if (entry.Child) {
    SetWindowPos(entry.Child->Handle(), nullptr, area.left, area.top, area.right - area.left,
                 area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
    entry.Placed = area;
  } else {
    Invalidate(entry.Placed);
    entry.Placed = DrawnArea(*entry.Control);
    Invalidate(entry.Placed);
  }
}

void TWin32FormPeer::Apply(TEntry& entry, TChange what) {
  TControl& control = *entry.Control;
  switch (what) {
  case TChange::Bounds:
    // A group box moves what it holds: the model's positions are parent-relative.
    for (TEntry* inside : EntryWithDescendants(control))
      Place(*inside);
    break;
  case TChange::Visible:
  case TChange::Enabled:
    for (TEntry* inside : EntryWithDescendants(control)) {
      if (inside->Child)
        inside->Child->Apply(what);
      else
        Invalidate(inside->Placed);
      // A hidden picture gives its bitmap back; it is made again when the picture shows.
      if (what == TChange::Visible && inside->Picture && !ShownInForm(*inside->Control))
        inside->Picture = std::make_unique<TWin32Picture>();
    }
    break;
  case TChange::Focus:
    SyncFocus(false);
    break;
  case TChange::Cursor:
    ShowCursorIfOver(control);
    break;
  case TChange::Picture:
    entry.FailedPictureFile.clear(); // a new picture: a failed decode may be tried again
    Invalidate(entry.Placed);
    break;
  default:
    if (entry.Child)
      entry.Child->Apply(what);
    else
      Invalidate(entry.Placed);
    break;
  }
}

void TWin32FormPeer::ControlCreated(TControl& control) {
  CreateEntry(control);
  SyncFocus(false);
}

void TWin32FormPeer::ControlDestroyed(TControl& control) {
  std::vector<TEntry*> going = EntryWithDescendants(control);
  if (going.empty())
    return;
  for (TEntry* entry : going) {
    if (pressedControl == entry->Control)
      pressedControl = nullptr;
    if (entry->Child) {
      // The control may be destroyed from its own window's input handling: its window goes
      // once the loop is back.
      entry->Child->Detach();
      ShowWindow(entry->Child->Handle(), SW_HIDE);
      released.push_back(entry->Child);
    } else {
      Invalidate(entry->Placed);
    }
    entry->Control = nullptr;
  }
  entries.erase(std::remove_if(entries.begin(), entries.end(),
                               [](const TEntry& entry) { return entry.Control == nullptr; }),
                entries.end());
  if (!released.empty())
    PostMessageW(window, kFreeReleased, 0, 0);
  SyncFocus(false);
}

void TWin32FormPeer::Changed(TControl& control, TChange what) {
  if (&control == &form) {
    FormChanged(what);
    return;
  }
  if (TEntry* entry = EntryOf(&control))
    Apply(*entry, what);
}

// --- The window ----------------------------------------------------------------------------

DWORD TWin32FormPeer::Style() const {
  DWORD style = WS_CLIPCHILDREN;
  switch (form.BorderStyle()) {
  case TBorderStyle::Single:
    // Not sizeable, and so without a maximize box: the model's size is the window's.
    return style | WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  case TBorderStyle::ToolWindow:
    return style | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  case TBorderStyle::SizeToolWin:
    return style | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
  case TBorderStyle::None:
    return style | WS_POPUP;
  }
  return style;
}

DWORD TWin32FormPeer::ExtendedStyle() const {
  // Tool windows and borderless ones stay out of the task bar.
  return form.BorderStyle() == TBorderStyle::Single ? 0 : WS_EX_TOOLWINDOW;
}

HWND TWin32FormPeer::OwnerWindow() const {
  TForm* mainForm = Application.MainForm();
  if (mainForm == nullptr || mainForm == &form)
    return nullptr;
  const auto* owner = dynamic_cast<const TWin32FormPeer*>(mainForm->Peer());
  return owner != nullptr ? owner->window : nullptr;
}

void TWin32FormPeer::PlaceWindow(bool move) {
  // The border style may have changed. Only the bits of the border are compared: Windows adds
  // others itself (a window edge, clipping of siblings).
  constexpr DWORD kBorderBits = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME;
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  const auto extendedStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (move ? 0 : SWP_NOMOVE);
  if ((style & kBorderBits) != (Style() & kBorderBits) ||
      (extendedStyle & WS_EX_TOOLWINDOW) != (ExtendedStyle() & WS_EX_TOOLWINDOW)) {
    SetWindowLongPtrW(window, GWL_STYLE, static_cast<LONG_PTR>((style & ~kBorderBits) | Style()));
    SetWindowLongPtrW(window, GWL_EXSTYLE,
                      static_cast<LONG_PTR>((extendedStyle & ~WS_EX_TOOLWINDOW) | ExtendedStyle()));
    flags |= SWP_FRAMECHANGED;
  }
  const int clientWidth = std::max(0, form.ClientWidth());
  const int clientHeight = std::max(0, form.ClientHeight());
  RECT outer{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)),
                     menuBar != nullptr,
                     static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
  const int width = outer.right - outer.left;
  int height = outer.bottom - outer.top;
  SetWindowPos(window, nullptr, form.Left(), form.Top(), width, height, flags);
  // A menu bar that wraps into a second row takes room that AdjustWindowRectEx knows nothing of.
  RECT client{};
  if (menuBar && !IsIconic(window) && GetClientRect(window, &client)) {
    const int missing = clientHeight - (client.bottom - client.top);
    if (missing != 0) {
      height += missing;
      SetWindowPos(window, nullptr, 0, 0, width, height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  fixedOuterSize = {width, height};
}

void TWin32FormPeer::FormChanged(TChange what) {
  switch (what) {
  case TChange::Bounds:
    PlaceWindow(true);
    break;
  case TChange::Text:
    SetWindowTextW(window, Widen(form.Caption()).c_str());
    break;
  case TChange::Visible:
    if (form.Visible())
      ShowFormWindow();
    else
      HideFormWindow();
    break;
  default:
    break;
  }
}

void TWin32FormPeer::ShowFormWindow() {
  // The main form's window may have come after this one was made.
  if (GetWindow(window, GW_OWNER) == nullptr)
    if (HWND owner = OwnerWindow())
      SetWindowLongPtrW(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
  if (form.Modal())
    DisableOtherWindows();
  PlaceWindow(true);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  SyncFocus(true);
}

void TWin32FormPeer::HideFormWindow() {
  // Enabled first, so that Windows hands the activation to the window below, not to another
  // program.
  EnableOtherWindows();
  ShowWindow(window, SW_HIDE);
}

void TWin32FormPeer::MakeModal() {
  DisableOtherWindows();
  SyncFocus(true);
}

void TWin32FormPeer::DisableOtherWindows() {
  if (modalDisabling)
    return;
  modalDisabling = true;
  std::vector<HWND> shown;
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&shown));
  for (HWND other : shown) {
    if (other == window)
      continue;
    EnableWindow(other, FALSE);
    disabledWindows.push_back(other);
  }
}

void TWin32FormPeer::EnableOtherWindows() {
  if (!modalDisabling)
    return;
  modalDisabling = false;
  for (HWND other : disabledWindows)
    if (IsWindow(other))
      EnableWindow(other, TRUE);
  disabledWindows.clear();
}

void TWin32FormPeer::SyncFocus(bool activating) {
  if (!IsWindowVisible(window))
    return;
  // A form that is not the active one keeps its focus to itself until it is activated.
  if (!activating && GetActiveWindow() != window)
    return;
  HWND target = window;
  if (TEntry* entry = EntryOf(form.FocusedControl()))
    if (entry->Child && IsWindowVisible(entry->Child->Handle()) &&
        IsWindowEnabled(entry->Child->Handle()))
      target = entry->Child->Handle();
  if (GetFocus() != target)
    SetFocus(target);
}

// --- Menu ----------------------------------------------------------------------------------

void TWin32FormPeer::MenuChanged() { UpdateMenuBar(); }

void TWin32FormPeer::UpdateMenuBar() {
  // The menu the user holds open stays until it closes; the bar is rebuilt then.
  if (inMenuLoop) {
    menuOutdated = true;
    return;
  }
  menuOutdated = false;
  TMenuHandle fresh;
  if (form.Menu() != nullptr)
    fresh = BuildMenuBar(*form.Menu(), menuCommands);
  SetMenu(window, fresh.get());
  // The bar before goes only now that the window no longer shows it.
  menuBar = std::move(fresh);
  // The client area keeps its size below a bar that came, went or wraps differently.
  PlaceWindow(false);
}

// --- Painting ------------------------------------------------------------------------------

void TWin32FormPeer::Paint() {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window, &paint);
  const RECT area = paint.rcPaint;
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (dc != nullptr && width > 0 && height > 0) {
    // Everything is drawn into a bitmap first and copied at once: nothing flickers, and a
    // transparent label shows what was drawn below it.
    const TPainting painting(platform);
    TMemoryDc buffer(CreateCompatibleDC(dc));
    TGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(dc, width, height));
    {
      TSelection selected(buffer.get(), bitmap.get());
      SetViewportOrgEx(buffer.get(), -area.left, -area.top, nullptr);
      FillRect(buffer.get(), &area, FaceBrush());
      // By index: a paint handler is program code and could add a control.
      for (std::size_t i = 0; i < entries.size(); ++i)
        if (!entries[i].Child)
          PaintEntry(buffer.get(), entries[i], area);
      SetViewportOrgEx(buffer.get(), 0, 0, nullptr);
      BitBlt(dc, area.left, area.top, width, height, buffer.get(), 0, 0, SRCCOPY);
    }
  }
  EndPaint(window, &paint);
}

void TWin32FormPeer::PaintEntry(HDC dc, TEntry& entry, const RECT& paintArea) {
  TControl& control = *entry.Control;
  if (!ShownInForm(control))
    return;
  const RECT area = ClientRectOf(control);
  RECT overlap{};
  if (!IntersectRect(&overlap, &entry.Placed, &paintArea))
    return;
  // Each control clips for itself; the device context is as before for the next one.
  const int saved = SaveDC(dc);
  if (const auto* label = dynamic_cast<const TLabel*>(&control)) {
    DrawLabel(dc, *label, area, entry.Placed.right, Fonts());
  } else if (auto* image = dynamic_cast<TImage*>(&control)) {
    DrawImage(dc, *image, area, *entry.Picture, entry.FailedPictureFile);
  } else if (auto* box = dynamic_cast<TPaintBox*>(&control)) {
    DrawPaintBox(dc, *box, area, Fonts());
  } else if (dynamic_cast<const TGroupBox*>(&control) != nullptr) {
    DrawGroupBox(dc, control, area, Fonts());
  }
  RestoreDC(dc, saved);
}

LRESULT TWin32FormPeer::ControlColor(UINT message, HDC dc, HWND child) {
  const TEntry* entry = EntryOfWindow(child);
  const COLORREF text =
      entry != nullptr ? ColorRefOf(entry->Control->Font().Color) : GetSysColor(COLOR_WINDOWTEXT);
  SetTextColor(dc, text);
  const int background = message == WM_CTLCOLOREDIT ? COLOR_WINDOW : COLOR_BTNFACE;
  SetBkColor(dc, GetSysColor(background));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
}

// --- Messages ------------------------------------------------------------------------------

LRESULT CALLBACK TWin32FormPeer::WindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  TWin32FormPeer* peer = nullptr;
  if (message == WM_NCCREATE) {
    peer = static_cast<TWin32FormPeer*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    peer->window = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(peer));
  } else {
    peer = reinterpret_cast<TWin32FormPeer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  if (peer == nullptr)
    return DefWindowProcW(window, message, wParam, lParam);
  return peer->HandleMessage(message, wParam, lParam);
}

LRESULT TWin32FormPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsKeyMessage(message)) {
    // Only a loop other than the backend's dispatches keys to the window.
    const MSG key{window, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    if (RouteKeyMessage(key, true))
      return 0;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  switch (message) {
  case WM_CLOSE: {
    // The close box asks the model; Windows never closes the window by itself.
    TForm& target = form;
    Forward([&target] { target.CloseRequest(); });
    return 0;
  }
  case WM_ERASEBKGND:
    return 1;
  case WM_PAINT:
    Paint();
    return 0;
  case WM_ACTIVATE:
    if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0) {
      // Windows would focus the window itself; the model's focus wins.
      SyncFocus(true);
      return 0;
    }
    break;
  case WM_SETFOCUS:
    if (TEntry* entry = EntryOf(form.FocusedControl()))
      if (entry->Child && IsWindowVisible(entry->Child->Handle()) &&
          IsWindowEnabled(entry->Child->Handle()))
        SetFocus(entry->Child->Handle());
    return 0;
  case WM_COMMAND:
    if (lParam == 0 && HIWORD(wParam) == 0) {
      if (TMenuItem* item = menuCommands.ItemOf(LOWORD(wParam)))
        Forward([item] { item->Click(); });
      return 0;
    }
    if (HIWORD(wParam) == EN_CHANGE)
      if (TEntry* entry = EntryOfWindow(reinterpret_cast<HWND>(lParam))) {
        const std::shared_ptr<TWin32Child> child = entry->Child;
        child->NativeTextChanged();
      }
    return 0;
  case WM_CTLCOLORSTATIC:
  case WM_CTLCOLOREDIT:
  case WM_CTLCOLORBTN:
    return ControlColor(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
  case WM_SETCURSOR:
    if (reinterpret_cast<HWND>(wParam) == window && SetCursorFor(lParam))
      return TRUE;
    break;
  case WM_LBUTTONDOWN:
  case WM_RBUTTONDOWN:
  case WM_MBUTTONDOWN:
    MouseDownOnDrawn(message, lParam);
    return 0;
  case WM_LBUTTONUP:
    MouseUpOnDrawn(lParam);
    return 0;
  case WM_CAPTURECHANGED:
    if (reinterpret_cast<HWND>(lParam) != window)
      pressedControl = nullptr;
    return 0;
  case WM_ENTERMENULOOP:
    inMenuLoop = true;
    platform.EnterNativeLoop();
    return 0;
  case WM_EXITMENULOOP:
    inMenuLoop = false;
    platform.LeaveNativeLoop();
    if (menuOutdated)
      UpdateMenuBar();
    return 0;
  case WM_ENTERSIZEMOVE:
    platform.EnterNativeLoop();
    return 0;
  case WM_EXITSIZEMOVE:
    platform.LeaveNativeLoop();
    return 0;
  case WM_GETMINMAXINFO:
    // A sizeable tool window looks sizeable but keeps the model's size.
    if (form.BorderStyle() == TBorderStyle::SizeToolWin && fixedOuterSize.cx > 0) {
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      limits->ptMinTrackSize = {fixedOuterSize.cx, fixedOuterSize.cy};
      limits->ptMaxTrackSize = {fixedOuterSize.cx, fixedOuterSize.cy};
      return 0;
    }
    break;
  case kFreeReleased:
    released.clear();
    return 0;
  default:
    break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
