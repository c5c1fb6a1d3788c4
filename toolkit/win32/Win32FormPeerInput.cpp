// The input of a form's window: keys with the characters they type, menu access letters, the
// clipboard keys of inputs, clicks on the controls the form draws, and the pointer's shape.
#include "toolkit/win32/Win32FormPeer.h"

#include "toolkit/win32/Win32Child.h"
#include "toolkit/win32/Win32Drawing.h"
#include "toolkit/win32/Win32Text.h"

#include <cctype>
#include <cwctype>

// --- Menu access letters -------------------------------------------------------------------

const TMenuItem* TWin32FormPeer::MenuOfAccessKey(int key, TShiftState shift) const {
  const TMainMenu* menu = form.Menu();
  if (!menuBar || menu == nullptr || shift != ssAlt || key < 'A' || key > 'Z')
    return nullptr;
  if (menu->FindShortCut(ShortCut(key, shift)) != nullptr)
    return nullptr;
  const char letter = static_cast<char>(std::tolower(key));
  for (const TControl* control : form.AllControls())
    if (control->AccessLetter() == letter && control->Showing() && control->Enabled())
      return nullptr;
  for (const auto& item : menu->Items())
    if (item->Visible() && item->Enabled() && AccessLetterOf(item->Caption()) == letter)
      return item.get();
  return nullptr;
}

// --- Keys ----------------------------------------------------------------------------------

void TWin32FormPeer::ClipboardKey(int key, TShiftState shift) {
  if (shift != ssCtrl || (key != 'C' && key != 'V'))
    return;
  TEntry* entry = EntryOf(form.FocusedControl());
  if (entry == nullptr || !entry->Child)
    return;
  if (key == 'C')
    entry->Child->CopySelection();
  else
    entry->Child->PasteClipboard();
}

bool TWin32FormPeer::RouteKeyMessage(const MSG& message, bool translated) {
  switch (message.message) {
  case WM_KEYDOWN:
  case WM_SYSKEYDOWN: {
    const int key = static_cast<int>(message.wParam);
    const TShiftState shift = CurrentShiftState();
    const bool shortcut =
        form.Menu() != nullptr && form.Menu()->FindShortCut(ShortCut(key, shift)) != nullptr;
    MSG typed{};
    if (const TMenuItem* menu = MenuOfAccessKey(key, shift)) {
      // A top-level menu's access letter that no control claims opens that menu.
      if (translated)
        while (PeekMessageW(&typed, message.hwnd, WM_SYSCHAR, WM_SYSDEADCHAR, PM_REMOVE)) {
        }
      const auto letter = static_cast<wchar_t>(std::towlower(AccessLetterOf(menu->Caption())));
      SendMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, letter);
      return true;
    }
    if (shift == ssAlt && !shortcut && key == VK_F4) {
      // What Windows would do: the close box.
      TForm& target = form;
      Forward([&target] { target.CloseRequest(); });
      return true;
    }
    if (shift == ssAlt && !shortcut && key == VK_SPACE &&
        form.BorderStyle() != TBorderStyle::None) {
      SendMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, L' ');
      return true;
    }
    // The characters the key types are taken now, so that the model hears them right after
    // the key (a key handler may run a nested loop, which must not see them first).
    if (!translated)
      TranslateMessage(&message);
    std::wstring characters;
    while (PeekMessageW(&typed, message.hwnd, WM_CHAR, WM_DEADCHAR, PM_REMOVE))
      if (typed.message == WM_CHAR)
        characters += static_cast<wchar_t>(typed.wParam);
    while (PeekMessageW(&typed, message.hwnd, WM_SYSCHAR, WM_SYSDEADCHAR, PM_REMOVE)) {
    }
    const char32_t character = TypedCharacterOf(key, characters);
    // AltGr is Ctrl+Alt to Windows. A key it makes type a character ("@", "€") is that
    // character, not a shortcut nor an access letter.
    const TShiftState held = character >= 32 && (shift & (ssCtrl | ssAlt)) == (ssCtrl | ssAlt)
                                 ? shift & ~(ssCtrl | ssAlt)
                                 : shift;
    ClipboardKey(key, held);
    TForm& target = form;
    Forward([&target, key, held, character] {
      target.KeyDown(key, held);
      // A key that closed the form (Enter on the default button) types nothing more.
      if (character != 0 && target.Visible())
        target.KeyPress(character);
    });
    return true;
  }
  case WM_CHAR: {
    // A character without its key: an input method's, or Alt with the numeric keypad.
    std::wstring characters(1, static_cast<wchar_t>(message.wParam));
    MSG low{};
    if (message.wParam >= 0xD800 && message.wParam <= 0xDBFF &&
        PeekMessageW(&low, message.hwnd, WM_CHAR, WM_CHAR, PM_REMOVE))
      characters += static_cast<wchar_t>(low.wParam);
    const char32_t character = TypedCharacterOf(0, characters);
    TForm& target = form;
    if (character != 0)
      Forward([&target, character] {
        if (target.Visible())
          target.KeyPress(character);
      });
    return true;
  }
  case WM_KEYUP:
  case WM_SYSKEYUP:
  case WM_SYSCHAR:
  case WM_DEADCHAR:
  case WM_SYSDEADCHAR:
    // Nothing of these goes to Windows: Alt or F10 released would open the menu, an Alt+key
    // character would beep.
    return true;
  default:
    return false;
  }
}

