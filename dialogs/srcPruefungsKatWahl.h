// The exam licence dialog: which licence the exam examines.
#pragma once

#include "toolkit/Form.h"

class TfrmPruefungsKatWahl : public TForm {
public:
  TfrmPruefungsKatWahl();

  // The modal result of a closing by "Ok"; closing by the close box leaves 0.
  static constexpr int mrOk = 1;

  TGroupBox* RadioGroup1 = nullptr;
  TRadioButton *optKat1 = nullptr, *optKat2 = nullptr, *optKat3 = nullptr, *optKat4 = nullptr,
               *optKat5 = nullptr, *optKat6 = nullptr, *optKat7 = nullptr, *optKat71 = nullptr,
               *optKat72 = nullptr;
  TButton* btnOk = nullptr;

  void FormActivate(TObject* sender);
  void btnOkClick(TObject* sender);
};

extern TfrmPruefungsKatWahl* frmPruefungsKatWahl;
