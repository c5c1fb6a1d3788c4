// The question editor: enters a new question or changes the current one.
#pragma once

#include "toolkit/Form.h"

class TfrmNew : public TForm {
public:
  TfrmNew();
};

extern TfrmNew* frmNew;
