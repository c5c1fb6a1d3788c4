// User input by name, as tests and scripts give it: clicks, keys, typed characters, menus.
#pragma once

#include "toolkit/Form.h"

#include <string>

// Clicks the control of that name; throws std::logic_error when the form has none.
void ClickControl(TForm& form, const std::string& name);
// Presses the mouse button on the control without releasing it into a click.
void MouseDownOn(TForm& form, const std::string& name);
// Presses a key (a virtual key code with shift bits) on the form.
void PressKey(TForm& form, int key, TShiftState shift = 0);
// Types a character: its key goes down (with Shift for a capital), then the character is pressed.
void TypeChar(TForm& form, char32_t character);
// Types every character of a UTF-8 text.
void TypeText(TForm& form, const std::string& text);
// Chooses the menu entry of that name as by the mouse; throws when there is none.
void ChooseMenu(TForm& form, const std::string& name);
