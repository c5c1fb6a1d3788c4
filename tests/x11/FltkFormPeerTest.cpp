// Tests of TFltkFormPeer on a real X display: geometry, state mirroring, input routing, menus,
// pictures and modal showing.
#include "FltkFixture.h"
#include "ScreenPixels.h"
#include "XPointer.h"
#include "toolkit/fltk/FltkFonts.h"
#include "toolkit/fltk/FltkText.h"

#include <FL/Fl_Menu_Bar.H>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

TEST_F(FltkBackend, WindowAndControlsArePlacedFromTheModel) {
  TForm form("frmGeometrie");
  TMainMenu* menu = form.CreateMainMenu("mnuHaupt");
  menu->Add("mnuDatei", "&Datei");
  form.SetMenu(menu);
  form.SetBounds(100, 50, 300, 200);
  auto* button = form.Create<TButton>("btnOk");
  button->SetBounds(10, 20, 75, 25);
  auto* group = form.Create<TGroupBox>("grpGruppe");
  group->SetBounds(20, 60, 150, 80);
  auto* box = form.Create<TCheckBox>("chkInGruppe", group);
  box->SetBounds(8, 16, 100, 17);
  ShowAndDraw(form);
  TFltkFormPeer& peer = PeerOf(form);
  TFltkWindow& window = peer.Window();

  // The model's Left/Top are the outer frame's corner; FLTK places the client area.
  EXPECT_EQ(window.x(), 100 + 3);
  EXPECT_EQ(window.y(), 50 + 3 + 19);
  EXPECT_EQ(window.w(), form.ClientWidth());
  EXPECT_EQ(window.h(), form.ClientHeight() + kMenuBarHeight);
  ASSERT_NE(peer.MenuBar(), nullptr);
  EXPECT_EQ(peer.MenuBar()->y(), 0);
  EXPECT_EQ(peer.MenuBar()->h(), kMenuBarHeight);

  // Controls sit below the menu bar; children of a group box are relative to the group.
  Fl_Widget* buttonWidget = peer.WidgetOf(*button);
  ASSERT_NE(buttonWidget, nullptr);
  EXPECT_EQ(buttonWidget->x(), 10);
  EXPECT_EQ(buttonWidget->y(), 20 + 19);
  EXPECT_EQ(buttonWidget->w(), 75);
  EXPECT_EQ(buttonWidget->h(), 25);
  Fl_Widget* boxWidget = peer.WidgetOf(*box);
  ASSERT_NE(boxWidget, nullptr);
  EXPECT_EQ(boxWidget->x(), 20 + 8);
  EXPECT_EQ(boxWidget->y(), 60 + 16 + 19);

  // Moving the group moves its children; so does taking the menu away.
  group->SetBounds(40, 70, 150, 80);
  EXPECT_EQ(boxWidget->x(), 40 + 8);
  EXPECT_EQ(boxWidget->y(), 70 + 16 + 19);
  form.SetMenu(nullptr);
  EXPECT_EQ(boxWidget->y(), 70 + 16);
  EXPECT_EQ(buttonWidget->y(), 20);
  EXPECT_EQ(window.h(), form.ClientHeight());

  // A borderless form has no frame: the client area is the outer rectangle.
  form.SetBorderStyle(TBorderStyle::None);
  form.SetBounds(120, 90, 200, 100);
  EXPECT_EQ(window.border(), 0);
  EXPECT_EQ(window.x(), 120);
  EXPECT_EQ(window.y(), 90);
  EXPECT_EQ(window.w(), 200);
  EXPECT_EQ(window.h(), 100);

  // The window's caption is the form's, unchanged.
  form.SetCaption("Fragen & Antworten @ Test");
  EXPECT_STREQ(window.label(), "Fragen & Antworten @ Test");
}

