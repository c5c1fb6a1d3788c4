// Text-to-number conversion with the classic rules of the settings file.
#pragma once

#include <cstdint>
#include <string>

// Converts a text to a 32-bit integer: blanks before the number are skipped, then an optional
// sign, then decimal digits or a hexadecimal number after "$" or "0x". Anything else, a
// trailing blank, an empty text or a value outside 32 bits throws EConvertError.
int32_t StrToInt(const std::string& text);

// Removes leading and trailing characters with codes 0 to 32.
std::string TrimControls(const std::string& text);

// Turns the ASCII capitals A to Z into small letters; every other character stays.
std::string AsciiLower(const std::string& text);
