// The category selection dialog: the learner ticks the subject areas to study.
#include "dialogs/srcKategorieWahl.h"

#include "core/Edition.h"
#include "core/Licences.h"
#include "core/srcCommon.h"
#include "toolkit/Application.h"

TfrmKategorieWahl* frmKategorieWahl = nullptr;

namespace {

struct TAreaBox {
  int Licence;
  int Area;
  const char* Caption;
  int Left;
  int Top;
  int Width;
};

constexpr int kLicenceTops[7] = {16, 64, 112, 160, 208, 256, 304};
const char* const kLicenceCaptions[7] = {"Beschränkter Luftfahrerschein (vormals A-Lizenz)",
                                         "Unbeschränkter Luftfahrerschein (vormals B-Lizenz)",
                                         "Flugfunk",
                                         "Windenschlepp - Windenführer",
                                         "Windenschlepp - Gleitsegel",
                                         "Passagierflug - Gleitsegel",
                                         "Motor - Gleitsegel (Fragenkatalog des DULV)"};

const TAreaBox kAreaBoxes[] = {{1, 1, "Meteorologie", 48, 40, 97},
                               {1, 2, "Luftrecht", 152, 40, 97},
                               {1, 3, "Flugpraxis", 264, 40, 97},
                               {1, 4, "Technik", 360, 40, 97},
                               {2, 1, "Meteorologie", 48, 88, 97},
                               {2, 2, "Luftrecht", 152, 88, 97},
                               {2, 3, "Navigation", 264, 88, 97},
                               {3, 1, "Flugfunk für Luftsportgeräteführer", 48, 132, 193},
                               {4, 1, "Luftrecht", 48, 184, 97},
                               {4, 2, "Technik", 152, 184, 97},
                               {4, 3, "Verhalten", 264, 184, 97},
                               {5, 1, "Luftrecht", 48, 232, 97},
                               {5, 2, "Technik", 152, 232, 97},
                               {5, 3, "Verhalten", 264, 232, 97},
                               {6, 1, "Luftrecht", 48, 280, 97},
                               {6, 2, "Technik", 152, 280, 97},
                               {6, 3, "Verhalten", 264, 280, 97},
                               {7, 1, "Luftrecht", 48, 328, 97},
                               {7, 2, "Flugfunk", 152, 328, 97},
                               {7, 3, "Meteorologie", 264, 328, 97},
                               {7, 4, "Verhalten", 360, 328, 97},
                               {7, 5, "Navi. (Fragen)", 48, 344, 97},
                               {7, 6, "Navi. (Aufgaben)", 152, 344, 113},
                               {7, 7, "Technik", 264, 344, 97},
                               {7, 8, "3-Achser Technik", 48, 360, 105},
                               {7, 9, "3-Achser Verhalten", 152, 360, 129},
                               {7, 10, "Passagier", 360, 360, 97}};

std::string TwoDigits(int number) { return (number < 10 ? "0" : "") + std::to_string(number); }

std::string LicenceBoxName(int licence) { return "chkKat" + TwoDigits(licence); }

std::string AreaBoxName(int licence, int area) {
  return "chkUKat" + TwoDigits(licence) + TwoDigits(area);
}

} // namespace

TfrmKategorieWahl::TfrmKategorieWahl() : TForm("frmKategorieWahl") {
  SetBorderStyle(TBorderStyle::ToolWindow);
  SetCaption("Auswahl der zu lernenden Kategorien");
  SetClientWidth(464);
  SetClientHeight(424);
  TFont licenceFont;
  licenceFont.Name = "Arial";
  licenceFont.Size = 10; // 13 pixels
  for (int licence = 1; licence <= 7; ++licence) {
    TCheckBox* box = Create<TCheckBox>(LicenceBoxName(licence));
    box->SetBounds(24, kLicenceTops[licence - 1], 425, 17);
    box->SetFont(licenceFont);
    box->SetCaption(LicenceBoxName(licence));
    box->OnClick = [this, licence](TObject*) { LicenceBoxClick(licence); };
    LicenceBoxes[licence - 1] = box;
    for (const TAreaBox& entry : kAreaBoxes) {
      if (entry.Licence != licence)
        continue;
      TCheckBox* area = Create<TCheckBox>(AreaBoxName(entry.Licence, entry.Area));
      area->SetBounds(entry.Left, entry.Top, entry.Width, 17);
      area->SetCaption(area->Name());
    }
  }
  btnOk = Create<TButton>("btnOk");
  btnOk->SetBounds(200, 392, 75, 25);
  btnOk->SetCaption("&Ok");
  btnOk->SetDefault(true);
  btnOk->OnClick = [this](TObject* sender) { btnOkClick(sender); };
  OnCreate = [this](TObject* sender) { FormCreate(sender); };
}

void TfrmKategorieWahl::FormCreate(TObject*) {
  SetAreaCheckedQuery(IsAreaChecked);
  if (const TForm* mainForm = Application.MainForm()) {
    SetTop(mainForm->Top() + 44);
    SetLeft(mainForm->Left() + 44);
  }
  for (int licence = 1; licence <= 7; ++licence)
    LicenceBoxes[licence - 1]->SetCaption(kLicenceCaptions[licence - 1]);
  for (const TAreaBox& entry : kAreaBoxes)
    ControlOf<TCheckBox>(*this, AreaBoxName(entry.Licence, entry.Area)).SetCaption(entry.Caption);
  // A licence this edition does not offer keeps its row hidden.
  for (int licence = 1; licence <= 7; ++licence) {
    if (LicenceShown(licence))
      continue;
    LicenceBoxes[licence - 1]->Hide();
    for (int area = 1; area <= AreaCount(licence); ++area)
      ControlOf<TCheckBox>(*this, AreaBoxName(licence, area)).Hide();
  }
  btnOk->SetTop(312);
  SetHeight(380);
}

void TfrmKategorieWahl::LicenceBoxClick(int licence) {
  const bool ticked = LicenceBoxes[licence - 1]->Checked();
  for (int area = 1; area <= AreaCount(licence); ++area)
    if (auto* box = Find<TCheckBox>(AreaBoxName(licence, area)))
      box->SetChecked(ticked);
  if (licence == 7)
    Find<TCheckBox>(AreaBoxName(7, 8))->SetChecked(false);
}

void TfrmKategorieWahl::btnOkClick(TObject*) { Close(); }

bool IsAreaChecked(int licence, int area) {
  if (frmKategorieWahl == nullptr)
    return false;
  const auto* box = frmKategorieWahl->Find<TCheckBox>(area == 0 ? LicenceBoxName(licence)
                                                                : AreaBoxName(licence, area));
  return box != nullptr && box->Checked();
}
