// Conversion between UTF-8 (in memory) and Windows-1252 (in the system's files).
#pragma once

#include <string>

// Turns Windows-1252 bytes into UTF-8. Every byte has a character: the five bytes that
// Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters
// of the same number, so that every byte sequence survives a round trip.
std::string Cp1252ToUtf8(const std::string& bytes);

// The character of one Windows-1252 byte, as Cp1252ToUtf8 converts it.
char32_t Cp1252CodePoint(unsigned char byte);

// Turns UTF-8 into Windows-1252 bytes. A character without a Windows-1252 byte, and every
// byte of a malformed UTF-8 sequence, becomes "?".
std::string Utf8ToCp1252(const std::string& utf8);

// Whether the UTF-8 text is well formed and every character has a Windows-1252 byte.
bool IsCp1252Representable(const std::string& utf8);

// The code points of a UTF-8 text; every byte of a malformed sequence gives U+FFFD.
std::u32string Utf8ToCodePoints(const std::string& utf8);

// One code point in UTF-8.
std::string CodePointToUtf8(char32_t codePoint);

// Number of code points of a UTF-8 text (a malformed byte counts as one).
std::size_t Utf8Length(const std::string& utf8);
