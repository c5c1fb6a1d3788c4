// The main window's menu actions: knowledge state, categories, editing, help and links.
#include "mainwindow/srcFrageAntwort.h"

#include "core/Edition.h"
#include "core/QuestionData.h"
#include "dialogs/srcNew.h"
#include "history/CalendarDate.h"
#include "toolkit/Application.h"
#include "windows/srcBericht.h"
#include "windows/srcInfo.h"
#include "windows/srcLernplan.h"
#include "windows/srcLernstand.h"
#include "windows/srcSkizzen.h"
#include "windows/srcXMsgBox.h"

namespace {

const char* const kLineBreak = "\n\r";

std::string ShortHelpText() {
  const std::string owner = EditionOwner;
  const char* const lines[] = {
      "Im Menü \"Fragen\"->\"Kategorie wählen\" wählt man die Kategorie aus, die gelernt werden "
      "soll und beendet den Dialog mit OK. Es wird angezeigt, wieviele Fragen zu den "
      "ausgewählten Rubriken verfügbar sind (unklare Fragen). Man kann nun die Fragen am  "
      "Bildschirm durcharbeiten. Wählt man den Knopf \"Klar\", erscheint die aktuell angezeigte "
      "Frage in dieser Fragerunde nichtmehr. Die Anzahl der unklaren Fragen verringert sich um "
      "eins. Wählt man \"Unklar\", wird die Frage zu einem späteren Zeitpunkt wiederholt.",
      "Im Menü \"Programm\" kann der bereits erarbeitete Wissensstand abgespeichert bzw. geladen "
      "werden. Der Wissensstand bleibt so lange erhalten, bis ein neuer Wissensstand gespeichert "
      "wird.",
      "Im Menü \"Fragen\" können neue Fragen erfasst werden, oder die aktuelle Frage geändert "
      "bzw. gelöscht werden.",
      "Im Menü \"Programm\" kann außerdem ein Prüfungsmodus gestartet werden. Nach auswählen des "
      "Scheins werden pro Themengebiet den Prüfungsbedingungen entsprechend Fragen gestellt. "
      "Nach abarbeiten jedes Themengebiets erscheint die zugehörige Prüfungsauswertung.",
      "Eine Haftung jeglicher Art für den Inhalt und die Richtigkeit der Fragen und Antworten, "
      "sowie für die Funktion des Programms und damit eventuell auftretenden Probleme bzw. "
      "Schäden wird abgelehnt. Der Autor und Vertreiber."};
  std::string text = owner + " Aerolern - Kurzhilfe:";
  for (const char* line : lines)
    text += kLineBreak + std::string(line);
  return text + kLineBreak + kLineBreak + owner + " wünscht viel Erfolg bei der Theorieprüfung.";
}

} // namespace

void TfrmFrageAntwort::mnuProgrammWissensstandSpeichernClick(TObject*) { SaveKnowledge(); }

void TfrmFrageAntwort::mnuProgrammWissensstandLadenClick(TObject*) {
  BuildQuestionPool(true);
  ShowNextQuestion(true);
}

void TfrmFrageAntwort::mnuProgrammPruefungsfehlerClick(TObject*) {
  if (CurrentMode() == modePruefung || !examAsked)
    return;
  if (wrongExamQuestions.empty()) {
    Application.MessageBox("In der letzten Prüfung wurde keine Frage falsch beantwortet.");
    return;
  }
  QuestionData().StartPass(wrongExamQuestions);
  // As after loading a knowledge file: every question of the pool may be picked.
  QuestionData().SelectAllCategories();
  ShowNextQuestion(true);
}

// The report changes neither the pool nor the history: it may be written during an exam too.
void TfrmFrageAntwort::mnuBerichtClick(TObject*) { frmBericht->ShowFor(history); }

void TfrmFrageAntwort::mnuProgrammProgrammbeendenClick(TObject*) { Close(); }

void TfrmFrageAntwort::mnuFragenKategorieWaehlenClick(TObject*) {
  RunCategoryChoice();
  ApplyMode(CurrentMode());
}

void TfrmFrageAntwort::mnuFragenNeueFrageClick(TObject*) {
  SetEditMode(emNewQuestion);
  frmNew->ShowModal();
  ShowNextQuestion(true);
}

void TfrmFrageAntwort::mnuFragenAktuelleFrageAendernClick(TObject*) {
  // The placeholder is no question of the catalogue: there is nothing to change.
  if (placeholderShown)
    return;
  SetEditMode(emChangeQuestion);
  frmNew->ShowModal();
  ShowNextQuestion(false);
}

void TfrmFrageAntwort::AktuelleFragelschen1Click(TObject*) {
  if (placeholderShown)
    return;
  const int32_t deleted = CurrentQuestionNo();
  DeleteCurrentQuestion();
  deletedQuestions.push_back(deleted);
  UpdateUndoEntry();
  ShowNextQuestion(true);
}

void TfrmFrageAntwort::mnuFragenLoeschenRueckgaengigClick(TObject*) {
  if (deletedQuestions.empty() || CurrentMode() == modePruefung)
    return;
  QuestionData().RestoreDeletedQuestion(deletedQuestions.back());
  deletedQuestions.pop_back();
  UpdateUndoEntry();
  // The question is back on display as it was before its deletion.
  placeholderShown = false;
  ShowNextQuestion(false);
}

