// Text, key and size conversions between the toolkit model and FLTK, free of any display.
#pragma once

#include "toolkit/Control.h"
#include "toolkit/Types.h"

#include <functional>
#include <string>
#include <vector>

// LF CR, CR LF and a lone CR or LF each become one LF, the only line break FLTK draws
// (FLTK shows any other control character as "^M").
std::string NormalizeLineBreaks(const std::string& text);

// A caption of a button, check box, radio button, group box or menu entry as an FLTK label:
// "&" stays the access marker ("&&" a literal "&"), "@" is doubled because a leading or
// trailing "@" would start an FLTK symbol; line breaks are normalised.
std::string FltkAccessLabel(const std::string& caption);

// Data text as an FLTK label that shows every character literally: "@" and "&" are doubled.
std::string FltkLiteralLabel(const std::string& text);

// Font size in points to pixels on a 96-dpi screen, rounded: 8 pt is 11 px, 10 pt 13 px.
int PointsToPixels(int points);

// The model's key code of an FLTK key (Fl::event_key()); 0 for keys the model has no code for.
int ModelKeyOf(int fltkKey);

// The model's shift bits of an FLTK event state (Fl::event_state()).
TShiftState ShiftStateOf(int fltkState);

// The first code point of a UTF-8 text; 0 for an empty text, U+FFFD for a broken sequence.
char32_t FirstCodePoint(const std::string& utf8);

// The character a key event types into the model, or 0 when it types none: printable
// characters without Ctrl or Alt, and Backspace (which the model's inputs use to delete).
char32_t TypedCharacterOf(int fltkKey, int fltkState, const std::string& eventText);

// The label of a menu entry: the caption and, after a tab, the shortcut text ("Strg+S").
std::string MenuEntryLabel(const std::string& caption, TShortCut shortCut);
