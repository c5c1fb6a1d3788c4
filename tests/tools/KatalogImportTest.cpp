// Tests of the catalogue import: accepted variants of the CSV and every kind of rejected input.
#include "KatalogTestSupport.h"

#include "support/TempDir.h"
#include "tools/katalog/CatalogueImport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// A valid row body after the Nr column.
const std::string kGood = "1;1;0;A;Frage;a;b;c;d;1\n";

std::string RepeatUtf8(const std::string& character, int times) {
  std::string text;
  for (int i = 0; i < times; ++i)
    text += character;
  return text;
}

// ASCII text as UTF-16, as spreadsheets save "Unicode text".
std::string Utf16(const std::string& ascii, bool bigEndian) {
  std::string text;
  for (char c : ascii)
    text += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
  return text;
}

} // namespace

TEST(KatalogImport, AcceptsByteOrderMarkCrLfLowercaseLettersAndTrailingBlankLines) {
  const std::string csv = "\xEF\xBB\xBF"
                          "Nr;Lizenz;Bereich;Skizze;Richtig;Frage;Antwort A;Antwort B;"
                          "Antwort C;Antwort D;Aktiv\r\n"
                          "0;7;10;-5;db;\" Wie hoch?\r\nIn Metern \";100;\"1;5\";Ä;\"\";1\r\n"
                          "1;0;0;0;;gelöscht;a;b;c;d;0\r\n"
                          "\r\n\r\n";
  const TImportResult result = ImportCatalogueCsv(csv);
  ASSERT_TRUE(result.Errors.empty()) << result.Errors[0].Line << ": " << result.Errors[0].Text;
  ASSERT_EQ(result.CatalogueBytes.size(), 2 * kRecordSize);
  EXPECT_EQ(result.DeletedRecords, 1);

  RecordBytes bytes{};
  std::memcpy(bytes.data(), result.CatalogueBytes.data(), kRecordSize);
  const QuestionRecord first = DecodeRecord(bytes);
  EXPECT_TRUE(first.InUse);
  EXPECT_EQ(first.Owner, EditionOwner);
  EXPECT_EQ(first.Licence, 7);
  EXPECT_EQ(first.Area, 10);
  EXPECT_EQ(first.ImageNo, -5);
  EXPECT_FALSE(first.CorrectA);
  EXPECT_TRUE(first.CorrectB);
  EXPECT_FALSE(first.CorrectC);
  EXPECT_TRUE(first.CorrectD);
  EXPECT_EQ(first.Question, " Wie hoch?\r\nIn Metern "); // stored as given, line end included
  EXPECT_EQ(first.AnswerB, "1;5");
  EXPECT_EQ(first.AnswerC, "Ä");
  EXPECT_EQ(bytes[kOffQuestion + 1], ' ');
  EXPECT_EQ(static_cast<uint8_t>(bytes[kOffAnswerC + 1]), 0xC4); // Ä in Windows-1252
  EXPECT_EQ(ReadInt16(bytes.data() + kOffReserved16), 0);

  std::memcpy(bytes.data(), result.CatalogueBytes.data() + kRecordSize, kRecordSize);
  const QuestionRecord second = DecodeRecord(bytes);
  EXPECT_FALSE(second.InUse);
  EXPECT_EQ(second.Owner, EditionOwner);
  EXPECT_FALSE(second.CorrectA || second.CorrectB || second.CorrectC || second.CorrectD);
}

