// Menu entries, the shortcut lookup and shortcut texts.
#include "toolkit/Menus.h"

#include "toolkit/Application.h"
#include "toolkit/Form.h"

namespace {

TMenuItem* FindIn(const std::vector<std::unique_ptr<TMenuItem>>& items,
                  const std::function<bool(const TMenuItem&)>& wanted) {
  for (const auto& item : items) {
    if (wanted(*item))
      return item.get();
    if (TMenuItem* found = FindIn(item->Items(), wanted))
      return found;
  }
  return nullptr;
}

} // namespace

TMenuItem::TMenuItem(TForm* owner, std::string itemName) : form(owner), name(std::move(itemName)) {}

void TMenuItem::Changed() {
  if (form != nullptr)
    form->MenuChanged();
}

void TMenuItem::SetCaption(const std::string& value) {
  caption = value;
  Changed();
}

void TMenuItem::SetChecked(bool value) {
  checked = value;
  checkable = true;
  Changed();
}

void TMenuItem::SetVisible(bool value) {
  visible = value;
  Changed();
}

void TMenuItem::SetEnabled(bool value) {
  enabled = value;
  Changed();
}

void TMenuItem::SetShortCut(TShortCut value) {
  shortCut = value;
  Changed();
}

TMenuItem* TMenuItem::Add(std::string itemName, const std::string& itemCaption,
                          TShortCut itemShortCut) {
  items.push_back(std::make_unique<TMenuItem>(form, std::move(itemName)));
  TMenuItem* item = items.back().get();
  item->caption = itemCaption;
  item->shortCut = itemShortCut;
  Changed();
  return item;
}

void TMenuItem::Click() {
  if (enabled && OnClick && (form == nullptr || !form->InputBlocked()))
    Application.Dispatch([&] { OnClick(this); });
}

TMainMenu::TMainMenu(TForm* owner, std::string menuName) : form(owner), name(std::move(menuName)) {}

TMenuItem* TMainMenu::Add(std::string itemName, const std::string& itemCaption) {
  items.push_back(std::make_unique<TMenuItem>(form, std::move(itemName)));
  items.back()->SetCaption(itemCaption);
  return items.back().get();
}

TMenuItem* TMainMenu::FindShortCut(TShortCut shortCut) const {
  if (shortCut == 0)
    return nullptr;
  return FindIn(items, [&](const TMenuItem& item) { return item.ShortCut() == shortCut; });
}

TMenuItem* TMainMenu::FindItem(const std::string& itemName) const {
  return FindIn(items, [&](const TMenuItem& item) { return item.Name() == itemName; });
}

std::string ShortCutToText(TShortCut shortCut) {
  if (shortCut == 0)
    return "";
  std::string text;
  if (shortCut & ssShift)
    text += "Umschalt+";
  if (shortCut & ssCtrl)
    text += "Strg+";
  if (shortCut & ssAlt)
    text += "Alt+";
  const int key = shortCut & 0xFF;
  if (key >= vkF1 && key <= vkF1 + 11)
    text += "F" + std::to_string(key - vkF1 + 1);
  else
    text += static_cast<char>(key);
  return text;
}