TEST_F(FltkBackend, WidgetsMirrorTheModelState) {
  TForm form("frmZustand");
  form.SetBounds(0, 0, 300, 250);
  auto* button = form.Create<TButton>("btnOk");
  button->SetCaption("&Ok @home");
  auto* box = form.Create<TCheckBox>("chkBox");
  box->SetBounds(10, 40, 100, 17);
  box->SetCaption("Wind && Wetter");
  auto* edit = form.Create<TEdit>("edtText");
  edit->SetBounds(10, 70, 100, 21);
  auto* label = form.Create<TLabel>("lblText");
  label->SetCaption("Thermik");
  ShowAndDraw(form);
  TFltkFormPeer& peer = PeerOf(form);

  // Captions keep "&" as the access marker; "@" is escaped so it shows.
  EXPECT_STREQ(peer.WidgetOf(*button)->label(), "&Ok @@home");
  EXPECT_STREQ(peer.WidgetOf(*box)->label(), "Wind && Wetter");
  EXPECT_EQ(peer.WidgetOf(*label)->label(), nullptr) << "a label draws its caption itself";

  auto& boxWidget = static_cast<Fl_Button&>(*peer.WidgetOf(*box));
  EXPECT_EQ(boxWidget.value(), 0);
  box->SetChecked(true);
  EXPECT_EQ(boxWidget.value(), 1);
  box->SetEnabled(false);
  EXPECT_FALSE(boxWidget.active());
  box->SetChecked(false); // a disabled box still shows a program-set tick
  EXPECT_EQ(boxWidget.value(), 0);
  box->Hide();
  EXPECT_FALSE(boxWidget.visible());
  box->Show();
  EXPECT_TRUE(boxWidget.visible());

  auto& input = static_cast<Fl_Input&>(*peer.WidgetOf(*edit));
  edit->SetText("abc");
  EXPECT_STREQ(input.value(), "abc");
  edit->SetMaxLength(5);
  EXPECT_EQ(input.maximum_size(), 5);

  // Fonts: points to pixels, bold to another face, colour from the font.
  TFont font = button->Font();
  font.Size = 10;
  font.Bold = true;
  font.Color = 0xFF0000;
  button->SetFont(font);
  EXPECT_EQ(peer.WidgetOf(*button)->labelsize(), 13);
  EXPECT_NE(peer.WidgetOf(*button)->labelfont(), FltkFontOf(TFont{}).Face);
  EXPECT_EQ(peer.WidgetOf(*button)->labelcolor(), fl_rgb_color(255, 0, 0));
  edit->SetFont(font);
  EXPECT_EQ(input.textsize(), 13) << "typed text takes the font too";
}

TEST_F(FltkBackend, ControlsCreatedAndDestroyedAtRunTime) {
  TForm form("frmLaufzeit");
  form.SetBounds(0, 0, 300, 200);
  ShowAndDraw(form);
  TFltkFormPeer& peer = PeerOf(form);
  const int childrenBefore = peer.Window().children();

  auto* button = form.Create<TButton>("btnNeu");
  button->SetBounds(30, 40, 80, 25);
  button->SetCaption("&Neu");
  Fl_Widget* widget = peer.WidgetOf(*button);
  ASSERT_NE(widget, nullptr);
  EXPECT_EQ(widget->parent(), &peer.Window());
  EXPECT_EQ(widget->x(), 30);
  EXPECT_STREQ(widget->label(), "&Neu");
  EXPECT_EQ(peer.Window().children(), childrenBefore + 1);

  form.DestroyControl(button);
  EXPECT_EQ(peer.WidgetOf(*button), nullptr);
  EXPECT_EQ(peer.Window().children(), childrenBefore);
  Pump(50); // the deferred deletion happens here
}

