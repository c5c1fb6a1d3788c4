// The native child windows of the Win32 backend: creation, state and mouse input.
#include "toolkit/win32/Win32Child.h"

#include "toolkit/Platform.h"
#include "toolkit/StdCtrls.h"
#include "toolkit/win32/Win32Fonts.h"
#include "toolkit/win32/Win32FormPeer.h"
#include "toolkit/win32/Win32Text.h"

#include <algorithm>

namespace {

constexpr UINT_PTR kSubclassId = 1;

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

bool HasLineBreak(const std::string& text) {
  return text.find_first_of("\r\n") != std::string::npos;
}

} // namespace

bool ShownInForm(const TControl& control) {
  for (const TControl* c = &control; c != nullptr && c != c->Form(); c = c->Parent())
    if (!c->Visible())
      return false;
  return true;
}

bool EnabledWithParents(const TControl& control) {
  for (const TControl* c = &control; c != nullptr && c != c->Form(); c = c->Parent())
    if (!c->Enabled())
      return false;
  return true;
}

TShiftState CurrentShiftState() {
  TShiftState shift = 0;
  if (GetKeyState(VK_SHIFT) < 0)
    shift |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0)
    shift |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0)
    shift |= ssAlt;
  return shift;
}

bool TWin32Child::IsNativeKind(const TControl& control) {
  return dynamic_cast<const TButton*>(&control) != nullptr ||
         dynamic_cast<const TCheckBox*>(&control) != nullptr ||
         dynamic_cast<const TRadioButton*>(&control) != nullptr ||
         dynamic_cast<const TEdit*>(&control) != nullptr;
}

TWin32Child::TWin32Child(TWin32FormPeer& owner, TControl& linked, TKind childKind)
    : peer(owner), control(&linked), kind(childKind) {}

std::shared_ptr<TWin32Child> TWin32Child::Create(TWin32FormPeer& peer, TControl& control,
                                                 HWND parent) {
  TKind kind = TKind::Button;
  const wchar_t* windowClass = WC_BUTTONW;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD extendedStyle = 0;
  if (dynamic_cast<TButton*>(&control) != nullptr) {
    style |= BS_PUSHBUTTON;
  } else if (dynamic_cast<TCheckBox*>(&control) != nullptr) {
    // Not an automatic box: the model ticks it.
    kind = TKind::CheckBox;
    style |= BS_CHECKBOX;
  } else if (dynamic_cast<TRadioButton*>(&control) != nullptr) {
    // Not an automatic radio button: the model keeps the siblings exclusive.
    kind = TKind::RadioButton;
    style |= BS_RADIOBUTTON;
  } else if (dynamic_cast<TEdit*>(&control) != nullptr) {
    kind = TKind::Edit;
    windowClass = WC_EDITW;
    style |= ES_LEFT | ES_AUTOHSCROLL;
    extendedStyle = WS_EX_CLIENTEDGE;
  } else {
    return nullptr;
  }
  // The object is owned from its making on; its constructor is private to keep it in a
  // shared pointer.
  std::shared_ptr<TWin32Child> child(new TWin32Child(peer, control, kind));
  child->window = CreateWindowExW(extendedStyle, windowClass, L"", style, 0, 0, 0, 0, parent,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
  if (child->window == nullptr)
    return nullptr;
  SetWindowSubclass(child->window, SubclassProc, kSubclassId,
                    reinterpret_cast<DWORD_PTR>(child.get()));
  // Access letters and the focus frame always show, as on the classic desktop; without the
  // dialog manager nothing would ever turn them on.
  SendMessageW(child->window, WM_UPDATEUISTATE,
               MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL | UISF_HIDEFOCUS), 0);
  return child;
}

TWin32Child::~TWin32Child() {
  if (window == nullptr)
    return;
  RemoveWindowSubclass(window, SubclassProc, kSubclassId);
  DestroyWindow(window);
}

