// Tests of the toolkit model through the headless backend: sizes, controls, keys, menus,
// modal showing, timers and the error dispatch.
#include "toolkit/Form.h"
#include "toolkit/Application.h"
#include "toolkit/Exceptions.h"
#include "toolkit/Input.h"
#include "toolkit/headless/HeadlessPlatform.h"

#include <gtest/gtest.h>

namespace {

// A small dialog built the way the program's windows are built.
class TfrmProbe : public TForm {
public:
  TfrmProbe() : TForm("frmProbe") {
    SetBorderStyle(TBorderStyle::ToolWindow);
    SetBounds(100, 50, 300, 200);
    lblText = Create<TLabel>("lblText");
    lblText->SetBounds(8, 8, 0, 0);
    chkEins = Create<TCheckBox>("chkEins");
    chkEins->SetCaption("&Eins");
    chkEins->SetTabOrder(0);
    optA = Create<TRadioButton>("optA");
    optB = Create<TRadioButton>("optB");
    grpGruppe = Create<TGroupBox>("grpGruppe");
    optC = Create<TRadioButton>("optC", grpGruppe);
    btnOk = Create<TButton>("btnOk");
    btnOk->SetCaption("&Ok");
    btnOk->SetDefault(true);
    btnOk->SetTabOrder(1);
    btnAbbruch = Create<TButton>("btnAbbruch");
    btnAbbruch->SetCaption("Abbruch");
    btnAbbruch->SetCancel(true);
    btnAbbruch->SetTabOrder(2);
    inpName = Create<TEdit>("inpName");
    inpName->SetMaxLength(5);
    inpName->SetTabOrder(3);
    btnOk->OnClick = [this](TObject*) { log += "ok;"; };
    btnAbbruch->OnClick = [this](TObject*) { log += "abbruch;"; };
  }
  TLabel* lblText;
  TCheckBox* chkEins;
  TRadioButton *optA, *optB, *optC;
  TGroupBox* grpGruppe;
  TButton *btnOk, *btnAbbruch;
  TEdit* inpName;
  std::string log;
};

class ToolkitTest : public ::testing::Test {
protected:
  ToolkitTest() { Application.ResetTerminated(); }
  ~ToolkitTest() override {
    Application.DestroyForms();
    Application.ResetTerminated();
  }
  THeadlessPlatform platform;
};

TEST_F(ToolkitTest, OuterSizeIsClientSizePlusFrame) {
  TForm form("frmSize");
  form.SetBorderStyle(TBorderStyle::Single);
  form.SetClientWidth(517);
  form.SetClientHeight(396);
  EXPECT_EQ(form.Width(), 523);
  EXPECT_EQ(form.Height(), 396 + 6 + 19);
  TMainMenu* menu = form.CreateMainMenu("MainMenu1");
  form.SetMenu(menu);
  // The same outer height leaves less client area under a menu bar.
  form.SetHeight(372);
  EXPECT_EQ(form.ClientHeight(), 328);
  form.SetBorderStyle(TBorderStyle::ToolWindow);
  form.SetMenu(nullptr);
  form.SetHeight(380);
  EXPECT_EQ(form.ClientHeight(), 380 - 6 - 16);
  form.SetBorderStyle(TBorderStyle::SizeToolWin);
  EXPECT_EQ(form.ClientHeight(), 380 - 8 - 16);
  EXPECT_EQ(form.ClientWidth(), 523 - 8);
  form.SetBorderStyle(TBorderStyle::None);
  EXPECT_EQ(form.ClientHeight(), 380);
}

TEST_F(ToolkitTest, LabelsSizeThemselvesToTheirText) {
  TfrmProbe form;
  TFont font = form.lblText->Font();
  EXPECT_EQ(font.Name, "MS Sans Serif");
  form.lblText->SetCaption("Unklare Fragen: 12");
  const TTextSize at8 = Platform().MeasureText(font, "Unklare Fragen: 12");
  EXPECT_EQ(form.lblText->Width(), at8.Width);
  EXPECT_EQ(form.lblText->Height(), 13);
  font.Size = 10;
  font.Bold = true;
  form.lblText->SetFont(font);
  EXPECT_EQ(form.lblText->Height(), 16);
  EXPECT_GT(form.lblText->Width(), at8.Width);
  // Each line break of LF CR starts one line.
  form.lblText->SetCaption("eins\n\rzwei\n\rdrei");
  EXPECT_EQ(form.lblText->Height(), 48);
  // A fixed-size label keeps its size; a wrapping one grows downwards only.
  form.lblText->SetAutoSize(false);
  form.lblText->SetBounds(8, 8, 60, 16);
  form.lblText->SetCaption("ein sehr langer Text");
  EXPECT_EQ(form.lblText->Width(), 60);
  EXPECT_EQ(form.lblText->Height(), 16);
  form.lblText->SetWordWrap(true);
  form.lblText->SetAutoSize(true);
  EXPECT_EQ(form.lblText->Width(), 60);
  EXPECT_GT(form.lblText->Height(), 16);
}

TEST_F(ToolkitTest, RadioButtonsExcludeTheirSiblingsOnly) {
  TfrmProbe form;
  form.Show();
  form.optA->SetChecked(true);
  form.optC->SetChecked(true);
  EXPECT_TRUE(form.optA->Checked()) << "a radio button in another group is no sibling";
  ClickControl(form, "optB");
  EXPECT_TRUE(form.optB->Checked());
  EXPECT_FALSE(form.optA->Checked());
  EXPECT_TRUE(form.optC->Checked());
}

TEST_F(ToolkitTest, ClicksFireEventsInOrderAndProgramChangesDoNot) {
  TfrmProbe form;
  form.Show();
  std::string events;
  form.chkEins->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
    events += "down(" + std::to_string(form.chkEins->Checked()) + ")";
  };
  form.chkEins->OnClick = [&](TObject*) {
    events += "click(" + std::to_string(form.chkEins->Checked()) + ")";
  };
  ClickControl(form, "chkEins");
  EXPECT_EQ(events, "down(0)click(1)");
  events.clear();
  form.chkEins->SetChecked(false);
  EXPECT_EQ(events, "");
  // The press fires the mouse-down at once; a release off the box clicks nothing.
  form.chkEins->LeftButtonDown();
  EXPECT_EQ(events, "down(0)");
  form.chkEins->LeftButtonUp(false);
  form.chkEins->LeftButtonUp(true); // no press is pending any more
  EXPECT_EQ(events, "down(0)");
  events.clear();
  // A disabled box can be ticked by the program but not clicked by the user.
  form.chkEins->SetEnabled(false);
  form.chkEins->SetChecked(true);
  ClickControl(form, "chkEins");
  EXPECT_TRUE(form.chkEins->Checked());
  EXPECT_EQ(events, "");
  form.chkEins->SetEnabled(true);
  form.chkEins->SetVisible(false);
  ClickControl(form, "chkEins");
  EXPECT_EQ(events, "");
}

