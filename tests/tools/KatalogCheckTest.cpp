// Tests of the catalogue check: counts of a clean catalogue and the report of corrupted records.
#include "KatalogTestSupport.h"

#include "support/TempDir.h"
#include "tools/katalog/CatalogueCheck.h"
#include "tools/katalog/CatalogueContentCheck.h"
#include "tools/katalog/CategoryTable.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
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

QuestionRecord WithSketch(int16_t licence, int16_t area, int32_t imageNo) {
  QuestionRecord record = EditionQuestion(licence, area, "Skizze " + std::to_string(imageNo));
  record.ImageNo = imageNo;
  return record;
}

// The problems of both checks, as the check command finds them.
TCheckReport FullCheck(const std::string& catalogue, const TContentCheckOptions& options) {
  TCheckReport report = CheckCatalogue(catalogue);
  CheckCatalogueContent(catalogue, options, report);
  return report;
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

TEST(KatalogCheck, SketchesWithoutAPictureOfTheirOwnAreReported) {
  QuestionRecord deletedNotice = WithSketch(2, 2, 3);
  deletedNotice.InUse = false;
  const std::string catalogue =
      CatalogueBytes({WithSketch(1, 3, 5), WithSketch(2, 2, 3), WithSketch(1, 3, 27),
                      WithSketch(2, 3, 4), WithSketch(1, 1, 0), WithSketch(1, 1, -1), deletedNotice,
                      WithSketch(1, 1, 1), WithSketch(1, 1, 2)});
  TTempDir dir;
  WriteFileBytes("Aerolern.dat", catalogue);
  std::filesystem::create_directories("bilder/sketches");
  const char* source = std::getenv("AEROLERN_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  std::filesystem::copy_file(std::string(source) + "/assets/sketches/13_5.jpg",
                             "bilder/sketches/13_5.jpg");
  WriteFileBytes("bilder/sketches/11_2.jpg", "kein JPEG");

  // The table alone tells the notice, the key without entry and the entry without picture; the
  // folder adds the picture files.
  EXPECT_EQ(ProblemRecords(FullCheck(catalogue, {})), (std::vector<int64_t>{1, 2, 3}));
  EXPECT_EQ(ProblemRecords(FullCheck(catalogue, {"bilder", std::nullopt})),
            (std::vector<int64_t>{1, 2, 3, 7, 8}));
  const TToolRun run = RunTool({"check", "--skizzen", "bilder", "Aerolern.dat"});
  EXPECT_EQ(run.Status, 1);
  for (const char* expected :
       {"Datensatz 1: Skizze 22_3 zeigt nur den Hinweis", "Datensatz 2: Skizze 13_27 gibt es nicht",
        "Datensatz 3: Skizze 23_4 hat keine Abbildung",
        "Datensatz 7: Skizze 11_1: die Bilddatei „bilder/sketches/11_1.jpg“ fehlt",
        "Datensatz 8: Skizze 11_2: die Bilddatei „bilder/sketches/11_2.jpg“ lässt sich nicht"})
    EXPECT_NE(run.Out.find(expected), std::string::npos) << expected << "\n" << run.Out;

  const TToolRun noSketches = RunTool({"check", "--skizzen", ".", "Aerolern.dat"});
  EXPECT_EQ(noSketches.Status, 1);
  EXPECT_NE(noSketches.Err.find("keinen Ordner „sketches“"), std::string::npos) << noSketches.Err;
  EXPECT_EQ(RunTool({"check", "Aerolern.dat", "--skizzen"}).Status, 2);
  EXPECT_EQ(RunTool({"check", "--ini", "a.ini", "--ini", "b.ini", "Aerolern.dat"}).Status, 2);
  EXPECT_EQ(RunTool({"export", "Aerolern.dat", "--skizzen", "bilder"}).Status, 2);
}

TEST(KatalogCheck, AreasShortOfTheirExamAndRepeatedQuestionsAreReported) {
  QuestionRecord deleted = EditionQuestion(2, 2, "Was ist Föhn?");
  deleted.InUse = false;
  const std::string catalogue = CatalogueBytes(
      {EditionQuestion(2, 1, "Was ist Föhn?"), EditionQuestion(2, 1, "  was IST\tFöhn? "),
       EditionQuestion(2, 2, "Was ist Föhn?"), deleted, EditionQuestion(1, 1, "Was ist Föhn?"),
       EditionQuestion(7, 1, "Motor")});
  TTempDir dir;
  WriteFileBytes("Aerolern.dat", catalogue);
  // GSB draws two per area, WWF has no line and draws 30; the counts of GSA, FFK and WGS ask
  // for no question and that of PGS is no number: those four licences are refused, not checked.
  WriteFileBytes("aerolern.ini", "AnzPrfFragenGSA=0\nAnzPrfFragenGSB=2\nAnzPrfFragenFFK=0\n"
                                 "AnzPrfFragenWGS=0\nAnzPrfFragenPGS=zehn\n");

  EXPECT_EQ(ProblemRecords(FullCheck(catalogue, {})), (std::vector<int64_t>{1}));
  EXPECT_EQ(ProblemRecords(FullCheck(catalogue, {std::nullopt, "aerolern.ini"})),
            (std::vector<int64_t>{1, -1, -1, -1, -1, -1, -1, -1, -1, -1}));
  const TToolRun run = RunTool({"check", "--ini", "aerolern.ini", "Aerolern.dat"});
  EXPECT_EQ(run.Status, 1);
  for (const char* expected :
       {"Datensatz 1: dieselbe Frage wie Datensatz 0 der Kategorie 21.",
        "Kategorie 22 (Unbeschränkter Luftfahrerschein: Luftrecht) hat 1 von 2 Fragen",
        "Kategorie 23 (Unbeschränkter Luftfahrerschein: Navigation) hat 0 von 2 Fragen",
        "Kategorie 41 (Windenschlepp Windenführer: Luftrecht) hat 0 von 30 Fragen",
        "Kategorie 43 (Windenschlepp Windenführer: Verhalten) hat 0 von 30 Fragen",
        "Die Einstellung „AnzPrfFragenGSA=0“ in aerolern.ini ist ungültig",
        "Die Einstellung „AnzPrfFragenPGS=zehn“ in aerolern.ini ist ungültig: 'zehn' ist kein"})
    EXPECT_NE(run.Out.find(expected), std::string::npos) << expected << "\n" << run.Out;
  for (const char* absent : {"Kategorie 21 ", "Kategorie 31 ", "Kategorie 51 ", "Kategorie 71 "})
    EXPECT_EQ(run.Out.find(absent), std::string::npos) << absent << "\n" << run.Out;

  const TToolRun missing = RunTool({"check", "--ini", "fehlt.ini", "Aerolern.dat"});
  EXPECT_EQ(missing.Status, 1);
  EXPECT_NE(missing.Err.find("fehlt.ini"), std::string::npos) << missing.Err;
}
