// Drawing the controls a form paints itself, on its back buffer: labels, group boxes, pictures
// and paint boxes. A form draws them in creation order, so a later control lies above an
// earlier one and a transparent label shows the picture below it.
#pragma once

#include "toolkit/PaintBox.h"
#include "toolkit/StdCtrls.h"
#include "toolkit/win32/Win32Api.h"

#include <string>

class TWin32Fonts;
class TWin32Picture;

// Whether the form paints the control itself (it has no window of its own).
bool IsDrawnKind(const TControl& control);

// The label's text, literally ("&" shows as it is), in lines broken where the model measured
// them. The text is cut at the label's bounds, except an auto-sized label's on one line: its
// bounds are the text as the model measured it, without an "&" that shows here, so it may run
// on up to clipRight.
void DrawLabel(HDC dc, const TLabel& label, const RECT& area, int clipRight, TWin32Fonts& fonts);

// An etched frame with the first line of the caption on its top edge, the access letter
// underlined.
void DrawGroupBox(HDC dc, const TControl& box, const RECT& area, TWin32Fonts& fonts);

// The picture from its top left corner, cut at the bounds. A picture file is decoded when first
// drawn; a file that fails is reported once (failedFile remembers it) and draws nothing.
void DrawImage(HDC dc, TImage& image, const RECT& area, TWin32Picture& bitmap,
               std::string& failedFile);

// What the program draws in the box, in the box's coordinates and cut at its bounds.
void DrawPaintBox(HDC dc, TPaintBox& box, const RECT& area, TWin32Fonts& fonts);