void TfrmFrageAntwort::UpdateUndoEntry() {
  mnuFragenLoeschenRueckgaengig->SetEnabled(!deletedQuestions.empty() &&
                                            CurrentMode() != modePruefung);
}

void TfrmFrageAntwort::mnuFragenAntwortPruefenClick(TObject*) {
  if (btnLoesung->Visible() && btnLoesung->Enabled())
    btnLoesungClick(btnLoesung);
}

void TfrmFrageAntwort::Kurzhilfe1Click(TObject*) { Application.MessageBox(ShortHelpText()); }

void TfrmFrageAntwort::mnuHilfeClick(TObject*) {
  if (Platform().ShellOpen("Hilfe.htm"))
    return;
  std::string unused;
  XMsgBox("Die Online Hilfe konnte nicht geöffnet werden, da kein gültiger HTML-Browser "
          "verfügbar ist.",
          "HTML-Hilfe kann nicht angezeigt werden.", xmbExclamation, "+    &Ok    ", 0, false,
          unused);
}

void TfrmFrageAntwort::btnInfosUeberClick(TObject*) {
  frmInfo->SetTop(Top() + Height() / 8);
  frmInfo->SetLeft(Left() + Width() / 2 - frmInfo->Width() / 3);
  frmInfo->ShowModal();
}

void TfrmFrageAntwort::mnuDHVClick(TObject*) { OpenDocument(DhvWebAddress); }
// The motor paraglider catalogue is not part of this edition: while its entry is hidden, its
// shortcut does nothing either.
void TfrmFrageAntwort::mnuDULVClick(TObject*) {
  if (mnuDULV->Visible())
    OpenDocument(DulvWebAddress);
}
void TfrmFrageAntwort::mnuDFSClick(TObject*) { OpenDocument(DfsShopWebAddress); }

void TfrmFrageAntwort::btnSkizzenClick(TObject*) {
  frmSkizzen->ShowSketch(*this, lblImageNo->Caption());
}

void TfrmFrageAntwort::mnuLernstandFaelligeFragenClick(TObject*) {
  TQuestionData& data = QuestionData();
  TDueQuestions due = history.DueQuestions(
      [&data](int licence, int area) { return data.CategorySelected(licence, area); });
  // Without a readable history nothing is known to be due; the learner has heard why.
  if (due.Unknown)
    return;
  // The round takes the chosen categories only: the learner hears of the due questions of the
  // others, which the figures of the statistics window count as well.
  const std::string elsewhere =
      due.DueElsewhere == 0
          ? std::string()
          : kLineBreak +
                (due.DueElsewhere == 1 ? std::string("In anderen Kategorien ist 1 Frage fällig")
                                       : "In anderen Kategorien sind " +
                                             std::to_string(due.DueElsewhere) + " Fragen fällig") +
                "; sie kommen dazu, wenn Sie ihre Kategorien unter „Kategorie wählen“ ankreuzen.";
  if (due.Entries.empty()) {
    std::string text = elsewhere.empty() ? "Keine Frage ist fällig."
                                         : "In den gewählten Kategorien ist keine Frage fällig.";
    if (due.NextDueMs)
      text +=
          kLineBreak + ("Die nächste Frage ist am " + LocalDateText(*due.NextDueMs) + " fällig.");
    Application.MessageBox(text + elsewhere);
    return;
  }
  const std::size_t count = due.Entries.size();
  data.StartPass(std::move(due.Entries));
  ShowNextQuestion(true);
  if (!elsewhere.empty())
    Application.MessageBox(
        (count == 1 ? std::string("Wiederholt wird die 1 fällige Frage")
                    : "Wiederholt werden die " + std::to_string(count) + " fälligen Fragen") +
        " der gewählten Kategorien" +
        (data.SlotSelected(0) ? " mit den Fragen, die zu allen Kategorien gehören." : ".") +
        elsewhere);
}

// The window hands the pool of its troublesome questions back through its modal result.
void TfrmFrageAntwort::mnuLernstandStatistikClick(TObject*) {
  if (frmLernstand->ShowFor(history, CurrentMode() == modePruefung) == TfrmLernstand::mrLernen)
    ShowNextQuestion(true);
}

void TfrmFrageAntwort::mnuLernstandPensumClick(TObject*) {
  if (CurrentMode() != modePruefung)
    LearnTodaysPlan(history.PlanStatus(false));
}

void TfrmFrageAntwort::mnuLernstandLernplanClick(TObject*) {
  if (frmLernplan->ShowFor(history, CurrentMode() == modePruefung) == TfrmLernplan::mrPensum)
    LearnTodaysPlan(frmLernplan->Status());
}

// Today's planned questions that are still to do become the pool, in the learner's mode; they
// may lie in any category, as after loading a knowledge file.
void TfrmFrageAntwort::LearnTodaysPlan(const TPlanStatus& plan) {
  if (!plan.Problem.empty()) {
    Application.MessageBox(plan.Problem);
    return;
  }
  if (plan.Remaining.empty()) {
    Application.MessageBox("Das heutige Pensum ist erledigt." + std::string(kLineBreak) +
                           "Weitere Fragen heben die Chance zu bestehen trotzdem.");
    return;
  }
  QuestionData().StartPass(plan.Remaining);
  QuestionData().SelectAllCategories();
  ShowNextQuestion(true);
}
