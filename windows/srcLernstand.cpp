// The statistics window: gathers the learner's figures when it opens and draws them in paint
// boxes; takes the exam date and the target retention on "Übernehmen".
#include "windows/srcLernstand.h"

#include "core/Edition.h"
#include "core/ExamGrading.h"
#include "core/Licences.h"
#include "core/QuestionData.h"
#include "core/srcCommon.h"
#include "history/CalendarDate.h"
#include "toolkit/Application.h"
#include "toolkit/Convert.h"
#include "windows/ChartDrawing.h"

#include <algorithm>
#include <cmath>

TfrmLernstand* frmLernstand = nullptr;

namespace {

constexpr std::size_t kTroubleCount = 10;
constexpr uint32_t kFrame = 0xA0A0A0;
constexpr uint32_t kAxis = 0x606060;
constexpr uint32_t kHeaderBand = 0xE4E8EC;
constexpr uint32_t kLicenceBand = 0xF3F5F7;
constexpr uint32_t kMuted = 0x555555;
const char* const kNoAnswers = "Noch keine Antworten aufgezeichnet.";

// The radio buttons of the exam licences; their captions are the licences' names.
struct TLicenceOption {
  const char* Name;
  int Licence;
};
const TLicenceOption kOptions[] = {{"optKat1", 1}, {"optKat2", 2}, {"optKat3", 3},
                                   {"optKat4", 4}, {"optKat5", 5}, {"optKat6", 6}};

// The table's numeric columns: heading and right edge.
struct TColumn {
  const char* Heading;
  int Right;
};
const TColumn kColumns[] = {
    {"Fragen", 289}, {"beantwortet", 370}, {"fällig", 414}, {"richtig", 464}};
constexpr int kTableRow = 16;

std::string NeverAnsweredText(const TAreaOutlook& area) {
  if (area.Questions == 0)
    return "keine Fragen im Katalog";
  if (area.NeverAnswered == 0)
    return "alle Fragen schon beantwortet";
  return std::to_string(area.NeverAnswered) +
         (area.NeverAnswered == 1 ? " Frage noch nie beantwortet" : " Fragen noch nie beantwortet");
}

// The start of a question on one line: line breaks and runs of blanks become one blank.
std::string OneLine(const std::string& text) {
  std::string line;
  for (char c : TrimControls(text)) {
    const bool blank = static_cast<unsigned char>(c) <= ' ';
    if (!blank)
      line += c;
    else if (!line.empty() && line.back() != ' ')
      line += ' ';
  }
  return line;
}

std::string PercentText(double retention) {
  return std::to_string(static_cast<int>(std::lround(retention * 100)));
}

} // namespace

TfrmLernstand::TfrmLernstand() : TForm("frmLernstand") {
  SetBorderStyle(TBorderStyle::ToolWindow);
  SetCaption("Lernstand");
  SetClientWidth(984);
  SetClientHeight(668);
  CreateControls();
  OnActivate = [this](TObject* sender) { FormActivate(sender); };
}

void TfrmLernstand::FormActivate(TObject*) {
  Find<TRadioButton>(kOptions[shownLicence - 1].Name)->SetFocus();
}

