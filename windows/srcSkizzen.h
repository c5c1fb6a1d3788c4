// The sketch window: shows the picture that belongs to the question on display.
#pragma once

#include "toolkit/Form.h"

class TfrmSkizzen : public TForm {
public:
  TfrmSkizzen();

  TImage* img_noICAO = nullptr;
  TButton* btnZurueck = nullptr;

  // The picture control of a sketch key, or nullptr when the key has no sketch.
  TImage* SketchFor(const std::string& key) const;
  // Sizes the window to the sketch of the key, arranges it with the main window on the screen
  // and shows it modally. A key without a picture is told in a message instead.
  void ShowSketch(TForm& mainWindow, const std::string& key);

  void btnZurueckClick(TObject* sender);

private:
  void Arrange(TForm& mainWindow);
};

extern TfrmSkizzen* frmSkizzen;
