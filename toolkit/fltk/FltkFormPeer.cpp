// Realising a form in FLTK: widgets, geometry, state, menu, focus and the routing of keys.
#include "toolkit/fltk/FltkFormPeer.h"

#include "toolkit/Application.h"
#include "toolkit/fltk/FltkFonts.h"
#include "toolkit/fltk/FltkMenu.h"
#include "toolkit/fltk/FltkPaintBox.h"
#include "toolkit/fltk/FltkText.h"
#include "toolkit/fltk/FltkWidgets.h"

#include <FL/Fl.H>
#include <FL/Fl_Menu_Bar.H>

#include <algorithm>
#include <cctype>

namespace {

// FLTK adds every new widget to the "current" group; ours are added explicitly instead.
class TNoCurrentGroup {
public:
  TNoCurrentGroup() : previous(Fl_Group::current()) { Fl_Group::current(nullptr); }
  ~TNoCurrentGroup() { Fl_Group::current(previous); }
  TNoCurrentGroup(const TNoCurrentGroup&) = delete;
  TNoCurrentGroup& operator=(const TNoCurrentGroup&) = delete;

private:
  Fl_Group* previous;
};

} // namespace

TFltkFormPeer::TFltkFormPeer(TForm& owner) : form(owner) {
  TNoCurrentGroup noCurrentGroup;
  window = std::make_unique<TFltkWindow>(*this, 1, 1);
  window->callback(WindowCallback, this);
  window->color(FL_BACKGROUND_COLOR);
  window->copy_label(form.Caption().c_str());
  hadMenu = form.Menu() != nullptr;
  UpdateMenuBar();
  for (TControl* control : form.AllControls())
    CreateWidget(*control);
  PlaceWindow();
}

TFltkFormPeer::~TFltkFormPeer() {
  Fl::remove_timeout(ReportPendingErrors, this);
  for (auto& [control, entry] : widgets)
    entry.Link->Detach();
  if (window->shown())
    HideWindow();
  // The window deletes the menu bar and every control widget with it.
  menuBar = nullptr;
  window.reset();
}

bool TFltkFormPeer::IsToolWindow() const {
  return form.BorderStyle() == TBorderStyle::ToolWindow ||
         form.BorderStyle() == TBorderStyle::SizeToolWin;
}

Fl_Window* TFltkFormPeer::OwnerWindow() const {
  TForm* mainForm = Application.MainForm();
  if (mainForm == nullptr || mainForm == &form)
    return nullptr;
  const auto* owner = dynamic_cast<const TFltkFormPeer*>(mainForm->Peer());
  return owner != nullptr && owner->window->shown() ? owner->window.get() : nullptr;
}

int TFltkFormPeer::MenuHeight() const { return form.Menu() != nullptr ? kMenuBarHeight : 0; }

Fl_Widget* TFltkFormPeer::WidgetOf(const TControl& control) const {
  auto it = widgets.find(&control);
  return it == widgets.end() ? nullptr : it->second.Widget;
}

std::unique_ptr<TFltkLink> TFltkFormPeer::NewWidgetFor(TControl& control) {
  if (auto* label = dynamic_cast<TLabel*>(&control))
    return std::make_unique<TFltkLabel>(*this, *label);
  if (auto* button = dynamic_cast<TButton*>(&control))
    return std::make_unique<TFltkButton>(*this, *button);
  if (auto* box = dynamic_cast<TCheckBox*>(&control))
    return std::make_unique<TFltkCheckBox>(*this, *box);
  if (auto* radio = dynamic_cast<TRadioButton*>(&control))
    return std::make_unique<TFltkRadioButton>(*this, *radio);
  if (auto* edit = dynamic_cast<TEdit*>(&control))
    return std::make_unique<TFltkEdit>(*this, *edit);
  if (auto* image = dynamic_cast<TImage*>(&control))
    return std::make_unique<TFltkImage>(*this, *image);
  if (auto* paintBox = dynamic_cast<TPaintBox*>(&control))
    return std::make_unique<TFltkPaintBox>(*this, *paintBox);
  if (auto* group = dynamic_cast<TGroupBox*>(&control))
    return std::make_unique<TFltkGroupBox>(*this, *group);
  return nullptr; // a kind of control this backend does not know is not drawn
}

