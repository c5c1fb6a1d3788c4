// Text fitted and aligned on a canvas, and the numbers of a chart's scale and parts.
#include "windows/ChartDrawing.h"

#include "core/srcCommon.h"

#include <algorithm>
#include <cmath>

namespace {
const char* const kEllipsis = "…";
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kFrame = 0xA0A0A0;
constexpr uint32_t kAxis = 0x606060;
constexpr uint32_t kGrid = 0xDDDDDD;
constexpr uint32_t kMuted = 0x555555;
} // namespace

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

TFont PlainFont(uint32_t color) {
  TFont font;
  font.Color = color;
  return font;
}

TFont BoldFont() {
  TFont font;
  font.Bold = true;
  return font;
}

// A white panel with a frame, the ground of every chart.
void Panel(TCanvas& canvas, const TPaintBox& box) {
  canvas.FillRect({0, 0, box.Width(), box.Height()}, kWhite);
  canvas.FrameRect({0, 0, box.Width(), box.Height()}, kFrame);
}

// A colour sample and its name; returns the x after it.
int LegendEntry(TCanvas& canvas, int x, int y, uint32_t color, const std::string& text) {
  canvas.FillRect({x, y + 2, 10, 10}, color);
  canvas.FrameRect({x, y + 2, 10, 10}, kAxis);
  canvas.TextOut(x + 14, y, text, PlainFont());
  return x + 14 + TextWidth(canvas, text, PlainFont()) + 12;
}

std::string AreaTitle(int licence, int area) {
  std::string name;
  CategoryName(licence, area, name);
  const std::size_t colon = name.find(": ");
  return colon == std::string::npos ? name : name.substr(colon + 2);
}

int ValueGrid(TCanvas& canvas, int left, int right, int top, int bottom, int most) {
  const int step = GridStep(std::max(most, 1));
  const int scale = std::max(step, (most + step - 1) / step * step);
  for (int value = 0; value <= scale; value += step) {
    const int y = bottom - (bottom - top) * value / scale;
    if (value > 0)
      canvas.Line(left, y, right, y, kGrid);
    TextRight(canvas, left - 5, y - 6, std::to_string(value), PlainFont(kMuted));
  }
  return scale;
}
