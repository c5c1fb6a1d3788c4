// The standard message dialog of the FLTK backend: caption, text and one OK button.
#pragma once

#include <string>

// Shows the dialog modally and returns when the user has closed it (OK, Enter, Escape, Space
// or the close box). The text shows literally, LF CR and CR LF as one line break, and long
// lines wrap. The toolkit's timers keep firing while it is open, as in every modal loop.
void ShowFltkMessageDialog(const std::string& caption, const std::string& text);