void TfrmLernstand::CreateControls() {
  auto paintBox = [this](const char* name, int left, int top, int width, int height,
                         void (TfrmLernstand::*painter)(TCanvas&), TWinControl* parent = nullptr) {
    TPaintBox* box = Create<TPaintBox>(name, parent);
    box->SetBounds(left, top, width, height);
    box->OnPaint = [this, painter](TCanvas& canvas) { (this->*painter)(canvas); };
    return box;
  };
  auto label = [this](const char* name, int left, int top, const std::string& caption,
                      TWinControl* parent) {
    TLabel* created = Create<TLabel>(name, parent);
    created->SetLeft(left);
    created->SetTop(top);
    created->SetCaption(caption);
    return created;
  };

  // The heading, the 17 areas of the edition's licences and the questions of all categories.
  pbKategorien =
      paintBox("pbKategorien", 8, 8, 472, kTableRow * 19 + 4, &TfrmLernstand::PaintCategories);
  pbTage = paintBox("pbTage", 8, 328, 472, 162, &TfrmLernstand::PaintDays);

  grpEinstellungen = Create<TGroupBox>("grpEinstellungen");
  grpEinstellungen->SetCaption("Prüfungstermin, Zielbehalt und Pensum");
  grpEinstellungen->SetBounds(8, 502, 472, 158);
  lblPruefungstermin =
      label("lblPruefungstermin", 12, 24, "Prüfungstermin (TT.MM.JJJJ):", grpEinstellungen);
  edtPruefungstermin = Create<TEdit>("edtPruefungstermin", grpEinstellungen);
  edtPruefungstermin->SetBounds(196, 20, 84, 21);
  edtPruefungstermin->SetMaxLength(10);
  edtPruefungstermin->SetTabOrder(6);
  lblZielbehalt = label("lblZielbehalt", 12, 52, "Zielbehalt (70 bis 97):", grpEinstellungen);
  edtZielbehalt = Create<TEdit>("edtZielbehalt", grpEinstellungen);
  edtZielbehalt->SetBounds(196, 48, 32, 21);
  edtZielbehalt->SetMaxLength(3);
  edtZielbehalt->SetTabOrder(7);
  lblProzent = label("lblProzent", 232, 52, "%", grpEinstellungen);
  lblPensum = label("lblPensum", 12, 80, "Tägliches Pensum:", grpEinstellungen);
  edtPensum = Create<TEdit>("edtPensum", grpEinstellungen);
  edtPensum->SetBounds(196, 76, 84, 21);
  edtPensum->SetMaxLength(16);
  edtPensum->SetTabOrder(8);
  lblPensumEinheit =
      label("lblPensumEinheit", 286, 80, "Antworten, oder Minuten: „30 min“", grpEinstellungen);
  btnUebernehmen = Create<TButton>("btnUebernehmen", grpEinstellungen);
  btnUebernehmen->SetCaption("Ü&bernehmen");
  btnUebernehmen->SetBounds(300, 20, 90, 25);
  btnUebernehmen->SetDefault(true);
  btnUebernehmen->SetTabOrder(9);
  btnUebernehmen->OnClick = [this](TObject* sender) { btnUebernehmenClick(sender); };
  // The values in effect, and that typing alone changes nothing.
  lblGilt = label("lblGilt", 12, 104, "", grpEinstellungen);
  lblGilt->SetAutoSize(false);
  lblGilt->SetWordWrap(true);
  lblGilt->SetBounds(12, 104, 452, 32);
  lblHinweis = label("lblHinweis", 12, 136, "Geänderte Werte gelten erst nach „Übernehmen“.",
                     grpEinstellungen);
  TFont muted = lblHinweis->Font();
  muted.Color = kMuted;
  lblHinweis->SetFont(muted);

  grpPrognose = Create<TGroupBox>("grpPrognose");
  grpPrognose->SetCaption("Prüfungsprognose");
  grpPrognose->SetBounds(496, 8, 480, 360);
  TRadioButton** slots[] = {&optKat1, &optKat2, &optKat3, &optKat4, &optKat5, &optKat6};
  for (std::size_t i = 0; i < std::size(kOptions); ++i) {
    TRadioButton* option = Create<TRadioButton>(kOptions[i].Name, grpPrognose);
    option->SetCaption(LicenceName(kOptions[i].Licence));
    option->SetVisible(LicenceShown(kOptions[i].Licence));
    // Two columns of three, in the order of the exam dialog.
    option->SetBounds(12 + static_cast<int>(i / 3) * 232, 22 + static_cast<int>(i % 3) * 22, 224,
                      17);
    option->SetTabOrder(static_cast<int>(i));
    const int licence = kOptions[i].Licence;
    option->OnClick = [this, licence](TObject*) { optKatClick(licence); };
    *slots[i] = option;
  }
  optKat1->SetChecked(true);
  pbPrognose = paintBox("pbPrognose", 8, 90, 464, 262, &TfrmLernstand::PaintOutlook, grpPrognose);

  pbSchwierig = paintBox("pbSchwierig", 496, 378, 480, 178, &TfrmLernstand::PaintTrouble);
  btnLernen = Create<TButton>("btnLernen");
  btnLernen->SetCaption("Diese Fragen &lernen");
  btnLernen->SetBounds(496, 564, 140, 25);
  btnLernen->SetTabOrder(10);
  btnLernen->OnClick = [this](TObject* sender) { btnLernenClick(sender); };

  btnAnpassen = Create<TButton>("btnAnpassen");
  btnAnpassen->SetCaption("Jetzt &anpassen");
  btnAnpassen->SetBounds(644, 564, 120, 25);
  btnAnpassen->SetTabOrder(11);
  btnAnpassen->OnClick = [this](TObject* sender) { btnAnpassenClick(sender); };
  // Which memory model the figures come from.
  lblModell = label("lblModell", 496, 640, "", nullptr);

  btnSchliessen = Create<TButton>("btnSchliessen");
  btnSchliessen->SetCaption("&Schließen");
  btnSchliessen->SetBounds(896, 635, 80, 25);
  btnSchliessen->SetCancel(true);
  btnSchliessen->SetTabOrder(12);
  btnSchliessen->OnClick = [this](TObject* sender) { btnSchliessenClick(sender); };
}