Fl_Group& TFltkFormPeer::GroupOf(const TControl& control) const {
  const TControl* parent = control.Parent();
  if (parent != nullptr && parent != &form) {
    auto it = widgets.find(parent);
    if (it != widgets.end())
      if (auto* group = dynamic_cast<Fl_Group*>(it->second.Widget))
        return *group;
  }
  return *window;
}

void TFltkFormPeer::CreateWidget(TControl& control) {
  TNoCurrentGroup noCurrentGroup;
  std::unique_ptr<TFltkLink> created = NewWidgetFor(control);
  if (!created)
    return;
  // From here on the parent group owns the widget and deletes it with itself.
  TFltkLink* link = created.release();
  Fl_Widget& widget = link->Widget();
  GroupOf(control).add(widget);
  widgets[&control] = {&widget, link};
  ApplyAll(control);
}

void TFltkFormPeer::AbsolutePosition(const TControl& control, int& x, int& y) const {
  x = control.Left();
  y = control.Top();
  for (const TControl* parent = control.Parent(); parent != nullptr && parent != &form;
       parent = parent->Parent()) {
    x += parent->Left();
    y += parent->Top();
  }
  y += MenuHeight();
}

void TFltkFormPeer::Place(const TControl& control) {
  auto it = widgets.find(&control);
  if (it == widgets.end())
    return;
  int x = 0, y = 0;
  AbsolutePosition(control, x, y);
  const int width = std::max(0, control.Width());
  const int height = std::max(0, control.Height());
  Fl_Widget* widget = it->second.Widget;
  // A group moves only itself: the peer places each child from the model.
  if (dynamic_cast<Fl_Group*>(widget) != nullptr)
    widget->Fl_Widget::resize(x, y, width, height);
  else
    widget->resize(x, y, width, height);
}

void TFltkFormPeer::PlaceAll() {
  for (const auto& [control, entry] : widgets)
    Place(*control);
}

void TFltkFormPeer::PlaceWindow() {
  const TFrameMetrics frame = form.Frame();
  const int width = std::max(1, form.ClientWidth());
  const int height = std::max(1, form.ClientHeight() + MenuHeight());
  window->border(form.BorderStyle() == TBorderStyle::None ? 0 : 1);
  // FLTK places the client area; the model's Left and Top are the outer frame's corner.
  window->PlaceClientArea(form.Left() + frame.Side, form.Top() + frame.Side + frame.Caption, width,
                          height);
  window->size_range(width, height, width, height);
  if (menuBar != nullptr)
    menuBar->resize(0, 0, width, kMenuBarHeight);
}

void TFltkFormPeer::ApplyAll(TControl& control) {
  for (TChange what :
       {TChange::Bounds, TChange::Font, TChange::Text, TChange::Visible, TChange::Enabled,
        TChange::Checked, TChange::MaxLength, TChange::Picture, TChange::Cursor})
    Apply(control, what);
}

void TFltkFormPeer::Apply(TControl& control, TChange what) {
  auto it = widgets.find(&control);
  if (it == widgets.end())
    return;
  // Places and the focus concern the whole window; every other property is the widget's own.
  switch (what) {
  case TChange::Bounds:
    if (dynamic_cast<TWinControl*>(&control) != nullptr)
      PlaceAll(); // the children move with their parent
    else
      Place(control);
    break;
  case TChange::Focus:
    SyncFocus(false);
    break;
  default:
    it->second.Link->Apply(what);
    break;
  }
  // Transparent widgets need their background redrawn too; the window is double-buffered.
  window->redraw();
}

void TFltkFormPeer::ControlCreated(TControl& control) {
  CreateWidget(control);
  SyncFocus(false);
}

