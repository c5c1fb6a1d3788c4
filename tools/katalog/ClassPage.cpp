// Writing the class overview's HTML: the learners' outlook per area, their activity and exams,
// the hardest and the conspicuous questions, and where the figures come from.
#include "tools/katalog/ClassPage.h"

#include "tools/katalog/HtmlText.h"
#include "tools/katalog/SvgBars.h"

#include "core/Licences.h"
#include "core/srcCommon.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>

namespace {

// Areas side by side in one table; more would squeeze the bars below reading size on A4.
constexpr std::size_t kAreasPerTable = 4;
constexpr int kAreaColumnPercent = 19; // of the page's width; the name takes 24 %
// Practice exams listed per learner, the latest first.
constexpr std::size_t kExamsShown = 3;

const char* const kStyle = R"(
@page { size: A4; margin: 15mm; }
* { box-sizing: border-box; -webkit-print-color-adjust: exact; print-color-adjust: exact; }
body { font-family: "Liberation Sans", Arial, Helvetica, sans-serif; font-size: 10.5pt;
  line-height: 1.35; color: #111; background: #fff; max-width: 180mm; margin: 8mm auto; }
h1 { font-size: 18pt; margin: 0 0 2pt; }
h2 { font-size: 13.5pt; margin: 16pt 0 4pt; border-bottom: 1.5pt solid #1b5e20;
  break-after: avoid; page-break-after: avoid; }
h3 { font-size: 11pt; margin: 10pt 0 3pt; break-after: avoid; page-break-after: avoid; }
p { margin: 3pt 0 6pt; }
.vor-tabelle { break-after: avoid; page-break-after: avoid; }
.untertitel { color: #444; margin-bottom: 8pt; }
.hinweis { font-size: 9pt; color: #333; }
table { width: 100%; border-collapse: collapse; table-layout: fixed; margin: 4pt 0 8pt; }
thead { display: table-header-group; }
tr { break-inside: avoid; page-break-inside: avoid; }
th, td { text-align: left; vertical-align: top; padding: 3pt 4pt; border-bottom: 0.75pt solid #bbb;
  overflow-wrap: anywhere; word-wrap: break-word; hyphens: auto; }
th { font-size: 9pt; background: #f0f0f0; border-bottom: 1pt solid #888; }
td.zahl, th.zahl { text-align: right; }
.klein { font-size: 8.5pt; color: #333; }
.zeile { display: block; white-space: nowrap; }
.wert { font-weight: bold; }
svg.balken { display: block; width: 100%; height: 14px; margin: 1pt 0 2pt; }
.legende { font-size: 9pt; margin: 2pt 0 4pt; }
.legende .eintrag { margin-right: 12pt; white-space: nowrap; }
svg.feld { display: inline-block; vertical-align: -1px; }
.antwort { margin: 2pt 0 0; }
.kategorie { font-size: 8.5pt; color: #444; }
ul.kurz { margin: 0; padding-left: 12pt; }
@media print {
  body { margin: 0; max-width: none; font-size: 9.5pt; }
  h2 { margin-top: 12pt; }
}
)";

std::string Tag(const char* name, const std::string& content, const char* cls = nullptr) {
  std::string open = std::string("<") + name;
  if (cls)
    open += std::string(" class=\"") + cls + "\"";
  return open + ">" + content + "</" + name + ">";
}

// The area's own name, "Luftrecht", where the main window's name is "<licence>: <area>".
std::string AreaName(int licence, int area) {
  std::string name;
  CategoryName(licence, area, name);
  const std::string prefix = LicenceName(RecordLicence(licence)) + ": ";
  if (name.compare(0, prefix.size(), prefix) == 0)
    return name.substr(prefix.size());
  return name;
}

std::string LicenceTitle(int licence) {
  const std::string name = LicenceName(licence);
  return name.empty() ? "Lizenz " + std::to_string(licence) : name;
}

// "Beschränkter Luftfahrerschein, Luftrecht"; an area named after its licence stands alone.
std::string CategoryText(int licence, int area) {
  const std::string licenceName = LicenceTitle(licence);
  const std::string areaName = AreaName(licence, area);
  if (areaName.compare(0, licenceName.size(), licenceName) == 0)
    return areaName;
  return licenceName + ", " + areaName;
}

std::string Counted(int64_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string PValueText(double logP) {
  const double p = std::exp(logP);
  if (p < 0.0001)
    return "p\u00a0&lt;\u00a00,0001";
  char text[32];
  std::snprintf(text, sizeof text, "p\u00a0=\u00a0%.4f", p);
  std::string result = text;
  std::replace(result.begin(), result.end(), '.', ',');
  return result;
}

// "2026-W50" as "KW 50/2026".
std::string WeekText(const std::string& week) {
  if (week.size() != 8)
    return HtmlEscaped(week);
  return "KW\u00a0" + week.substr(6, 2) + "/" + week.substr(0, 4);
}

// --- The learners' outlook per area -----------------------------------------------------------

std::string AreaCell(const TReportArea& area) {
  std::string cell = OutlookBar(area.Now);
  cell += Tag("div", PercentText(area.Now.Passed) + " bestanden", "wert");
  cell +=
      Tag("div", std::to_string(area.Met) + " von " + std::to_string(area.Questions) + " gesehen",
          "klein");
  std::string outlook;
  if (area.OnExamDate)
    outlook += "<span class=\"zeile\">Termin " + PercentText(area.OnExamDate->Passed) + "</span>";
  if (area.Planned)
    outlook += std::string(outlook.empty() ? "" : " ") + "<span class=\"zeile\">Plan " +
               PercentText(*area.Planned) + "</span>";
  if (!outlook.empty())
    cell += Tag("div", outlook, "klein");
  return cell;
}

// A report lists every area of the edition; one the learner has not begun says nothing yet.
bool Begun(const TReportArea& area) { return area.Met > 0; }

const TReportArea* FindArea(const TSchoolReport& report, int licence, int area) {
  for (const TReportArea& entry : report.Areas)
    if (entry.Licence == licence && entry.Area == area && Begun(entry))
      return &entry;
  return nullptr;
}

void AreaTable(const std::vector<TClassReport>& students, int licence,
               const std::vector<int>& areas, std::string& html) {
  // Every area column has the width it has in a full table, so that bars of one length mean
  // the same in every table.
  // A table of one area is made as wide as one of two, so that a long area name still fits.
  const int width = 24 + kAreaColumnPercent * std::max(2, static_cast<int>(areas.size()));
  html += "<table style=\"width:" + std::to_string(width) +
          "%\"><colgroup><col style=\"width:" + std::to_string(2400 / width) + "%\">";
  for (std::size_t i = 0; i < areas.size(); ++i)
    html += "<col>";
  html += "</colgroup><thead><tr><th>Name</th>";
  for (int area : areas)
    html += Tag("th", HtmlEscaped(AreaName(licence, area)));
  html += "</tr></thead><tbody>";
  for (const TClassReport& student : students) {
    std::string row;
    bool any = false;
    for (int area : areas) {
      const TReportArea* entry = FindArea(student.Report, licence, area);
      any = any || entry != nullptr;
      row += Tag("td", entry ? AreaCell(*entry) : "–");
    }
    if (any)
      html += "<tr>" + Tag("td", HtmlEscaped(student.Report.Name)) + row + "</tr>";
  }
  html += "</tbody></table>";
}

void OutlookSection(const TClassOverview& overview, std::string& html) {
  std::map<int, std::set<int>> licences;
  for (const TClassReport& student : overview.Students)
    for (const TReportArea& area : student.Report.Areas)
      if (Begun(area))
        licences[area.Licence].insert(area.Area);
  html += "<section id=\"prognose\"><h2>Prognose je Sachgebiet</h2>";
  html += "<p>Wie die Prüfung eines Sachgebiets heute ausginge, nach dem Lernstand des Berichts: "
          "der Anteil für Bestanden, für eine mündliche Nachprüfung und für nicht bestanden. "
          "Darunter, wie viele Fragen des Sachgebiets die Person schon beantwortet hat; wo ein "
          "Prüfungstermin eingetragen ist, der Anteil für Bestanden an diesem Tag ohne weiteres "
          "Lernen (Termin), und wo ein Lernplan besteht, derselbe Anteil, wenn der Plan "
          "eingehalten wird (Plan).</p>";
  html += OutlookLegend();
  if (licences.empty())
    html += "<p>Noch hat niemand eine Frage eines Sachgebiets beantwortet.</p>";
  for (const auto& [licence, areaSet] : licences) {
    html += Tag("h3", HtmlEscaped(LicenceTitle(licence)));
    const std::vector<int> areas(areaSet.begin(), areaSet.end());
    for (std::size_t first = 0; first < areas.size(); first += kAreasPerTable) {
      const std::size_t last = std::min(areas.size(), first + kAreasPerTable);
      AreaTable(overview.Students, licence,
                std::vector<int>(areas.begin() + static_cast<std::ptrdiff_t>(first),
                                 areas.begin() + static_cast<std::ptrdiff_t>(last)),
                html);
    }
  }
  html += "</section>";
}

// --- Activity and practice exams --------------------------------------------------------------

std::string LastPracticeText(const TSchoolReport& report) {
  std::string latest;
  for (const TReportWeek& week : report.Weeks)
    if (week.Answers > 0 && week.Week > latest)
      latest = week.Week;
  return latest.empty() ? "–" : WeekText(latest);
}

std::string ExamsCell(const TSchoolReport& report) {
  if (report.Exams.empty())
    return "–";
  std::vector<const TReportExam*> exams;
  for (const TReportExam& exam : report.Exams)
    exams.push_back(&exam);
  std::stable_sort(exams.begin(), exams.end(), [](const TReportExam* a, const TReportExam* b) {
    return a->MomentMs > b->MomentMs;
  });
  std::string cell = "<ul class=\"kurz klein\">";
  for (std::size_t i = 0; i < exams.size() && i < kExamsShown; ++i) {
    const TReportExam& exam = *exams[i];
    cell += Tag("li", LocalDayText(exam.MomentMs) + " " +
                          HtmlEscaped(AreaName(exam.Licence, exam.Area)) + ": " +
                          std::to_string(exam.Right) + "/" + std::to_string(exam.Questions) + ", " +
                          HtmlEscaped(exam.Verdict));
  }
  cell += "</ul>";
  if (exams.size() > kExamsShown)
    cell += Tag("div", "und " + std::to_string(exams.size() - kExamsShown) + " frühere", "klein");
  return cell;
}

void StudentSection(const TClassOverview& overview, std::string& html) {
  html += "<section id=\"personen\"><h2>Aktivität und Übungsprüfungen</h2>";
  html += "<table><colgroup><col style=\"width:22%\"><col style=\"width:12%\">"
          "<col style=\"width:12%\"><col style=\"width:12%\"><col></colgroup>"
          "<thead><tr><th>Name</th><th>Bericht vom</th><th>Zuletzt geübt</th>"
          "<th class=\"zahl\">Antworten</th><th>Letzte Übungsprüfungen</th></tr></thead><tbody>";
  for (const TClassReport& student : overview.Students) {
    const TSchoolReport& report = student.Report;
    int64_t answers = 0;
    for (const TReportWeek& week : report.Weeks)
      answers += week.Answers;
    html += "<tr>" + Tag("td", HtmlEscaped(report.Name)) +
            Tag("td", LocalDayText(report.MomentMs)) + Tag("td", LastPracticeText(report)) +
            "<td class=\"zahl\">" + std::to_string(answers) + "</td>" +
            Tag("td", ExamsCell(report)) + "</tr>";
  }
  html += "</tbody></table></section>";
}

// --- Questions --------------------------------------------------------------------------------

std::string AnswerText(const QuestionRecord& record, char letter) {
  switch (letter) {
  case 'A':
    return record.AnswerA;
  case 'B':
    return record.AnswerB;
  case 'C':
    return record.AnswerC;
  default:
    return record.AnswerD;
  }
}

// The letters and texts of a set of ticks, "C: Die Höhe"; several on lines of their own.
std::string TicksText(const QuestionRecord& record, const std::string& ticks) {
  if (ticks.empty())
    return "keine Antwort angekreuzt";
  std::string text;
  for (char letter : ticks)
    text += Tag("div", std::string(1, letter) + ": " + HtmlEscaped(AnswerText(record, letter)));
  return text;
}

std::string KeyOf(const QuestionRecord& record) {
  std::string key;
  const bool marks[4] = {record.CorrectA, record.CorrectB, record.CorrectC, record.CorrectD};
  for (int i = 0; i < 4; ++i)
    if (marks[i])
      key += static_cast<char>('A' + i);
  return key;
}

// The correct answers as the catalogue marks them; a question may have none.
std::string KeyText(const QuestionRecord& record) {
  const std::string key = KeyOf(record);
  return key.empty() ? "keine Antwort ist richtig" : TicksText(record, key);
}

std::string QuestionCell(const TClassQuestion& question, const TClassCatalogue& catalogue) {
  const QuestionRecord record = catalogue.Record(question.RecordNo);
  std::string cell = Tag("div",
                         "Nr.\u00a0" + std::to_string(question.RecordNo) + " · " +
                             HtmlEscaped(CategoryText(question.Licence, question.Area)),
                         "kategorie");
  cell += Tag("div", HtmlEscaped(record.Question));
  cell += Tag("div", "<b>Richtig laut Katalog:</b> " + KeyText(record), "antwort klein");
  if (question.CommonWrongTicks)
    cell += Tag("div",
                "<b>Am häufigsten falsch gewählt</b> (von " +
                    Counted(question.CommonWrongStudents, "Person", "Personen") +
                    "): " + TicksText(record, *question.CommonWrongTicks),
                "antwort klein");
  return cell;
}

std::string AnsweredCell(const TClassQuestion& question) {
  return Tag("div", Counted(question.Students, "Person", "Personen")) +
         Tag("div", Counted(question.Answers, "Antwort", "Antworten"), "klein");
}

void HardestSection(const TClassOverview& overview, const TClassCatalogue& catalogue,
                    std::string& html) {
  html += "<section id=\"schwierigste\"><h2>Die schwierigsten Fragen</h2>";
  html += "<p class=\"vor-tabelle\">Der Anteil falscher Antworten über alle Personen, die die "
          "Frage beantwortet haben "
          "(jede Antwort zählt, auch wiederholte). Aufgeführt sind Fragen, die mindestens " +
          std::to_string(kClassMinimumStudents) +
          " Personen beantwortet haben, die schwierigste zuerst.</p>";
  if (overview.Hardest.empty()) {
    html += "<p>Keine Frage wurde von mindestens " + std::to_string(kClassMinimumStudents) +
            " Personen beantwortet und dabei falsch beantwortet.</p></section>";
    return;
  }
  html += "<table><colgroup><col style=\"width:6%\"><col><col style=\"width:17%\">"
          "<col style=\"width:16%\"></colgroup><thead><tr><th class=\"zahl\">#</th>"
          "<th>Frage</th><th>Falsch</th><th>Beantwortet</th></tr></thead><tbody>";
  int rank = 0;
  for (std::size_t index : overview.Hardest) {
    const TClassQuestion& question = overview.Questions[index];
    html +=
        "<tr><td class=\"zahl\">" + std::to_string(++rank) + "</td>" +
        Tag("td", QuestionCell(question, catalogue)) +
        Tag("td", Tag("div", PercentText(question.ShareWrong()), "wert") +
                      ShareBar(question.ShareWrong(), question.AreaShare) +
                      (question.AreaShare
                           ? Tag("div", "Sachgebiet " + PercentText(*question.AreaShare), "klein")
                           : "")) +
        Tag("td", AnsweredCell(question)) + "</tr>";
  }
  html += "</tbody></table>";
  html += "<p class=\"hinweis\">Der schwarze Strich im Balken zeigt den Anteil falscher Antworten "
          "der übrigen Fragen desselben Sachgebiets.</p></section>";
}

void ConspicuousSection(const TClassOverview& overview, const TClassCatalogue& catalogue,
                        std::string& html) {
  const std::string minimum = std::to_string(kClassMinimumStudents);
  const std::string level = PercentText(kClassSignificance);
  const std::string excess = std::to_string(std::lround(kClassMinimumExcess * 100));
  html += "<section id=\"auffaellig\"><h2>Auffällige Fragen</h2>";
  html += "<p><b>Die Regel:</b> Eine Frage ist auffällig, wenn sie deutlich öfter falsch "
          "beantwortet wird als die übrigen Fragen ihres Sachgebiets. Geprüft wird jede Frage, "
          "die mindestens " +
          minimum +
          " Personen beantwortet haben, mit einem einseitigen "
          "Binomialtest: Wie wahrscheinlich wären so viele oder noch mehr falsche Antworten, "
          "wenn die Frage genau so schwer wäre wie die übrigen Fragen ihres Sachgebiets "
          "zusammen? Diese Wahrscheinlichkeit heißt p. Weil bei vielen Fragen einige allein "
          "durch Zufall ein kleines p haben, wird die Schwelle nach Holm angepasst: Bei " +
          Counted(overview.TestedQuestions, "geprüften Frage", "geprüften Fragen") +
          " muss das kleinste p unter " + level + " geteilt durch " +
          std::to_string(overview.TestedQuestions) + " liegen, das zweitkleinste unter " + level +
          " geteilt durch eins weniger, und so fort; beim ersten p über seiner Schwelle endet "
          "die Reihe. Auffällig ist eine Frage, deren p unter seiner Schwelle liegt und deren "
          "Anteil falscher Antworten zugleich mindestens " +
          excess + " Prozentpunkte über dem des Sachgebiets liegt.</p>";
  html += "<p class=\"vor-tabelle\">Solche Fragen sind Kandidaten für einen falschen "
          "Lösungsschlüssel oder einen "
          "unklaren Text; ob einer vorliegt, entscheidet erst der Blick auf die Frage. "
          "Wiederholte Antworten derselben Person zählen einzeln; wer eine Frage oft falsch "
          "beantwortet, lässt sie darum auffälliger erscheinen, als sie ist. Deshalb wird eine "
          "Frage erst ab drei Personen geprüft, und der Abstand zum Sachgebiet muss hinzukommen."
          "</p>";
  if (overview.Conspicuous.empty()) {
    html += "<p class=\"wert\">Keine Frage ist nach dieser Regel auffällig.</p></section>";
    return;
  }
  html += "<table><colgroup><col><col style=\"width:22%\"><col style=\"width:16%\">"
          "</colgroup><thead><tr><th>Frage</th><th>Falsch</th><th>Beantwortet</th></tr>"
          "</thead><tbody>";
  for (std::size_t index : overview.Conspicuous) {
    const TClassQuestion& question = overview.Questions[index];
    html += "<tr>" + Tag("td", QuestionCell(question, catalogue)) +
            Tag("td", Tag("div",
                          PercentText(question.ShareWrong()) + " statt " +
                              PercentText(*question.AreaShare),
                          "wert") +
                          ShareBar(question.ShareWrong(), question.AreaShare) +
                          Tag("div", PValueText(*question.LogPValue), "klein")) +
            Tag("td", AnsweredCell(question)) + "</tr>";
  }
  html += "</tbody></table></section>";
}

// --- Sources ----------------------------------------------------------------------------------

void SourcesSection(const TClassOverview& overview, const TClassPageSources& sources,
                    std::string& html) {
  html += "<section id=\"quellen\"><h2>Grundlage</h2><ul>";
  html += Tag(
      "li",
      Counted(sources.ReportsRead, "Bericht", "Berichte") + " gelesen; von " +
          Counted(static_cast<int64_t>(overview.Students.size()), "Person", "Personen") +
          " zählt jeweils der neueste" +
          (overview.SupersededReports > 0
               ? " (" + Counted(overview.SupersededReports, "älterer Bericht", "ältere Berichte") +
                     " übergangen)"
               : std::string()) +
          ".");
  html += Tag("li", "Fragenkatalog der Flugschule: " + HtmlEscaped(sources.CatalogueName) +
                        ". Die Fragen der Berichte werden an ihrem Inhalt (Frage und Antworten) "
                        "wiedererkannt, auch wenn ein Bericht mit einem anderen Stand des "
                        "Katalogs geschrieben wurde.");
  if (overview.OtherRevisions > 0)
    html += Tag("li", Counted(overview.OtherRevisions, "Bericht wurde", "Berichte wurden") +
                          " mit einem anderen Stand des Katalogs geschrieben als dem der "
                          "Flugschule.");
  else
    html += Tag("li", "Alle Berichte wurden mit diesem Stand des Katalogs geschrieben.");
  if (overview.MissingQuestions > 0)
    html +=
        Tag("li", Counted(overview.MissingQuestions, "Frage", "Fragen") +
                      " aus den Berichten gibt es im Fragenkatalog der Flugschule nicht mehr (" +
                      Counted(overview.MissingAnswers, "Antwort", "Antworten") +
                      "); sie sind oben nicht mitgezählt.");
  else
    html += Tag("li", "Alle Fragen der Berichte stehen im Fragenkatalog der Flugschule.");
  if (!sources.LeftOut.empty()) {
    std::string items;
    for (const TLeftOut& file : sources.LeftOut)
      items += Tag("li", HtmlEscaped(file.File) + ": " + HtmlEscaped(file.Reason));
    html += Tag("li", "Nicht verwendet: <ul>" + items + "</ul>");
  }
  html += "</ul></section>";
}

} // namespace

std::string ClassPageHtml(const TClassOverview& overview, const TClassCatalogue& catalogue,
                          const TClassPageSources& sources) {
  std::string html = "<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\">\n"
                     "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                     "<title>Klassenübersicht</title>\n<style>";
  html += kStyle;
  html += "</style>\n</head>\n<body>\n<header><h1>Klassenübersicht</h1>";
  html += Tag("p",
              "Erstellt am " + LocalDayText(sources.MadeMs) + " aus den Berichten von " +
                  Counted(static_cast<int64_t>(overview.Students.size()), "Person", "Personen") +
                  " · Fragenkatalog " + HtmlEscaped(sources.CatalogueName),
              "untertitel");
  html += "</header>\n";
  OutlookSection(overview, html);
  StudentSection(overview, html);
  HardestSection(overview, catalogue, html);
  ConspicuousSection(overview, catalogue, html);
  SourcesSection(overview, sources, html);
  html += "\n</body>\n</html>\n";
  return html;
}
