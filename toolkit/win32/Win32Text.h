// Text between the toolkit model and the Windows API, free of any window: UTF-8 and UTF-16,
// line breaks, menu entry texts, typed characters and font heights.
#pragma once

#include "toolkit/Types.h"

#include <string>

// UTF-8 (the model's text) as UTF-16 for a W function. A malformed byte becomes U+FFFD.
std::wstring Widen(const std::string& utf8);

// UTF-16 from a W function as UTF-8. An unpaired surrogate becomes U+FFFD.
std::string Narrow(const std::wstring& utf16);

// LF, CR LF, LF CR and a lone CR each become CR LF, the one line break Windows draws.
std::string WindowsLineBreaks(const std::string& text);

// The text of a menu entry: the caption ("&" marks the access letter) and, after a tab, the
// shortcut text ("Strg+S"), which Windows shows right-aligned.
std::string MenuEntryText(const std::string& caption, TShortCut shortCut);

// The character a key types into the model, from the key's virtual key code and the UTF-16
// units of the WM_CHAR messages it produced: printable characters (AltGr ones included), and
// Backspace, which the model's inputs use to delete, whatever the shift keys. 0 when it types
// none (control characters of Ctrl+letter, Escape, Return).
char32_t TypedCharacterOf(int virtualKey, const std::wstring& characters);

// The LOGFONT height of a font size in points on a 96-dpi screen: the negative character
// height in pixels, rounded (8 pt is -11, 10 pt -13).
int FontHeightOf(int points);