TEST_F(FltkBackend, ClicksGoToTheModelOnceAndTheWidgetFollowsIt) {
  TForm form("frmKlick");
  form.SetBounds(0, 0, 300, 200);
  auto* box = form.Create<TCheckBox>("chkBox");
  box->SetBounds(10, 10, 120, 17);
  int clicks = 0;
  box->OnClick = [&](TObject*) { ++clicks; };
  auto* radioA = form.Create<TRadioButton>("optA");
  radioA->SetBounds(10, 40, 120, 17);
  auto* radioB = form.Create<TRadioButton>("optB");
  radioB->SetBounds(10, 60, 120, 17);
  radioA->SetChecked(true);
  std::vector<TMouseButton> pressed;
  box->OnMouseDown = [&](TObject*, TMouseButton button, TShiftState, int, int) {
    pressed.push_back(button);
  };
  ShowAndDraw(form);
  TFltkFormPeer& peer = PeerOf(form);
  auto& boxWidget = static_cast<Fl_Button&>(*peer.WidgetOf(*box));

  ClickCentre(boxWidget);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(boxWidget.value(), 1); // not toggled back by FLTK
  EXPECT_TRUE(box->Focused());

  ClickCentre(boxWidget);
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(boxWidget.value(), 0);

  // A press dragged off the control before the release is no click.
  Fl::e_x = boxWidget.x() + 5;
  Fl::e_y = boxWidget.y() + 5;
  Fl::e_keysym = FL_Button + FL_LEFT_MOUSE;
  boxWidget.handle(FL_PUSH);
  Fl::e_x = boxWidget.x() + boxWidget.w() + 40;
  boxWidget.handle(FL_RELEASE);
  EXPECT_EQ(clicks, 2);

  // The right button presses the mouse down on the control and toggles nothing.
  pressed.clear();
  ClickAt(boxWidget, boxWidget.x() + 5, boxWidget.y() + 5, FL_RIGHT_MOUSE);
  ASSERT_EQ(pressed.size(), 1U);
  EXPECT_EQ(pressed[0], TMouseButton::Right);
  EXPECT_FALSE(box->Checked());

  // Radio buttons: the model keeps them exclusive, the widgets show it.
  ClickCentre(*peer.WidgetOf(*radioB));
  EXPECT_TRUE(radioB->Checked());
  EXPECT_FALSE(radioA->Checked());
  EXPECT_EQ(static_cast<Fl_Button*>(peer.WidgetOf(*radioA))->value(), 0);
  EXPECT_EQ(static_cast<Fl_Button*>(peer.WidgetOf(*radioB))->value(), 1);

  // A disabled control takes no click.
  box->SetEnabled(false);
  ClickCentre(boxWidget);
  EXPECT_EQ(clicks, 2);
}

TEST_F(FltkBackend, ThePressOfTheMouseButtonFiresTheMouseDownAtOnce) {
  TForm form("frmDruck");
  form.SetBounds(0, 0, 300, 200);
  auto* box = form.Create<TCheckBox>("chkAntwortA");
  box->SetBounds(20, 20, 150, 17);
  box->SetCaption("Antwort A");
  int downs = 0, clicks = 0;
  bool consume = true;
  // As the answer boxes in Schnelllernmodus: the press answers, the click must not toggle.
  box->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
    ++downs;
    if (consume)
      box->ConsumeClick();
  };
  box->OnClick = [&](TObject*) { ++clicks; };
  ShowAndDraw(form);
  const Fl_Widget& widget = *PeerOf(form).WidgetOf(*box);
  MovePointer(PeerOf(form).Window(), widget.x() + 6, widget.y() + widget.h() / 2);
  Pump(100);

  PointerButton(1, true);
  Pump(200);
  EXPECT_EQ(downs, 1) << "the mouse-down fires while the button is still down";
  EXPECT_EQ(clicks, 0);
  PointerButton(1, false);
  Pump(200);
  EXPECT_EQ(downs, 1);
  EXPECT_FALSE(box->Checked()) << "a consumed click does not toggle";
  EXPECT_EQ(clicks, 0) << "a consumed click fires no OnClick";

  consume = false;
  PointerButton(1, true);
  Pump(200);
  EXPECT_EQ(downs, 2);
  EXPECT_FALSE(box->Checked()) << "the toggle waits for the release";
  PointerButton(1, false);
  Pump(200);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(clicks, 1);
}

