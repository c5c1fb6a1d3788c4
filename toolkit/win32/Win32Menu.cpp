// Building Windows menu bars from the model's main menus.
#include "toolkit/win32/Win32Menu.h"

#include "toolkit/win32/Win32Text.h"

namespace {

void AddLevel(HMENU menu, const std::vector<std::unique_ptr<TMenuItem>>& level,
              TWin32MenuCommands& commands) {
  bool anyShown = false;
  bool separatorPending = false;
  for (const auto& entry : level) {
    if (!entry->Visible())
      continue;
    if (entry->IsSeparator()) {
      separatorPending = anyShown;
      continue;
    }
    if (separatorPending)
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    separatorPending = false;
    anyShown = true;
    UINT flags = MF_STRING;
    if (entry->Checked())
      flags |= MF_CHECKED;
    if (!entry->Enabled())
      flags |= MF_GRAYED;
    const std::wstring text = Widen(MenuEntryText(entry->Caption(), entry->ShortCut()));
    if (entry->Items().empty()) {
      AppendMenuW(menu, flags, commands.CommandOf(*entry), text.c_str());
      continue;
    }
    HMENU submenu = CreatePopupMenu();
    AddLevel(submenu, entry->Items(), commands);
    // From here the menu owns the drop-down menu and destroys it with itself.
    AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), text.c_str());
  }
}

} // namespace

UINT TWin32MenuCommands::CommandOf(TMenuItem& item) {
  auto found = numbers.find(&item);
  if (found != numbers.end())
    return found->second;
  const UINT number = kFirst + static_cast<UINT>(items.size());
  items.push_back(&item);
  numbers.emplace(&item, number);
  return number;
}

TMenuItem* TWin32MenuCommands::ItemOf(UINT command) const {
  if (command < kFirst || command - kFirst >= items.size())
    return nullptr;
  return items[command - kFirst];
}

TMenuHandle BuildMenuBar(const TMainMenu& menu, TWin32MenuCommands& commands) {
  TMenuHandle bar(CreateMenu());
  AddLevel(bar.get(), menu.Items(), commands);
  return bar;
}
