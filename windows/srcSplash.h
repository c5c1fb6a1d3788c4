// The splash window shown while the program starts.
#pragma once

#include "toolkit/Form.h"

class TfrmSplash : public TForm {
public:
  TfrmSplash();
};

extern TfrmSplash* frmSplash;
