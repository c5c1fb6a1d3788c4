// Tests of the class overview: the figures on the page, bad reports, and text shown as text.
#include "KatalogTestSupport.h"

#include "history/Fingerprint.h"
#include "history/SchoolReport.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// 2026-12-10 and 2026-12-11, 12:00 UTC: the same calendar day in every time zone of Europe.
constexpr int64_t kDecember10 = 1796904000000;
constexpr int64_t kDecember11 = 1796990400000;

std::string FingerprintOf(const QuestionRecord& record) {
  return FingerprintText(QuestionFingerprint(record));
}

// The fingerprint of a catalogue, as the trainer names it in a report.
std::string CatalogueOf(const std::vector<QuestionRecord>& records) {
  std::vector<uint64_t> fingerprints;
  for (const QuestionRecord& record : records)
    fingerprints.push_back(QuestionFingerprint(record));
  return CatalogueFingerprint(fingerprints);
}

TSchoolReport Report(const std::string& name, int64_t momentMs,
                     const std::string& catalogue = "0123456789abcdef") {
  TSchoolReport report;
  report.Name = name;
  report.MomentMs = momentMs;
  report.EditionOwner = EditionOwner;
  report.Catalogue = catalogue;
  report.Areas.push_back({1, 2, 120, 80, {0.61, 0.2, 0.19}, std::nullopt, std::nullopt});
  // An area not begun, as every report lists all areas of the edition.
  report.Areas.push_back({2, 1, 40, 0, {0, 0, 1}, std::nullopt, std::nullopt});
  report.Weeks.push_back({"2026-W50", 120});
  return report;
}

void Answer(TSchoolReport& report, const QuestionRecord& question, int number, int answered,
            int wrong, std::optional<std::string> ticks = std::nullopt) {
  report.Questions.push_back({FingerprintOf(question), number, question.Licence, question.Area,
                              answered, wrong, std::move(ticks)});
}

void WriteReport(const std::string& path, const TSchoolReport& report) {
  ASSERT_TRUE(WriteFileBytes(path, SchoolReportJson(report)));
}

// The page from the section's start to its end.
std::string Section(const std::string& html, const std::string& id) {
  const std::size_t start = html.find("<section id=\"" + id + "\"");
  if (start == std::string::npos)
    return "";
  return html.substr(start, html.find("</section>", start) - start);
}

bool Contains(const std::string& text, const std::string& piece) {
  return text.find(piece) != std::string::npos;
}

} // namespace

