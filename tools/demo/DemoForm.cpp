// The toolkit demo's window and its handlers.
#include "tools/demo/DemoForm.h"

#include "toolkit/Application.h"
#include "toolkit/Platform.h"
#include "windows/srcInfo.h"
#include "windows/srcXMsgBox.h"

#include <iostream>

namespace {

std::string Checked(bool value) { return value ? "1" : "0"; }

std::string TwoDigits(int value) {
  return std::string(1, static_cast<char>('0' + value / 10)) + static_cast<char>('0' + value % 10);
}

} // namespace

void DemoReport(const std::string& line) { std::cout << line << std::endl; }

TfrmDemo::TfrmDemo() : TForm("frmDemo") {
  SetCaption("Aerolern Toolkit-Demo");
  BuildMenu();
  SetBounds(40, 30, 432, 370);
  SetClientWidth(424);
  SetClientHeight(326);

  TFont titleFont = Font();
  titleFont.Size = 10;
  titleFont.Bold = true;
  lblTitel = Create<TLabel>("lblTitel");
  lblTitel->SetFont(titleFont);
  lblTitel->SetBounds(8, 8, 0, 0);
  lblTitel->SetCaption("Aerolern \xE2\x80\x93 Toolkit-Demo");

  lblUhr = Create<TLabel>("lblUhr");
  lblUhr->SetBounds(320, 10, 0, 0);
  tmrUhr = CreateTimer("tmrUhr");
  tmrUhr->SetInterval(1000);
  tmrUhr->OnTimer = [this](TObject*) { ShowTime(); };
  ShowTime();

  lblText = Create<TLabel>("lblText");
  lblText->SetBounds(8, 34, 200, 0);
  lblText->SetWordWrap(true);
  lblText->SetCaption("Dieser Text bricht an Wortgrenzen um. Zeichen wie @, & und && erscheinen "
                      "w\xC3\xB6rtlich.\n\rNach LF CR beginnt genau eine neue Zeile.");

  chkDemo1 = Create<TCheckBox>("chkDemo1");
  chkDemo1->SetBounds(8, 112, 200, 17);
  chkDemo1->SetCaption("&Erste Option");
  chkDemo1->SetTabOrder(0);
  chkDemo1->OnClick = [this](TObject*) {
    DemoReport("chkDemo1 checked=" + Checked(chkDemo1->Checked()));
  };

  chkDemo2 = Create<TCheckBox>("chkDemo2");
  chkDemo2->SetBounds(8, 132, 200, 17);
  chkDemo2->SetCaption("&Zweite Option: Bild ausblenden");
  chkDemo2->SetTabOrder(1);
  chkDemo2->OnClick = [this](TObject*) {
    DemoReport("chkDemo2 checked=" + Checked(chkDemo2->Checked()));
    imgDemo->SetVisible(!chkDemo2->Checked());
  };

  grpAntwort = Create<TGroupBox>("grpAntwort");
  grpAntwort->SetBounds(8, 156, 200, 90);
  grpAntwort->SetCaption("Antwort");
  const auto radio = [this](const std::string& name, const std::string& caption, int top) {
    TRadioButton* button = Create<TRadioButton>(name, grpAntwort);
    button->SetBounds(10, top, 170, 17);
    button->SetCaption(caption);
    button->OnClick = [button](TObject*) {
      DemoReport(button->Name() + " checked=" + Checked(button->Checked()));
    };
    return button;
  };
  optA = radio("optA", "Antwort &A", 20);
  optB = radio("optB", "Antwort &B", 42);
  optC = radio("optC", "Antwort &C (E-Mail: info@aerolern.de)", 64);
  optA->SetChecked(true);

  lblName = Create<TLabel>("lblName");
  lblName->SetBounds(224, 34, 0, 0);
  lblName->SetCaption("Name (h\xC3\xB6"
                      "chstens 20 Zeichen):");
  edtName = Create<TEdit>("edtName");
  edtName->SetBounds(224, 50, 190, 21);
  edtName->SetMaxLength(20);
  edtName->SetTabOrder(2);
  edtName->OnChange = [this](TObject*) { DemoReport("edtName text=" + edtName->Text()); };

  imgDemo = Create<TImage>("imgDemo");
  imgDemo->SetBounds(224, 84, 160, 100);
  imgDemo->OnClick = [](TObject*) { DemoReport("imgDemo click"); };

  // The program's info window, a tool window shown modally over this one.
  btnInfo = Create<TButton>("btnInfo");
  btnInfo->SetBounds(224, 196, 100, 25);
  btnInfo->SetCaption("Info-Fenster...");
  btnInfo->OnClick = [](TObject*) {
    if (frmInfo == nullptr)
      return;
    frmInfo->ShowModal();
    DemoReport("info closed");
  };

  const auto button = [this](const std::string& name, const std::string& caption, int left,
                             int width) {
    TButton* created = Create<TButton>(name);
    created->SetBounds(left, 290, width, 25);
    created->SetCaption(caption);
    return created;
  };
  btnOk = button("btnOk", "&OK", 8, 75);
  btnOk->SetDefault(true);
  btnOk->OnClick = [](TObject*) { DemoReport("btnOk click"); };
  btnFrage = button("btnFrage", "&Frage...", 88, 75);
  btnFrage->OnClick = [](TObject*) {
    std::string unusedInput;
    const int result = XMsgBox("Soll die Demo weiterlaufen?\n\rZweite Zeile der Frage.", "Frage",
                               xmbQuestion, "+&Ja|-&Nein", 0, false, unusedInput);
    DemoReport("xmsgbox result=" + std::to_string(result));
  };
  btnMeldung = button("btnMeldung", "&Meldung...", 168, 75);
  btnMeldung->OnClick = [](TObject*) {
    Application.MessageBox("Erste Zeile der Meldung.\n\rZweite Zeile mit @ und &.");
    DemoReport("message closed");
  };
  btnGesperrt = button("btnGesperrt", "Gesperrt", 248, 75);
  btnGesperrt->SetEnabled(false);
  btnSchliessen = button("btnSchliessen",
                         "S&chlie\xC3\x9F"
                         "en",
                         336, 80);
  btnSchliessen->SetCancel(true);
  btnSchliessen->OnClick = [this](TObject*) {
    DemoReport("btnSchliessen click");
    Close();
  };

  OnClose = [](TObject*, TCloseAction&) { DemoReport("closed"); };
  OnShow = [](TObject*) { DemoReport("shown"); };
}

