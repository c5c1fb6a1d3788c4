// The info window: the edition owner's logo, advertising and contact text with web links.
#pragma once

#include "toolkit/Form.h"

class TfrmInfo : public TForm {
public:
  TfrmInfo();
};

extern TfrmInfo* frmInfo;
