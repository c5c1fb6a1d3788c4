// Text for HTML pages: escaping and the German number forms the class overview shows.
#pragma once

#include <cstdint>
#include <string>

// The text with &, <, >, " and ' replaced by their character references, so that text from a
// report or a catalogue shows as text in an element or an attribute and never as markup.
std::string HtmlEscaped(const std::string& text);
// A share as whole per cent with a no-break space, "61 %".
std::string PercentText(double share);
// The local calendar day of a UTC moment, "10.12.2026".
std::string LocalDayText(int64_t utcMs);