int TfrmLernstand::ShowFor(TLearningHistory& learningHistory, bool examRunning) {
  history = &learningHistory;
  exam = examRunning;
  Gather();
  edtPruefungstermin->SetText(history->ExamDateText());
  edtZielbehalt->SetText(PercentText(history->DesiredRetention()));
  edtPensum->SetText(history->BudgetText());
  // The outlook opens on the licence the exam date is for.
  if (const int licence = history->ExamLicence()) {
    shownLicence = licence;
    Find<TRadioButton>(kOptions[licence - 1].Name)->SetChecked(true);
  }
  ShowChoices();
  SetLeft(std::max(0, (Screen.Width() - Width()) / 2));
  SetTop(std::max(0, (Screen.Height() - Height()) / 2));
  const int result = ShowModal();
  history = nullptr;
  return result;
}

void TfrmLernstand::Gather() {
  now = Platform().UtcNowMs();
  categories.clear();
  anyAnswer = false;
  days.clear();
  trouble.clear();
  for (std::vector<TAreaOutlook>& outlook : outlooks)
    outlook.clear();
  outlookError.clear();
  examDay = history->ExamDayStart();
  examMoment = history->ExamMoment();
  std::optional<TLearningStatistics> statistics;
  try {
    statistics.emplace(history->Statistics(now));
  } catch (const std::exception& error) {
    Application.HandleException(error);
  }
  if (!statistics) {
    for (int licence = 1; licence <= kLastLicence; ++licence)
      for (int area = 1; area <= AreaCount(licence) && LicenceShown(licence); ++area)
        categories.push_back({licence, area, 0, 0, 0, 0, 0, 0});
    categories.push_back({0, 0, 0, 0, 0, 0, 0, 0});
    outlookError = "Ohne lesbaren Fragenkatalog gibt es keine Prognose.";
  } else {
    for (const TCategoryFigures& category : statistics->Categories(1, kLastLicence))
      if (LicenceShown(category.Licence))
        categories.push_back(category);
    // The questions of all categories come with every choice, and so into the due round.
    categories.push_back(statistics->Categories(0, 0).front());
    anyAnswer = statistics->AnyAnswer();
    GatherOutlook(*statistics);
    try {
      days = statistics->LastDays(kDays);
      GatherTrouble(*statistics);
    } catch (const std::exception& error) {
      Application.HandleException(error);
    }
  }
  btnLernen->SetEnabled(!exam && !trouble.empty());
  lblModell->SetCaption(history->ModelText());
  btnAnpassen->SetEnabled(history->CanAdapt());
  Repaint();
}