void TfrmDemo::BuildMenu() {
  mnuHaupt = CreateMainMenu("mnuHaupt");
  TMenuItem* datei = mnuHaupt->Add("mnuDatei", "&Datei");
  datei->Add("mnuSpeichern", "&Speichern", ShortCut('S', ssCtrl))->OnClick = [](TObject*) {
    DemoReport("mnuSpeichern click");
  };
  datei->Add("mnuTrenner1", "-");
  mnuGitter = datei->Add("mnuGitter", "&Gitter anzeigen");
  mnuGitter->SetChecked(true);
  mnuGitter->OnClick = [this](TObject*) {
    mnuGitter->SetChecked(!mnuGitter->Checked());
    DemoReport("mnuGitter checked=" + Checked(mnuGitter->Checked()));
  };
  TMenuItem* hidden = datei->Add("mnuVersteckt", "Versteckt", ShortCut('H', ssCtrl));
  hidden->SetVisible(false);
  hidden->OnClick = [](TObject*) { DemoReport("mnuVersteckt click"); };
  TMenuItem* disabled = datei->Add("mnuGesperrt", "Gesperrt");
  disabled->SetEnabled(false);
  datei->Add("mnuTrenner2", "-");
  datei->Add("mnuBeenden", "&Beenden")->OnClick = [this](TObject*) { Close(); };
  TMenuItem* hilfe = mnuHaupt->Add("mnuHilfe", "&Hilfe");
  hilfe->Add("mnuInfo", "&Info...", ShortCut(vkF1))->OnClick = [](TObject*) {
    Application.MessageBox("Aerolern Toolkit-Demo\n\rDas FLTK-Backend des Fenstermodells.");
  };
  SetMenu(mnuHaupt);
}

void TfrmDemo::SetPictureFile(const std::string& path) { imgDemo->SetPictureFile(path); }

void TfrmDemo::ShowTime() {
  const int seconds = Platform().TimeOfDayMs() / 1000;
  lblUhr->SetCaption(TwoDigits(seconds / 3600) + ":" + TwoDigits(seconds / 60 % 60) + ":" +
                     TwoDigits(seconds % 60) + " UTC");
}

void TfrmDemo::PrintLayout() const { PrintFormLayout(*this, ""); }

void PrintFormLayout(const TForm& form, const std::string& prefix) {
  for (const TControl* control : form.AllControls()) {
    int left = control->Left();
    int top = control->Top();
    for (const TControl* parent = control->Parent(); parent != nullptr && parent != &form;
         parent = parent->Parent()) {
      left += parent->Left();
      top += parent->Top();
    }
    DemoReport("at " + prefix + control->Name() + " " + std::to_string(left) + " " +
               std::to_string(top) + " " + std::to_string(control->Width()) + " " +
               std::to_string(control->Height()));
  }
}
