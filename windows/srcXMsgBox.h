// The system's own message window: message, caption, icon, a row of buttons described by a
// short text, an optional input line and an optional time-out.
#pragma once

#include "toolkit/Form.h"

#include <string>
#include <vector>

// Icon kinds of XMsgBox; any other value shows the information icon.
enum : int {
  xmbInformation = 1,
  xmbQuestion = 2,
  xmbExclamation = 3,
  xmbCritical = 4,
  xmbApplication = 5,
};

// Fills the message window, shows it modally and returns the number of the button pressed
// (1 for the leftmost), or 0 when the window closed without a button.
//
// buttons holds one segment per button, separated by "|". A segment's first character may be a
// flag: "+" default button (Enter), "-" cancel button (Escape), "*" disabled until a negative
// time-out runs out. The rest of the segment is the caption exactly as written, blanks
// included; "&" marks the access letter.
//
// timeoutSeconds above 0 closes the window after that many seconds; below 0 enables the "*"
// buttons after -timeoutSeconds seconds; 0 does neither.
//
// With showInput the input line shows inputText, and inputText receives the line's text when
// the window has closed; without it inputText is left alone.
//
// The window is created on first use when the start-up has not created it yet. A call while
// the window is already showing refills it and returns 0 at once; the showing that is already
// under way then returns the number of the button pressed.
int XMsgBox(const std::string& message, const std::string& caption, int iconKind,
            const std::string& buttons, int timeoutSeconds, bool showInput, std::string& inputText);

class TfrmXMsgBox : public TForm {
public:
  TfrmXMsgBox();

  TImage* imgXMBInformation = nullptr;
  TImage* imgXMBQuestion = nullptr;
  TImage* imgXMBExclamation = nullptr;
  TImage* imgXMBCritical = nullptr;
  TImage* imgXMBApplication = nullptr;
  TLabel* lblXMB001 = nullptr;
  TEdit* inpXMB001 = nullptr;
  TTimer* tmrXMB001 = nullptr;

  // Shared by every button of a message.
  void XMBButtonClick(TObject* Sender);
  void tmrXMB001Timer(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

private:
  friend int XMsgBox(const std::string&, const std::string&, int, const std::string&, int, bool,
                     std::string&);

  // Destroys the push buttons from the last control to the first.
  void DestroyButtons();

  // The buttons of the message on display, left to right; button i has the number i + 1.
  std::vector<TButton*> buttonList;
  // Number of the button pressed; 0 while none.
  int result = 0;
  // Set: the timer enables the buttons. Clear: the timer closes the window.
  bool timeoutEnables = false;
};

// The program-wide message window; nullptr until it is created.
extern TfrmXMsgBox* frmXMsgBox;