TEST(KatalogImport, RejectsBadInputWithItsLineAndLeavesNoFile) {
  struct TCase {
    std::string Name;
    std::string Csv;
    int Line;
    std::string Fragment;
  };
  const std::string h = kCsvHeaderLine;
  const std::string utf16 = "Die Datei ist in UTF-16 gespeichert; bitte als UTF-8 speichern";
  const std::vector<TCase> cases = {
      {"empty file", "", 1, "leer"},
      {"UTF-16 little endian", "\xFF\xFE" + Utf16(h + "0;" + kGood, false), 1, utf16},
      {"UTF-16 big endian", "\xFE\xFF" + Utf16(h + "0;" + kGood, true), 1, utf16},
      {"UTF-16 without byte order mark", Utf16(h + "0;" + kGood, false), 1, utf16},
      {"only a byte order mark", "\xEF\xBB\xBF", 1, "leer"},
      {"only blank lines", "\n\n", 1, "leer"},
      {"wrong header",
       "Nr;Lizenz;Bereich;Bild;Richtig;Frage;Antwort A;Antwort B;Antwort C;"
       "Antwort D;Aktiv\n0;" +
           kGood,
       1, "Kopfzeile"},
      {"header with a column missing", "Nr;Lizenz;Bereich;Skizze;Richtig;Frage\n", 1, "Kopfzeile"},
      {"header only", h, 2, "keine Frage"},
      {"question of 256 characters",
       h + "0;" + kGood + "1;1;1;0;A;" + RepeatUtf8("ü", 256) + ";a;b;c;d;1\n", 3, "256 Zeichen"},
      {"answer of 256 characters", h + "0;1;1;0;A;F;a;" + std::string(256, 'x') + ";c;d;1\n", 2,
       "Antwort B ist 256"},
      {"character outside Windows-1252", h + "0;" + kGood + "1;1;1;0;A;Haken ✓;a;b;c;d;1\n", 3,
       "U+2713"},
      {"malformed UTF-8", h + "0;1;1;0;A;F;a;b;c;\xFF;1\n", 2, "UTF-8"},
      {"licence without that area", h + "0;3;2;0;A;F;a;b;c;d;1\n", 2, "keine Kategorie"},
      {"unknown licence", h + "0;" + kGood + "1;8;1;0;A;F;a;b;c;d;1\n", 3, "keine Kategorie"},
      {"licence 0 with an area", h + "0;0;1;0;A;F;a;b;c;d;1\n", 2, "keine Kategorie"},
      {"area 11 of licence 7", h + "0;7;11;0;A;F;a;b;c;d;1\n", 2, "keine Kategorie"},
      {"too few fields", h + "0;" + kGood + "1;1;1;0;A;F;a;b;c;1\n", 3, "10 Felder statt 11"},
      {"too many fields", h + "0;1;1;0;A;F;a;b;c;d;1;x\n", 2, "12 Felder statt 11"},
      {"quote left open", h + "0;" + kGood + "1;1;1;0;A;\"F\na;b;c;d;1\n", 3, "nicht geschlossen"},
      {"licence not a number", h + "0;1a;1;0;A;F;a;b;c;d;1\n", 2, "Lizenz „1a“"},
      {"image empty", h + "0;1;1;;A;F;a;b;c;d;1\n", 2, "Skizze"},
      {"image beyond 32 bits", h + "0;1;1;2147483648;A;F;a;b;c;d;1\n", 2, "außerhalb"},
      {"record number with a blank", h + "0 ;" + kGood, 2, "Nr „0 “"},
      {"letter E", h + "0;1;1;0;AE;F;a;b;c;d;1\n", 2, "Richtig „AE“"},
      {"letter twice", h + "0;1;1;0;BB;F;a;b;c;d;1\n", 2, "Richtig „BB“"},
      {"letters with a blank", h + "0;1;1;0;A B;F;a;b;c;d;1\n", 2, "Richtig"},
      {"active 2", h + "0;1;1;0;A;F;a;b;c;d;2\n", 2, "Aktiv „2“"},
      {"active empty", h + "0;1;1;0;A;F;a;b;c;d;\n", 2, "Aktiv „“"},
      {"first number not 0", h + "1;" + kGood, 2, "erwartet wurde 0"},
      {"gap in the numbers", h + "0;" + kGood + "2;" + kGood, 3, "erwartet wurde 1"},
      {"numbers swapped", h + "0;" + kGood + "2;" + kGood + "1;" + kGood, 3, "erwartet wurde 1"},
      {"line count after a quoted line break",
       h + "0;1;1;0;A;\"zwei\nZeilen\";a;b;c;d;1\n1;1;1;0;A;F;a;b;c;d;x\n", 4, "Aktiv „x“"},
      {"field on the second line of its row", h + "0;1;1;0;A;\"zwei\nZeilen\";a;b;c;d;9\n", 3,
       "Aktiv „9“"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TTempDir dir;
    WriteFileBytes("katalog.csv", c.Csv);
    const TToolRun run = RunTool({"import", "katalog.csv", "-o", "Aerolern.dat"});
    EXPECT_EQ(run.Status, 1);
    const std::string where = "katalog.csv, Zeile " + std::to_string(c.Line) + ": ";
    const std::size_t at = run.Err.find(where);
    ASSERT_NE(at, std::string::npos) << run.Err;
    const std::string message = run.Err.substr(at, run.Err.find('\n', at) - at);
    EXPECT_NE(message.find(c.Fragment), std::string::npos) << run.Err;
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::string>{"katalog.csv"});
  }
}

TEST(KatalogImport, ReportsEveryBadRowButAGapOnlyOnce) {
  const std::string csv = std::string(kCsvHeaderLine) + "0;" + kGood + "1;1;1;0;Q;F;a;b;c;d;1\n" +
                          "2;" + kGood + "3;1;1;0;A;F;a;b;c;d\n" + "4;" + kGood + "6;" + kGood +
                          "7;9;9;0;A;F;a;b;c;d;1\n" + "8;" + kGood;
  const TImportResult result = ImportCatalogueCsv(csv);
  std::vector<int> lines;
  for (const TImportError& error : result.Errors)
    lines.push_back(error.Line);
  // Bad letter, short row, the gap after 4, the bad pair; no follow-up errors from the gap.
  EXPECT_EQ(lines, (std::vector<int>{3, 5, 7, 8}));
}

TEST(KatalogImport, FailedImportKeepsTheExistingCatalogue) {
  TTempDir dir;
  const std::string old = CatalogueBytes({EditionQuestion(1, 1, "alt")});
  WriteFileBytes("Aerolern.dat", old);
  WriteFileBytes("katalog.csv", std::string(kCsvHeaderLine) + "0;9;9;0;A;F;a;b;c;d;1\n");
  EXPECT_EQ(RunTool({"import", "katalog.csv", "-o", "Aerolern.dat"}).Status, 1);
  EXPECT_TRUE(ReadFileBytes("Aerolern.dat") == old);
  EXPECT_EQ(FilesIn(dir.Path()), (std::vector<std::string>{"Aerolern.dat", "katalog.csv"}));

  // A good import replaces it.
  WriteFileBytes("katalog.csv", std::string(kCsvHeaderLine) + "0;" + kGood + "1;" + kGood);
  const TToolRun run = RunTool({"import", "katalog.csv", "-o", "Aerolern.dat"});
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(ReadFileBytes("Aerolern.dat").size(), 2 * kRecordSize);
  EXPECT_EQ(FilesIn(dir.Path()), (std::vector<std::string>{"Aerolern.dat", "katalog.csv"}));
}
