// TPaintBox on FLTK: a box that lets the program draw with fl_* through a TCanvas.
#pragma once

#include "toolkit/PaintBox.h"
#include "toolkit/fltk/FltkWidgets.h"

class TFltkPaintBox : public Fl_Box, public TFltkLink {
public:
  TFltkPaintBox(TFltkFormPeer& owner, TPaintBox& box);
  void draw() override;
  int handle(int event) override;
  void Apply(TChange what) override;
};
