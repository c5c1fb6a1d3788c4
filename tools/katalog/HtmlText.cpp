// Escaping and number forms for the HTML pages of the catalogue tool.
#include "tools/katalog/HtmlText.h"

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

std::string LocalDayText(int64_t utcMs) {
  const auto seconds = static_cast<std::time_t>(utcMs / 1000);
  std::tm local{};
#ifdef _WIN32
  if (localtime_s(&local, &seconds) != 0)
    return "?";
#else
  if (::localtime_r(&seconds, &local) == nullptr)
    return "?";
#endif
  char text[40];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d", local.tm_mday, local.tm_mon + 1,
                local.tm_year + 1900);
  return text;
}