void TFltkFormPeer::ControlDestroyed(TControl& control) {
  auto it = widgets.find(&control);
  if (it == widgets.end())
    return;
  Fl_Widget* widget = it->second.Widget;
  // The widgets of controls inside a destroyed group box go with the group's widget.
  for (auto entry = widgets.begin(); entry != widgets.end();) {
    if (widget->contains(entry->second.Widget)) {
      entry->second.Link->Detach();
      entry = widgets.erase(entry);
    } else {
      ++entry;
    }
  }
  widget->hide();
  if (Fl_Group* parent = widget->parent())
    parent->remove(widget);
  // The control may be destroyed from its own widget's event handling: delete it later.
  Fl::delete_widget(widget);
  window->redraw();
  SyncFocus(false);
}

void TFltkFormPeer::Changed(TControl& control, TChange what) {
  if (&control == &form)
    FormChanged(what);
  else
    Apply(control, what);
}

void TFltkFormPeer::FormChanged(TChange what) {
  switch (what) {
  case TChange::Bounds:
    PlaceWindow();
    PlaceAll();
    window->redraw();
    break;
  case TChange::Text:
    window->copy_label(form.Caption().c_str());
    break;
  case TChange::Visible:
    if (form.Visible())
      ShowWindow();
    else
      HideWindow();
    break;
  default:
    break;
  }
}

void TFltkFormPeer::ShowWindow() {
  if (form.Modal())
    window->set_modal();
  else
    window->clear_modal_states();
  PlaceWindow();
  window->show();
  window->RequestInputFocus();
  SyncFocus(true);
}

void TFltkFormPeer::HideWindow() {
  window->hide();
  FocusNextWindow(*window);
}

void TFltkFormPeer::MakeModal() {
  if (!window->modal()) {
    // FLTK decides about modality when it shows a window.
    window->set_modal();
    if (window->shown()) {
      window->hide();
      window->show();
      window->RequestInputFocus();
    }
  }
  SyncFocus(true);
}

void TFltkFormPeer::SyncFocus(bool activating) {
  if (!window->shown())
    return;
  // A form that is not the active one keeps its focus to itself until it is activated, or
  // keys meant for the active window would come here.
  Fl_Widget* current = Fl::focus();
  if (!activating && current != nullptr && !window->contains(current))
    return;
  const TControl* focused = form.FocusedControl();
  auto it = focused != nullptr ? widgets.find(focused) : widgets.end();
  if (it != widgets.end() && it->second.Widget->visible_r() && it->second.Widget->active_r()) {
    if (current != it->second.Widget)
      it->second.Widget->take_focus();
    return;
  }
  if (current != window.get())
    Fl::focus(window.get());
}

void TFltkFormPeer::MenuChanged() {
  const bool hasMenu = form.Menu() != nullptr;
  UpdateMenuBar();
  if (hasMenu != hadMenu) {
    // The client area starts below the menu bar: everything moves.
    hadMenu = hasMenu;
    PlaceWindow();
    PlaceAll();
    window->redraw();
  }
}

void TFltkFormPeer::UpdateMenuBar() {
  if (form.Menu() != nullptr && menuBar == nullptr) {
    TNoCurrentGroup noCurrentGroup;
    auto bar = std::make_unique<Fl_Menu_Bar>(0, 0, std::max(1, form.ClientWidth()), kMenuBarHeight);
    bar->user_data(this);
    bar->box(FL_FLAT_BOX);
    bar->clear_visible_focus();
    const TFltkFont font = FltkFontOf(TFont{});
    bar->textfont(font.Face);
    bar->textsize(font.Size);
    menuBar = bar.release();
    window->insert(*menuBar, 0); // the window owns the menu bar from here on
  } else if (form.Menu() == nullptr && menuBar != nullptr) {
    window->remove(menuBar);
    Fl::delete_widget(menuBar);
    menuBar = nullptr;
    menuItems.reset();
    previousMenuItems.reset();
  }
  RebuildMenu();
}

void TFltkFormPeer::RebuildMenu() {
  if (menuBar == nullptr || form.Menu() == nullptr)
    return;
  // The entry being chosen still belongs to the current array; the callback rebuilds after.
  if (menuCallbackDepth > 0)
    return;
  auto fresh = std::make_unique<TFltkMenuItems>(*form.Menu(), MenuCallback);
  menuBar->menu(fresh->Items());
  // The array before stays until the next rebuild: a menu dropped down may still show it.
  previousMenuItems = std::move(menuItems);
  menuItems = std::move(fresh);
  menuBar->redraw();
}

