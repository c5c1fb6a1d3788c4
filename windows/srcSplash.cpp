// The splash window.
#include "windows/srcSplash.h"

TfrmSplash* frmSplash = nullptr;

TfrmSplash::TfrmSplash() : TForm("frmSplash") {
  SetBorderStyle(TBorderStyle::None);
  SetBounds(0, 0, 640, 480);
}
