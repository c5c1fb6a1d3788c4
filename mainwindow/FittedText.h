// Long questions and answers in a size that fits the room the main window has for them.
#pragma once

#include "toolkit/StdCtrls.h"

#include <string>

// Shows the text in the word-wrapping label in the largest size from 10 points down that fits
// the label's width and `room` pixels of height, so that no text the editor accepts (255
// characters) is cut off or runs into the next answer; a word too long for a line at every size
// is broken where it fills one.
void ShowFitted(TLabel& label, const std::string& text, int room);
