// The question editor: enters a new question or changes the current one.
#pragma once

#include "toolkit/Form.h"

#include <array>

class TfrmNew : public TForm {
public:
  TfrmNew();

  TLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6;
  TEdit *inpFrage, *inpAntwortA, *inpAntwortB, *inpAntwortC, *inpAntwortD;
  TCheckBox *chkA, *chkB, *chkC, *chkD;
  // The licence headings lblKat01..lblKat07.
  std::array<TLabel*, 7> LicenceHeadings{};
  // The category buttons in the order saving tests them, opt00 last.
  std::vector<TRadioButton*> CategoryButtons;
  TRadioButton* opt00 = nullptr;
  TLabel* txtImgNo = nullptr;
  TButton *btnSave, *btnAbbrechen;

  void FormCreate(TObject* sender);
  void FormActivate(TObject* sender);
  void btnSaveClick(TObject* sender);
  void btnAbbrechenClick(TObject* sender);

private:
  void CreateControls();
  void FillFromCurrentQuestion();
  void Clear();
  // The category button of a licence and area, or nullptr when there is none.
  TRadioButton* CategoryButton(int licence, int area) const;

  // The category of the question being changed, kept when no button stands for it.
  int16_t keptLicence = 0;
  int16_t keptArea = 0;
};

extern TfrmNew* frmNew;
