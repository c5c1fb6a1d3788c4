// The main window: one question with its answers, the learning modes, the exam and the menu.
#pragma once

#include "core/srcCommon.h"
#include "toolkit/Form.h"

class TfrmFrageAntwort : public TForm {
public:
  TfrmFrageAntwort();

  // Mode numbers of ApplyMode: 0 lays the window out for Lernmodus without a question.
  enum : int {
    modeSetup = 0,
    modeLernen = 1,
    modeVertiefen = 2,
    modeSchnell = 3,
    modePruefung = 4
  };

  TLabel *lblKategorie, *lblFrage, *Label1, *Label2, *Label3, *Label4;
  TLabel *lblAntwortA, *lblAntwortB, *lblAntwortC, *lblAntwortD;
  TCheckBox *chkAntwortA, *chkAntwortB, *chkAntwortC, *chkAntwortD;
  TButton *btnLoesung, *btnSkizzen, *btnUnklar, *btnKlar;
  TLabel *lblUnklareFragen, *lblImageNo;
  TCheckBox* chkWeiterWennRichtig;
  TTimer* tmrFrageAntwort;
  TMainMenu* MainMenu1;
  TMenuItem *mnuProgramm, *mnuProgrammWissensstandSpeichern, *mnuProgrammWissensstandLaden;
  TMenuItem *mnuLernmode, *mnuVertifungsmode, *mnuSchnellernmode, *mnuProgrammPruefungsmodus;
  TMenuItem *mnuProgrammProgrammbeenden, *mnuFragen, *mnuFragenKategorieWaehlen;
  TMenuItem *mnuFragenNeueFrage, *mnuFragenAktuelleFrageAendern, *AktuelleFragelschen1;
  TMenuItem *mnuInfos, *Kurzhilfe1, *mnuHilfe, *btnInfosUeber, *mnuDHV, *mnuDULV, *mnuDFS;

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
  void mnuProgrammWissensstandSpeichernClick(TObject* sender);
  void mnuProgrammWissensstandLadenClick(TObject* sender);
  void mnuProgrammProgrammbeendenClick(TObject* sender);
  void mnuFragenKategorieWaehlenClick(TObject* sender);
  void mnuFragenNeueFrageClick(TObject* sender);
  void mnuFragenAktuelleFrageAendernClick(TObject* sender);
  void AktuelleFragelschen1Click(TObject* sender);
  void Kurzhilfe1Click(TObject* sender);
  void mnuHilfeClick(TObject* sender);
  void btnInfosUeberClick(TObject* sender);
  void mnuDHVClick(TObject* sender);
  void mnuDULVClick(TObject* sender);
  void mnuDFSClick(TObject* sender);

private:
  void CreateControls();
  void CreateMenu();
  void RunCategoryChoice();
  void GradeExamArea();
  void StartExamArea();
  // Waits one second with the window painting and the learner's input ignored.
  void PauseOneSecond();
  TCheckBox* AnswerBox(int answer) const;
  void ShowSolution(const QuestionRecord& record);
  bool AnswerIsRight(const QuestionRecord& record) const;

  bool placeholderShown = true;
  int learningModeBeforeExam = modeLernen;
};

extern TfrmFrageAntwort* frmFrageAntwort;