LRESULT CALLBACK TWin32Child::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR data) {
  auto* child = reinterpret_cast<TWin32Child*>(data);
  // The object may be going (its destructor destroys the window): nothing is forwarded then.
  const std::shared_ptr<TWin32Child> keep = child->weak_from_this().lock();
  if (message == WM_NCDESTROY) {
    // The window goes without the object (with its parent): the object forgets it.
    RemoveWindowSubclass(window, SubclassProc, kSubclassId);
    if (keep)
      keep->window = nullptr;
    return DefSubclassProc(window, message, wParam, lParam);
  }
  if (!keep)
    return DefSubclassProc(window, message, wParam, lParam);
  return keep->HandleMessage(message, wParam, lParam);
}

LRESULT TWin32Child::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsKeyMessage(message)) {
    // The backend's loop hands keys to the form before they get here; only another loop
    // dispatches them to the child, and they go to the form then too.
    const MSG key{window, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    if (peer.RouteKeyMessage(key, true))
      return 0;
    return DefSubclassProc(window, message, wParam, lParam);
  }
  switch (message) {
  case WM_SETCURSOR:
    if (control != nullptr && control->Cursor() == crHandPoint && LOWORD(lParam) == HTCLIENT) {
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      return TRUE;
    }
    break;
  case WM_CONTEXTMENU:
    // The right button is the model's mouse-down; an input offers no menu of its own.
    return 0;
  case WM_RBUTTONDOWN:
  case WM_RBUTTONDBLCLK:
    OtherButtonDown(TMouseButton::Right, lParam);
    return 0;
  case WM_MBUTTONDOWN:
  case WM_MBUTTONDBLCLK:
    OtherButtonDown(TMouseButton::Middle, lParam);
    return 0;
  case WM_RBUTTONUP:
  case WM_MBUTTONUP:
    return 0;
  default:
    break;
  }
  if (kind == TKind::Edit)
    return HandleEditMouse(message, wParam, lParam);
  if (HandleButtonMouse(message, lParam))
    return 0;
  return DefSubclassProc(window, message, wParam, lParam);
}

bool TWin32Child::HandleButtonMouse(UINT message, LPARAM lParam) {
  switch (message) {
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK: {
    if (control == nullptr)
      return true;
    pressed = true;
    SetCapture(window);
    SendMessageW(window, BM_SETSTATE, TRUE, 0);
    TControl* target = control;
    const TShiftState shift = CurrentShiftState();
    const int x = XOf(lParam), y = YOf(lParam);
    // Nothing of the child is touched after forwarding: a handler may end the control.
    peer.Forward([=] { target->LeftButtonDown(shift, x, y); });
    return true;
  }
  case WM_MOUSEMOVE: {
    if (!pressed)
      return false; // the hot look of a themed button
    // The pressed look follows the mouse as on the desktop; the model only hears the click.
    RECT client{};
    GetClientRect(window, &client);
    const POINT point{XOf(lParam), YOf(lParam)};
    SendMessageW(window, BM_SETSTATE, PtInRect(&client, point), 0);
    return true;
  }
  case WM_LBUTTONUP: {
    if (!pressed)
      return true;
    pressed = false;
    SendMessageW(window, BM_SETSTATE, FALSE, 0);
    RECT client{};
    GetClientRect(window, &client);
    const bool over = PtInRect(&client, POINT{XOf(lParam), YOf(lParam)}) != FALSE;
    ReleaseCapture();
    if (control != nullptr) {
      TControl* target = control;
      peer.Forward([target, over] { target->LeftButtonUp(over); });
    }
    return true;
  }
  case WM_CAPTURECHANGED:
    // A window that took the mouse (a dialog opened by the press) ends the press.
    if (pressed) {
      pressed = false;
      SendMessageW(window, BM_SETSTATE, FALSE, 0);
    }
    return false;
  default:
    return false;
  }
}

