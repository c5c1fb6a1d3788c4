// Reading and writing RFC 4180 style CSV text with a chosen separator.
#pragma once

#include "toolkit/Exceptions.h"

#include <string>
#include <vector>

struct TCsvField {
  std::string Text;
  int Line = 0; // the line the field starts on, counted from 1
};

struct TCsvRow {
  int Line = 0; // the line the row starts on
  std::vector<TCsvField> Fields;
};

// Malformed CSV: a quote left open, a quote inside an unquoted field, text after a closing
// quote, or a carriage return that does not end a line.
class ECsvSyntaxError : public Exception {
public:
  ECsvSyntaxError(int line, const std::string& message) : Exception(message), Line(line) {}
  int Line;
};

// Splits CSV text into rows. Rows end with LF or CRLF; the last one may lack its line end.
// A quoted field keeps everything between its quotes literally, line ends included, with ""
// standing for one quote. An empty line is a row of one empty field.
std::vector<TCsvRow> ParseCsv(const std::string& text, char separator);

// One CSV line ending in LF. A field is quoted only when it holds the separator, a quote,
// CR or LF, so that plain rows stay readable.
std::string CsvLine(const std::vector<std::string>& fields, char separator);
