// Text fitted and aligned on a canvas, and the numbers of a chart's scale and parts.
#include "windows/ChartDrawing.h"

#include <algorithm>
#include <cmath>

namespace {
const char* const kEllipsis = "…";
}

int TextWidth(TCanvas& canvas, const std::string& text, const TFont& font) {
  return canvas.TextExtent(text, font).Width;
}

std::string FitText(TCanvas& canvas, std::string text, const TFont& font, int width) {
  if (TextWidth(canvas, text, font) <= width)
    return text;
  while (!text.empty()) {
    // Drops one whole UTF-8 character: its continuation bytes, then its lead byte.
    while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80)
      text.pop_back();
    if (!text.empty())
      text.pop_back();
    while (!text.empty() && text.back() == ' ')
      text.pop_back();
    if (TextWidth(canvas, text + kEllipsis, font) <= width)
      return text + kEllipsis;
  }
  return "";
}

void TextRight(TCanvas& canvas, int right, int y, const std::string& text, const TFont& font) {
  canvas.TextOut(right - TextWidth(canvas, text, font), y, text, font);
}

void TextCentred(TCanvas& canvas, int centre, int y, const std::string& text, const TFont& font) {
  canvas.TextOut(centre - TextWidth(canvas, text, font) / 2, y, text, font);
}

std::array<int, 3> WholePercents(const TExamOutlook& outlook) {
  const double parts[3] = {outlook.Passed, outlook.Oral, outlook.Failed};
  const double total = parts[0] + parts[1] + parts[2];
  std::array<int, 3> percents{};
  std::array<double, 3> remainders{};
  int sum = 0;
  for (std::size_t i = 0; i < 3; ++i) {
    const double exact = total > 0 ? 100.0 * parts[i] / total : 0;
    percents[i] = static_cast<int>(std::floor(exact));
    remainders[i] = exact - percents[i];
    sum += percents[i];
  }
  while (total > 0 && sum < 100) {
    const auto largest = static_cast<std::size_t>(
        std::max_element(remainders.begin(), remainders.end()) - remainders.begin());
    ++percents[largest];
    remainders[largest] = -1;
    ++sum;
  }
  return percents;
}

int GridStep(int most) {
  for (int power = 1;; power *= 10)
    for (int factor : {1, 2, 5})
      if (factor * power * 4 >= most)
        return factor * power;
}
