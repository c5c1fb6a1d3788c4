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

// The text with a line break inside every word wider than the width, wherever the word fills a
// line, since wrapping breaks lines only between words.
std::string BreakLongWords(const TFont& font, const std::string& text, int width) {
  std::string broken;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.find_first_of(" \n\r", at), text.size());
    std::string word = text.substr(at, end - at);
    while (TextWidth(font, word) > width) {
      // The longest start of the word that fits, in whole UTF-8 characters, at least one.
      std::size_t cut = 1;
      for (std::size_t next = 1; next <= word.size(); ++next) {
        if (next < word.size() && (static_cast<unsigned char>(word[next]) & 0xC0) == 0x80)
          continue;
        if (TextWidth(font, word.substr(0, next)) > width)
          break;
        cut = next;
      }
      broken += word.substr(0, cut) + "\n";
      word.erase(0, cut);
    }
    broken += word;
    if (end < text.size())
      broken += text[end];
    at = end + 1;
  }
  return broken;
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
