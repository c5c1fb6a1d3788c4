// The model's main menu as an FLTK menu array: captions, separators, check marks, hidden and
// disabled entries and shortcut texts.
#pragma once

#include "toolkit/Menus.h"

#include <FL/Fl_Menu_Item.H>

#include <deque>
#include <string>
#include <vector>

// One built menu array with the label texts it points to. FLTK menus do not copy labels, so
// the array and its texts live together and are replaced together.
//
// The FLTK entries carry no shortcuts: an FLTK shortcut would fire even on a hidden entry and
// would bypass the model, which owns the shortcut lookup. The shortcut text is shown right-
// aligned through a label type of our own ("Caption<TAB>Strg+S").
class TFltkMenuItems {
public:
  // Builds the array from the menu. Each entry's callback gets its TMenuItem as user data.
  TFltkMenuItems(const TMainMenu& menu, Fl_Callback* callback);
  TFltkMenuItems(const TFltkMenuItems&) = delete;
  TFltkMenuItems& operator=(const TFltkMenuItems&) = delete;

  const Fl_Menu_Item* Items() const { return items.data(); }

private:
  void AddLevel(const std::vector<std::unique_ptr<TMenuItem>>& level, Fl_Callback* callback);

  std::vector<Fl_Menu_Item> items;
  std::deque<std::string> labels;
};

// The label type of menu entries: the text before a tab on the left, after it on the right.
Fl_Labeltype MenuLabelType();
