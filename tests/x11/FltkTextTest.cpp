// Tests of the FLTK backend's display-free conversions: labels, line breaks, keys, sizes, wraps.
#include "toolkit/Platform.h"
#include "toolkit/fltk/FltkText.h"

#include <FL/Enumerations.H>
#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

// Six pixels per byte: easy to reason about in wrapping tests.
int SixPerChar(const std::string& text) { return 6 * static_cast<int>(text.size()); }

} // namespace

TEST(FltkText, LineBreaksBecomeOneLfEach) {
  EXPECT_EQ(NormalizeLineBreaks("a\n\rb\r\nc\nd\re"), "a\nb\nc\nd\ne");
  EXPECT_EQ(NormalizeLineBreaks("a\n\n"), "a\n\n");
  EXPECT_EQ(NormalizeLineBreaks("\n\r\n\r"), "\n\n");
  EXPECT_EQ(NormalizeLineBreaks("\r\n\r\n"), "\n\n");
  EXPECT_EQ(NormalizeLineBreaks("ohne"), "ohne");
}

TEST(FltkText, LabelsEscapeSymbolsAndKeepAccessMarkersWhereWanted) {
  // "@" would start an FLTK symbol; "&" stays the access marker of a caption.
  EXPECT_EQ(FltkAccessLabel("&Ok @home"), "&Ok @@home");
  EXPECT_EQ(FltkAccessLabel("mail@"), "mail@@");
  EXPECT_EQ(FltkAccessLabel("Zeile 1\n\rZeile 2"), "Zeile 1\nZeile 2");
  // Data text shows every character as it is.
  EXPECT_EQ(FltkLiteralLabel("R&D @ x"), "R&&D @@ x");
  EXPECT_EQ(FltkLiteralLabel("a\r\nb"), "a\nb");
}

TEST(FltkText, AccessMarkersAndLetters) {
  EXPECT_EQ(StripAccessMarkers("&Datei && mehr"), "Datei & mehr");
  EXPECT_EQ(StripAccessMarkers("Ende&"), "Ende&");
  EXPECT_EQ(AccessLetterOf("Abbi&ldung..."), 'l');
  EXPECT_EQ(AccessLetterOf("&Ok"), 'o');
  EXPECT_EQ(AccessLetterOf("A&&B"), 0);
  EXPECT_EQ(AccessLetterOf("A&&B&c"), 'c');
  EXPECT_EQ(AccessLetterOf("ohne"), 0);
}

TEST(FltkText, PointsToPixelsAt96Dpi) {
  EXPECT_EQ(PointsToPixels(8), 11);
  EXPECT_EQ(PointsToPixels(9), 12);
  EXPECT_EQ(PointsToPixels(10), 13);
  EXPECT_EQ(PointsToPixels(12), 16);
  EXPECT_EQ(PointsToPixels(14), 19);
}

TEST(FltkText, KeysMapToTheModelsCodes) {
  EXPECT_EQ(ModelKeyOf('a'), 'A');
  EXPECT_EQ(ModelKeyOf('z'), 'Z');
  EXPECT_EQ(ModelKeyOf('5'), '5');
  EXPECT_EQ(ModelKeyOf(FL_F + 1), vkF1);
  EXPECT_EQ(ModelKeyOf(FL_F + 3), vkF3);
  EXPECT_EQ(ModelKeyOf(FL_F + 10), vkF10);
  EXPECT_EQ(ModelKeyOf(FL_Escape), vkEscape);
  EXPECT_EQ(ModelKeyOf(FL_Enter), vkReturn);
  EXPECT_EQ(ModelKeyOf(FL_KP_Enter), vkReturn);
  EXPECT_EQ(ModelKeyOf(FL_BackSpace), vkBack);
  EXPECT_EQ(ModelKeyOf(FL_Tab), vkTab);
  EXPECT_EQ(ModelKeyOf(0xfe20), vkTab); // Shift+Tab on X
  EXPECT_EQ(ModelKeyOf(' '), vkSpace);
  EXPECT_EQ(ModelKeyOf(FL_Delete), vkDelete);
  EXPECT_EQ(ModelKeyOf(FL_Left), vkLeft);
  EXPECT_EQ(ModelKeyOf(FL_Down), vkDown);
  EXPECT_EQ(ModelKeyOf(FL_KP + '7'), 96 + 7);
  EXPECT_EQ(ModelKeyOf(0xe4), 0); // an umlaut key has no code in the model
}