TEST_F(FltkBackend, KeysGoThroughTheModel) {
  TForm form("frmTasten");
  form.SetBounds(0, 0, 300, 200);
  TMainMenu* menu = form.CreateMainMenu("mnuHaupt");
  TMenuItem* file = menu->Add("mnuDatei", "&Datei");
  int saved = 0;
  file->Add("mnuSpeichern", "&Speichern", ShortCut('S', ssCtrl))->OnClick = [&](TObject*) {
    ++saved;
  };
  form.SetMenu(menu);
  auto* edit = form.Create<TEdit>("edtName");
  edit->SetBounds(10, 10, 120, 21);
  edit->SetTabOrder(0);
  edit->SetMaxLength(3);
  auto* ok = form.Create<TButton>("btnOk");
  ok->SetDefault(true);
  ok->SetBounds(10, 50, 75, 25);
  auto* cancel = form.Create<TButton>("btnAbbrechen");
  cancel->SetCancel(true);
  cancel->SetBounds(100, 50, 75, 25);
  int okClicks = 0, cancelClicks = 0;
  ok->OnClick = [&](TObject*) { ++okClicks; };
  cancel->OnClick = [&](TObject*) { ++cancelClicks; };
  std::vector<char32_t> typed;
  edit->OnKeyPress = [&](TObject*, char32_t& key) { typed.push_back(key); };
  ShowAndDraw(form);
  TFltkFormPeer& peer = PeerOf(form);
  TFltkWindow& window = peer.Window();
  auto& input = static_cast<Fl_Input&>(*peer.WidgetOf(*edit));
  ASSERT_TRUE(edit->Focused());
  EXPECT_EQ(Fl::focus(), &input); // the FLTK focus follows the model's

  // A character typed into the focused input reaches the model once.
  Key(input, 'a', "a");
  EXPECT_EQ(edit->Text(), "a");
  EXPECT_STREQ(input.value(), "a");
  Key(window, 0xe4, "\xC3\xA4");
  EXPECT_EQ(edit->Text(), "a\xC3\xA4");
  Key(input, 'b', "B", FL_SHIFT);
  Key(input, 'c', "c"); // beyond the maximum length of 3
  EXPECT_EQ(edit->Text(), "a\xC3\xA4"
                          "B");
  EXPECT_STREQ(input.value(), "a\xC3\xA4"
                              "B");
  Key(input, FL_BackSpace, "\b");
  EXPECT_EQ(edit->Text(), "a\xC3\xA4");

  // Menu shortcuts come from the model and type nothing.
  Key(input, 's', "\x13", FL_CTRL);
  EXPECT_EQ(saved, 1);
  EXPECT_EQ(edit->Text(), "a\xC3\xA4");

  // Enter presses the default button, Escape the cancel button; the window stays.
  Key(input, FL_Enter, "\r");
  EXPECT_EQ(okClicks, 1);
  Key(input, FL_Escape, "\x1b");
  EXPECT_EQ(cancelClicks, 1);
  EXPECT_TRUE(form.Visible());
  EXPECT_TRUE(window.shown());
  // Printable characters and Backspace were typed; shortcuts, Enter and Escape typed nothing.
  EXPECT_EQ(typed, (std::vector<char32_t>{U'a', U'\u00E4', U'B', U'c', 8}));

  // Tab moves the model's focus, and FLTK's with it. (Clicking the buttons focused them.)
  edit->SetFocus();
  EXPECT_EQ(Fl::focus(), &input);
  Key(input, FL_Tab, "\t");
  EXPECT_TRUE(ok->Focused());
  EXPECT_EQ(Fl::focus(), peer.WidgetOf(*ok));
  // Space on a focused button clicks it, through the button's widget too.
  Key(*peer.WidgetOf(*ok), ' ', " ");
  EXPECT_EQ(okClicks, 2);
}

TEST_F(FltkBackend, CloseBoxAndEscapeCallbackAskTheModel) {
  TForm form("frmSchliessen");
  form.SetBounds(0, 0, 200, 150);
  auto* cancel = form.Create<TButton>("btnAbbrechen");
  cancel->SetCancel(true);
  int cancelClicks = 0;
  cancel->OnClick = [&](TObject*) { ++cancelClicks; };
  bool refuse = true;
  form.OnClose = [&](TObject*, TCloseAction& action) {
    if (refuse)
      action = TCloseAction::None;
  };
  ShowAndDraw(form);
  TFltkWindow& window = PeerOf(form).Window();

  // Escape that nobody took: FLTK calls the window callback; it is a key for the model.
  Fl::e_number = FL_SHORTCUT;
  Fl::e_keysym = FL_Escape;
  window.do_callback();
  EXPECT_EQ(cancelClicks, 1);
  EXPECT_TRUE(window.shown());

  // The close box: the model's OnClose decides; FLTK never hides the window by itself.
  Fl::e_number = FL_CLOSE;
  Fl::e_keysym = 0;
  window.do_callback();
  EXPECT_TRUE(form.Visible());
  EXPECT_TRUE(window.shown());
  refuse = false;
  window.do_callback();
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(window.shown());
}

