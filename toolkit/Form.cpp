// Forms: ownership of controls, sizes with the frame, showing, modal loop, keyboard routing.
#include "toolkit/Form.h"

#include "toolkit/Application.h"

#include <algorithm>
#include <stdexcept>

TFrameMetrics FrameMetricsOf(TBorderStyle style) {
  switch (style) {
  case TBorderStyle::Single:
    return {3, 19};
  case TBorderStyle::ToolWindow:
    return {3, 16};
  case TBorderStyle::SizeToolWin:
    return {4, 16};
  case TBorderStyle::None:
    return {0, 0};
  }
  return {0, 0};
}

TForm::TForm(std::string formName) : TWinControl(this, nullptr, std::move(formName)) {
  TControl::SetVisible(false);
}

TForm::~TForm() {
  peer.reset();
  focused = nullptr;
  // Controls go before the menus and timers, children before their parents.
  while (!owned.empty())
    owned.pop_back();
}

void TForm::ControlAdded(TControl& control) {
  if (peer)
    peer->ControlCreated(control);
}

void TForm::DestroyControl(TControl* control) {
  auto it = std::find_if(owned.begin(), owned.end(), [&](const std::unique_ptr<TControl>& item) {
    return item.get() == control;
  });
  if (it == owned.end())
    return;
  if (focused == control)
    focused = nullptr;
  if (peer)
    peer->ControlDestroyed(*control);
  // The control may be destroyed from inside its own click handler: it leaves the form now and
  // is freed once that handler has returned.
  control->Detach();
  released.push_back(std::move(*it));
  owned.erase(it);
}

void TForm::FreeReleasedControls() { released.clear(); }

TTimer* TForm::CreateTimer(const std::string& timerName) {
  timers.push_back(std::make_unique<TTimer>(timerName));
  return timers.back().get();
}

TMainMenu* TForm::CreateMainMenu(const std::string& menuName) {
  menus.push_back(std::make_unique<TMainMenu>(this, menuName));
  return menus.back().get();
}

std::vector<TControl*> TForm::AllControls() const {
  std::vector<TControl*> controls;
  for (const auto& control : owned)
    controls.push_back(control.get());
  return controls;
}

TObject* TForm::FindComponent(const std::string& componentName) const {
  for (const auto& control : owned)
    if (control->Name() == componentName)
      return control.get();
  for (const auto& timer : timers)
    if (timer->Name() == componentName)
      return timer.get();
  for (const auto& mainMenu : menus) {
    if (mainMenu->Name() == componentName)
      return mainMenu.get();
    if (TMenuItem* item = mainMenu->FindItem(componentName))
      return item;
  }
  return nullptr;
}

void TForm::SetBorderStyle(TBorderStyle value) {
  borderStyle = value;
  ControlChanged(*this, TChange::Bounds);
}

int TForm::ClientWidth() const { return Width() - 2 * Frame().Side; }

int TForm::ClientHeight() const {
  return Height() - 2 * Frame().Side - Frame().Caption - (menu ? kMenuBarHeight : 0);
}

void TForm::SetClientWidth(int value) { SetWidth(value + 2 * Frame().Side); }

void TForm::SetClientHeight(int value) {
  SetHeight(value + 2 * Frame().Side + Frame().Caption + (menu ? kMenuBarHeight : 0));
}

void TForm::SetMenu(TMainMenu* value) {
  menu = value;
  MenuChanged();
}

void TForm::SetVisible(bool value) {
  if (value == Visible())
    return;
  if (value && !peer && HasPlatform())
    peer = Platform().CreateFormPeer(*this);
  TControl::SetVisible(value);
  if (!value)
    return;
  if (focused == nullptr)
    SelectNext(true);
  if (!shownBefore) {
    shownBefore = true;
    if (OnShow)
      Application.Dispatch([&] { OnShow(this); });
  }
  if (OnActivate && Visible())
    Application.Dispatch([&] { OnActivate(this); });
}

int TForm::ShowModal() {
  if (Visible())
    throw std::logic_error("ShowModal: das Fenster " + Name() + " ist schon sichtbar.");
  modal = true;
  modalResult = 0;
  Show();
  if (Visible())
    Platform().ModalShown(*this);
  while (Visible() && !Application.Terminated()) {
    Application.ProcessMessages();
    // A button with a modal result closes the form once its click has been handled.
    if (modalResult != 0 && Visible()) {
      Close();
      if (Visible())
        modalResult = 0;
    }
    if (!Visible())
      break;
    Application.WaitForEvents();
  }
  modal = false;
  return modalResult;
}

void TForm::SetModalResult(int value) { modalResult = value; }

