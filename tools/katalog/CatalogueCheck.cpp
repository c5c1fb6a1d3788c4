// The catalogue validator behind the check command and the warnings of the export.
#include "tools/katalog/CatalogueCheck.h"

#include "core/QuestionRecordCodec.h"
#include "toolkit/Convert.h"
#include "tools/katalog/CategoryTable.h"

#include <cstring>
#include <iomanip>

namespace {

struct TTextField {
  std::size_t Offset;
  std::size_t Capacity;
  const char* Name;
};

constexpr TTextField kTextFields[] = {
    {kOffOwner, kOwnerCapacity, "Eigentümer"}, {kOffQuestion, kTextCapacity, "Frage"},
    {kOffAnswerA, kTextCapacity, "Antwort A"}, {kOffAnswerB, kTextCapacity, "Antwort B"},
    {kOffAnswerC, kTextCapacity, "Antwort C"}, {kOffAnswerD, kTextCapacity, "Antwort D"}};

class TRecordChecker {
public:
  TRecordChecker(TCheckReport& report, int64_t recordNo) : report(report), recordNo(recordNo) {}

  void Check(const RecordBytes& bytes) {
    for (const TTextField& field : kTextFields)
      if (bytes[field.Offset] > field.Capacity)
        Problem("Längenbyte des Feldes „" + std::string(field.Name) + "“ ist " +
                std::to_string(bytes[field.Offset]) + ", das Feld fasst " +
                std::to_string(field.Capacity) + " Zeichen.");
    const QuestionRecord record = DecodeRecord(bytes);
    if (AsciiLower(TrimControls(record.Owner)) != AsciiLower(EditionOwner))
      Problem("Eigentümer „" + record.Owner + "“ statt „" + EditionOwner + "“.");
    const int category = CatalogueCategoryIndex(record.Licence, record.Area);
    if (category < 0)
      Problem("Lizenz " + std::to_string(record.Licence) + " mit Bereich " +
              std::to_string(record.Area) + " ist keine Kategorie.");
    if (!record.InUse)
      ++report.DeletedRecords;
    else if (category >= 0)
      ++report.QuestionsPerCategory[category];
  }

private:
  void Problem(const std::string& text) { report.Problems.push_back({recordNo, text}); }

  TCheckReport& report;
  int64_t recordNo;
};

} // namespace

TCheckReport CheckCatalogue(const std::string& catalogueBytes) {
  TCheckReport report;
  report.QuestionsPerCategory.assign(CatalogueCategories().size(), 0);
  report.Records = static_cast<int64_t>(catalogueBytes.size() / kRecordSize);
  // The program's edition check reads a record at start-up and fails on an empty file.
  if (catalogueBytes.empty())
    report.Problems.push_back({-1, "Die Datei enthält keinen Datensatz."});
  for (int64_t recordNo = 0; recordNo < report.Records; ++recordNo) {
    RecordBytes bytes{};
    std::memcpy(bytes.data(), catalogueBytes.data() + recordNo * kRecordSize, kRecordSize);
    TRecordChecker(report, recordNo).Check(bytes);
  }
  const std::size_t rest = catalogueBytes.size() % kRecordSize;
  if (rest != 0)
    report.Problems.push_back({report.Records, "unvollständig, nur " + std::to_string(rest) +
                                                   " von " + std::to_string(kRecordSize) +
                                                   " Bytes (die Dateigröße " +
                                                   std::to_string(catalogueBytes.size()) +
                                                   " ist kein Vielfaches der Datensatzlänge)."});
  return report;
}

void PrintCheckReport(const TCheckReport& report, const std::string& fileName, std::ostream& out) {
  out << fileName << ": " << report.Records << " Datensätze zu je " << kRecordSize << " Bytes\n\n";
  out << "Kat.  Fragen  Bezeichnung\n";
  int64_t questions = 0;
  const auto& categories = CatalogueCategories();
  for (std::size_t i = 0; i < categories.size(); ++i) {
    const TCategory& category = categories[i];
    out << std::left << std::setw(4) << CategoryCode(category.Licence, category.Area) << std::right
        << std::setw(8) << report.QuestionsPerCategory[i] << "  "
        << CategoryDisplayName(category.Licence, category.Area) << '\n';
    questions += report.QuestionsPerCategory[i];
  }
  out << "\nFragen in Kategorien: " << questions << '\n';
  out << "Gelöschte Datensätze: " << report.DeletedRecords << '\n';
  if (report.Problems.empty()) {
    out << "Keine Probleme gefunden.\n";
    return;
  }
  out << "Probleme: " << report.Problems.size() << '\n';
  for (const TCatalogueProblem& problem : report.Problems) {
    out << "  ";
    if (problem.RecordNo >= 0)
      out << "Datensatz " << problem.RecordNo << ": ";
    out << problem.Text << '\n';
  }
}
