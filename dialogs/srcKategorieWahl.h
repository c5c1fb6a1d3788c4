// The category selection dialog: one box per licence and one per subject area.
#pragma once

#include "toolkit/Form.h"

#include <array>

class TfrmKategorieWahl : public TForm {
public:
  TfrmKategorieWahl();

  // Licence boxes chkKat01..chkKat07 and area boxes chkUKat0101..chkUKat0710.
  std::array<TCheckBox*, 7> LicenceBoxes{};
  TButton* btnOk = nullptr;

  void FormCreate(TObject* sender);
  void LicenceBoxClick(int licence);
  void btnOkClick(TObject* sender);
};

extern TfrmKategorieWahl* frmKategorieWahl;

// Whether the dialog's box of the pair is ticked; area 0 asks for the licence box. A pair without
// a box is not ticked.
bool IsAreaChecked(int licence, int area);