// --- Mouse ---------------------------------------------------------------------------------

TControl* TWin32FormPeer::DrawnControlAt(POINT point) {
  for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
    if (entry->Child || !IsDrawnKind(*entry->Control) || !ShownInForm(*entry->Control))
      continue;
    const RECT area = ClientRectOf(*entry->Control);
    if (PtInRect(&area, point))
      return entry->Control;
  }
  return nullptr;
}

void TWin32FormPeer::MouseDownOnDrawn(UINT message, LPARAM lParam) {
  TControl* target = DrawnControlAt(POINT{XOf(lParam), YOf(lParam)});
  if (target == nullptr)
    return;
  const RECT area = ClientRectOf(*target);
  const int x = XOf(lParam) - area.left;
  const int y = YOf(lParam) - area.top;
  const TShiftState shift = CurrentShiftState();
  if (message == WM_LBUTTONDOWN) {
    // The press fires the mouse-down at once; the release over the control completes the click.
    pressedControl = target;
    SetCapture(window);
    Forward([=] { target->LeftButtonDown(shift, x, y); });
  } else if (target->AcceptsInput()) {
    const TMouseButton button =
        message == WM_RBUTTONDOWN ? TMouseButton::Right : TMouseButton::Middle;
    Forward([=] { target->MouseDown(button, shift, x, y); });
  }
}

void TWin32FormPeer::MouseUpOnDrawn(LPARAM lParam) {
  TControl* target = pressedControl;
  if (target == nullptr)
    return;
  pressedControl = nullptr;
  ReleaseCapture();
  const RECT area = ClientRectOf(*target);
  const bool over = PtInRect(&area, POINT{XOf(lParam), YOf(lParam)}) != FALSE;
  Forward([target, over] { target->LeftButtonUp(over); });
}

bool TWin32FormPeer::SetCursorFor(LPARAM hitTest) {
  if (LOWORD(hitTest) != HTCLIENT)
    return false;
  POINT point{};
  GetCursorPos(&point);
  ScreenToClient(window, &point);
  const TControl* under = DrawnControlAt(point);
  const bool hand = under != nullptr && under->Cursor() == crHandPoint;
  SetCursor(LoadCursorW(nullptr, hand ? IDC_HAND : IDC_ARROW));
  return true;
}

void TWin32FormPeer::ShowCursorIfOver(const TControl& control) {
  POINT point{};
  if (!GetCursorPos(&point))
    return;
  HWND under = WindowFromPoint(point);
  const TEntry* entry = EntryOf(&control);
  if (entry == nullptr || (under != window && (!entry->Child || under != entry->Child->Handle())))
    return;
  // The pointer over the control takes the new shape now; elsewhere the next move does.
  SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}