TEST(FltkText, ShiftStates) {
  EXPECT_EQ(ShiftStateOf(0), 0);
  EXPECT_EQ(ShiftStateOf(FL_SHIFT | FL_CTRL), ssShift | ssCtrl);
  EXPECT_EQ(ShiftStateOf(FL_ALT), ssAlt);
  EXPECT_EQ(ShiftStateOf(FL_CAPS_LOCK | FL_NUM_LOCK), 0);
}

TEST(FltkText, Utf8FirstCodePoint) {
  EXPECT_EQ(FirstCodePoint(""), 0U);
  EXPECT_EQ(FirstCodePoint("a"), U'a');
  EXPECT_EQ(FirstCodePoint("\xC3\xA4"), U'\u00E4');
  EXPECT_EQ(FirstCodePoint("\xE2\x82\xAC"), U'\u20AC');
  EXPECT_EQ(FirstCodePoint("\xF0\x9F\x98\x80"), U'\U0001F600');
  EXPECT_EQ(FirstCodePoint("\xC3"), U'\uFFFD');
  EXPECT_EQ(FirstCodePoint("\xC3x"), U'\uFFFD');
  EXPECT_EQ(FirstCodePoint("\x80"), U'\uFFFD');
}

TEST(FltkText, TypedCharacters) {
  EXPECT_EQ(TypedCharacterOf('a', 0, "a"), U'a');
  EXPECT_EQ(TypedCharacterOf('a', FL_SHIFT, "A"), U'A');
  EXPECT_EQ(TypedCharacterOf(0xe4, 0, "\xC3\xA4"), U'\u00E4');
  EXPECT_EQ(TypedCharacterOf(' ', 0, " "), U' ');
  // Backspace types the character the model's inputs delete with.
  EXPECT_EQ(TypedCharacterOf(FL_BackSpace, 0, "\b"), static_cast<char32_t>(vkBack));
  // Control keys and shortcuts type nothing.
  EXPECT_EQ(TypedCharacterOf(FL_Enter, 0, "\r"), 0U);
  EXPECT_EQ(TypedCharacterOf(FL_Escape, 0, "\x1b"), 0U);
  EXPECT_EQ(TypedCharacterOf(FL_Tab, 0, "\t"), 0U);
  EXPECT_EQ(TypedCharacterOf(FL_Delete, 0, "\x7f"), 0U);
  EXPECT_EQ(TypedCharacterOf('s', FL_CTRL, "\x13"), 0U);
  EXPECT_EQ(TypedCharacterOf('s', FL_ALT, "s"), 0U);
  EXPECT_EQ(TypedCharacterOf(FL_F + 1, 0, ""), 0U);
}

TEST(FltkText, WrappingFillsLinesGreedilyPerParagraph) {
  EXPECT_EQ(WrapLines("aa bb cc", 30, SixPerChar), (Lines{"aa bb", "cc"}));
  EXPECT_EQ(WrapLines("aa bb cc", 29, SixPerChar), (Lines{"aa", "bb", "cc"}));
  EXPECT_EQ(WrapLines("aa bb cc", 48, SixPerChar), (Lines{"aa bb cc"}));
  // A word longer than the width stands on its own line.
  EXPECT_EQ(WrapLines("x langeswort y", 30, SixPerChar), (Lines{"x", "langeswort", "y"}));
  // Each paragraph starts a new line; an empty one keeps its line.
  EXPECT_EQ(WrapLines("a\n\rb", 100, SixPerChar), (Lines{"a", "b"}));
  EXPECT_EQ(WrapLines("a\n\n  b", 100, SixPerChar), (Lines{"a", "", "b"}));
  // Runs of blanks collapse to one, as the label's height measure counts them.
  EXPECT_EQ(WrapLines("a    b", 100, SixPerChar), (Lines{"a b"}));
}

TEST(FltkText, MenuEntryLabelsCarryTheShortcutText) {
  EXPECT_EQ(MenuEntryLabel("&Speichern", ShortCut('S', ssCtrl)), "&Speichern\tStrg+S");
  EXPECT_EQ(MenuEntryLabel("&Info...", ShortCut(vkF1)), "&Info...\tF1");
  EXPECT_EQ(MenuEntryLabel("a@b", 0), "a@@b");
}
