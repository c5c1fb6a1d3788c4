// The model's main menu as a Windows menu bar: captions with access letters, separators, check
// marks, hidden and disabled entries, shortcut texts.
#pragma once

#include "toolkit/Menus.h"
#include "toolkit/win32/Win32Api.h"

#include <map>
#include <memory>
#include <type_traits>
#include <vector>

struct TMenuDeleter {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
// A menu bar with its drop-down menus; destroying the bar destroys them too.
using TMenuHandle = std::unique_ptr<std::remove_pointer_t<HMENU>, TMenuDeleter>;

// The command numbers of menu entries. An entry keeps its number for the life of its form, so
// that a choice still finds its entry when the bar was rebuilt between the choice and its
// WM_COMMAND.
class TWin32MenuCommands {
public:
  UINT CommandOf(TMenuItem& item);
  // The entry of a command number; nullptr for a number no entry has.
  TMenuItem* ItemOf(UINT command) const;

private:
  // Menu commands are numbered from here, above the numbers of the system's own commands.
  static constexpr UINT kFirst = 1000;
  std::vector<TMenuItem*> items;
  std::map<const TMenuItem*, UINT> numbers;
};

// Builds the bar. Hidden entries are left out, and so is a separator with no shown entry
// before or after it, or right after another one. The entries carry no accelerators: the
// shortcut text only shows, and the model's shortcut lookup handles the key.
TMenuHandle BuildMenuBar(const TMainMenu& menu, TWin32MenuCommands& commands);