// Four learners answered six fair questions of one area (a quarter of the answers wrong) and one
// planted to mislead (four of five wrong, most often "C"). Clara used an older catalogue in which
// the questions had other record numbers; Dora answered a question the school has dropped since;
// Anna's earlier report must give way to her latest.
TEST(KatalogKlasse, PageShowsTheClassFiguresAndTheMisleadingQuestion) {
  TTempDir dir;
  std::vector<QuestionRecord> catalogue;
  for (int i = 0; i < 6; ++i)
    catalogue.push_back(EditionQuestion(1, 2, "Faire Frage " + std::to_string(i) + "?"));
  catalogue.push_back(MakeQuestion(1, 2, "Welche Sichtflugregel gilt im Luftraum E?",
                                   {{"1,5 km Sicht", "5 km Sicht", "8 km Sicht", "keine"}, 'B'}));
  catalogue.push_back(EditionQuestion(1, 1, "Was zeigt ein Windsack an?"));
  WriteCatalogue(catalogue, "Aerolern.dat");
  const QuestionRecord& planted = catalogue[6];
  const QuestionRecord dropped = EditionQuestion(1, 2, "Eine Frage, die es nicht mehr gibt?");

  const std::string folder = dir.MakeSubDir("berichte");
  const std::vector<std::string> names = {"Anna", "Ben", "Clara", "Dora"};
  for (const std::string& name : names) {
    const bool older = name == "Clara";
    // Clara's and Dora's catalogues were other revisions than the school's.
    TSchoolReport report = Report(
        name, kDecember11, older || name == "Dora" ? "fedcba9876543210" : CatalogueOf(catalogue));
    for (int i = 0; i < 6; ++i)
      Answer(report, catalogue[static_cast<std::size_t>(i)], older ? 40 + i : i, 4, 1, "A");
    Answer(report, planted, older ? 3 : 6, 5, 4, name == "Ben" ? "AD" : "C");
    if (name == "Dora")
      Answer(report, dropped, 99, 3, 3, "D");
    if (name == "Anna")
      report.Exams.push_back({kDecember10, 1, 2, 20, 17, "Bestanden."});
    WriteReport(folder + "/" + name + ".json", report);
  }
  // Anna's earlier report, in a file that comes later by name: its answers would make the
  // planted question look fair.
  TSchoolReport earlier = Report("Anna", kDecember10);
  Answer(earlier, planted, 6, 40, 0);
  WriteReport(folder + "/zz-Anna-frueher.json", earlier);

  const TToolRun run =
      RunTool({"klasse", folder, "--katalog", "Aerolern.dat", "-o", "klasse.html"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Err, "");
  const std::string html = ReadFileBytes("klasse.html");

  // Every learner has a row of the area; Anna's exam is listed.
  const std::string outlook = Section(html, "prognose");
  for (const std::string& name : names)
    EXPECT_TRUE(Contains(outlook, "<td>" + name + "</td>")) << name;
  EXPECT_TRUE(Contains(outlook, "Luftrecht"));
  EXPECT_TRUE(Contains(outlook, "80 von 120 gesehen"));
  EXPECT_FALSE(Contains(outlook, "Unbeschränkter Luftfahrerschein"));
  EXPECT_TRUE(Contains(Section(html, "personen"), "Luftrecht: 17/20, Bestanden."));

  // The planted question is the hardest: 16 of 20 answers wrong, by four learners, against a
  // quarter in the rest of its area; three of the four chose C most often.
  const std::string hardest = Section(html, "schwierigste");
  const std::size_t first = hardest.find("Welche Sichtflugregel gilt im Luftraum E?");
  ASSERT_NE(first, std::string::npos) << hardest;
  EXPECT_LT(first, hardest.find("Faire Frage"));
  EXPECT_TRUE(Contains(hardest, "80\u00a0%"));
  EXPECT_TRUE(Contains(hardest, "4 Personen"));
  EXPECT_TRUE(Contains(hardest, "20 Antworten"));
  EXPECT_TRUE(Contains(hardest, "Sachgebiet 25\u00a0%"));
  EXPECT_TRUE(Contains(hardest, "(von 3 Personen): <div>C: 8 km Sicht</div>"));
  EXPECT_TRUE(Contains(hardest, "<div>B: 5 km Sicht</div>"));
  EXPECT_TRUE(Contains(hardest, "16 Antworten")); // a fair question: 4 learners, 4 answers each

  // Only the planted question is conspicuous; 7 questions were tested (the windsock's area has
  // no other question to compare with).
  const std::string conspicuous = Section(html, "auffaellig");
  EXPECT_TRUE(Contains(conspicuous, "Welche Sichtflugregel")) << conspicuous;
  EXPECT_TRUE(Contains(conspicuous, "80\u00a0% statt 25\u00a0%"));
  EXPECT_TRUE(Contains(conspicuous, "p\u00a0&lt;\u00a00,0001")); // 3.87e-7
  EXPECT_FALSE(Contains(conspicuous, "Faire Frage"));
  EXPECT_FALSE(Contains(conspicuous, "Windsack"));
  EXPECT_TRUE(Contains(conspicuous, "Bei 7 geprüften Fragen"));

  const std::string sources = Section(html, "quellen");
  EXPECT_TRUE(Contains(sources, "5 Berichte gelesen; von 4 Personen"));
  EXPECT_TRUE(Contains(sources, "1 älterer Bericht übergangen"));
  EXPECT_TRUE(Contains(sources, "2 Berichte wurden mit einem anderen Stand des Katalogs"));
  EXPECT_TRUE(Contains(sources, "1 Frage aus den Berichten gibt es im Fragenkatalog der "
                                "Flugschule nicht mehr (3 Antworten)"));
}

TEST(KatalogKlasse, BadReportsAreNamedAndLeftOut) {
  TTempDir dir;
  const QuestionRecord question = EditionQuestion(1, 2, "Was ist ein Föhn?");
  WriteCatalogue({question}, "Aerolern.dat");
  const std::string folder = dir.MakeSubDir("berichte");
  TSchoolReport good = Report("Gustav", kDecember11);
  Answer(good, question, 0, 2, 1, "A");
  WriteReport(folder + "/gut.json", good);
  WriteFileBytes(folder + "/notizen.txt", "keine Datei der Klassenübersicht");

  const std::string bad = dir.MakeSubDir("schlecht");
  WriteFileBytes(bad + "/kaputt.json", "{\"format\": \"aerolern-lernstand\", ");
  std::string json = SchoolReportJson(good);
  auto replaced = [&json](const std::string& from, const std::string& to) {
    std::string text = json;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  WriteFileBytes(bad + "/fremd.json", replaced("aerolern-lernstand", "fahrschule-lernstand"));
  WriteFileBytes(bad + "/neu.json", replaced("\"version\": 1", "\"version\": 2"));
  WriteFileBytes(bad + "/feld.json", replaced("\"falsch\": 1", "\"falsch\": \"eins\""));
  TSchoolReport elsewhere = Report("Erika", kDecember11);
  Answer(elsewhere, EditionQuestion(1, 2, "Eine Frage einer anderen Schule?"), 0, 3, 1);
  WriteReport(bad + "/andere-schule.json", elsewhere);

  const TToolRun some = RunTool(
      {"klasse", folder, bad, "fehlt.json", "--katalog", "Aerolern.dat", "-o", "klasse.html"});
  EXPECT_EQ(some.Status, 1) << some.Err;
  for (const char* expected :
       {"schlecht/kaputt.json: Die Datei ist kein gültiges JSON",
        "schlecht/fremd.json: Die Datei ist kein Lernstandsbericht von Aerolern",
        "schlecht/neu.json: Der Bericht hat die Version 2, dieses Programm liest Berichte bis "
        "Version 1",
        "schlecht/feld.json: Das Feld „fragen[0].falsch“ ist keine ganze Zahl.",
        "schlecht/andere-schule.json: Keine der Fragen des Berichts steht im Fragenkatalog",
        "fehlt.json: E/A-Fehler 2 beim Öffnen von fehlt.json: Datei nicht gefunden."})
    EXPECT_TRUE(Contains(some.Err, expected)) << expected << "\n" << some.Err;
  EXPECT_FALSE(Contains(some.Err, "notizen.txt"));
  EXPECT_TRUE(Contains(some.Out, "aus den Berichten von 1 Person geschrieben, 6 Eingaben "
                                 "übergangen"));
  const std::string html = ReadFileBytes("klasse.html");
  EXPECT_TRUE(Contains(Section(html, "personen"), "Gustav"));
  EXPECT_TRUE(Contains(Section(html, "quellen"), "Nicht verwendet"));

  // With nothing usable no page is written; neither without the school's catalogue.
  std::filesystem::remove("klasse.html");
  const TToolRun none = RunTool({"klasse", bad, "--katalog", "Aerolern.dat", "-o", "klasse.html"});
  EXPECT_EQ(none.Status, 2);
  EXPECT_TRUE(Contains(none.Err, "Kein Bericht ist verwendbar; klasse.html wurde nicht "
                                 "geschrieben."))
      << none.Err;
  const TToolRun noCatalogue =
      RunTool({"klasse", folder, "--katalog", "fehlt.dat", "-o", "klasse.html"});
  EXPECT_EQ(noCatalogue.Status, 2);
  EXPECT_TRUE(Contains(noCatalogue.Err, "Der Fragenkatalog der Flugschule lässt sich nicht "
                                        "lesen: E/A-Fehler 2 beim Öffnen von fehlt.dat"))
      << noCatalogue.Err;
  EXPECT_FALSE(FileExists("klasse.html"));
}

TEST(KatalogKlasse, MarkupInANameOrAQuestionShowsAsText) {
  TTempDir dir;
  const QuestionRecord question = MakeQuestion(1, 2, "Gilt <b>fett</b> & \"mehr\"?",
                                               {{"<i>ja</i>", "nein", "vielleicht", "nie"}, 'B'});
  WriteCatalogue({question, EditionQuestion(1, 2, "Noch eine Frage?")}, "Aerolern.dat");
  const std::pair<const char*, const char*> reports[] = {
      {"s.json", "<script>alert(1)</script>"}, {"t.json", "Tom's"}, {"l.json", "Lia"}};
  for (const auto& [file, name] : reports) {
    TSchoolReport report = Report(name, kDecember11);
    Answer(report, question, 0, 3, 3, "A");
    WriteReport(file, report);
  }
  const TToolRun run = RunTool(
      {"klasse", "s.json", "t.json", "l.json", "--katalog", "Aerolern.dat", "-o", "klasse.html"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  const std::string html = ReadFileBytes("klasse.html");
  EXPECT_FALSE(Contains(html, "<script"));
  EXPECT_FALSE(Contains(html, "<b>fett"));
  EXPECT_FALSE(Contains(html, "<i>ja"));
  EXPECT_TRUE(Contains(html, "<td>&lt;script&gt;alert(1)&lt;/script&gt;</td>"));
  EXPECT_TRUE(Contains(html, "<td>Tom&#39;s</td>"));
  EXPECT_TRUE(Contains(html, "Gilt &lt;b&gt;fett&lt;/b&gt; &amp; &quot;mehr&quot;?"));
  EXPECT_TRUE(Contains(html, "A: &lt;i&gt;ja&lt;/i&gt;"));
}