void TfrmLernstand::GatherOutlook(const TLearningStatistics& statistics) {
  // The settings file gives the limits; without it there is no outlook, only its error.
  try {
    for (int licence = 1; licence <= kLastLicence; ++licence) {
      limits[licence] = {ExamLimitOf(licence, elQuestionCount), ExamLimitOf(licence, elOralFrom),
                         ExamLimitOf(licence, elFailFrom)};
      outlooks[licence] = statistics.Outlook(licence, examMoment.value_or(now));
    }
  } catch (const std::exception& error) {
    for (std::vector<TAreaOutlook>& outlook : outlooks)
      outlook.clear();
    outlookError = error.what();
    Application.HandleException(error);
  }
}

void TfrmLernstand::GatherTrouble(const TLearningStatistics& statistics) {
  for (const TTroubleQuestion& question : statistics.Trouble(kTroubleCount)) {
    QuestionRecord record;
    ReadQuestion(question.RecordNo, record);
    TTroubleRow row;
    row.Entry = PoolEntry{1, 1, record.Licence, record.Area, question.RecordNo};
    row.Start = OneLine(record.Question);
    row.WrongAnswers = question.WrongAnswers;
    row.MostTickedWrong = question.MostTickedWrong;
    row.HasWrongTicks = question.HasWrongTicks;
    trouble.push_back(row);
  }
}

// What is in effect after "Übernehmen": the stored exam date and retention.
void TfrmLernstand::ShowChoices() {
  const std::string date = history->ExamDateText();
  std::string text = "Es gilt: ";
  if (date.empty())
    text += "kein Prüfungstermin";
  else
    text += "Prüfungstermin " + date + (examDay ? "" : " (vorbei)");
  if (!date.empty() && history->ExamLicence() != 0)
    text += " für " + LicenceName(history->ExamLicence());
  text += ", Zielbehalt " + PercentText(history->DesiredRetention()) + " %";
  const std::string budget = history->BudgetText();
  if (!budget.empty())
    text +=
        ", Pensum " +
        (budget.find("min") != std::string::npos ? budget.substr(0, budget.find(' ')) + " Minuten"
                                                 : budget + " Antworten") +
        " am Tag";
  text += ".";
  lblGilt->SetCaption(text);
}

void TfrmLernstand::Repaint() {
  for (TPaintBox* box : {pbKategorien, pbTage, pbPrognose, pbSchwierig})
    box->Invalidate();
}

// The fit replays every memory state, so the figures are gathered anew.
void TfrmLernstand::btnAnpassenClick(TObject*) {
  Application.MessageBox(history->AdaptNow());
  Gather();
}

void TfrmLernstand::optKatClick(int licence) {
  shownLicence = licence;
  pbPrognose->Invalidate();
}

// Each value is taken only when it differs from the one in effect, so that an exam date that
// has passed meanwhile does not block a new retention. A refused value stays in its box for
// correcting; the line "Es gilt" says what is in effect.
void TfrmLernstand::btnUebernehmenClick(TObject*) {
  if (!history->Usable()) {
    Application.MessageBox("Ohne nutzbaren Lernverlauf können Prüfungstermin, Zielbehalt und "
                           "Pensum nicht gespeichert werden.");
    return;
  }
  const std::string date = TrimControls(edtPruefungstermin->Text());
  if (date != history->ExamDateText()) {
    const std::string refusal = history->SetExamDate(date);
    if (!refusal.empty()) {
      Application.MessageBox(refusal);
      edtPruefungstermin->SetFocus();
    } else {
      edtPruefungstermin->SetText(history->ExamDateText());
    }
  }
  const std::string percent = TrimControls(edtZielbehalt->Text());
  if (percent != PercentText(history->DesiredRetention())) {
    const std::string refusal = history->SetRetentionPercent(percent);
    if (!refusal.empty()) {
      Application.MessageBox(refusal);
      edtZielbehalt->SetFocus();
    } else {
      edtZielbehalt->SetText(PercentText(history->DesiredRetention()));
    }
  }
  // The exam date is for the licence whose outlook is shown.
  if (!history->ExamDateText().empty() && history->ExamLicence() != shownLicence)
    history->SetExamLicence(shownLicence);
  const std::string budget = TrimControls(edtPensum->Text());
  if (budget != history->BudgetText()) {
    const std::string refusal = history->SetBudget(budget);
    if (!refusal.empty()) {
      Application.MessageBox(refusal);
      edtPensum->SetFocus();
    } else {
      edtPensum->SetText(history->BudgetText());
    }
  }
  // The due figures follow the retention, the outlook the exam date.
  Gather();
  ShowChoices();
}

