// Tests that export and import of the catalogue are exact inverses for catalogues the program
// wrote.
#include "KatalogTestSupport.h"

#include "support/TempDir.h"
#include "toolkit/Cp1252.h"
#include "tools/katalog/CatalogueExport.h"
#include "tools/katalog/CatalogueImport.h"
#include "tools/katalog/CategoryTable.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

// Records that exercise every field: all categories, all flag combinations, deleted ones,
// texts with CSV syntax, line breaks, umlauts and every Windows-1252 byte, extreme image numbers.
std::vector<QuestionRecord> DemandingRecords() {
  std::vector<QuestionRecord> records;
  for (const TCategory& category : CatalogueCategories())
    records.push_back(EditionQuestion(static_cast<int16_t>(category.Licence),
                                      static_cast<int16_t>(category.Area),
                                      "Frage zu " + CategoryCode(category.Licence, category.Area)));
  for (int flags = 0; flags < 16; ++flags) {
    QuestionRecord record = EditionQuestion(1, 2, "Flags " + std::to_string(flags));
    record.CorrectA = flags & 1;
    record.CorrectB = flags & 2;
    record.CorrectC = flags & 4;
    record.CorrectD = flags & 8;
    record.InUse = flags % 3 != 0; // deleted records among them
    records.push_back(record);
  }
  QuestionRecord texts = EditionQuestion(7, 10, "Was zeigt \"Föhn\"; und was nicht?");
  texts.AnswerA = "erste Zeile\nzweite Zeile";
  texts.AnswerB = "Windows\r\nZeilenende und \ralter Mac";
  texts.AnswerC = "  Leerraum bleibt  ";
  texts.AnswerD = "";
  texts.ImageNo = -1;
  records.push_back(texts);

  std::string everyByte; // all 255 non-zero bytes fill a text field exactly
  for (int byte = 1; byte <= 255; ++byte)
    everyByte += static_cast<char>(byte);
  static_assert(kTextCapacity == 255, "the text of every byte should fill its field");
  QuestionRecord bytes = EditionQuestion(0, 0, Cp1252ToUtf8(everyByte));
  bytes.AnswerA = Cp1252ToUtf8(std::string("mit\0Null", 8));
  bytes.AnswerB = "Öl, Maß, € und “Anführung”";
  bytes.ImageNo = std::numeric_limits<int32_t>::min();
  records.push_back(bytes);

  // Cells a spreadsheet would run as formulas, texts that look neutralised, a number as text, and
  // a full field that only fits once the export's apostrophe is taken away again.
  QuestionRecord formulas = EditionQuestion(1, 3, "=HYPERLINK(\"http://example.com\";\"x\")");
  formulas.AnswerA = "'=x";
  formulas.AnswerB = "''+1";
  formulas.AnswerC = "-1";
  formulas.AnswerD = "@SUM(1)";
  records.push_back(formulas);
  QuestionRecord starts = EditionQuestion(1, 3, "=" + std::string(kTextCapacity - 1, 'x'));
  starts.AnswerA = "\tTab";
  starts.AnswerB = "'";
  starts.AnswerC = "-";
  starts.AnswerD = "\rvorn";
  records.push_back(starts);

  QuestionRecord image = EditionQuestion(3, 1, "Skizze");
  image.ImageNo = std::numeric_limits<int32_t>::max();
  records.push_back(image);
  QuestionRecord noImage = EditionQuestion(3, 1, "ohne Skizze");
  noImage.ImageNo = 0;
  noImage.InUse = false;
  records.push_back(noImage);
  return records;
}

} // namespace

TEST(KatalogRoundTrip, ImportOfTheExportGivesTheSameBytes) {
  const std::vector<QuestionRecord> records = DemandingRecords();
  const std::string catalogue = CatalogueBytes(records);

  const TImportResult result = ImportCatalogueCsv(ExportCatalogueCsv(catalogue));
  for (const TImportError& error : result.Errors)
    ADD_FAILURE() << "Zeile " << error.Line << ": " << error.Text;
  EXPECT_TRUE(result.CatalogueBytes == catalogue) << "import of the export differs";
  EXPECT_TRUE(RecordsNotRestoredByImport(catalogue).empty());
}

TEST(KatalogRoundTrip, CommandLineExportAndImportReproduceTheFile) {
  TTempDir dir;
  const std::string catalogue = CatalogueBytes(DemandingRecords());
  WriteFileBytes("Aerolern.dat", catalogue);

  const TToolRun toFile = RunTool({"export", "Aerolern.dat", "-o", "katalog.csv"});
  EXPECT_EQ(toFile.Status, 0);
  EXPECT_EQ(toFile.Err, "");
  const TToolRun toStdout = RunTool({"export", "Aerolern.dat"});
  EXPECT_EQ(toStdout.Status, 0);
  EXPECT_EQ(toStdout.Out, ReadFileBytes("katalog.csv"));

  const TToolRun import = RunTool({"import", "katalog.csv", "-o", "neu.dat"});
  EXPECT_EQ(import.Status, 0) << import.Err;
  EXPECT_TRUE(ReadFileBytes("neu.dat") == catalogue) << "import of the export differs";
  EXPECT_EQ(FilesIn(dir.Path()),
            (std::vector<std::string>{"Aerolern.dat", "katalog.csv", "neu.dat"}));
}

TEST(KatalogExport, WritesOneRowPerRecordInColumnOrder) {
  QuestionRecord first = EditionQuestion(1, 4, "Wie heißt \"das\"?");
  first.CorrectA = false;
  first.CorrectB = true;
  first.CorrectD = true;
  first.ImageNo = 12;
  QuestionRecord deleted = EditionQuestion(7, 10, "alt;weg");
  deleted.InUse = false;
  deleted.CorrectB = false;
  deleted.ImageNo = -3;
  deleted.AnswerC = "=1+1";
  deleted.AnswerD = "zwei\nZeilen";
  EXPECT_EQ(ExportCatalogueCsv(CatalogueBytes({first, deleted})),
            std::string(kCsvHeaderLine) +
                "0;1;4;12;BD;\"Wie heißt \"\"das\"\"?\";Antwort eins;Antwort zwei;"
                "Antwort drei;Antwort vier;1\n"
                "1;7;10;-3;;\"alt;weg\";Antwort eins;Antwort zwei;'=1+1;"
                "\"zwei\nZeilen\";0\n");
}
