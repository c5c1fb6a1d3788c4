// Export of a catalogue file as CSV.
#include "tools/katalog/CatalogueExport.h"

#include "core/QuestionRecordCodec.h"
#include "tools/katalog/CatalogueCsvColumns.h"
#include "tools/katalog/Csv.h"
#include "tools/katalog/FormulaCell.h"

#include <algorithm>
#include <cstring>

namespace {

RecordBytes RecordAt(const std::string& catalogueBytes, std::size_t recordNo) {
  RecordBytes bytes{};
  std::memcpy(bytes.data(), catalogueBytes.data() + recordNo * kRecordSize, kRecordSize);
  return bytes;
}

std::string CorrectLetters(const QuestionRecord& record) {
  std::string letters;
  if (record.CorrectA)
    letters += 'A';
  if (record.CorrectB)
    letters += 'B';
  if (record.CorrectC)
    letters += 'C';
  if (record.CorrectD)
    letters += 'D';
  return letters;
}

std::vector<std::string> RowOf(std::size_t recordNo, const QuestionRecord& record) {
  std::vector<std::string> row(kCatalogueColumnCount);
  row[colNr] = std::to_string(recordNo);
  row[colLicence] = std::to_string(record.Licence);
  row[colArea] = std::to_string(record.Area);
  row[colImage] = std::to_string(record.ImageNo);
  row[colCorrect] = CorrectLetters(record);
  row[colQuestion] = record.Question;
  row[colAnswerA] = record.AnswerA;
  row[colAnswerB] = record.AnswerB;
  row[colAnswerC] = record.AnswerC;
  row[colAnswerD] = record.AnswerD;
  row[colActive] = record.InUse ? "1" : "0";
  for (std::string& cell : row)
    cell = NeutraliseFormula(cell);
  return row;
}

} // namespace

std::string ExportCatalogueCsv(const std::string& catalogueBytes) {
  std::string csv =
      CsvLine({kCatalogueColumnNames.begin(), kCatalogueColumnNames.end()}, kCsvSeparator);
  const std::size_t count = catalogueBytes.size() / kRecordSize;
  for (std::size_t recordNo = 0; recordNo < count; ++recordNo)
    csv +=
        CsvLine(RowOf(recordNo, DecodeRecord(RecordAt(catalogueBytes, recordNo))), kCsvSeparator);
  return csv;
}

std::vector<int64_t> RecordsNotRestoredByImport(const std::string& catalogueBytes) {
  std::vector<int64_t> records;
  const std::size_t count = catalogueBytes.size() / kRecordSize;
  for (std::size_t recordNo = 0; recordNo < count; ++recordNo) {
    const RecordBytes bytes = RecordAt(catalogueBytes, recordNo);
    // What the import writes for this record's CSV row.
    QuestionRecord record = DecodeRecord(bytes);
    record.Owner = EditionOwner;
    if (EncodeRecord(record) != bytes)
      records.push_back(static_cast<int64_t>(recordNo));
  }
  return records;
}
