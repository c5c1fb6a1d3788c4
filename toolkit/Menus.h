// Main menus and their entries: captions, separators, check marks, hidden entries, shortcuts.
#pragma once

#include "toolkit/Types.h"

#include <memory>
#include <string>
#include <vector>

class TForm;

class TMenuItem : public TObject {
public:
  TMenuItem(TForm* form, std::string name);

  const std::string& Name() const { return name; }
  // A caption of "-" makes the entry a separator.
  const std::string& Caption() const { return caption; }
  void SetCaption(const std::string& value);
  bool IsSeparator() const { return caption == "-"; }
  bool Checked() const { return checked; }
  void SetChecked(bool value);
  // Whether the program has ever set the check mark: such an entry shows its box unticked too,
  // so that entries of one group line up.
  bool Checkable() const { return checkable; }
  bool Visible() const { return visible; }
  void SetVisible(bool value);
  bool Enabled() const { return enabled; }
  void SetEnabled(bool value);
  TShortCut ShortCut() const { return shortCut; }
  void SetShortCut(TShortCut value);

  // Adds a sub-entry; the menu entry owns it.
  TMenuItem* Add(std::string itemName, const std::string& itemCaption, TShortCut itemShortCut = 0);
  const std::vector<std::unique_ptr<TMenuItem>>& Items() const { return items; }

  TNotifyEvent OnClick;
  // The user chose the entry: fires OnClick when the entry is enabled and its form takes input.
  void Click();

private:
  void Changed();

  TForm* form;
  std::string name;
  std::string caption;
  bool checked = false;
  bool checkable = false;
  bool visible = true;
  bool enabled = true;
  TShortCut shortCut = 0;
  std::vector<std::unique_ptr<TMenuItem>> items;
};

class TMainMenu : public TObject {
public:
  TMainMenu(TForm* form, std::string name);
  const std::string& Name() const { return name; }
  // Adds a top-level menu.
  TMenuItem* Add(std::string itemName, const std::string& itemCaption);
  const std::vector<std::unique_ptr<TMenuItem>>& Items() const { return items; }

  // The first entry in menu order (menus left to right, entries top to bottom) that carries
  // the shortcut, visible or not; nullptr when none does.
  TMenuItem* FindShortCut(TShortCut shortCut) const;
  // The entry of that name anywhere in the menu.
  TMenuItem* FindItem(const std::string& itemName) const;

private:
  TForm* form;
  std::string name;
  std::vector<std::unique_ptr<TMenuItem>> items;
};

// Text of a shortcut as menus show it ("Strg+S", "Umschalt+F1").
std::string ShortCutToText(TShortCut shortCut);
