// The exam licence dialog: "Ok" sets the exam position to the chosen licence's first area.
#include "dialogs/srcPruefungsKatWahl.h"

#include "core/Edition.h"
#include "core/Licences.h"
#include "core/srcCommon.h"

TfrmPruefungsKatWahl* frmPruefungsKatWahl = nullptr;

namespace {

struct TExamOption {
  const char* Name;
  const char* Caption;
  int Top;
  int Licence;
};

const TExamOption kOptions[] = {{"optKat1", "Beschränkter Luftfahrerschein", 32, 1},
                                {"optKat2", "Unbeschränkter Luftfahrerschein", 56, 2},
                                {"optKat3", "Flugfunk", 80, 3},
                                {"optKat4", "Windenschlepp Windenführer", 104, 4},
                                {"optKat5", "Windenschlepp Gleitsegel", 128, 5},
                                {"optKat6", "Passagierflug Gleitsegel", 152, 6},
                                {"optKat7", "Gleitsegel-Motor", 176, 7},
                                {"optKat71", "Gleitsegel-Motor (mit 3-Achser)", 200, 71},
                                {"optKat72", "Gleitsegel-Motor Passagierber.", 224, 72}};

} // namespace

TfrmPruefungsKatWahl::TfrmPruefungsKatWahl() : TForm("frmPruefungsKatWahl") {
  SetBorderStyle(TBorderStyle::ToolWindow);
  SetCaption("Kategoriewahl Prüfungsmodus");
  SetLeft(671);
  SetTop(262);
  SetClientWidth(283);
  SetClientHeight(284);
  TFont font;
  font.Size = 10; // 13 pixels
  RadioGroup1 = Create<TGroupBox>("RadioGroup1");
  RadioGroup1->SetFont(font);
  RadioGroup1->SetCaption("Welche Kategorie soll geprüft werden?");
  RadioGroup1->SetBounds(8, 8, 265, Height() - 60);
  TRadioButton** slots[] = {&optKat1, &optKat2, &optKat3,  &optKat4, &optKat5,
                            &optKat6, &optKat7, &optKat71, &optKat72};
  for (std::size_t i = 0; i < std::size(kOptions); ++i) {
    TRadioButton* option = Create<TRadioButton>(kOptions[i].Name);
    option->SetFont(font);
    option->SetCaption(kOptions[i].Caption);
    option->SetBounds(24, kOptions[i].Top, kOptions[i].Licence == 72 ? 225 : 241, 17);
    *slots[i] = option;
  }
  optKat1->SetChecked(true);
  btnOk = Create<TButton>("btnOk");
  btnOk->SetCaption("Ok");
  btnOk->SetBounds(112, Height() - 50, 57, 25);
  btnOk->SetModalResult(mrOk);
  btnOk->OnClick = [this](TObject* sender) { btnOkClick(sender); };
  OnActivate = [this](TObject* sender) { FormActivate(sender); };
}

void TfrmPruefungsKatWahl::FormActivate(TObject*) {
  // Only the licences this edition offers can be examined.
  for (const auto& option : kOptions)
    Find<TRadioButton>(option.Name)->SetVisible(LicenceShown(option.Licence));
  SetHeight(255);
  RadioGroup1->SetHeight(Height() - 60);
  btnOk->SetTop(Height() - 50);
}

void TfrmPruefungsKatWahl::btnOkClick(TObject*) {
  for (const TExamOption& option : kOptions) {
    if (Find<TRadioButton>(option.Name)->Checked()) {
      SetExamPosition(option.Licence, FirstExamArea(option.Licence));
      break;
    }
  }
  Close();
}
