// Escaping and number forms for the HTML pages of the catalogue tool.
#include "tools/katalog/HtmlText.h"

#include "history/CalendarDate.h"
#include "toolkit/Platform.h"

#include <cmath>
#include <cstdio>
#include <ctime>

std::string HtmlEscaped(const std::string& text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    switch (c) {
    case '&':
      escaped += "&amp;";
      break;
    case '<':
      escaped += "&lt;";
      break;
    case '>':
      escaped += "&gt;";
      break;
    case '"':
      escaped += "&quot;";
      break;
    case '\'':
      escaped += "&#39;";
      break;
    default:
      escaped += c;
    }
  }
  return escaped;
}

std::string PercentText(double share) {
  return std::to_string(std::lround(share * 100.0)) + "\u00a0%";
}

// The tool runs without a platform, so the machine's own zone is asked directly.
std::string LocalDayText(int64_t utcMs) {
  const std::tm local = CivilTime(utcMs / 1000 + LocalUtcOffsetSeconds(utcMs));
  char text[40];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d", local.tm_mday, local.tm_mon + 1,
                local.tm_year + 1900);
  return text;
}
