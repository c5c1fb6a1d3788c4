// Holds the one installed platform, and the fixed text metric.
#include "toolkit/Platform.h"

#include <algorithm>
#include <ctime>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace {

TPlatform* installedPlatform = nullptr;

// Advance width at 8 pt of one character; UTF-8 continuation bytes take no width.
int AdvanceAt8pt(unsigned char c) {
  if ((c & 0xC0) == 0x80)
    return 0;
  if (c >= 0xC0)
    return 6; // a non-ASCII letter such as an umlaut
  switch (c) {
  case ' ':
  case 'i':
  case 'j':
  case 'l':
  case 'I':
  case '!':
  case '.':
  case ',':
  case ':':
  case ';':
  case '\'':
  case '|':
    return 3;
  case 'f':
  case 't':
  case 'r':
  case '(':
  case ')':
  case '-':
    return 4;
  case 'm':
  case 'w':
    return 9;
  case 'M':
  case 'W':
    return 10;
  default:
    return (c >= 'A' && c <= 'Z') ? 7 : 6;
  }
}

// Where the program's file name starts in its path.
// Windows separates folders by "\" and takes "/" as well.
std::size_t ProgramNameStart(const std::string& path) {
#ifdef _WIN32
  const std::size_t slash = path.find_last_of("/\\");
#else
  const std::size_t slash = path.find_last_of('/');
#endif
  return slash == std::string::npos ? 0 : slash + 1;
}

} // namespace

int64_t TPlatform::UtcNowMs() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

int32_t TPlatform::UtcOffsetSeconds(int64_t utcMs) { return LocalUtcOffsetSeconds(utcMs); }

int32_t LocalUtcOffsetSeconds(int64_t utcMs) {
  const auto seconds = static_cast<time_t>(utcMs / 1000);
  tm local{};
#ifdef _WIN32
  // The local civil time read back as if it were UTC differs from the moment by the offset.
  if (localtime_s(&local, &seconds) != 0)
    return 0;
  return static_cast<int32_t>(_mkgmtime(&local) - seconds);
#else
  if (localtime_r(&seconds, &local) == nullptr)
    return 0;
  return static_cast<int32_t>(local.tm_gmtoff);
#endif
}

TPlatform& Platform() {
  if (installedPlatform == nullptr)
    throw std::logic_error("Keine Plattform installiert.");
  return *installedPlatform;
}

void InstallPlatform(TPlatform* platform) { installedPlatform = platform; }

bool HasPlatform() { return installedPlatform != nullptr; }

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\n' || c == '\r') {
      const char other = c == '\n' ? '\r' : '\n';
      if (i + 1 < text.size() && text[i + 1] == other)
        ++i;
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

std::vector<std::string> WrapLines(const std::string& text, int width,
                                   const std::function<int(const std::string&)>& measure) {
  std::vector<std::string> lines;
  for (const std::string& paragraph : SplitLines(text)) {
    std::istringstream words(paragraph);
    std::string word, line;
    while (words >> word) {
      const std::string candidate = line.empty() ? word : line + " " + word;
      if (!line.empty() && measure(candidate) > width) {
        lines.push_back(line);
        line = word;
      } else {
        line = candidate;
      }
    }
    lines.push_back(line);
  }
  return lines;
}

std::string BreakLongWords(const TFont& font, const std::string& text, int width) {
  const auto measure = [&](const std::string& part) {
    return Platform().MeasureText(font, part).Width;
  };
  std::string broken;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.find_first_of(" \n\r", at), text.size());
    std::string word = text.substr(at, end - at);
    while (measure(word) > width) {
      // The longest start of the word that fits, in whole UTF-8 characters, at least one.
      std::size_t cut = 1;
      for (std::size_t next = 1; next <= word.size(); ++next) {
        if (next < word.size() && (static_cast<unsigned char>(word[next]) & 0xC0) == 0x80)
          continue;
        if (measure(word.substr(0, next)) > width)
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

TTextSize FixedMetricTextSize(const TFont& font, const std::string& text) {
  const int lineHeight = (font.Size * 16 + 5) / 10; // 13 at 8 pt, 16 at 10 pt
  int widest = 0;
  const std::vector<std::string> lines = SplitLines(text);
  for (const std::string& line : lines) {
    int width = 0;
    for (unsigned char c : line)
      width += AdvanceAt8pt(c) + (font.Bold && (c & 0xC0) != 0x80 ? 1 : 0);
    widest = std::max(widest, width * font.Size / 8);
  }
  return {widest, lineHeight * static_cast<int>(lines.size())};
}

TTextSize TPlatform::MeasureText(const TFont& font, const std::string& text) {
  return FixedMetricTextSize(font, text);
}

std::string ProgramFolder() {
  const std::string path = Platform().ProgramPath();
  const std::size_t nameStart = ProgramNameStart(path);
  return nameStart == 0 ? "./" : path.substr(0, nameStart);
}

std::string ProgramFileName() {
  const std::string path = Platform().ProgramPath();
  return path.substr(ProgramNameStart(path));
}
