// The model's fonts in FLTK: face and pixel size, text measuring, and drawing plain text lines.
#pragma once

#include "toolkit/Types.h"

#include <FL/Enumerations.H>

#include <string>

struct TFltkFont {
  Fl_Font Face = FL_HELVETICA;
  Fl_Fontsize Size = 11;
  Fl_Color Color = FL_BLACK;
};

// Face, pixel size and colour of a model font. "MS Sans Serif" and "Arial" (and any unknown
// name) map to Liberation Sans, which has Arial's metrics; "Arial Black" and Bold to its bold.
TFltkFont FltkFontOf(const TFont& font);

// Makes the font current for fl_width, fl_height and fl_draw. Opens the display if needed.
void SelectFont(const TFont& font);

// Width of one line of text in the font, as fl_draw draws it.
int FltkTextWidth(const TFont& font, const std::string& line);

// Height of one line in the font: the distance between two drawn lines.
int FltkLineHeight(const TFont& font);

// Size of a text whose lines are separated by LF, CR LF or LF CR (see SplitLines).
TTextSize FltkMeasureText(const TFont& font, const std::string& text);