TEST_F(ToolkitTest, DefaultCancelAccessLettersAndTabOrder) {
  TfrmProbe form;
  form.Show();
  EXPECT_EQ(form.FocusedControl(), form.chkEins) << "the first control in tab order has focus";
  PressKey(form, vkReturn);
  EXPECT_EQ(form.log, "ok;");
  PressKey(form, vkEscape);
  EXPECT_EQ(form.log, "ok;abbruch;");
  PressKey(form, 'E', ssAlt);
  EXPECT_TRUE(form.chkEins->Checked());
  EXPECT_EQ(form.FocusedControl(), form.chkEins);
  PressKey(form, vkSpace);
  EXPECT_FALSE(form.chkEins->Checked()) << "space toggles the focused box";
  PressKey(form, 'O', ssAlt);
  EXPECT_EQ(form.log, "ok;abbruch;ok;");
  EXPECT_EQ(form.FocusedControl(), form.btnOk) << "an access letter focuses its button";
  PressKey(form, vkTab);
  EXPECT_EQ(form.FocusedControl(), form.btnAbbruch);
  // Enter presses the focused button rather than the default one.
  PressKey(form, vkReturn);
  EXPECT_EQ(form.log, "ok;abbruch;ok;abbruch;");
  PressKey(form, vkTab);
  EXPECT_EQ(form.FocusedControl(), form.inpName);
  PressKey(form, vkTab);
  EXPECT_EQ(form.FocusedControl(), form.optA) << "controls without tab order come last";
  PressKey(form, vkSpace);
  EXPECT_TRUE(form.optA->Checked()) << "space selects the focused radio button";
  PressKey(form, vkTab, ssShift);
  EXPECT_EQ(form.FocusedControl(), form.inpName);
  // Hidden controls take no focus and no access letter.
  form.btnOk->SetFocus();
  form.btnOk->Hide();
  EXPECT_EQ(form.FocusedControl(), nullptr);
  PressKey(form, 'O', ssAlt);
  PressKey(form, vkReturn);
  EXPECT_EQ(form.log, "ok;abbruch;ok;abbruch;");
}

