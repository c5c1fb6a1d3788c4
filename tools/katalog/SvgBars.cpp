// Drawing the bars: rectangles in a box scaled to the width of the table cell.
#include "tools/katalog/SvgBars.h"

#include "tools/katalog/HtmlText.h"

#include <algorithm>
#include <cstdio>

namespace {

// Colours that stay apart in a grey print too: dark green, light amber, middle red.
constexpr const char* kPassedColour = "#1b5e20";
constexpr const char* kOralColour = "#f9a825";
constexpr const char* kFailedColour = "#e53935";
constexpr const char* kTrackColour = "#e6e6e6";

// The bars are drawn in a box 1000 units wide, stretched to the cell; the height stays in pixels.
constexpr double kWidth = 1000.0;

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

std::string Rect(double x, double width, const char* colour) {
  return "<rect x=\"" + Number(x) + "\" y=\"0\" width=\"" + Number(width) +
         "\" height=\"14\" fill=\"" + colour + "\"/>";
}

std::string Svg(const std::string& title, const std::string& body) {
  return "<svg class=\"balken\" viewBox=\"0 0 1000 14\" preserveAspectRatio=\"none\" "
         "width=\"100%\" height=\"14\" role=\"img\" aria-label=\"" +
         HtmlEscaped(title) + "\"><title>" + HtmlEscaped(title) + "</title>" + body + "</svg>";
}

} // namespace

std::string OutlookBar(const TReportShares& shares) {
  const double passed = std::max(0.0, shares.Passed);
  const double oral = std::max(0.0, shares.Oral);
  const double failed = std::max(0.0, shares.Failed);
  // Shares rounded by the writer may not sum to exactly 1; the bar always fills its box.
  const double sum = passed + oral + failed;
  const std::string title = "Bestanden " + PercentText(passed) + ", mündliche Prüfung " +
                            PercentText(oral) + ", nicht bestanden " + PercentText(failed);
  if (sum <= 0.0)
    return Svg(title, Rect(0, kWidth, kTrackColour));
  const double passedWidth = kWidth * passed / sum;
  const double oralWidth = kWidth * oral / sum;
  return Svg(title,
             Rect(0, passedWidth, kPassedColour) + Rect(passedWidth, oralWidth, kOralColour) +
                 Rect(passedWidth + oralWidth, kWidth - passedWidth - oralWidth, kFailedColour));
}

std::string ShareBar(double share, std::optional<double> reference) {
  const double clamped = std::clamp(share, 0.0, 1.0);
  std::string title = "Falsch " + PercentText(clamped);
  std::string body = Rect(0, kWidth, kTrackColour) + Rect(0, kWidth * clamped, kFailedColour);
  if (reference) {
    title += ", Sachgebiet " + PercentText(*reference);
    const double at = std::clamp(*reference, 0.0, 1.0) * kWidth;
    body += Rect(std::clamp(at - 4.0, 0.0, kWidth - 8.0), 8.0, "#111111");
  }
  return Svg(title, body);
}

std::string OutlookLegend() {
  std::string legend = "<p class=\"legende\">";
  const std::pair<const char*, const char*> parts[] = {{kPassedColour, "Bestanden"},
                                                       {kOralColour, "mündliche Prüfung"},
                                                       {kFailedColour, "nicht bestanden"}};
  for (const auto& [colour, name] : parts)
    legend += std::string("<span class=\"eintrag\"><svg class=\"feld\" width=\"12\" height=\"12\" "
                          "viewBox=\"0 0 12 12\" aria-hidden=\"true\"><rect width=\"12\" "
                          "height=\"12\" fill=\"") +
              colour + "\"/></svg> " + name + "</span>";
  return legend + "</p>";
}
