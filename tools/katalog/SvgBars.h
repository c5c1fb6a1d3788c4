// The bars of the class overview as inline SVG: no script, no file beside the page.
#pragma once

#include "history/SchoolReport.h"

#include <optional>
#include <string>

// The outlook's three shares (Bestanden, mündlich, nicht bestanden) as one bar of three parts,
// as wide as its box; its title says the shares in words for a reader and a screen reader.
std::string OutlookBar(const TReportShares& shares);
// A share (of wrong answers) as the filled stretch of a bar, with a dark mark at `reference` (the
// area's share) when given.
std::string ShareBar(double share, std::optional<double> reference);
// The legend of the outlook bars: a swatch and the name of each share.
std::string OutlookLegend();
