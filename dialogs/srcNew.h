// The question editor: enters a new question or changes the current one.
#pragma once

#include "toolkit/Form.h"

#include <array>

class TfrmNew : public TForm {
public:
  TfrmNew();

  TLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr,
         *Label5 = nullptr, *Label6 = nullptr;
  TEdit *inpFrage = nullptr, *inpAntwortA = nullptr, *inpAntwortB = nullptr, *inpAntwortC = nullptr,
        *inpAntwortD = nullptr;
  TCheckBox *chkA = nullptr, *chkB = nullptr, *chkC = nullptr, *chkD = nullptr;
  // The licence headings lblKat01..lblKat07.
  std::array<TLabel*, 7> LicenceHeadings{};
  // The category buttons in the order saving tests them, opt00 last.
  std::vector<TRadioButton*> CategoryButtons;
  TRadioButton* opt00 = nullptr;
  TLabel* txtImgNo = nullptr;
  // Shown while an input holds the 255 characters a text can have.
  TLabel* lblGrenze = nullptr;
  TButton *btnSave = nullptr, *btnAbbrechen = nullptr;

  void FormCreate(TObject* sender);
  void FormActivate(TObject* sender);
  void btnSaveClick(TObject* sender);
  void btnAbbrechenClick(TObject* sender);

private:
  void CreateControls();
  void FillFromCurrentQuestion();
  void ShowLimitNote();
  void Clear();
  // The category button of a licence and area, or nullptr when there is none.
  TRadioButton* CategoryButton(int licence, int area) const;

  // The category of the question being changed, kept when no button stands for it.
  int16_t keptLicence = 0;
  int16_t keptArea = 0;
};

extern TfrmNew* frmNew;
