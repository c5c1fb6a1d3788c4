// Tests of the apostrophe that keeps spreadsheets from running a CSV cell as a formula.
#include "tools/katalog/FormulaCell.h"

#include <gtest/gtest.h>

TEST(FormulaCell, NeutralisesFormulaStartsKeepsNumbersAndRestoresEveryText) {
  struct TCase {
    std::string Text;
    std::string Cell; // as the CSV carries it
  };
  const TCase cases[] = {
      {"", ""},
      {"=", "'="},
      {"=HYPERLINK(\"http://example.com\";\"x\")", "'=HYPERLINK(\"http://example.com\";\"x\")"},
      {"+1", "'+1"},
      {"@SUM(1)", "'@SUM(1)"},
      {"\tTab", "'\tTab"},
      {"\rWagenrücklauf", "'\rWagenrücklauf"},
      {"-", "'-"},
      {"-1 Grad", "'-1 Grad"},
      {"-1.", "'-1."},
      {"-3", "-3"}, // numbers stay numbers
      {"-0.5", "-0.5"},
      {"'", "'"},
      {"''", "''"},
      {"'s Wetter", "'s Wetter"},
      {"'-3", "'-3"},
      {"'=x", "''=x"}, // a text that looks neutralised keeps its own apostrophe
      {"''=x", "'''=x"},
      {"Frage = Antwort", "Frage = Antwort"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(NeutraliseFormula(c.Text), c.Cell);
    EXPECT_EQ(RestoreFormula(c.Cell), c.Text);
  }
}