void TfrmLernstand::btnLernenClick(TObject*) {
  std::vector<PoolEntry> entries;
  for (const TTroubleRow& row : trouble)
    entries.push_back(row.Entry);
  QuestionData().StartPass(std::move(entries));
  // As after loading a knowledge file: every question of the pool may be picked.
  QuestionData().SelectAllCategories();
  SetModalResult(mrLernen);
}

void TfrmLernstand::btnSchliessenClick(TObject*) { Close(); }

void TfrmLernstand::PaintCategories(TCanvas& canvas) {
  Panel(canvas, *pbKategorien);
  const int width = pbKategorien->Width();
  canvas.FillRect({1, 1, width - 2, kTableRow + 1}, kHeaderBand);
  canvas.TextOut(6, 3, "Kategorie", BoldFont());
  for (const TColumn& column : kColumns)
    TextRight(canvas, column.Right, 3, column.Heading, BoldFont());
  canvas.Line(1, kTableRow + 2, width - 2, kTableRow + 2, kFrame);
  // Names may reach under the heading "Fragen", not up to its numbers.
  const int nameWidth = kColumns[0].Right - TextWidth(canvas, "9999", PlainFont()) - 10;
  int top = kTableRow + 4;
  for (const TCategoryFigures& figures : categories) {
    // Every other licence on a tinted band, so that a licence's areas read as one group.
    if (figures.Licence != 0 && figures.Licence % 2 == 0)
      canvas.FillRect({1, top - 1, width - 2, kTableRow}, kLicenceBand);
    std::string name = "Gehört zu allen Kategorien";
    if (figures.Licence != 0)
      CategoryName(figures.Licence, figures.Area, name);
    canvas.TextOut(6, top, FitText(canvas, name, PlainFont(), nameWidth), PlainFont());
    // The share of the tests of recall answered right: what the learner knew when asked. The
    // recall now says little, since it is close to 100 % right after any answer.
    const std::string right =
        figures.RecallTests > 0
            ? PercentText(static_cast<double>(figures.RightRecallTests) / figures.RecallTests) +
                  " %"
            : std::string("–");
    const std::string cells[] = {std::to_string(figures.Questions),
                                 std::to_string(figures.Answered), std::to_string(figures.Due),
                                 right};
    for (std::size_t i = 0; i < std::size(kColumns); ++i)
      TextRight(canvas, kColumns[i].Right, top, cells[i], PlainFont());
    top += kTableRow;
  }
}

