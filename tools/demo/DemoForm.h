// The toolkit demo's window: one of every control, a main menu and a timer, reporting every
// state change made by the user on standard output; its buttons open the program's message box
// and info window.
#pragma once

#include "toolkit/Form.h"

#include <string>

class TfrmDemo : public TForm {
public:
  TfrmDemo();

  // The picture shown in imgDemo (a JPEG file written at start-up).
  void SetPictureFile(const std::string& path);
  // Prints "at NAME LEFT TOP WIDTH HEIGHT" for every control, in client-area coordinates
  // (below the menu bar), so that a test can find the controls on the screen.
  void PrintLayout() const;

  TLabel* lblTitel = nullptr;
  TLabel* lblUhr = nullptr;
  TLabel* lblText = nullptr;
  TCheckBox* chkDemo1 = nullptr;
  TCheckBox* chkDemo2 = nullptr;
  TGroupBox* grpAntwort = nullptr;
  TRadioButton* optA = nullptr;
  TRadioButton* optB = nullptr;
  TRadioButton* optC = nullptr;
  TLabel* lblName = nullptr;
  TEdit* edtName = nullptr;
  TImage* imgDemo = nullptr;
  TButton* btnInfo = nullptr;
  TButton* btnOk = nullptr;
  TButton* btnFrage = nullptr;
  TButton* btnMeldung = nullptr;
  TButton* btnGesperrt = nullptr;
  TButton* btnSchliessen = nullptr;
  TTimer* tmrUhr = nullptr;
  TMainMenu* mnuHaupt = nullptr;
  TMenuItem* mnuGitter = nullptr;

private:
  void BuildMenu();
  void ShowTime();
};

// Prints one line on standard output and flushes it, so that a reader sees it at once.
void DemoReport(const std::string& line);
// Prints "at PREFIXNAME LEFT TOP WIDTH HEIGHT" for every control of a form, in client-area
// coordinates.
void PrintFormLayout(const TForm& form, const std::string& prefix);
