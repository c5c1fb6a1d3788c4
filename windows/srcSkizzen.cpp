// The sketch window.
#include "windows/srcSkizzen.h"

TfrmSkizzen* frmSkizzen = nullptr;

TfrmSkizzen::TfrmSkizzen() : TForm("frmSkizzen") {
  SetBorderStyle(TBorderStyle::ToolWindow);
  SetCaption("Skizzen");
}

void TfrmSkizzen::ShowSketch(TForm&, const std::string&) { ShowModal(); }