void TfrmLernstand::PaintDays(TCanvas& canvas) {
  Panel(canvas, *pbTage);
  const int width = pbTage->Width();
  const int height = pbTage->Height();
  canvas.TextOut(6, 4, "Antworten der letzten " + std::to_string(kDays) + " Tage", BoldFont());
  if (!anyAnswer || days.empty()) {
    TextCentred(canvas, width / 2, height / 2 - 6, kNoAnswers, PlainFont());
    return;
  }
  const int legendWidth = 14 + TextWidth(canvas, "richtig", PlainFont()) + 12 + 14 +
                          TextWidth(canvas, "falsch", PlainFont());
  const int legendX = LegendEntry(canvas, width - 8 - legendWidth, 4, kColorRight, "richtig");
  LegendEntry(canvas, legendX, 4, kColorWrong, "falsch");

  const int left = 34, right = width - 10, top = 28, bottom = height - 24;
  const int plotHeight = bottom - top;
  int most = 0;
  for (const TDayAnswers& day : days)
    most = std::max(most, day.Right + day.Wrong);
  const int scale = ValueGrid(canvas, left, right, top, bottom, most);
  const double slot = static_cast<double>(right - left) / static_cast<double>(days.size());
  const int barWidth = std::max(2, static_cast<int>(slot * 0.7));
  for (std::size_t i = 0; i < days.size(); ++i) {
    const TDayAnswers& day = days[i];
    const int centre = left + static_cast<int>(slot * (static_cast<double>(i) + 0.5));
    const int x = centre - barWidth / 2;
    const int rightHeight = plotHeight * day.Right / scale;
    const int totalHeight = plotHeight * (day.Right + day.Wrong) / scale;
    if (rightHeight > 0)
      canvas.FillRect({x, bottom - rightHeight, barWidth, rightHeight}, kColorRight);
    if (totalHeight > rightHeight)
      canvas.FillRect({x, bottom - totalHeight, barWidth, totalHeight - rightHeight}, kColorWrong);
    // Every day has a tick; every seventh, counted back from today, its date.
    const bool labelled = (days.size() - 1 - i) % 7 == 0;
    canvas.Line(centre, bottom, centre, bottom + (labelled ? 5 : 2), kAxis);
    if (labelled) {
      // Centred under its bar, but inside the box: today's date sits at the right edge.
      const std::string date = LocalDateText(day.DayStartMs).substr(0, 6);
      const int dateWidth = TextWidth(canvas, date, PlainFont(kMuted));
      canvas.TextOut(std::min(centre - dateWidth / 2, width - 4 - dateWidth), bottom + 6, date,
                     PlainFont(kMuted));
    }
  }
  canvas.Line(left, bottom, right, bottom, kAxis);
  if (most == 0)
    TextCentred(canvas, (left + right) / 2, top + plotHeight / 2 - 6,
                "In den letzten " + std::to_string(kDays) + " Tagen keine Antworten.", PlainFont());
}

void TfrmLernstand::PaintOutlook(TCanvas& canvas) {
  Panel(canvas, *pbPrognose);
  const int width = pbPrognose->Width();
  canvas.TextOut(8, 4,
                 examDay ? "Prognose für den Prüfungstag " + LocalDateText(*examDay)
                         : "Prognose für eine Prüfung heute, " + LocalDateText(now),
                 BoldFont());
  if (!outlookError.empty()) {
    int y = 24;
    canvas.TextOut(8, y, "Keine Prognose möglich:", PlainFont());
    const TFont font = PlainFont();
    for (const std::string& line :
         WrapLines(outlookError, width - 16,
                   [&](const std::string& text) { return TextWidth(canvas, text, font); })) {
      y += canvas.TextExtent("X", font).Height;
      canvas.TextOut(8, y, line, font);
    }
    return;
  }
  const TLimits& limit = limits[shownLicence];
  std::string rule = "Je Bereich " + std::to_string(limit.Questions) + " Fragen; ";
  if (limit.OralFrom < limit.FailFrom)
    rule += "mündliche Nachprüfung ab " + std::to_string(limit.OralFrom) + ", ";
  rule += "nicht bestanden ab " + std::to_string(limit.FailFrom) + " Fehlern";
  canvas.TextOut(8, 20, FitText(canvas, rule, PlainFont(kMuted), width - 16), PlainFont(kMuted));
  int x = LegendEntry(canvas, 8, 36, kColorPassed, "Bestanden");
  x = LegendEntry(canvas, x, 36, kColorOral, "Mündliche Nachprüfung");
  LegendEntry(canvas, x, 36, kColorFailed, "Nicht bestanden");
  int top = 58;
  for (const TAreaOutlook& area : outlooks[shownLicence]) {
    PaintOutlookBar(canvas, area, top, width);
    top += 50;
  }
}

