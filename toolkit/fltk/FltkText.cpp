// Text, key and size conversions between the toolkit model and FLTK.
#include "toolkit/fltk/FltkText.h"

#include "toolkit/Cp1252.h"
#include "toolkit/Menus.h"
#include "toolkit/Platform.h"

#include <FL/Enumerations.H>

#include <cctype>
#include <sstream>

std::string NormalizeLineBreaks(const std::string& text) {
  const std::vector<std::string> lines = SplitLines(text);
  std::string joined = lines.front();
  for (std::size_t i = 1; i < lines.size(); ++i)
    joined += "\n" + lines[i];
  return joined;
}

std::string FltkAccessLabel(const std::string& caption) {
  std::string label;
  for (char c : NormalizeLineBreaks(caption)) {
    if (c == '@')
      label += '@';
    label += c;
  }
  return label;
}

std::string FltkLiteralLabel(const std::string& text) {
  std::string label;
  for (char c : NormalizeLineBreaks(text)) {
    if (c == '@' || c == '&')
      label += c;
    label += c;
  }
  return label;
}

int PointsToPixels(int points) { return (points * 96 + 36) / 72; }

int ModelKeyOf(int fltkKey) {
  if (fltkKey >= 'a' && fltkKey <= 'z')
    return fltkKey - 'a' + 'A';
  if ((fltkKey >= 'A' && fltkKey <= 'Z') || (fltkKey >= '0' && fltkKey <= '9'))
    return fltkKey;
  if (fltkKey > FL_F && fltkKey <= FL_F + 24)
    return vkF1 + (fltkKey - FL_F - 1);
  if (fltkKey >= FL_KP + '0' && fltkKey <= FL_KP + '9')
    return 96 + (fltkKey - FL_KP - '0'); // the numeric keypad's own codes
  switch (fltkKey) {
  case FL_BackSpace:
    return vkBack;
  case FL_Tab:
  case 0xfe20: // ISO_Left_Tab, what X reports for Shift+Tab
    return vkTab;
  case FL_Enter:
  case FL_KP_Enter:
    return vkReturn;
  case FL_Escape:
    return vkEscape;
  case ' ':
    return vkSpace;
  case FL_Page_Up:
    return 33;
  case FL_Page_Down:
    return 34;
  case FL_End:
    return 35;
  case FL_Home:
    return 36;
  case FL_Left:
    return vkLeft;
  case FL_Up:
    return vkUp;
  case FL_Right:
    return vkRight;
  case FL_Down:
    return vkDown;
  case FL_Insert:
    return 45;
  case FL_Delete:
    return vkDelete;
  case FL_Shift_L:
  case FL_Shift_R:
    return 16;
  case FL_Control_L:
  case FL_Control_R:
    return 17;
  case FL_Alt_L:
  case FL_Alt_R:
    return 18;
  default:
    return 0;
  }
}

TShiftState ShiftStateOf(int fltkState) {
  TShiftState shift = 0;
  if (fltkState & FL_SHIFT)
    shift |= ssShift;
  if (fltkState & FL_CTRL)
    shift |= ssCtrl;
  if (fltkState & FL_ALT)
    shift |= ssAlt;
  return shift;
}

char32_t FirstCodePoint(const std::string& utf8) {
  return utf8.empty() ? 0 : Utf8ToCodePoints(utf8)[0];
}

char32_t TypedCharacterOf(int fltkKey, int fltkState, const std::string& eventText) {
  if (fltkKey == FL_BackSpace)
    return vkBack;
  if (fltkState & (FL_CTRL | FL_ALT | FL_META))
    return 0;
  const char32_t character = FirstCodePoint(eventText);
  if (character < 32 || character == 127)
    return 0;
  return character;
}

std::string MenuEntryLabel(const std::string& caption, TShortCut shortCut) {
  std::string label = FltkAccessLabel(caption);
  if (shortCut != 0)
    label += "\t" + ShortCutToText(shortCut);
  return label;
}