TEST_F(ToolkitTest, TypingGoesToTheFocusedControlOrTheForm) {
  TfrmProbe form;
  form.Show();
  std::u32string formKeys, boxKeys;
  form.OnKeyPress = [&](TObject*, char32_t& key) { formKeys += key; };
  form.chkEins->OnKeyPress = [&](TObject*, char32_t& key) { boxKeys += key; };
  int keyDowns = 0;
  form.chkEins->OnKeyDown = [&](TObject*, int&, TShiftState) { ++keyDowns; };
  TypeChar(form, 'b');
  EXPECT_EQ(boxKeys, U"b");
  EXPECT_EQ(keyDowns, 1);
  EXPECT_TRUE(formKeys.empty());
  form.inpName->SetFocus();
  TypeText(form, "Föhnwind");
  EXPECT_EQ(form.inpName->Text(), "Föhnw") << "the input takes at most five characters";
  TypeChar(form, vkBack);
  EXPECT_EQ(form.inpName->Text(), "Föhn");
  form.SetFocusedControl(nullptr);
  TypeChar(form, 'x');
  EXPECT_EQ(formKeys, U"x");
  // The form's key-press event is the one every control has, also when set through a control.
  static_cast<TControl&>(form).OnKeyPress = [&](TObject*, char32_t& key) {
    formKeys += U'!';
    formKeys += key;
  };
  TypeChar(form, 'y');
  EXPECT_EQ(formKeys, U"x!y");
  // A program-set text may be longer; the limit holds for typing.
  form.inpName->SetText("Thermikschlauch");
  EXPECT_EQ(form.inpName->Text(), "Thermikschlauch");
}

class TfrmMenu : public TForm {
public:
  TfrmMenu() : TForm("frmMenu") {
    MainMenu1 = CreateMainMenu("MainMenu1");
    TMenuItem* file = MainMenu1->Add("mnuDatei", "Datei");
    mnuLaden = file->Add("mnuLaden", "Laden", ShortCut('L', ssCtrl));
    file->Add("sep1", "-");
    mnuVersteckt = file->Add("mnuVersteckt", "Versteckt", ShortCut(vkF2, ssShift));
    mnuVersteckt->SetVisible(false);
    TMenuItem* edit = MainMenu1->Add("mnuBearbeiten", "Bearbeiten");
    mnuLoeschen = edit->Add("mnuLoeschen", "Löschen", ShortCut('L', ssCtrl));
    SetMenu(MainMenu1);
    for (TMenuItem* item : {mnuLaden, mnuVersteckt, mnuLoeschen})
      item->OnClick = [this, item](TObject*) { log += item->Name() + ";"; };
  }
  TMainMenu* MainMenu1;
  TMenuItem *mnuLaden, *mnuVersteckt, *mnuLoeschen;
  std::string log;
};