// The area's name and never-answered questions, the bar of its three outcomes, and each
// part's percentage: inside the part where it fits, else in a row under the bar, pushed apart
// so that no two labels overlap.
void TfrmLernstand::PaintOutlookBar(TCanvas& canvas, const TAreaOutlook& area, int top, int width) {
  const int left = 8;
  const int barWidth = width - 2 * left;
  std::string count = NeverAnsweredText(area);
  // An area smaller than the exam fails by its missing questions: say why the bar is red.
  if (area.Questions > 0 && area.Questions < limits[shownLicence].Questions)
    count = "nur " + std::to_string(area.Questions) + " Fragen im Katalog, " + count;
  TextRight(canvas, left + barWidth, top, count, PlainFont(kMuted));
  const int nameWidth = barWidth - TextWidth(canvas, count, PlainFont(kMuted)) - 12;
  canvas.TextOut(left, top,
                 FitText(canvas, AreaTitle(shownLicence, area.Area), BoldFont(), nameWidth),
                 BoldFont());

  const int barTop = top + 15;
  const int barHeight = 18;
  const std::array<int, 3> percents = WholePercents(area.Outlook);
  const uint32_t colors[3] = {kColorPassed, kColorOral, kColorFailed};
  // A label under the bar is written in a darker shade of its part, which ties it to it.
  const uint32_t labelColors[3] = {0x2E6B2E, 0x7A5C00, 0x9E2A26};
  int edges[4] = {left, 0, 0, left + barWidth};
  edges[1] = left + static_cast<int>(std::lround(barWidth * percents[0] / 100.0));
  edges[2] = left + static_cast<int>(std::lround(barWidth * (percents[0] + percents[1]) / 100.0));
  struct TOutside {
    std::string Text;
    int Left;
    int Width;
    uint32_t Color;
  };
  std::vector<TOutside> outside;
  const TFont font = PlainFont();
  const int textHeight = canvas.TextExtent("0", font).Height;
  for (int part = 0; part < 3; ++part) {
    const int partWidth = edges[part + 1] - edges[part];
    if (partWidth <= 0 || percents[static_cast<std::size_t>(part)] == 0)
      continue;
    canvas.FillRect({edges[part], barTop, partWidth, barHeight}, colors[part]);
    const std::string text = std::to_string(percents[static_cast<std::size_t>(part)]) + " %";
    const int textWidth = TextWidth(canvas, text, font);
    const int centre = edges[part] + partWidth / 2;
    if (textWidth + 6 <= partWidth)
      canvas.TextOut(centre - textWidth / 2, barTop + (barHeight - textHeight) / 2, text, font);
    else
      outside.push_back({text, centre - textWidth / 2, textWidth, labelColors[part]});
  }
  canvas.FrameRect({left, barTop, barWidth, barHeight}, kAxis);
  const int gap = 8;
  for (std::size_t i = 0; i < outside.size(); ++i) {
    const int least = i == 0 ? left : outside[i - 1].Left + outside[i - 1].Width + gap;
    outside[i].Left = std::max(outside[i].Left, least);
  }
  for (std::size_t i = outside.size(); i-- > 0;) {
    const int most = i + 1 == outside.size() ? left + barWidth : outside[i + 1].Left - gap;
    outside[i].Left = std::min(outside[i].Left, most - outside[i].Width);
  }
  for (const TOutside& label : outside)
    canvas.TextOut(label.Left, barTop + barHeight + 2, label.Text, PlainFont(label.Color));
}

void TfrmLernstand::PaintTrouble(TCanvas& canvas) {
  Panel(canvas, *pbSchwierig);
  const int width = pbSchwierig->Width();
  canvas.TextOut(6, 4, "Am häufigsten falsch beantwortet", BoldFont());
  if (!anyAnswer || trouble.empty()) {
    TextCentred(canvas, width / 2, pbSchwierig->Height() / 2 - 6,
                anyAnswer ? "Noch keine Frage falsch beantwortet." : kNoAnswers, PlainFont());
    return;
  }
  int top = 22;
  for (const TTroubleRow& row : trouble) {
    TextRight(canvas, 30, top, std::to_string(row.WrongAnswers) + "×", BoldFont());
    const std::string ticks =
        row.HasWrongTicks ? "meist falsch angekreuzt: " +
                                (row.MostTickedWrong.empty() ? "nichts" : row.MostTickedWrong)
                          : std::string("nur als „Unklar“ bewertet");
    TextRight(canvas, width - 6, top, ticks, PlainFont(kMuted));
    const int startWidth = width - 6 - TextWidth(canvas, ticks, PlainFont(kMuted)) - 12 - 38;
    canvas.TextOut(38, top, FitText(canvas, row.Start, PlainFont(), startWidth), PlainFont());
    top += 15;
  }
}
