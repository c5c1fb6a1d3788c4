// The window "Lernplan": asks the learning history for the plan when it opens and shows it in
// labels and one chart.
#include "windows/srcLernplan.h"

#include "core/Licences.h"
#include "core/srcCommon.h"
#include "history/CalendarDate.h"
#include "toolkit/Application.h"
#include "windows/ChartDrawing.h"

#include <algorithm>
#include <cmath>

TfrmLernplan* frmLernplan = nullptr;

namespace {

constexpr uint32_t kAxis = 0x606060;
constexpr uint32_t kMuted = 0x555555;
constexpr std::size_t kMostCounting = 5;

std::string Percent(double probability) {
  return std::to_string(static_cast<int>(std::lround(probability * 100))) + " %";
}

std::string Count(int count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

// "Was am meisten zählt": the areas whose questions today raise the chance most.
std::string CountingMost(const TPlanStatus& status) {
  std::string text = "Was am meisten zählt:";
  std::size_t listed = 0;
  for (const TPlanAreaToday& area : status.Plan.Areas) {
    if (listed == kMostCounting || area.Questions == 0)
      break;
    ++listed;
    text += "\n" + std::to_string(listed) + ". " +
            AreaTitle(RecordLicence(status.ExamLicence), area.Area) + ": " +
            Count(area.Questions, "Frage", "Fragen") + " heute";
    if (area.NewQuestions > 0)
      text += ", davon " + std::to_string(area.NewQuestions) + " neu";
    text += "; Chance auf „Bestanden.“ hier jetzt " + Percent(area.PassedNow) + ".";
  }
  if (listed == 0)
    text += "\nHeute ist nichts zu tun, was die Chance noch hebt.";
  return text;
}

} // namespace

TfrmLernplan::TfrmLernplan() : TForm("frmLernplan") {
  SetBorderStyle(TBorderStyle::ToolWindow);
  SetCaption("Lernplan");
  SetClientWidth(640);
  SetClientHeight(520);
  CreateControls();
}

void TfrmLernplan::CreateControls() {
  auto label = [this](const char* name, int top, int height) {
    TLabel* created = Create<TLabel>(name);
    created->SetAutoSize(false);
    created->SetWordWrap(true);
    created->SetBounds(8, top, 624, height);
    return created;
  };
  lblTage = label("lblTage", 8, 18);
  TFont bold = lblTage->Font();
  bold.Bold = true;
  lblTage->SetFont(bold);
  lblHeute = label("lblHeute", 30, 18);
  lblTempo = label("lblTempo", 50, 18);
  lblTempo->SetFont(bold);
  pbPlan = Create<TPaintBox>("pbPlan");
  pbPlan->SetBounds(8, 74, 624, 190);
  pbPlan->OnPaint = [this](TCanvas& canvas) { PaintPlan(canvas); };
  lblPrognose = label("lblPrognose", 274, 66);
  lblWichtig = label("lblWichtig", 344, 130);
  // Without a plan: the one sentence that says why.
  lblHinweis = label("lblHinweis", 8, 60);
  lblHinweis->SetVisible(false);

  btnPensum = Create<TButton>("btnPensum");
  btnPensum->SetCaption("Heutiges Pensum &lernen");
  btnPensum->SetBounds(8, 487, 170, 25);
  btnPensum->SetDefault(true);
  btnPensum->SetTabOrder(0);
  btnPensum->OnClick = [this](TObject* sender) { btnPensumClick(sender); };
  btnSchliessen = Create<TButton>("btnSchliessen");
  btnSchliessen->SetCaption("&Schließen");
  btnSchliessen->SetBounds(552, 487, 80, 25);
  btnSchliessen->SetCancel(true);
  btnSchliessen->SetTabOrder(1);
  btnSchliessen->OnClick = [this](TObject* sender) { btnSchliessenClick(sender); };
}

int TfrmLernplan::ShowFor(TLearningHistory& learningHistory, bool examRunning) {
  status = learningHistory.PlanStatus(true);
  ShowStatus();
  btnPensum->SetEnabled(!examRunning && status.Problem.empty() && !status.Remaining.empty());
  SetLeft(std::max(0, (Screen.Width() - Width()) / 2));
  SetTop(std::max(0, (Screen.Height() - Height()) / 2));
  return ShowModal();
}

void TfrmLernplan::ShowStatus() {
  const bool plan = status.Problem.empty();
  for (TControl* control : std::initializer_list<TControl*>{lblTage, lblHeute, lblTempo, pbPlan,
                                                            lblPrognose, lblWichtig})
    control->SetVisible(plan);
  lblHinweis->SetVisible(!plan);
  if (!plan) {
    lblHinweis->SetCaption(status.Problem);
    return;
  }
  const std::string licence = LicenceName(status.ExamLicence);
  lblTage->SetCaption((status.DaysLeft == 0 ? std::string("Die Prüfung ist heute")
                                            : "Noch " + Count(status.DaysLeft, "Tag", "Tage") +
                                                  " bis zur Prüfung am " + status.ExamDate) +
                      " (" + licence + ").");
  const int planned = status.Done + static_cast<int>(status.Remaining.size());
  lblHeute->SetCaption("Heute geplant: " + Count(planned, "Frage", "Fragen") +
                       ", davon erledigt: " + std::to_string(status.Done) + " (Pensum " +
                       std::to_string(std::lround(status.Budget)) +
                       " Antworten am Tag, Wiederholungen falscher Antworten eingerechnet).");
  lblTempo->SetCaption("Stand: " + status.Pace);
  lblPrognose->SetCaption(
      "Chance, am Prüfungstag alle Sachgebiete mit „Bestanden.“ abzuschließen:\n"
      "mit diesem Plan " +
      Percent(status.Plan.Projected) + ", nur mit den fälligen Fragen " +
      Percent(status.Plan.DueOnly) + ", ohne weiteres Lernen " + Percent(status.PassNow) + "." +
      (status.AnyAnswer ? std::string()
                        : "\nNoch keine Antworten aufgezeichnet: der Plan beginnt mit neuen "
                          "Fragen."));
  lblWichtig->SetCaption(CountingMost(status));
  pbPlan->Invalidate();
}

void TfrmLernplan::PaintPlan(TCanvas& canvas) {
  Panel(canvas, *pbPlan);
  const int width = pbPlan->Width();
  const int height = pbPlan->Height();
  canvas.TextOut(6, 4, "Geplante Antworten bis zur Prüfung", BoldFont());
  const char* const legend[] = {"erledigt", "neue Fragen", "Wiederholungen"};
  const uint32_t colors[] = {kColorDone, kColorNew, kColorReview};
  int legendX = width - 8;
  for (const char* entry : legend)
    legendX -= 26 + TextWidth(canvas, entry, PlainFont());
  for (std::size_t i = 0; i < std::size(legend); ++i)
    legendX = LegendEntry(canvas, legendX + (i == 0 ? 12 : 0), 4, colors[i], legend[i]);
  if (status.Plan.Days.empty())
    return;
  // Today's bar holds the answers given already below the rest of the plan.
  const std::vector<TPlanDay>& days = status.Plan.Days;
  const auto given = [&](std::size_t i) { return i == 0 ? status.AnswersToday : 0; };
  const int left = 38, right = width - 10, top = 28, bottom = height - 24;
  double most = 1;
  for (std::size_t i = 0; i < days.size(); ++i)
    most = std::max(most, days[i].Answers + given(i));
  const int scale = ValueGrid(canvas, left, right, top, bottom, static_cast<int>(std::ceil(most)));
  const auto barHeight = [&](double answers) {
    return static_cast<int>(std::lround((bottom - top) * answers / scale));
  };
  const double slot = static_cast<double>(right - left) / static_cast<double>(days.size());
  const int barWidth = std::max(2, static_cast<int>(slot * 0.7));
  const std::size_t labelEvery = days.size() <= 14 ? 1 : days.size() <= 35 ? 7 : 14;
  for (std::size_t i = 0; i < days.size(); ++i) {
    const TPlanDay& day = days[i];
    const int centre = left + static_cast<int>(slot * (static_cast<double>(i) + 0.5));
    const int x = centre - barWidth / 2;
    const int done = barHeight(given(i));
    const int planned = barHeight(day.Answers);
    const int questions = day.NewQuestions + day.Reviews;
    const int fresh = questions > 0 ? planned * day.NewQuestions / questions : 0;
    if (done > 0)
      canvas.FillRect({x, bottom - done, barWidth, done}, kColorDone);
    if (fresh > 0)
      canvas.FillRect({x, bottom - done - fresh, barWidth, fresh}, kColorNew);
    if (planned > fresh)
      canvas.FillRect({x, bottom - done - planned, barWidth, planned - fresh}, kColorReview);
    const bool labelled = i % labelEvery == 0;
    canvas.Line(centre, bottom, centre, bottom + (labelled ? 5 : 2), kAxis);
    if (labelled) {
      const std::string date = LocalDateText(day.SessionMs).substr(0, 6);
      const int dateWidth = TextWidth(canvas, date, PlainFont(kMuted));
      canvas.TextOut(std::min(std::max(2, centre - dateWidth / 2), width - 4 - dateWidth),
                     bottom + 6, date, PlainFont(kMuted));
    }
  }
  canvas.Line(left, bottom, right, bottom, kAxis);
}

void TfrmLernplan::btnPensumClick(TObject*) { SetModalResult(mrPensum); }

void TfrmLernplan::btnSchliessenClick(TObject*) { Close(); }