LRESULT TWin32Child::HandleEditMouse(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
    if (control == nullptr)
      return 0;
    TControl* target = control;
    peer.Forward([target] { target->Click(); });
    // Windows places the cursor and starts a selection only in an input that the model has
    // given the focus; the handler may also have ended the control.
    if (control == nullptr || !control->Focused())
      return 0;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

void TWin32Child::OtherButtonDown(TMouseButton button, LPARAM lParam) {
  if (control == nullptr || !control->AcceptsInput())
    return;
  TControl* target = control;
  const TShiftState shift = CurrentShiftState();
  const int x = XOf(lParam), y = YOf(lParam);
  peer.Forward([=] { target->MouseDown(button, shift, x, y); });
}

void TWin32Child::Apply(TChange what) {
  if (control == nullptr)
    return;
  switch (what) {
  case TChange::Text:
    if (kind == TKind::Edit)
      ShowText(control->Caption());
    else
      SetWindowTextW(window, Widen(WindowsLineBreaks(control->Caption())).c_str());
    break;
  case TChange::Visible:
    ShowWindow(window, ShownInForm(*control) ? SW_SHOWNA : SW_HIDE);
    break;
  case TChange::Enabled:
    EnableWindow(window, EnabledWithParents(*control) ? TRUE : FALSE);
    break;
  case TChange::Font:
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(peer.Fonts().Handle(control->Font())),
                 TRUE);
    break;
  case TChange::Checked:
    if (const auto* box = dynamic_cast<const TCheckBox*>(control))
      SendMessageW(window, BM_SETCHECK, box->Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    else if (const auto* radio = dynamic_cast<const TRadioButton*>(control))
      SendMessageW(window, BM_SETCHECK, radio->Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    break;
  case TChange::MaxLength:
    if (const auto* edit = dynamic_cast<const TEdit*>(control))
      SendMessageW(window, EM_LIMITTEXT, static_cast<WPARAM>(std::max(0, edit->MaxLength())), 0);
    break;
  default:
    break;
  }
  if (kind != TKind::Edit)
    UpdateButtonStyle();
}

void TWin32Child::UpdateButtonStyle() {
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  LONG_PTR wanted = style & ~static_cast<LONG_PTR>(BS_MULTILINE);
  // A caption with line breaks shows them; one without keeps to one line, cut at the edge.
  if (HasLineBreak(control->Caption()))
    wanted |= BS_MULTILINE;
  if (const auto* button = dynamic_cast<const TButton*>(control)) {
    wanted &= ~static_cast<LONG_PTR>(BS_TYPEMASK);
    wanted |= button->Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  }
  if (wanted == style)
    return;
  SetWindowLongPtrW(window, GWL_STYLE, wanted);
  InvalidateRect(window, nullptr, TRUE);
}

void TWin32Child::ShowText(const std::string& text) {
  settingText = true;
  SetWindowTextW(window, Widen(text).c_str());
  settingText = false;
  // The model edits at the end of the text: the cursor stands there.
  const int length = GetWindowTextLengthW(window);
  SendMessageW(window, EM_SETSEL, static_cast<WPARAM>(length), static_cast<LPARAM>(length));
}

void TWin32Child::NativeTextChanged() {
  auto* edit = dynamic_cast<TEdit*>(control);
  if (settingText || edit == nullptr)
    return;
  const std::shared_ptr<TWin32Child> keep = shared_from_this();
  const std::string value = Narrow(WindowText(window));
  peer.Forward([edit, value] { edit->UserEdited(value); });
  // The model may have refused or cut the text (its maximum length): the window shows the
  // model's text again.
  if (control != nullptr && Narrow(WindowText(window)) != edit->Text())
    ShowText(edit->Text());
}

void TWin32Child::CopySelection() {
  if (kind == TKind::Edit)
    SendMessageW(window, WM_COPY, 0, 0);
}

void TWin32Child::PasteClipboard() {
  auto* edit = dynamic_cast<TEdit*>(control);
  if (edit == nullptr || !OpenClipboard(window))
    return;
  std::wstring text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* locked = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = locked;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  if (text.empty())
    return;
  // A one-line input takes the pasted text up to its first line break.
  const std::string pasted = SplitLines(Narrow(text))[0];
  peer.Forward([edit, pasted] { edit->UserEdited(edit->Text() + pasted); });
}
