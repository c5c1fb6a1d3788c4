// The main window: one question with its answers, the learning modes, the exam and the menu.
#pragma once

#include "core/LearningEvents.h"
#include "core/srcCommon.h"
#include "history/LearningHistory.h"
#include "toolkit/Form.h"

class TfrmFrageAntwort : public TForm {
public:
  TfrmFrageAntwort();
  ~TfrmFrageAntwort() override;

  // Mode numbers of ApplyMode, those of the learning events; 0 lays the window out for
  // Lernmodus without a question.
  enum : int {
    modeSetup = 0,
    modeLernen = lmLernen,
    modeVertiefen = lmVertiefen,
    modeSchnell = lmSchnell,
    modePruefung = lmPruefung
  };

  TLabel *lblKategorie = nullptr, *lblFrage = nullptr, *Label1 = nullptr, *Label2 = nullptr,
         *Label3 = nullptr, *Label4 = nullptr;
  TLabel *lblAntwortA = nullptr, *lblAntwortB = nullptr, *lblAntwortC = nullptr,
         *lblAntwortD = nullptr;
  TCheckBox *chkAntwortA = nullptr, *chkAntwortB = nullptr, *chkAntwortC = nullptr,
            *chkAntwortD = nullptr;
  TButton *btnLoesung = nullptr, *btnSkizzen = nullptr, *btnUnklar = nullptr, *btnKlar = nullptr;
  TLabel *lblUnklareFragen = nullptr, *lblImageNo = nullptr;
  // Says in words which answers are right once the solution is shown, and whether the learner's
  // answer was right.
  TLabel* lblAuswertung = nullptr;
  TCheckBox* chkWeiterWennRichtig = nullptr;
  TTimer* tmrFrageAntwort = nullptr;
  TMainMenu* MainMenu1 = nullptr;
  TMenuItem *mnuProgramm = nullptr, *mnuProgrammWissensstandSpeichern = nullptr,
            *mnuProgrammWissensstandLaden = nullptr;
  TMenuItem *mnuLernmode = nullptr, *mnuVertifungsmode = nullptr, *mnuSchnellernmode = nullptr,
            *mnuProgrammPruefungsmodus = nullptr;
  TMenuItem *mnuProgrammPruefungsfehler = nullptr, *mnuBericht = nullptr;
  TMenuItem *mnuProgrammProgrammbeenden = nullptr, *mnuFragen = nullptr,
            *mnuFragenKategorieWaehlen = nullptr;
  TMenuItem *mnuFragenNeueFrage = nullptr, *mnuFragenAktuelleFrageAendern = nullptr,
            *AktuelleFragelschen1 = nullptr, *mnuFragenLoeschenRueckgaengig = nullptr,
            *mnuFragenAntwortPruefen = nullptr;
  TMenuItem *mnuLernstand = nullptr, *mnuLernstandFaelligeFragen = nullptr,
            *mnuLernstandStatistik = nullptr, *mnuLernstandPensum = nullptr,
            *mnuLernstandLernplan = nullptr;
  TMenuItem *mnuInfos = nullptr, *Kurzhilfe1 = nullptr, *mnuHilfe = nullptr,
            *btnInfosUeber = nullptr, *mnuDHV = nullptr, *mnuDULV = nullptr, *mnuDFS = nullptr;

  // The number of exactly right answers in the exam area now running.
  int ExamCorrectCount = 0;
  // Set by the first letter that toggles a tick outside Schnelllernmodus; never cleared.
  bool LetterKeyLatch = false;

  void ShowNextQuestion(bool pick);
  void ApplyMode(int mode);
  // The number of the checked mode entry, 1 when none is checked.
  int CurrentMode() const;
  // Whether the placeholder, not a question of the catalogue, is on display.
  bool PlaceholderShown() const { return placeholderShown; }
  // Whether the question on display holds ticks of Vertiefungsmodus that no "Lösung" checked:
  // they are the learner's answer, which "Klar" and "Unklar" check before they sort.
  bool TicksUnchecked() const;