TEST_F(ToolkitTest, ShortcutsGoToTheFirstEntryVisibleOrNot) {
  TfrmMenu form;
  form.Show();
  PressKey(form, 'L', ssCtrl);
  EXPECT_EQ(form.log, "mnuLaden;");
  PressKey(form, vkF2, ssShift);
  EXPECT_EQ(form.log, "mnuLaden;mnuVersteckt;");
  ChooseMenu(form, "mnuLoeschen");
  EXPECT_EQ(form.log, "mnuLaden;mnuVersteckt;mnuLoeschen;");
  EXPECT_TRUE(form.Find<TMenuItem>("sep1")->IsSeparator());
  EXPECT_FALSE(form.mnuLaden->Checkable());
  form.mnuLaden->SetChecked(false);
  EXPECT_TRUE(form.mnuLaden->Checkable()) << "an entry the program checks shows its box";
  // A disabled entry swallows its shortcut.
  form.mnuLaden->SetEnabled(false);
  PressKey(form, 'L', ssCtrl);
  EXPECT_EQ(form.log, "mnuLaden;mnuVersteckt;mnuLoeschen;");
  EXPECT_EQ(ShortCutToText(ShortCut('S', ssCtrl)), "Strg+S");
  EXPECT_EQ(ShortCutToText(ShortCut(vkF1, ssShift | ssCtrl)), "Umschalt+Strg+F1");
  EXPECT_EQ(ShortCutToText(ShortCut(vkF10)), "F10");
}

TEST_F(ToolkitTest, FindComponentByName) {
  TfrmMenu form;
  form.CreateTimer("tmrProbe");
  EXPECT_NE(form.FindComponent("tmrProbe"), nullptr);
  EXPECT_EQ(form.FindComponent("mnuLaden"), form.mnuLaden);
  EXPECT_EQ(form.FindComponent("MainMenu1"), form.MainMenu1);
  EXPECT_EQ(form.FindComponent("gibtsnicht"), nullptr);
  EXPECT_EQ(form.Find<TButton>("mnuLaden"), nullptr) << "a name of another kind";
}

class TfrmMain : public TForm {
public:
  TfrmMain() : TForm("frmMain") {}
};

TfrmMain* frmMain = nullptr;
TfrmProbe* frmOuter = nullptr;
TfrmMenu* frmInner = nullptr;

TEST_F(ToolkitTest, ModalScriptsNestAndUnscriptedFormsClose) {
  Application.CreateForm(frmMain);
  Application.CreateForm(frmOuter);
  Application.CreateForm(frmInner);
  std::string trace;
  frmOuter->btnOk->OnClick = [&](TObject*) {
    trace += "inner:";
    frmInner->ShowModal();
    trace += "back;";
    frmOuter->Close();
  };
  platform.OnModal("frmProbe", [&](TForm& form) {
    trace += "outer;";
    ClickControl(form, "btnOk");
  });
  platform.OnModal("frmMenu", [&](TForm& form) {
    EXPECT_TRUE(form.Modal());
    EXPECT_TRUE(frmOuter->Visible());
    trace += "script;";
  });
  frmOuter->ShowModal();
  EXPECT_EQ(trace, "outer;inner:script;back;");
  EXPECT_FALSE(frmOuter->Visible());
  EXPECT_FALSE(frmInner->Visible());
  EXPECT_EQ(platform.PendingScripts(), 0u);
  // Without a script the form closes as by its close box.
  frmInner->ShowModal();
  EXPECT_FALSE(frmInner->Visible());
  EXPECT_EQ(platform.ModalShowings(), (std::vector<std::string>{"frmProbe", "frmMenu", "frmMenu"}));
  // Closing the main form asks the application to end.
  EXPECT_FALSE(Application.Terminated());
  frmMain->Show();
  frmMain->Close();
  EXPECT_TRUE(Application.Terminated());
  Application.DestroyForms();
  EXPECT_TRUE(frmMain == nullptr && frmOuter == nullptr && frmInner == nullptr)
      << "destroying the forms clears the references they were created into";
}

