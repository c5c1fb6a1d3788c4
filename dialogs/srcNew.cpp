// The question editor.
#include "dialogs/srcNew.h"

TfrmNew* frmNew = nullptr;

TfrmNew::TfrmNew() : TForm("frmNew") {
  SetBorderStyle(TBorderStyle::ToolWindow);
  SetCaption("Frage bearbeiten");
  SetLeft(350);
  SetTop(148);
  SetClientWidth(523);
  SetClientHeight(533);
}
