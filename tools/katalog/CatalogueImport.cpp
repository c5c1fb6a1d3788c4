// Import of the catalogue CSV: header, row shape, record order and field contents.
#include "tools/katalog/CatalogueImport.h"

#include "core/QuestionRecordCodec.h"
#include "tools/katalog/CatalogueCsvColumns.h"
#include "tools/katalog/CategoryTable.h"
#include "tools/katalog/Csv.h"
#include "tools/katalog/FormulaCell.h"
#include "tools/katalog/ImportFields.h"

#include <algorithm>
#include <limits>

namespace {

const std::string kByteOrderMark = "\xEF\xBB\xBF";

// The header line as the export writes it, without its line end.
std::string HeaderText() {
  std::string header =
      CsvLine({kCatalogueColumnNames.begin(), kCatalogueColumnNames.end()}, kCsvSeparator);
  header.pop_back();
  return header;
}

bool IsHeader(const TCsvRow& row) {
  if (row.Fields.size() != kCatalogueColumnCount)
    return false;
  for (std::size_t i = 0; i < row.Fields.size(); ++i)
    if (row.Fields[i].Text != kCatalogueColumnNames[i])
      return false;
  return true;
}

// A byte order mark of UTF-16, or, without one, a zero in every second of the first bytes and
// none in the others: the header is ASCII, which UTF-16 writes as a letter byte and a zero byte.
bool IsUtf16(const std::string& csv) {
  if (csv.compare(0, 2, "\xFF\xFE") == 0 || csv.compare(0, 2, "\xFE\xFF") == 0)
    return true;
  const std::size_t sample = std::min<std::size_t>(csv.size(), 64) / 2 * 2;
  if (sample == 0)
    return false;
  bool evenZero = true, oddZero = true, evenLetters = true, oddLetters = true;
  for (std::size_t i = 0; i < sample; ++i) {
    const bool zero = csv[i] == '\0';
    bool& allZero = i % 2 == 0 ? evenZero : oddZero;
    bool& noZero = i % 2 == 0 ? evenLetters : oddLetters;
    allZero = allZero && zero;
    noZero = noZero && !zero;
  }
  return (evenZero && oddLetters) || (oddZero && evenLetters);
}

bool IsBlankLine(const TCsvRow& row) {
  return row.Fields.size() == 1 && row.Fields[0].Text.empty();
}

class TRowImporter {
public:
  explicit TRowImporter(std::vector<TImportError>& errors) : errors(errors) {}

  // Fills `record` from the row; returns false (with errors noted) when the row is unusable.
  bool Import(const TCsvRow& row, QuestionRecord& record) {
    const std::size_t errorsBefore = errors.size();
    if (row.Fields.size() != kCatalogueColumnCount) {
      Fail(row.Line, std::to_string(row.Fields.size()) + " Felder statt " +
                         std::to_string(kCatalogueColumnCount) + ".");
      // The row still stands for one record; the next row's number must not be blamed.
      ++nextRecordNo;
      return false;
    }
    const auto& f = row.Fields;
    CheckRecordNo(f[colNr]);
    record.Owner = EditionOwner;
    int64_t licence = 0, area = 0, image = 0;
    const int64_t int16Min = std::numeric_limits<int16_t>::min();
    const int64_t int16Max = std::numeric_limits<int16_t>::max();
    const bool licenceOk = Note(
        f[colLicence], ParseWholeNumber(f[colLicence].Text, "Lizenz", int16Min, int16Max, licence));
    const bool areaOk =
        Note(f[colArea], ParseWholeNumber(f[colArea].Text, "Bereich", int16Min, int16Max, area));
    if (licenceOk && areaOk && CatalogueCategoryIndex(int(licence), int(area)) < 0)
      Fail(f[colLicence].Line, "Lizenz " + std::to_string(licence) + " mit Bereich " +
                                   std::to_string(area) + " ist keine Kategorie.");
    Note(f[colImage],
         ParseWholeNumber(f[colImage].Text, "Skizze", std::numeric_limits<int32_t>::min(),
                          std::numeric_limits<int32_t>::max(), image));
    bool correct[4] = {false, false, false, false};
    Note(f[colCorrect], ParseCorrectLetters(f[colCorrect].Text, correct));
    Note(f[colActive], ParseActiveFlag(f[colActive].Text, record.InUse));
    ImportText(f[colQuestion], "Frage", record.Question);
    ImportText(f[colAnswerA], "Antwort A", record.AnswerA);
    ImportText(f[colAnswerB], "Antwort B", record.AnswerB);
    ImportText(f[colAnswerC], "Antwort C", record.AnswerC);
    ImportText(f[colAnswerD], "Antwort D", record.AnswerD);
    record.Licence = static_cast<int16_t>(licence);
    record.Area = static_cast<int16_t>(area);
    record.ImageNo = static_cast<int32_t>(image);
    record.CorrectA = correct[0];
    record.CorrectB = correct[1];
    record.CorrectC = correct[2];
    record.CorrectD = correct[3];
    return errors.size() == errorsBefore;
  }

private:
  // A knowledge file names questions by record number, so rows may be neither left out nor
  // reordered. After a mismatch the count follows the row's own number, so that one gap is
  // reported once rather than on every later row.
  void CheckRecordNo(const TCsvField& field) {
    int64_t recordNo = -1;
    if (!Note(field, ParseWholeNumber(field.Text, "Nr", 0, std::numeric_limits<int32_t>::max(),
                                      recordNo))) {
      ++nextRecordNo;
      return;
    }
    if (recordNo != nextRecordNo)
      Fail(field.Line, "Nr ist " + std::to_string(recordNo) + ", erwartet wurde " +
                           std::to_string(nextRecordNo) +
                           " (fortlaufend ab 0, gelöschte Datensätze eingeschlossen).");
    nextRecordNo = recordNo + 1;
  }

