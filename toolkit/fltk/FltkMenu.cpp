// Building FLTK menu arrays from the model's menus, and the label type that shows shortcuts.
#include "toolkit/fltk/FltkMenu.h"

#include "toolkit/fltk/FltkText.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cstring>

namespace {

constexpr Fl_Labeltype kMenuLabel = FL_FREE_LABELTYPE;

void DrawMenuLabel(const Fl_Label* label, int x, int y, int w, int h, Fl_Align align) {
  fl_font(label->font, label->size);
  fl_color(label->color);
  const char* tab = std::strchr(label->value, '\t');
  if (tab == nullptr) {
    fl_draw(label->value, x, y, w, h, align);
    return;
  }
  const std::string caption(label->value, tab);
  fl_draw(caption.c_str(), x, y, w, h, align);
  fl_draw(tab + 1, x, y, w, h, static_cast<Fl_Align>((align & ~FL_ALIGN_LEFT) | FL_ALIGN_RIGHT));
}

void MeasureMenuLabel(const Fl_Label* label, int& w, int& h) {
  fl_font(label->font, label->size);
  const char* tab = std::strchr(label->value, '\t');
  w = h = 0;
  if (tab == nullptr) {
    fl_measure(label->value, w, h);
    return;
  }
  const std::string caption(label->value, tab);
  int captionWidth = 0, captionHeight = 0, shortcutWidth = 0, shortcutHeight = 0;
  fl_measure(caption.c_str(), captionWidth, captionHeight);
  fl_measure(tab + 1, shortcutWidth, shortcutHeight);
  // The gap keeps caption and shortcut apart as desktop menus do.
  w = captionWidth + 24 + shortcutWidth;
  h = std::max(captionHeight, shortcutHeight);
}

} // namespace

Fl_Labeltype MenuLabelType() {
  static const bool registered = [] {
    Fl::set_labeltype(kMenuLabel, DrawMenuLabel, MeasureMenuLabel);
    return true;
  }();
  (void)registered;
  return kMenuLabel;
}

TFltkMenuItems::TFltkMenuItems(const TMainMenu& menu, Fl_Callback* callback) {
  AddLevel(menu.Items(), callback);
}

void TFltkMenuItems::AddLevel(const std::vector<std::unique_ptr<TMenuItem>>& level,
                              Fl_Callback* callback) {
  // Index of the last entry shown on this level: a separator becomes its divider line.
  std::size_t lastShown = 0;
  bool anyShown = false;
  for (const auto& entry : level) {
    if (entry->IsSeparator()) {
      if (entry->Visible() && anyShown)
        items[lastShown].flags |= FL_MENU_DIVIDER;
      continue;
    }
    labels.push_back(MenuEntryLabel(entry->Caption(), entry->ShortCut()));
    Fl_Menu_Item item{};
    item.text = labels.back().c_str();
    item.callback_ = callback;
    item.user_data_ = entry.get();
    item.labeltype_ = MenuLabelType();
    int flags = 0;
    if (!entry->Visible())
      flags |= FL_MENU_INVISIBLE;
    if (!entry->Enabled())
      flags |= FL_MENU_INACTIVE;
    if (entry->Checkable())
      flags |= FL_MENU_TOGGLE;
    if (entry->Checked())
      flags |= FL_MENU_TOGGLE | FL_MENU_VALUE;
    const bool hasSubmenu = !entry->Items().empty();
    if (hasSubmenu)
      flags |= FL_SUBMENU;
    item.flags = flags;
    const std::size_t index = items.size();
    items.push_back(item);
    if (entry->Visible()) {
      lastShown = index;
      anyShown = true;
    }
    if (hasSubmenu)
      AddLevel(entry->Items(), callback);
  }
  items.push_back(Fl_Menu_Item{}); // the end of this level
}
