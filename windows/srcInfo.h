// The info window: the edition owner's logo, advertising and contact text with web links.
#pragma once

#include "toolkit/Form.h"

class TfrmInfo : public TForm {
public:
  TfrmInfo();

  TImage* Image2 = nullptr;
  TLabel *Label1 = nullptr, *txtInfoText01 = nullptr, *txtInfoText03 = nullptr,
         *txtInfoText04 = nullptr;
  TButton* btnOk = nullptr;

  void FormActivate(TObject* sender);
  void txtInfoText03Click(TObject* sender);
  void txtInfoText04Click(TObject* sender);
  void btnOkClick(TObject* sender);

private:
  void PlaceLinksOnTheirLines();
};

extern TfrmInfo* frmInfo;