TEST_F(FltkBackend, MenuShowsTheModelAndCarriesNoFltkShortcuts) {
  TForm form("frmMenue");
  form.SetBounds(0, 0, 300, 200);
  TMainMenu* menu = form.CreateMainMenu("mnuHaupt");
  TMenuItem* file = menu->Add("mnuDatei", "&Datei");
  TMenuItem* save = file->Add("mnuSpeichern", "&Speichern", ShortCut('S', ssCtrl));
  file->Add("mnuTrenner", "-");
  TMenuItem* grid = file->Add("mnuGitter", "&Gitter");
  grid->SetChecked(true);
  int gridClicks = 0;
  grid->OnClick = [&](TObject*) { ++gridClicks; };
  TMenuItem* hidden = file->Add("mnuVersteckt", "Versteckt", ShortCut('H', ssCtrl));
  hidden->SetVisible(false);
  TMenuItem* disabled = file->Add("mnuGesperrt", "Gesperrt");
  disabled->SetEnabled(false);
  form.SetMenu(menu);
  ShowAndDraw(form);
  Fl_Menu_Bar& bar = *PeerOf(form).MenuBar();

  const Fl_Menu_Item* items = bar.menu();
  ASSERT_NE(items, nullptr);
  EXPECT_STREQ(items[0].label(), "&Datei");
  EXPECT_TRUE(items[0].submenu());
  EXPECT_STREQ(items[1].label(), "&Speichern\tStrg+S");
  EXPECT_TRUE(items[1].flags & FL_MENU_DIVIDER); // the separator after it
  EXPECT_STREQ(items[2].label(), "&Gitter");
  EXPECT_EQ(items[2].flags & (FL_MENU_TOGGLE | FL_MENU_VALUE), FL_MENU_TOGGLE | FL_MENU_VALUE);
  EXPECT_FALSE(items[3].visible());
  EXPECT_FALSE(items[4].active());
  EXPECT_EQ(items[5].label(), nullptr); // the end of the submenu
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(items[i].shortcut(), 0) << items[i].label();
  EXPECT_EQ(items[1].user_data(), save);

  // Choosing the entry fires the model; FLTK's own toggle of the tick is undone.
  bar.picked(&bar.menu()[2]);
  EXPECT_EQ(gridClicks, 1);
  EXPECT_TRUE(grid->Checked());
  EXPECT_TRUE(bar.menu()[2].value());

  // Unticked, the entry keeps its box, so the entries of its group line up.
  grid->SetChecked(false);
  EXPECT_TRUE(bar.menu()[2].flags & FL_MENU_TOGGLE);
  EXPECT_FALSE(bar.menu()[2].value());
  hidden->SetVisible(true);
  EXPECT_TRUE(bar.menu()[3].visible());
  save->SetCaption("&Sichern");
  EXPECT_STREQ(bar.menu()[1].label(), "&Sichern\tStrg+S");

  // A disabled entry chosen anyway fires nothing.
  int disabledClicks = 0;
  disabled->OnClick = [&](TObject*) { ++disabledClicks; };
  bar.picked(&bar.menu()[4]);
  EXPECT_EQ(disabledClicks, 0);
}

TEST_F(FltkBackend, WordWrappedLabelsBreakWhereTheModelMeasured) {
  TForm form("frmLabel");
  form.SetBounds(0, 0, 300, 200);
  auto* label = form.Create<TLabel>("lblText");
  label->SetBounds(8, 8, 150, 0);
  label->SetWordWrap(true);
  label->SetCaption("Ein Text, der an Wortgrenzen umbricht, weil er viel zu lang ist.\n\r"
                    "Zweiter Absatz.");
  const TFont font = label->Font();
  const std::vector<std::string> lines =
      WrapLines(label->Caption(), label->Width(),
                [&](const std::string& line) { return FltkTextWidth(font, line); });
  EXPECT_GE(lines.size(), 4U);
  // The auto-sized height (measured by the model through the platform) fits the drawn lines.
  EXPECT_EQ(label->Height(), static_cast<int>(lines.size()) * FltkLineHeight(font));
  for (const std::string& line : lines)
    EXPECT_LE(FltkTextWidth(font, line), label->Width()) << line;
}

