// Tests of the CSV reader and writer used by the catalogue import and export.
#include "tools/katalog/Csv.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Texts(const TCsvRow& row) {
  std::vector<std::string> texts;
  for (const TCsvField& field : row.Fields)
    texts.push_back(field.Text);
  return texts;
}

} // namespace

TEST(Csv, WriterQuotesOnlyFieldsWithSeparatorQuoteOrLineBreak) {
  EXPECT_EQ(CsvLine({"plain", "", "with space ", "Grüße"}, ';'), "plain;;with space ;Grüße\n");
  EXPECT_EQ(CsvLine({"a;b", "say \"hi\"", "two\nlines", "cr\rhere", "\"\""}, ';'),
            "\"a;b\";\"say \"\"hi\"\"\";\"two\nlines\";\"cr\rhere\";\"\"\"\"\"\"\n");
  // A comma is no separator here.
  EXPECT_EQ(CsvLine({"1,5"}, ';'), "1,5\n");
}

TEST(Csv, ReaderRestoresWrittenFieldsAndTracksLines) {
  const std::vector<std::string> first = {"a;b", "say \"hi\"", "x\ny\r\nz", "", "cr\ronly"};
  const std::vector<std::string> second = {"", "last", ""};
  const std::vector<TCsvRow> rows = ParseCsv(CsvLine(first, ';') + CsvLine(second, ';'), ';');
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(Texts(rows[0]), first);
  EXPECT_EQ(Texts(rows[1]), second);
  // The third field of the first row holds two line breaks, so the second row starts on line 3.
  EXPECT_EQ(rows[0].Line, 1);
  EXPECT_EQ(rows[0].Fields[3].Line, 3);
  EXPECT_EQ(rows[0].Fields[4].Line, 3);
  EXPECT_EQ(rows[1].Line, 4);

  // CRLF between rows, no line end after the last row, an empty line in between.
  const std::vector<TCsvRow> crlf = ParseCsv("a;b\r\n\r\nc;\"d\"", ';');
  ASSERT_EQ(crlf.size(), 3u);
  EXPECT_EQ(Texts(crlf[0]), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(Texts(crlf[1]), (std::vector<std::string>{""}));
  EXPECT_EQ(Texts(crlf[2]), (std::vector<std::string>{"c", "d"}));
  EXPECT_EQ(crlf[2].Line, 3);

  EXPECT_TRUE(ParseCsv("", ';').empty());
  EXPECT_EQ(Texts(ParseCsv("a;", ';').at(0)), (std::vector<std::string>{"a", ""}));
}

TEST(Csv, SyntaxErrorsNameTheLineWhereTheyOccur) {
  struct TCase {
    const char* Text;
    int Line;
  };
  const TCase cases[] = {
      {"ok;ok\n\"open\nstill open\nno end", 2}, // reported where the quote was opened
      {"ok\nok\nab\"c;d\n", 3},                 // quote inside an unquoted field
      {"\"x\ny\"z;w\n", 2},                     // text after the closing quote
      {"a;b\rc;d\n", 1},                        // a carriage return alone
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    try {
      ParseCsv(c.Text, ';');
      ADD_FAILURE() << "no syntax error";
    } catch (const ECsvSyntaxError& error) {
      EXPECT_EQ(error.Line, c.Line);
    }
  }
}
