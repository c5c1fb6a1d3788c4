// The splash window shown while the program starts.
#pragma once

#include "toolkit/Form.h"

class TfrmSplash : public TForm {
public:
  TfrmSplash();

  TImage* Image2 = nullptr;
  TLabel* lblDHV = nullptr;

  void FormActivate(TObject* sender);
  void lblDHVClick(TObject* sender);
};

extern TfrmSplash* frmSplash;