  void ImportText(const TCsvField& field, const char* column, std::string& target) {
    if (Note(field, CheckFieldText(field.Text, column)))
      target = field.Text;
  }

  bool Note(const TCsvField& field, const std::string& problem) {
    if (problem.empty())
      return true;
    Fail(field.Line, problem);
    return false;
  }

  void Fail(int line, const std::string& text) { errors.push_back({line, text}); }

  std::vector<TImportError>& errors;
  int64_t nextRecordNo = 0;
};

} // namespace

TImportResult ImportCatalogueCsv(const std::string& csv) {
  TImportResult result;
  if (IsUtf16(csv)) {
    result.Errors.push_back({1, "Die Datei ist in UTF-16 gespeichert; bitte als UTF-8 speichern "
                                "(in der Tabellenkalkulation als CSV mit dem Zeichensatz "
                                "„Unicode (UTF-8)“)."});
    return result;
  }
  const bool hasMark = csv.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0;
  std::vector<TCsvRow> rows;
  try {
    rows = ParseCsv(hasMark ? csv.substr(kByteOrderMark.size()) : csv, kCsvSeparator);
  } catch (const ECsvSyntaxError& error) {
    result.Errors.push_back({error.Line, error.what()});
    return result;
  }
  for (TCsvRow& row : rows)
    for (TCsvField& field : row.Fields)
      field.Text = RestoreFormula(field.Text);
  // Editors often leave empty lines at the end; they hold no record.
  while (!rows.empty() && IsBlankLine(rows.back()))
    rows.pop_back();
  if (rows.empty()) {
    result.Errors.push_back(
        {1, "Die Datei ist leer; erwartet wird die Kopfzeile " + HeaderText() + "."});
    return result;
  }
  if (!IsHeader(rows[0])) {
    result.Errors.push_back(
        {rows[0].Line, "Die Kopfzeile muss genau " + HeaderText() + " lauten."});
    return result;
  }
  // The program's edition check reads a record at start-up, so an empty catalogue cannot work.
  if (rows.size() == 1) {
    result.Errors.push_back({rows[0].Line + 1, "Nach der Kopfzeile folgt keine Frage."});
    return result;
  }
  TRowImporter importer(result.Errors);
  for (std::size_t i = 1; i < rows.size(); ++i) {
    QuestionRecord record;
    if (!importer.Import(rows[i], record))
      continue;
    const RecordBytes bytes = EncodeRecord(record);
    result.CatalogueBytes.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (!record.InUse)
      ++result.DeletedRecords;
  }
  return result;
}