  void FormCreate(TObject* sender);
  void FormShow(TObject* sender);
  void FormKeyPress(TObject* sender, char32_t& key);
  void btnLoesungClick(TObject* sender);
  void btnKlarClick(TObject* sender);
  void btnUnklarClick(TObject* sender);
  void btnSkizzenClick(TObject* sender);
  void AnswerBoxKeyDown(int answer, int& key);
  void AnswerBoxMouseDown(int answer);
  void tmrFrageAntwortTimer(TObject* sender);
  void mnuLernmodeClick(TObject* sender);
  void mnuVertifungsmodeClick(TObject* sender);
  void mnuSchnellernmodeClick(TObject* sender);
  void mnuProgrammPruefungsmodusClick(TObject* sender);
  void mnuProgrammPruefungsfehlerClick(TObject* sender);
  void mnuProgrammWissensstandSpeichernClick(TObject* sender);
  void mnuProgrammWissensstandLadenClick(TObject* sender);
  void mnuBerichtClick(TObject* sender);
  void mnuProgrammProgrammbeendenClick(TObject* sender);
  void mnuFragenKategorieWaehlenClick(TObject* sender);
  void mnuFragenNeueFrageClick(TObject* sender);
  void mnuFragenAktuelleFrageAendernClick(TObject* sender);
  void AktuelleFragelschen1Click(TObject* sender);
  void mnuFragenLoeschenRueckgaengigClick(TObject* sender);
  void mnuFragenAntwortPruefenClick(TObject* sender);
  void Kurzhilfe1Click(TObject* sender);
  void mnuHilfeClick(TObject* sender);
  void btnInfosUeberClick(TObject* sender);
  void mnuDHVClick(TObject* sender);
  void mnuDULVClick(TObject* sender);
  void mnuDFSClick(TObject* sender);
  void mnuLernstandFaelligeFragenClick(TObject* sender);
  void mnuLernstandStatistikClick(TObject* sender);
  void mnuLernstandPensumClick(TObject* sender);
  void mnuLernstandLernplanClick(TObject* sender);

  // The learner's history of answers, which hears the window's learning events.
  TLearningHistory& History() { return history; }

private:
  void CreateControls();
  void CreateMenu();
  void RunCategoryChoice();
  void LearnTodaysPlan(const TPlanStatus& plan);
  // Enables "Löschen rückgängig" while a deletion can be taken back and no exam runs.
  void UpdateUndoEntry();
  void GradeExamArea();
  void StartExamArea();
  // Waits one second with the window painting and the learner's input ignored. False when the
  // program was asked to end meanwhile: the interrupted action then does nothing more.
  bool PauseOneSecond();
  TCheckBox* AnswerBox(int answer) const;
  void ShowSolution(const QuestionRecord& record);
  bool AnswerIsRight(const QuestionRecord& record) const;
  // "Lösung" or "Weiter": checks the answer and sorts the question on where the mode says so.
  void CheckAnswer(bool byLearner);
  // Shows the solution of the question on display, reports the check and tells if it was right.
  bool CheckShownAnswer(bool byLearner);
  // Writes the solution, and the verdict on the learner's answer unless `verdict` is empty.
  void ShowVerdict(const QuestionRecord& record, const std::string& verdict, uint32_t color);
  // Sorting the question on display as "Klar" or "Unklar", by the learner or by the program.
  void SortAsKlar(bool byLearner);
  void SortAsUnklar(bool byLearner);
  void ReportSorting(bool klar, bool byLearner);

  TLearningHistory history;
  bool placeholderShown = true;
  // The questions of the last exam answered wrong, and whether it asked any question at all.
  std::vector<PoolEntry> wrongExamQuestions;
  bool examAsked = false;
  // The questions deleted in this run, the last one last: "Löschen rückgängig" takes them back.
  std::vector<int32_t> deletedQuestions;
  // Whether the solution of the question on display has been shown.
  bool solutionShown = false;
  int learningModeBeforeExam = modeLernen;
  // Whether the questions of all categories were selected before the exam selected its areas.
  bool allCategoriesBeforeExam = true;
  // Whether the pool of the running exam area is its draw, not the questions of a category
  // choice made during the exam.
  bool examPoolDrawn = false;
};

extern TfrmFrageAntwort* frmFrageAntwort;