void TFltkFormPeer::MenuCallback(Fl_Widget* widget, void* data) {
  auto* peer = static_cast<TFltkFormPeer*>(widget->user_data());
  auto* item = static_cast<TMenuItem*>(data);
  ++peer->menuCallbackDepth;
  peer->Forward([item] { item->Click(); });
  --peer->menuCallbackDepth;
  // FLTK has toggled a checked entry by itself: show the model's state again.
  if (peer->menuCallbackDepth == 0)
    peer->RebuildMenu();
}

void TFltkFormPeer::WindowCallback(Fl_Widget*, void* data) {
  auto* peer = static_cast<TFltkFormPeer*>(data);
  TForm& form = peer->form;
  // FLTK sends Escape here when nothing took it; it is a key for the model, not a close.
  if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape)
    peer->Forward([&form] { form.KeyDown(vkEscape); });
  else
    peer->Forward([&form] { form.CloseRequest(); });
}

const TMenuItem* TFltkFormPeer::MenuOfAccessKey(int key, TShiftState shift) const {
  const TMainMenu* menu = form.Menu();
  if (menuBar == nullptr || menu == nullptr || shift != ssAlt || key < 'A' || key > 'Z')
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

void TFltkFormPeer::OpenMenu(const TMenuItem& item) {
  const Fl_Menu_Item* entry = menuBar->menu();
  while (entry != nullptr && entry->label() != nullptr && entry->user_data() != &item)
    entry = entry->next();
  if (entry == nullptr || entry->label() == nullptr)
    return;
  // As a click on the menu's title would: the menu drops down and the choice is handed on.
  const Fl_Menu_Item* chosen = menuBar->menu()->pulldown(menuBar->x(), menuBar->y(), menuBar->w(),
                                                         menuBar->h(), entry, menuBar, nullptr, 1);
  menuBar->picked(chosen);
}

void TFltkFormPeer::ClipboardKey(int key, TShiftState shift) {
  if (shift != ssCtrl || (key != 'C' && key != 'V'))
    return;
  auto it = widgets.find(form.FocusedControl());
  if (it == widgets.end())
    return;
  auto* input = dynamic_cast<TFltkEdit*>(it->second.Widget);
  if (input == nullptr)
    return;
  if (key == 'C')
    input->copy(1);
  else
    Fl::paste(*input, 1); // arrives as FL_PASTE, which the edit hands to the model
}

void TFltkFormPeer::RouteKey() {
  const int fltkKey = Fl::event_key();
  const int state = Fl::event_state();
  const TShiftState shift = ShiftStateOf(state);
  const int key = ModelKeyOf(fltkKey);
  const char32_t typed =
      TypedCharacterOf(fltkKey, state, std::string(Fl::event_text(), Fl::event_length()));
  if (const TMenuItem* menu = MenuOfAccessKey(key, shift)) {
    // A top-level menu's access letter that no control claims opens that menu.
    OpenMenu(*menu);
    return;
  }
  ClipboardKey(key, shift);
  TForm& target = form;
  Forward([&target, key, shift, typed] {
    if (key != 0)
      target.KeyDown(key, shift);
    // A key that closed the form (Enter on the default button) types nothing more.
    if (typed != 0 && target.Visible())
      target.KeyPress(typed);
  });
}

void TFltkFormPeer::Forward(const std::function<void()>& input) { Application.Dispatch(input); }

void TFltkFormPeer::ReportError(std::exception_ptr error) {
  if (pendingErrors.empty())
    Fl::add_timeout(0.0, ReportPendingErrors, this);
  pendingErrors.push_back(std::move(error));
}

void TFltkFormPeer::ReportPendingErrors(void* data) {
  auto* peer = static_cast<TFltkFormPeer*>(data);
  std::vector<std::exception_ptr> errors;
  errors.swap(peer->pendingErrors);
  for (const std::exception_ptr& error : errors)
    Application.Dispatch([&error] { std::rethrow_exception(error); });
}
