// Checks and conversions of single CSV fields for the catalogue import. Each returns an empty
// text on success and otherwise a German sentence naming the column and what is wrong.
#pragma once

#include <cstdint>
#include <string>

// A whole decimal number: an optional minus sign and digits, nothing else, within the limits.
std::string ParseWholeNumber(const std::string& text, const char* column, int64_t minimum,
                             int64_t maximum, int64_t& value);

// The letters of the correct answers: A to D in either case, each at most once, in any order;
// empty for none.
std::string ParseCorrectLetters(const std::string& text, bool (&correct)[4]);

// "1" for an active question, "0" for a deleted record.
std::string ParseActiveFlag(const std::string& text, bool& active);

// A text for a 255-character field: well-formed UTF-8, every character in Windows-1252, and
// no more characters than the field holds.
std::string CheckFieldText(const std::string& utf8, const char* column);
