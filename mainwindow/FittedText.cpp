// Long questions and answers in a size that fits the room the main window has for them.
#include "mainwindow/FittedText.h"

#include "toolkit/Platform.h"

#include <algorithm>
#include <vector>

namespace {

// The font sizes the question and the answers are shown in: 10 points, and smaller where a long
// text would not fit its room.
constexpr int kTextPoints = 10;
constexpr int kSmallestTextPoints = 5;

int TextWidth(const TFont& font, const std::string& text) {
  return Platform().MeasureText(font, text).Width;
}

// Whether the text, wrapped at the width in the font, has no line wider than the width and no
// more lines than fill `room` pixels.
bool TextFits(const TFont& font, const std::string& text, int width, int room) {
  const auto measure = [&](const std::string& line) { return TextWidth(font, line); };
  const std::vector<std::string> lines = WrapLines(text, width, measure);
  for (const std::string& line : lines)
    if (measure(line) > width)
      return false;
  return static_cast<int>(lines.size()) * Platform().MeasureText(font, "X").Height <= room;
}

} // namespace

void ShowFitted(TLabel& label, const std::string& text, int room) {
  TFont font = label.Font();
  for (const bool breakWords : {false, true})
    for (font.Size = kTextPoints; font.Size >= kSmallestTextPoints; --font.Size) {
      const std::string shown = breakWords ? BreakLongWords(font, text, label.Width()) : text;
      if (TextFits(font, shown, label.Width(), room) ||
          (breakWords && font.Size == kSmallestTextPoints)) {
        label.SetFont(font);
        label.SetCaption(shown);
        return;
      }
    }
}
