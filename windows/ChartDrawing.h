// Helpers for drawing charts on a TCanvas: text fitted and aligned in the canvas's own metric,
// and the numbers of a chart's scale and of an outlook's parts.
#pragma once

#include "history/ExamOutlook.h"
#include "toolkit/PaintBox.h"

#include <array>
#include <string>

// The windows' chart fonts: plain in a colour, and bold black.
TFont PlainFont(uint32_t color = 0x000000);
TFont BoldFont();
// A white panel with a frame, the ground of every chart.
void Panel(TCanvas& canvas, const TPaintBox& box);
// A colour sample and its name; returns the x after it.
int LegendEntry(TCanvas& canvas, int x, int y, uint32_t color, const std::string& text);

// The name of an area without its licence, as the charts show it.
std::string AreaTitle(int licence, int area);

int TextWidth(TCanvas& canvas, const std::string& text, const TFont& font);
// The text, shortened at its end with "…" until it is at most `width` pixels wide; whole UTF-8
// characters go, never parts of one.
std::string FitText(TCanvas& canvas, std::string text, const TFont& font, int width);
// One line of text that ends at `right`, or whose middle is at `centre`.
void TextRight(TCanvas& canvas, int right, int y, const std::string& text, const TFont& font);
void TextCentred(TCanvas& canvas, int centre, int y, const std::string& text, const TFont& font);

// Whole percentages of the three outcomes (passed, oral, failed) that add up to 100: each
// rounded down, the rest given to the largest remainders. All 0 for an outlook without mass.
std::array<int, 3> WholePercents(const TExamOutlook& outlook);
// Draws the value axis of a bar chart whose highest bar is `most`: grid lines across the plot
// from `left` to `right` and their numbers left of it. Returns the value at the plot's `top`.
int ValueGrid(TCanvas& canvas, int left, int right, int top, int bottom, int most);
// The step of a chart's value axis: the smallest 1, 2 or 5 times a power of ten that divides
// `most` into at most four grid lines.
int GridStep(int most);