void TForm::Close() {
  TCloseAction action = TCloseAction::Hide;
  if (OnClose)
    Application.Dispatch([&] { OnClose(this, action); });
  if (action == TCloseAction::None) {
    modalResult = 0;
    return;
  }
  Hide();
  if (Application.MainForm() == this)
    Application.Terminate();
}

void TForm::SetFocusedControl(TControl* control) {
  if (focused == control)
    return;
  TControl* previous = focused;
  focused = control;
  if (previous)
    ControlChanged(*previous, TChange::Focus);
  if (control)
    ControlChanged(*control, TChange::Focus);
}

std::vector<TControl*> TForm::TabSequence() const {
  std::vector<TControl*> sequence;
  for (const auto& control : owned)
    if (control->CanFocus())
      sequence.push_back(control.get());
  std::stable_sort(sequence.begin(), sequence.end(), [](TControl* a, TControl* b) {
    const int orderA = a->TabOrder() < 0 ? 1 << 20 : a->TabOrder();
    const int orderB = b->TabOrder() < 0 ? 1 << 20 : b->TabOrder();
    return orderA < orderB;
  });
  return sequence;
}

void TForm::SelectNext(bool forward) {
  const std::vector<TControl*> sequence = TabSequence();
  if (sequence.empty())
    return;
  auto it = std::find(sequence.begin(), sequence.end(), focused);
  if (it == sequence.end()) {
    SetFocusedControl(forward ? sequence.front() : sequence.back());
    return;
  }
  const auto index = static_cast<std::size_t>(it - sequence.begin());
  const std::size_t count = sequence.size();
  SetFocusedControl(sequence[forward ? (index + 1) % count : (index + count - 1) % count]);
}

void TForm::DoCreate() {
  if (OnCreate)
    Application.Dispatch([&] { OnCreate(this); });
}

void TForm::KeyDown(int key, TShiftState shift) {
  if (inputBlocked)
    return;
  if (menu != nullptr) {
    if (TMenuItem* item = menu->FindShortCut(ShortCut(key, shift))) {
      item->Click();
      return;
    }
  }
  TControl* target = focused;
  if (target != nullptr && target->OnKeyDown)
    Application.Dispatch([&] { target->OnKeyDown(target, key, shift); });
  if (key != 0)
    KeyReaction(key, shift);
}

TButton* TForm::FindButton(bool wantDefault) const {
  for (const auto& control : owned) {
    auto* button = dynamic_cast<TButton*>(control.get());
    if (button != nullptr && button->Showing() && button->Enabled() &&
        (wantDefault ? button->Default() : button->Cancel()))
      return button;
  }
  return nullptr;
}

TControl* TForm::FindAccessLetter(char letter) const {
  for (const auto& control : owned)
    if (control->AccessLetter() == letter && control->Showing() && control->Enabled())
      return control.get();
  return nullptr;
}

void TForm::KeyReaction(int key, TShiftState shift) {
  if (shift & ssAlt) {
    const char letter = static_cast<char>(key >= 'A' && key <= 'Z' ? key - 'A' + 'a' : key);
    if (TControl* control = FindAccessLetter(letter))
      control->Click();
    return;
  }
  switch (key) {
  case vkTab:
    SelectNext((shift & ssShift) == 0);
    break;
  case vkReturn: {
    // A focused button takes Enter itself; otherwise the default button does.
    TControl* target =
        focused != nullptr && focused->ClickedByReturn() ? focused : FindButton(true);
    if (target != nullptr)
      target->Click();
    break;
  }
  case vkEscape:
    if (TButton* button = FindButton(false))
      button->Click();
    break;
  case vkSpace:
    if (focused != nullptr && focused->ClickedBySpace())
      focused->Click();
    break;
  default:
    break;
  }
}

void TForm::KeyPress(char32_t character) {
  if (inputBlocked)
    return;
  TControl* target = focused;
  if (target == nullptr) {
    if (OnKeyPress)
      Application.Dispatch([&] { OnKeyPress(this, character); });
    return;
  }
  if (target->OnKeyPress)
    Application.Dispatch([&] { target->OnKeyPress(target, character); });
  // A handler that set the character to 0 has swallowed it.
  if (character != 0)
    target->KeyPressReaction(character);
}

void TForm::ControlChanged(TControl& control, TChange what) {
  if (peer)
    peer->Changed(control, what);
}

void TForm::ControlHidden(TControl& control) {
  for (TControl* c = focused; c != nullptr; c = c->Parent())
    if (c == &control) {
      SetFocusedControl(nullptr);
      return;
    }
}

void TForm::MenuChanged() {
  if (peer)
    peer->MenuChanged();
}
