// Tests of the catalogue check: counts of a clean catalogue and the report of corrupted records.
#include "KatalogTestSupport.h"

#include "support/TempDir.h"
#include "tools/katalog/CatalogueCheck.h"
#include "tools/katalog/CategoryTable.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

int64_t CountOf(const TCheckReport& report, int licence, int area) {
  return report.QuestionsPerCategory.at(CatalogueCategoryIndex(licence, area));
}

// The count the printed report gives for a category code, or -1 when it has no such line.
int64_t PrintedCount(const std::string& printed, const std::string& code) {
  std::istringstream lines(printed);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string first;
    int64_t count = -1;
    if (fields >> first >> count && first == code)
      return count;
  }
  return -1;
}

std::vector<int64_t> ProblemRecords(const TCheckReport& report) {
  std::vector<int64_t> records;
  for (const TCatalogueProblem& problem : report.Problems)
    records.push_back(problem.RecordNo);
  return records;
}

} // namespace

TEST(KatalogCheck, CleanCatalogueCountsQuestionsPerCategory) {
  QuestionRecord spaced = EditionQuestion(1, 1, "Eigentümer anders geschrieben");
  spaced.Owner = "  TALWINDER flugschule OST\t";
  QuestionRecord deleted = EditionQuestion(1, 1, "gelöscht");
  deleted.InUse = false;
  const std::string catalogue =
      CatalogueBytes({EditionQuestion(1, 1, "a"), spaced, deleted, EditionQuestion(7, 10, "b"),
                      EditionQuestion(0, 0, "c"), EditionQuestion(7, 1, "d")});
  const TCheckReport report = CheckCatalogue(catalogue);
  EXPECT_TRUE(report.Problems.empty());
  EXPECT_EQ(report.Records, 6);
  EXPECT_EQ(report.DeletedRecords, 1);
  EXPECT_EQ(CountOf(report, 1, 1), 2);
  EXPECT_EQ(CountOf(report, 7, 10), 1);
  EXPECT_EQ(CountOf(report, 7, 1), 1);
  EXPECT_EQ(CountOf(report, 0, 0), 1);
  EXPECT_EQ(CountOf(report, 1, 2), 0);

  TTempDir dir;
  WriteFileBytes("Aerolern.dat", catalogue);
  const TToolRun run = RunTool({"check", "Aerolern.dat"});
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(PrintedCount(run.Out, "11"), 2);
  EXPECT_EQ(PrintedCount(run.Out, "710"), 1);
  EXPECT_EQ(PrintedCount(run.Out, "71"), 1);
  EXPECT_EQ(PrintedCount(run.Out, "00"), 1);
  EXPECT_EQ(PrintedCount(run.Out, "23"), 0);
  EXPECT_NE(run.Out.find("Beschränkter Luftfahrerschein: Meteorologie"), std::string::npos);
  EXPECT_NE(run.Out.find("Gelöschte Datensätze: 1\n"), std::string::npos);
  EXPECT_NE(run.Out.find("Keine Probleme gefunden."), std::string::npos);
}

TEST(KatalogCheck, CorruptedRecordsAreReportedWithTheirNumber) {
  QuestionRecord foreign = EditionQuestion(1, 1, "fremd");
  foreign.Owner = "Andere Flugschule";
  QuestionRecord badPair = EditionQuestion(8, 1, "Lizenz 8");
  QuestionRecord badArea = EditionQuestion(3, 2, "Flugfunk 2");
  QuestionRecord deletedBadPair = EditionQuestion(0, 3, "gelöscht, Paar falsch");
  deletedBadPair.InUse = false;
  std::string catalogue =
      CatalogueBytes({EditionQuestion(2, 3, "gut"), foreign, EditionQuestion(2, 3, "lang"), badPair,
                      badArea, deletedBadPair});
  // An owner length over its field; the owner text read (clamped) still matches.
  catalogue[2 * kRecordSize + kOffOwner] = static_cast<char>(200);
  catalogue += std::string(100, '\0'); // a partial seventh record

  const TCheckReport report = CheckCatalogue(catalogue);
  EXPECT_EQ(ProblemRecords(report), (std::vector<int64_t>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(report.Records, 6);
  // Records 0 to 2 are counted; the questions of unknown categories are in no count.
  EXPECT_EQ(CountOf(report, 2, 3), 2);
  EXPECT_EQ(CountOf(report, 1, 1), 1);
  int64_t counted = 0;
  for (int64_t count : report.QuestionsPerCategory)
    counted += count;
  EXPECT_EQ(counted, 3);
  EXPECT_EQ(report.DeletedRecords, 1);

  TTempDir dir;
  WriteFileBytes("Aerolern.dat", catalogue);
  const TToolRun run = RunTool({"check", "Aerolern.dat"});
  EXPECT_EQ(run.Status, 1);
  for (const char* expected :
       {"Datensatz 1: Eigentümer „Andere Flugschule“",
        "Datensatz 2: Längenbyte des Feldes „Eigentümer“ ist 200",
        "Datensatz 3: Lizenz 8 mit Bereich 1 ist keine Kategorie",
        "Datensatz 4: Lizenz 3 mit Bereich 2", "Datensatz 5: Lizenz 0 mit Bereich 3",
        "Datensatz 6: unvollständig, nur 100 von 1684 Bytes"})
    EXPECT_NE(run.Out.find(expected), std::string::npos) << expected << "\n" << run.Out;
  EXPECT_EQ(run.Out.find("Datensatz 0:"), std::string::npos);
}

TEST(KatalogCheck, EmptyOrMissingCatalogueFails) {
  TTempDir dir;
  WriteFileBytes("leer.dat", "");
  const TToolRun empty = RunTool({"check", "leer.dat"});
  EXPECT_EQ(empty.Status, 1);
  EXPECT_NE(empty.Out.find("keinen Datensatz"), std::string::npos);

  const TToolRun missing = RunTool({"check", "fehlt.dat"});
  EXPECT_EQ(missing.Status, 1);
  EXPECT_NE(missing.Err.find("fehlt.dat"), std::string::npos);
  EXPECT_NE(missing.Err.find("nicht gefunden"), std::string::npos);
}
