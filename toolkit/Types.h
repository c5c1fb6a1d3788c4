// Basic types of the window toolkit: fonts, keys, shortcuts, event signatures.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

class TObject {
public:
  virtual ~TObject() = default;
};

struct TFont {
  std::string Name = "MS Sans Serif";
  int Size = 8; // points
  bool Bold = false;
  bool Underline = false;
  uint32_t Color = 0x000000; // 0xRRGGBB

  bool operator==(const TFont& other) const {
    return Name == other.Name && Size == other.Size && Bold == other.Bold &&
           Underline == other.Underline && Color == other.Color;
  }
};

struct TTextSize {
  int Width = 0;
  int Height = 0;
};

// Virtual key codes as the classic desktop numbers them; letters and digits are their
// upper-case ASCII codes.
enum : int {
  vkBack = 8,
  vkTab = 9,
  vkReturn = 13,
  vkEscape = 27,
  vkSpace = 32,
  vkLeft = 37,
  vkUp = 38,
  vkRight = 39,
  vkDown = 40,
  vkDelete = 46,
  vkF1 = 112,
  vkF2 = 113,
  vkF3 = 114,
  vkF5 = 116,
  vkF10 = 121,
};

// Shift state bits; a shortcut is a key code with these bits.
using TShiftState = int;
enum : int { ssShift = 0x2000, ssCtrl = 0x4000, ssAlt = 0x8000 };
using TShortCut = int;
inline TShortCut ShortCut(int key, TShiftState shift = 0) { return key | shift; }

enum class TMouseButton { Left, Right, Middle };

// The mouse pointer's shape while it is over a control: the desktop's arrow, or the hand that
// marks a link.
enum TCursor : int { crDefault, crHandPoint };

using TNotifyEvent = std::function<void(TObject* sender)>;
using TKeyEvent = std::function<void(TObject* sender, int& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, char32_t& key)>;
using TMouseEvent =
    std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;

enum class TCloseAction { None, Hide, Free, Minimize };
using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;

enum class TBorderStyle { Single, ToolWindow, SizeToolWin, None };

// The outer frame of a window around its client area.
struct TFrameMetrics {
  int Side = 0;
  int Caption = 0;
};
TFrameMetrics FrameMetricsOf(TBorderStyle style);
// Height of a main menu bar.
constexpr int kMenuBarHeight = 19;
// Height of a push button when none is given.
constexpr int kButtonHeight = 25;
