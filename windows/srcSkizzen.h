// The sketch window: shows the picture that belongs to the question on display.
#pragma once

#include "toolkit/Form.h"

class TfrmSkizzen : public TForm {
public:
  TfrmSkizzen();
  // Shows the sketch of the key beside, below or over the main window, modally.
  void ShowSketch(TForm& mainWindow, const std::string& key);
};

extern TfrmSkizzen* frmSkizzen;