TEST_F(ToolkitTest, CloseCanBeRefusedAndModalResultCloses) {
  TfrmProbe form;
  bool allow = false;
  form.OnClose = [&](TObject*, TCloseAction& action) {
    if (!allow)
      action = TCloseAction::None;
  };
  form.btnOk->SetModalResult(1);
  platform.OnModal("frmProbe", [&](TForm& f) {
    f.CloseRequest();
    EXPECT_TRUE(f.Visible());
    allow = true;
    ClickControl(f, "btnOk");
    EXPECT_EQ(f.ModalResult(), 1);
  });
  EXPECT_EQ(form.ShowModal(), 1);
}

TEST_F(ToolkitTest, TimersFireInsideModalLoopsOnTheVirtualClock) {
  TfrmProbe form;
  TTimer* timer = form.CreateTimer("tmrProbe");
  int ticks = 0;
  timer->SetInterval(1000);
  timer->OnTimer = [&](TObject*) {
    ++ticks;
    if (ticks == 3) {
      timer->SetEnabled(false);
      form.Close();
    }
  };
  platform.OnModal("frmProbe", [&](TForm&) { platform.Wait(10000); });
  const uint32_t start = platform.TickCount();
  form.ShowModal();
  EXPECT_EQ(ticks, 3);
  EXPECT_GE(platform.TickCount() - start, 3000u);
  // A stopped timer does not fire; an interval of 0 stops it too.
  platform.Wait(5000);
  EXPECT_EQ(ticks, 3);
  timer->SetEnabled(true);
  timer->SetInterval(0);
  platform.Wait(5000);
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(Application.NextTimerDue(), -1);
}

TEST_F(ToolkitTest, HandlerErrorsAreShownAndTheProgramGoesOn) {
  TfrmProbe form;
  form.Show();
  form.btnOk->OnClick = [&](TObject*) { RaiseInOutError(103, "Lesen", "Aerolern.dat"); };
  form.btnAbbruch->OnClick = [&](TObject*) {
    throw EConvertError("'x' ist kein gültiger ganzzahliger Wert.");
  };
  ClickControl(form, "btnOk");
  ClickControl(form, "btnAbbruch");
  ASSERT_EQ(platform.Messages().size(), 2u);
  EXPECT_EQ(platform.Messages()[0].Caption, "Aerolern");
  EXPECT_EQ(platform.Messages()[0].Text,
            "E/A-Fehler 103 beim Lesen von Aerolern.dat: Datei nicht geöffnet.");
  EXPECT_EQ(platform.Messages()[1].Text, "'x' ist kein gültiger ganzzahliger Wert.");
  // The form still works after the errors.
  form.chkEins->Click();
  EXPECT_TRUE(form.chkEins->Checked());
}

} // namespace

namespace {

TEST_F(ToolkitTest, BlockedInputAndConsumedClicks) {
  TfrmMenu form;
  TCheckBox* box = form.Create<TCheckBox>("chkBox");
  form.Show();
  form.SetInputBlocked(true);
  ClickControl(form, "chkBox");
  TypeChar(form, ' ');
  PressKey(form, 'L', ssCtrl);
  ChooseMenu(form, "mnuLaden");
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(form.log, "");
  form.SetInputBlocked(false);
  // A mouse-down handler that deals with the press itself keeps the toolkit from toggling.
  int clicks = 0;
  box->OnClick = [&](TObject*) { ++clicks; };
  box->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
    box->SetChecked(true);
    box->ConsumeClick();
  };
  ClickControl(form, "chkBox");
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(clicks, 0);
  box->OnMouseDown = nullptr;
  ClickControl(form, "chkBox");
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(clicks, 1);
}

} // namespace
