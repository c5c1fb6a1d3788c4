// The info window.
#include "windows/srcInfo.h"

TfrmInfo* frmInfo = nullptr;

TfrmInfo::TfrmInfo() : TForm("frmInfo") {
  SetBorderStyle(TBorderStyle::ToolWindow);
  SetCaption("Talwinder Flugschule Ost & Shop - Info");
  SetWidth(539);
  SetClientHeight(361);
}
