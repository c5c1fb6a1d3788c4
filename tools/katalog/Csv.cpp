// A strict CSV reader (errors carry line numbers) and the matching writer.
#include "tools/katalog/Csv.h"

namespace {

class TCsvReader {
public:
  TCsvReader(const std::string& text, char separator) : text(text), separator(separator) {}

  std::vector<TCsvRow> ReadAll() {
    std::vector<TCsvRow> rows;
    while (pos < text.size())
      rows.push_back(ReadRow());
    return rows;
  }

private:
  bool AtEnd() const { return pos >= text.size(); }

  TCsvRow ReadRow() {
    TCsvRow row;
    row.Line = line;
    for (;;) {
      row.Fields.push_back(ReadField());
      if (AtEnd())
        return row;
      if (text[pos] == separator) {
        ++pos;
        continue;
      }
      ConsumeLineEnd();
      return row;
    }
  }

  // Called with pos on CR or LF.
  void ConsumeLineEnd() {
    if (text[pos] == '\r') {
      if (pos + 1 >= text.size() || text[pos + 1] != '\n')
        throw ECsvSyntaxError(line, "Wagenrücklauf (CR) ohne folgenden Zeilenvorschub außerhalb "
                                    "von Anführungszeichen.");
      ++pos;
    }
    ++pos;
    ++line;
  }

  TCsvField ReadField() {
    TCsvField field;
    field.Line = line;
    if (!AtEnd() && text[pos] == '"')
      ReadQuoted(field.Text);
    else
      ReadPlain(field.Text);
    return field;
  }

  void ReadQuoted(std::string& out) {
    const int startLine = line;
    ++pos;
    for (;;) {
      if (AtEnd())
        throw ECsvSyntaxError(startLine, "Das Anführungszeichen am Feldanfang wird nicht "
                                         "geschlossen.");
      const char c = text[pos++];
      if (c == '"') {
        if (AtEnd() || text[pos] != '"')
          break;
        ++pos;
      } else if (c == '\n') {
        ++line;
      }
      out += c;
    }
    if (!AtEnd() && text[pos] != separator && text[pos] != '\r' && text[pos] != '\n')
      throw ECsvSyntaxError(line, "Nach dem schließenden Anführungszeichen folgt weiterer Text "
                                  "statt Trennzeichen oder Zeilenende.");
  }

  void ReadPlain(std::string& out) {
    while (!AtEnd() && text[pos] != separator && text[pos] != '\r' && text[pos] != '\n') {
      if (text[pos] == '"')
        throw ECsvSyntaxError(line, "Anführungszeichen mitten in einem Feld; ein solches Feld "
                                    "muss ganz in Anführungszeichen stehen und jedes "
                                    "Anführungszeichen verdoppeln.");
      out += text[pos++];
    }
  }

  const std::string& text;
  const char separator;
  std::size_t pos = 0;
  int line = 1;
};

std::string CsvField(const std::string& text, char separator) {
  if (text.find_first_of(std::string{separator, '"', '\r', '\n'}) == std::string::npos)
    return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"')
      quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

} // namespace

std::vector<TCsvRow> ParseCsv(const std::string& text, char separator) {
  return TCsvReader(text, separator).ReadAll();
}

std::string CsvLine(const std::vector<std::string>& fields, char separator) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0)
      line += separator;
    line += CsvField(fields[i], separator);
  }
  return line + '\n';
}