TEST_F(FltkBackend, PicturesAreDecodedWhenFirstDrawnAndDrawnFromTheModel) {
  TScratchDir dir;
  const std::string good = dir.File("rot.jpg");
  WriteJpeg(good, 40, 30, 220, 20, 20);
  TForm form("frmBild");
  form.SetBounds(0, 0, 200, 150);
  auto* image = form.Create<TImage>("imgBild");
  image->SetBounds(20, 20, 40, 30);
  image->SetPictureFile(good);
  image->Hide();
  ShowAndDraw(form);
  Pump(50);
  EXPECT_TRUE(image->Picture().Empty()); // not shown, not decoded

  image->Show();
  Pump(100);
  ASSERT_FALSE(image->Picture().Empty());
  EXPECT_EQ(image->Picture().Width(), 40);

  // The pixels on the screen are the picture's.
  const std::array<uint8_t, 3> pixel = WindowPixel(PeerOf(form).Window(), 20 + 10, 20 + 10);
  EXPECT_NEAR(pixel[0], 220, 12);
  EXPECT_NEAR(pixel[1], 20, 12);
  EXPECT_NEAR(pixel[2], 20, 12);
}

TEST_F(FltkBackend, APictureThatFailsToDecodeIsReportedOnce) {
  TScratchDir dir;
  const std::string broken = dir.File("kaputt.jpg");
  WriteJpeg(broken, 200, 200, 10, 200, 10, true);
  // The header stays readable; the scan data end early.
  fs::resize_file(broken, fs::file_size(broken) / 2);
  TForm form("frmKaputt");
  form.SetBounds(0, 0, 200, 150);
  auto* image = form.Create<TImage>("imgKaputt");
  image->SetBounds(10, 10, 100, 100);
  image->SetPictureFile(broken);

  static std::vector<std::string> shown;
  shown.clear();
  // The error shows in the standard dialog; a user closes every one that comes.
  static void (*closeDialogs)(void*) = [](void*) {
    if (Fl_Window* dialog = Fl::modal()) {
      shown.push_back(dialog->label() ? dialog->label() : "");
      dialog->hide();
    }
    Fl::repeat_timeout(0.1, closeDialogs, nullptr);
  };
  Fl::add_timeout(0.1, closeDialogs, nullptr);
  ShowAndDraw(form);
  Pump(600);
  form.Hide();
  form.Show(); // drawn again: the same file is not tried again
  Pump(300);
  Fl::remove_timeout(closeDialogs, nullptr);
  ASSERT_EQ(shown.size(), 1U);
  EXPECT_EQ(shown[0], Application.Title());
  EXPECT_TRUE(image->Picture().Empty());
}

TEST_F(FltkBackend, ShowModalMakesTheWindowModalAndReturnsTheButtonsResult) {
  TForm owner("frmHaupt");
  owner.SetBounds(0, 0, 300, 200);
  ShowAndDraw(owner);
  TForm dialog("frmDialog");
  dialog.SetBounds(40, 40, 200, 120);
  auto* yes = dialog.Create<TButton>("btnJa");
  yes->SetModalResult(1);
  yes->SetBounds(10, 10, 75, 25);

  struct TScript {
    TForm* Dialog = nullptr;
    TButton* Yes = nullptr;
    bool WasModal = false;
  };
  static TScript script;
  script = TScript{&dialog, yes, false};
  Fl::add_timeout(
      0.3,
      [](void*) {
        TFltkFormPeer& peer = PeerOf(*script.Dialog);
        script.WasModal = Fl::modal() == &peer.Window();
        ClickCentre(*peer.WidgetOf(*script.Yes));
      },
      nullptr);
  EXPECT_EQ(dialog.ShowModal(), 1);
  EXPECT_TRUE(script.WasModal);
  EXPECT_FALSE(PeerOf(dialog).Window().shown());
  EXPECT_EQ(Fl::modal(), nullptr);
}
