// The main window: layout, question cycle, modes, exam flow and keyboard.
#include "mainwindow/srcFrageAntwort.h"

#include "core/Edition.h"
#include "core/QuestionData.h"
#include "core/SketchTable.h"
#include "dialogs/srcKategorieWahl.h"
#include "dialogs/srcPruefungsKatWahl.h"
#include "history/CatalogueView.h"
#include "mainwindow/FittedText.h"
#include "toolkit/Application.h"
#include "toolkit/Convert.h"

TfrmFrageAntwort* frmFrageAntwort = nullptr;

namespace {

const char* const kLineBreak = "\n\r";
constexpr int kPauseMs = 1000;
// The colours of the verdict on the learner's answer.
constexpr uint32_t kRightColor = 0x1B7A2B;
constexpr uint32_t kWrongColor = 0xB3261E;

TFont FontOf(const char* name, int size, bool bold) {
  TFont font;
  font.Name = name;
  font.Size = size;
  font.Bold = bold;
  return font;
}

// Marks the window as pausing for as long as it lives, also when the pause ends in an error.
class TInputPause {
public:
  explicit TInputPause(TForm& form) : form(form), wasBlocked(form.InputBlocked()) {
    form.SetInputBlocked(true);
  }
  ~TInputPause() { form.SetInputBlocked(wasBlocked); }
  TInputPause(const TInputPause&) = delete;
  TInputPause& operator=(const TInputPause&) = delete;

private:
  TForm& form;
  bool wasBlocked;
};

// The room of the question and of each answer, down to the next row: the answers' rows lie 48
// pixels apart, and below the last one the buttons begin.
constexpr int kQuestionRoom = 72;
constexpr int kAnswerRoom = 48;
constexpr int kLastAnswerRoom = 49;

// The answer a letter key stands for: 0 to 3 for A to D, -1 for any other character.
int AnswerOfLetter(char32_t key) {
  if (key >= 'a' && key <= 'd')
    return static_cast<int>(key - 'a');
  if (key >= 'A' && key <= 'D')
    return static_cast<int>(key - 'A');
  return -1;
}

} // namespace

TfrmFrageAntwort::TfrmFrageAntwort() : TForm("frmFrageAntwort") {
  SetBorderStyle(TBorderStyle::Single);
  SetClientWidth(517);
  CreateMenu();
  SetClientHeight(396);
  CreateControls();
  OnCreate = [this](TObject* sender) { FormCreate(sender); };
  OnShow = [this](TObject* sender) { FormShow(sender); };
  OnKeyPress = [this](TObject* sender, char32_t& key) { FormKeyPress(sender, key); };
  // The end of the session: the learner hears of answers the history could not keep.
  OnClose = [this](TObject*, TCloseAction&) { history.EndSession(); };
}

TfrmFrageAntwort::~TfrmFrageAntwort() { QuestionData().SetLearningListener(nullptr); }

void TfrmFrageAntwort::CreateControls() {
  const TFont text10 = FontOf("MS Sans Serif", 10, false);
  const TFont bold10 = FontOf("MS Sans Serif", 10, true);
  auto label = [&](const char* name, int left, int top, int width, int height, const char* caption,
                   const TFont& font, bool autoSize) {
    TLabel* created = Create<TLabel>(name);
    created->SetFont(font);
    created->SetAutoSize(false);
    created->SetBounds(left, top, width, height);
    created->SetCaption(caption);
    created->SetAutoSize(autoSize);
    return created;
  };
  lblKategorie = label("lblKategorie", 8, 0, 72, 16, "Kategorie:", bold10, true);
  // The question wraps where the answers end: at its full 510 pixels a line could reach beyond
  // the window's 517 and lose its last character.
  lblFrage = label("lblFrage", 8, 24, 505, 73, "Frage", text10, false);
  Label1 = label("Label1", 24, 96, 17, 16, "A) ", bold10, false);
  Label2 = label("Label2", 24, 144, 16, 16, "B) ", bold10, false);
  Label3 = label("Label3", 24, 192, 16, 16, "C) ", bold10, false);
  Label4 = label("Label4", 24, 240, 17, 16, "D) ", bold10, false);
  lblAntwortA = label("lblAntwortA", 48, 96, 465, 49, "Antwort", text10, false);
  lblAntwortB = label("lblAntwortB", 49, 144, 464, 57, "Antwort", text10, false);
  lblAntwortC = label("lblAntwortC", 49, 192, 464, 49, "Antwort", text10, false);
  lblAntwortD = label("lblAntwortD", 49, 240, 464, 49, "Antwort", text10, false);
  for (TLabel* wrapping : {lblFrage, lblAntwortA, lblAntwortB, lblAntwortC, lblAntwortD}) {
    wrapping->SetWordWrap(true);
    wrapping->SetTransparent(true);
  }

  const char* const boxNames[4] = {"chkAntwortA", "chkAntwortB", "chkAntwortC", "chkAntwortD"};
  const char* const boxCaptions[4] = {"A)", "B)", "C)", "D)"};
  TCheckBox** boxes[4] = {&chkAntwortA, &chkAntwortB, &chkAntwortC, &chkAntwortD};
  for (int answer = 0; answer < 4; ++answer) {
    TCheckBox* box = Create<TCheckBox>(boxNames[answer]);
    box->SetBounds(8, 96 + 48 * answer, 17, 17);
    box->SetFont(bold10);
    box->SetCaption(boxCaptions[answer]);
    box->SetTabOrder(answer);
    box->OnKeyDown = [this, answer](TObject*, int& key, TShiftState) {
      AnswerBoxKeyDown(answer, key);
    };
    box->OnMouseDown = [this, answer](TObject*, TMouseButton, TShiftState, int, int) {
      AnswerBoxMouseDown(answer);
    };
    *boxes[answer] = box;
  }

  auto button = [&](const char* name, int left, int top, int width, const char* caption,
                    int tabOrder) {
    TButton* created = Create<TButton>(name);
    created->SetBounds(left, top, width, 25);
    created->SetCaption(caption);
    created->SetTabOrder(tabOrder);
    return created;
  };
  btnLoesung = button("btnLoesung", 8, 296, 75, "&Lösung", 7);
  btnSkizzen = button("btnSkizzen", 272, 296, 65, "Abbi&ldung...", 8);
  lblUnklareFragen = label("lblUnklareFragen", 360, 304, 134, 16, "Unklare Fragen: 9999",
                           FontOf("Arial", 10, true), true);
  btnUnklar = button("btnUnklar", 8, 328, 75, "&Unklar", 6);
  btnKlar = button("btnKlar", 88, 328, 75, "&Klar", 5);
  lblImageNo = label("lblImageNo", 272, 328, 53, 13, "lblImageNo", Font(), false);
  lblImageNo->Hide();
  // Between "Lösung" (or "Weiter") and the sketch button, which stays visible in the exam.
  lblAuswertung =
      label("lblAuswertung", 88, 296, 180, 26, "", FontOf("MS Sans Serif", 8, true), false);
  lblAuswertung->SetWordWrap(true);
  chkWeiterWennRichtig = Create<TCheckBox>("chkWeiterWennRichtig");
  chkWeiterWennRichtig->SetBounds(8, 368, 257, 17);
  chkWeiterWennRichtig->SetFont(text10);
  chkWeiterWennRichtig->SetCaption("Automatisch \"Klar\" wenn Antwort &richtig.");
  chkWeiterWennRichtig->SetTabOrder(4);

  btnLoesung->OnClick = [this](TObject* sender) { btnLoesungClick(sender); };
  btnSkizzen->OnClick = [this](TObject* sender) { btnSkizzenClick(sender); };
  btnUnklar->OnClick = [this](TObject* sender) { btnUnklarClick(sender); };
  btnKlar->OnClick = [this](TObject* sender) { btnKlarClick(sender); };
  // Every focusable control hands typed characters to the window's key handling.
  for (TControl* control :
       {static_cast<TControl*>(chkAntwortA), static_cast<TControl*>(chkAntwortB),
        static_cast<TControl*>(chkAntwortC), static_cast<TControl*>(chkAntwortD),
        static_cast<TControl*>(chkWeiterWennRichtig), static_cast<TControl*>(btnKlar),
        static_cast<TControl*>(btnUnklar), static_cast<TControl*>(btnLoesung),
        static_cast<TControl*>(btnSkizzen)})
    control->OnKeyPress = [this](TObject* sender, char32_t& key) { FormKeyPress(sender, key); };

  tmrFrageAntwort = CreateTimer("tmrFrageAntwort");
  tmrFrageAntwort->SetInterval(1000);
  tmrFrageAntwort->OnTimer = [this](TObject* sender) { tmrFrageAntwortTimer(sender); };
}

void TfrmFrageAntwort::CreateMenu() {
  MainMenu1 = CreateMainMenu("MainMenu1");
  auto bind = [this](TMenuItem* item, void (TfrmFrageAntwort::*handler)(TObject*)) {
    item->OnClick = [this, handler](TObject* sender) { (this->*handler)(sender); };
    return item;
  };
  mnuProgramm = MainMenu1->Add("mnuProgramm", "Programm");
  mnuProgrammWissensstandSpeichern =
      bind(mnuProgramm->Add("mnuProgrammWissensstandSpeichern", "Aktueller Wissensstand speichern",
                            ShortCut('S', ssCtrl)),
           &TfrmFrageAntwort::mnuProgrammWissensstandSpeichernClick);
  mnuProgrammWissensstandLaden = bind(
      mnuProgramm->Add("mnuProgrammWissensstandLaden", "Wissensstand laden", ShortCut('L', ssCtrl)),
      &TfrmFrageAntwort::mnuProgrammWissensstandLadenClick);
  mnuProgramm->Add("sep002", "-");
  mnuLernmode =
      bind(mnuProgramm->Add("mnuLernmode", "Lernmodus"), &TfrmFrageAntwort::mnuLernmodeClick);
  mnuVertifungsmode = bind(mnuProgramm->Add("mnuVertifungsmode", "Vertiefungsmodus"),
                           &TfrmFrageAntwort::mnuVertifungsmodeClick);
  mnuSchnellernmode = bind(mnuProgramm->Add("mnuSchnellernmode", "Schnelllernmodus"),
                           &TfrmFrageAntwort::mnuSchnellernmodeClick);
  mnuProgrammPruefungsmodus = bind(mnuProgramm->Add("mnuProgrammPruefungsmodus", "Prüfungsmodus"),
                                   &TfrmFrageAntwort::mnuProgrammPruefungsmodusClick);
  // After an exam: its questions answered wrong, as a round of their own.
  mnuProgrammPruefungsfehler = bind(
      mnuProgramm->Add("mnuProgrammPruefungsfehler", "Falsch beantwortete Prüfungsfragen lernen"),
      &TfrmFrageAntwort::mnuProgrammPruefungsfehlerClick);
  mnuProgramm->Add("sep001", "-");
  // The report the learner hands to the flight school, apart from what changes the pool.
  mnuBericht = bind(mnuProgramm->Add("mnuBericht", "Bericht für die Flugschule..."),
                    &TfrmFrageAntwort::mnuBerichtClick);
  mnuProgramm->Add("sep005", "-");
  mnuProgrammProgrammbeenden =
      bind(mnuProgramm->Add("mnuProgrammProgrammbeenden", "Programm beenden", ShortCut(vkF10)),
           &TfrmFrageAntwort::mnuProgrammProgrammbeendenClick);

  mnuFragen = MainMenu1->Add("mnuFragen", "Fragen");
  mnuFragenKategorieWaehlen =
      bind(mnuFragen->Add("mnuFragenKategorieWaehlen", "Kategorie wählen", ShortCut('K', ssCtrl)),
           &TfrmFrageAntwort::mnuFragenKategorieWaehlenClick);
  mnuFragen->Add("sep003", "-");
  mnuFragenNeueFrage =
      bind(mnuFragen->Add("mnuFragenNeueFrage", "Neue Frage eingeben", ShortCut('N', ssCtrl)),
           &TfrmFrageAntwort::mnuFragenNeueFrageClick);
  mnuFragenAktuelleFrageAendern =
      bind(mnuFragen->Add("mnuFragenAktuelleFrageAendern", "Aktuelle Frage ändern",
                          ShortCut('F', ssCtrl)),
           &TfrmFrageAntwort::mnuFragenAktuelleFrageAendernClick);
  // Carries the loading entry's Ctrl+L: the shortcut goes to the first entry that has it.
  AktuelleFragelschen1 =
      bind(mnuFragen->Add("AktuelleFragelschen1", "Aktuelle Frage löschen", ShortCut('L', ssCtrl)),
           &TfrmFrageAntwort::AktuelleFragelschen1Click);
  // Deleting asks nothing; this takes a deletion back.
  mnuFragenLoeschenRueckgaengig = bind(
      mnuFragen->Add("mnuFragenLoeschenRueckgaengig", "Löschen rückgängig", ShortCut('Z', ssCtrl)),
      &TfrmFrageAntwort::mnuFragenLoeschenRueckgaengigClick);
  // "Lösung" and "Weiter" carry no access letter: this is their key.
  mnuFragen->Add("sep004", "-");
  mnuFragenAntwortPruefen =
      bind(mnuFragen->Add("mnuFragenAntwortPruefen", "Antwort prüfen", ShortCut(vkF5)),
           &TfrmFrageAntwort::mnuFragenAntwortPruefenClick);

  mnuLernstand = MainMenu1->Add("mnuLernstand", "Lernstand");
  mnuLernstandFaelligeFragen =
      bind(mnuLernstand->Add("mnuLernstandFaelligeFragen", "Fällige Fragen wiederholen",
                             ShortCut('W', ssCtrl)),
           &TfrmFrageAntwort::mnuLernstandFaelligeFragenClick);
  mnuLernstandStatistik =
      bind(mnuLernstand->Add("mnuLernstandStatistik", "Lernstatistik...", ShortCut('T', ssCtrl)),
           &TfrmFrageAntwort::mnuLernstandStatistikClick);
  mnuLernstandPensum =
      bind(mnuLernstand->Add("mnuLernstandPensum", "Heutiges Pensum lernen", ShortCut('P', ssCtrl)),
           &TfrmFrageAntwort::mnuLernstandPensumClick);
  mnuLernstandLernplan =
      bind(mnuLernstand->Add("mnuLernstandLernplan", "Lernplan...", ShortCut('J', ssCtrl)),
           &TfrmFrageAntwort::mnuLernstandLernplanClick);

  mnuInfos = MainMenu1->Add("mnuInfos", "Infos");
  Kurzhilfe1 = bind(mnuInfos->Add("Kurzhilfe1", "Kurzhilfe", ShortCut(vkF1, ssCtrl)),
                    &TfrmFrageAntwort::Kurzhilfe1Click);
  mnuHilfe =
      bind(mnuInfos->Add("mnuHilfe", "Hilfe", ShortCut(vkF1)), &TfrmFrageAntwort::mnuHilfeClick);
  btnInfosUeber = bind(mnuInfos->Add("btnInfosUeber", "Über...", ShortCut(vkF1, ssShift | ssCtrl)),
                       &TfrmFrageAntwort::btnInfosUeberClick);
  mnuDHV = bind(mnuInfos->Add("mnuDHV", "DHV...", ShortCut(vkF1, ssShift)),
                &TfrmFrageAntwort::mnuDHVClick);
  mnuDULV = bind(mnuInfos->Add("mnuDULV", "DULV...", ShortCut(vkF2, ssShift)),
                 &TfrmFrageAntwort::mnuDULVClick);
  mnuDFS = bind(mnuInfos->Add("mnuDFS", "DFS...", ShortCut(vkF3, ssShift)),
                &TfrmFrageAntwort::mnuDFSClick);
  SetMenu(MainMenu1);
}

void TfrmFrageAntwort::FormCreate(TObject*) {
  // The history opens its file only when the first answer is recorded.
  QuestionData().SetLearningListener(&history);
  // A catalogue that cannot be read is reported; the window is laid out all the same.
  try {
    InitCatalogue();
  } catch (const std::exception& error) {
    Application.HandleException(error);
  }
  mnuLernmode->SetChecked(true);
  mnuVertifungsmode->SetChecked(false);
  mnuSchnellernmode->SetChecked(false);
  mnuProgrammPruefungsmodus->SetChecked(false);
  ApplyMode(modeSetup);
  btnInfosUeber->SetCaption(std::string("Über ") + EditionOwner);
  SetCaption(std::string(EditionOwner) + " Aerolern Version IV");
  SetTop(Screen.Height() / 3 - Height() / 2);
  SetLeft(Screen.Width() / 2 - Width() / 2);
  mnuDHV->SetVisible(true);
  // The DULV's catalogue is the motor paraglider licence's.
  mnuDULV->SetVisible(LicenceShown(7));
}

void TfrmFrageAntwort::FormShow(TObject*) {
  RunCategoryChoice();
  btnKlar->SetFocus();
}

TCheckBox* TfrmFrageAntwort::AnswerBox(int answer) const {
  TCheckBox* const boxes[4] = {chkAntwortA, chkAntwortB, chkAntwortC, chkAntwortD};
  return boxes[answer];
}

void TfrmFrageAntwort::ShowNextQuestion(bool pick) {
  TQuestionData& data = QuestionData();
  QuestionRecord record;
  if (pick) {
    // A record the catalogue does not have shows the placeholder and is treated as it.
    placeholderShown = !data.PickNextQuestion(record);
  } else if (placeholderShown) {
    record = NoQuestionRecord();
  } else {
    ReadQuestion(data.CurrentQuestionNo(), record);
  }
  ShowFitted(*lblFrage, TrimControls(record.Question), kQuestionRoom);
  ShowFitted(*lblAntwortA, record.AnswerA, kAnswerRoom);
  ShowFitted(*lblAntwortB, record.AnswerB, kAnswerRoom);
  ShowFitted(*lblAntwortC, record.AnswerC, kAnswerRoom);
  ShowFitted(*lblAntwortD, record.AnswerD, kLastAnswerRoom);
  for (int answer = 0; answer < 4; ++answer)
    AnswerBox(answer)->SetChecked(false);
  for (int answer = 0; answer < 4; ++answer)
    AnswerBox(answer)->SetEnabled(true);
  solutionShown = false;
  lblAuswertung->SetCaption("");
  lblImageNo->SetCaption(SketchKey(record.Licence, record.Area, record.ImageNo));
  btnSkizzen->SetVisible(record.ImageNo >= 1);
  // The count never shows below zero, whatever the pool reports.
  const std::string count = std::to_string(std::max(0, data.OpenQuestionCount()));
  lblUnklareFragen->SetCaption(
      (CurrentMode() == modePruefung ? "Offene Fragen: " : "Unklare Fragen: ") + count);
  std::string category;
  CategoryName(record.Licence, record.Area, category);
  lblKategorie->SetCaption("Kategorie: " + category);
  data.ReportQuestionShown(
      {placeholderShown ? -1 : data.CurrentQuestionNo(), CurrentMode(), placeholderShown, record});
  // Lernmodus shows the solution at once: a check the learner did not ask for.
  if (mnuLernmode->Checked())
    CheckAnswer(false);
}

void TfrmFrageAntwort::ShowSolution(const QuestionRecord& record) {
  const bool correct[4] = {record.CorrectA, record.CorrectB, record.CorrectC, record.CorrectD};
  for (int answer = 0; answer < 4; ++answer)
    AnswerBox(answer)->SetEnabled(correct[answer]);
}

bool TfrmFrageAntwort::AnswerIsRight(const QuestionRecord& record) const {
  const bool correct[4] = {record.CorrectA, record.CorrectB, record.CorrectC, record.CorrectD};
  for (int answer = 0; answer < 4; ++answer)
    if (AnswerBox(answer)->Checked() != correct[answer])
      return false;
  return true;
}

bool TfrmFrageAntwort::CheckShownAnswer(bool byLearner) {
  TQuestionData& data = QuestionData();
  QuestionRecord record;
  ReadQuestion(data.CurrentQuestionNo(), record);
  ShowSolution(record);
  solutionShown = true;
  const bool right = AnswerIsRight(record);
  TAnswerChecked event;
  event.RecordNo = data.CurrentQuestionNo();
  event.Mode = CurrentMode();
  event.Correct = {record.CorrectA, record.CorrectB, record.CorrectC, record.CorrectD};
  for (int answer = 0; answer < 4; ++answer)
    event.Ticked[static_cast<std::size_t>(answer)] = AnswerBox(answer)->Checked();
  event.Right = right;
  event.ByLearner = byLearner;
  data.ReportAnswerChecked(event);
  if (byLearner)
    ShowVerdict(record, right ? "Ihre Antwort ist richtig." : "Ihre Antwort ist falsch.",
                right ? kRightColor : kWrongColor);
  else
    ShowVerdict(record, "", 0x000000);
  return right;
}

void TfrmFrageAntwort::ShowVerdict(const QuestionRecord& record, const std::string& verdict,
                                   uint32_t color) {
  const std::string letters =
      KeyLetters({record.CorrectA, record.CorrectB, record.CorrectC, record.CorrectD});
  std::string solution;
  for (char letter : letters)
    solution += (solution.empty() ? "" : ", ") + std::string(1, letter);
  TFont font = lblAuswertung->Font();
  font.Color = color;
  lblAuswertung->SetFont(font);
  lblAuswertung->SetCaption(
      "Richtig: " + (solution.empty() ? std::string("keine Antwort") : solution) +
      (verdict.empty() ? "" : "\n" + verdict));
}

void TfrmFrageAntwort::ReportSorting(bool klar, bool byLearner) {
  TQuestionData& data = QuestionData();
  if (!placeholderShown)
    data.ReportQuestionSorted({data.CurrentQuestionNo(), CurrentMode(), klar, byLearner});
}

bool TfrmFrageAntwort::PauseOneSecond() {
  TInputPause pause(*this);
  PumpMessagesFor(kPauseMs);
  return !Application.Terminated();
}

void TfrmFrageAntwort::btnLoesungClick(TObject*) { CheckAnswer(true); }

void TfrmFrageAntwort::CheckAnswer(bool byLearner) {
  const bool exam = CurrentMode() == modePruefung;
  // The placeholder has no solution; in the exam "Weiter" still leads on to the grading.
  if (placeholderShown) {
    if (exam && PauseOneSecond())
      SortAsKlar(false);
    return;
  }
  const bool right = CheckShownAnswer(byLearner);
  if (exam) {
    examAsked = true;
    if (right) {
      ++ExamCorrectCount;
    } else {
      QuestionRecord record;
      ReadQuestion(CurrentQuestionNo(), record);
      wrongExamQuestions.push_back({1, 1, record.Licence, record.Area, CurrentQuestionNo()});
    }
    if (PauseOneSecond())
      SortAsKlar(false);
  } else if (right && chkWeiterWennRichtig->Checked() && PauseOneSecond()) {
    SortAsKlar(false);
  }
}

void TfrmFrageAntwort::btnKlarClick(TObject*) {
  // A wrong answer stays on display with its solution; "Klar" once more sorts it.
  if (TicksUnchecked() && !CheckShownAnswer(true))
    return;
  SortAsKlar(true);
}

bool TfrmFrageAntwort::TicksUnchecked() const {
  if (placeholderShown || solutionShown || CurrentMode() != modeVertiefen)
    return false;
  for (int answer = 0; answer < 4; ++answer)
    if (AnswerBox(answer)->Checked())
      return true;
  return false;
}

void TfrmFrageAntwort::SortAsKlar(bool byLearner) {
  ReportSorting(true, byLearner);
  if (!placeholderShown)
    MarkCurrentKnown();
  if (OpenQuestionCount() > 0)
    ShowNextQuestion(true);
  else if (CurrentMode() == modePruefung)
    GradeExamArea();
  else
    RunCategoryChoice();
}

void TfrmFrageAntwort::btnUnklarClick(TObject*) {
  if (TicksUnchecked())
    CheckShownAnswer(true);
  SortAsUnklar(true);
}

void TfrmFrageAntwort::SortAsUnklar(bool byLearner) {
  ReportSorting(false, byLearner);
  ShowNextQuestion(true);
}

void TfrmFrageAntwort::RunCategoryChoice() {
  frmKategorieWahl->ShowModal();
  examPoolDrawn = false;
  SelectCategories(kSelectFromDialog, kSelectFromDialog);
  BuildQuestionPool(false);
  ShowNextQuestion(true);
}

int TfrmFrageAntwort::CurrentMode() const {
  if (mnuVertifungsmode->Checked())
    return modeVertiefen;
  if (mnuSchnellernmode->Checked())
    return modeSchnell;
  if (mnuProgrammPruefungsmodus->Checked())
    return modePruefung;
  return modeLernen;
}

void TfrmFrageAntwort::ApplyMode(int mode) {
  TQuestionData& data = QuestionData();
  const bool leavingExam = mode != modePruefung && mnuProgrammPruefungsmodus->Checked();
  // The exam selects one area at a time, which clears the flag of the questions of all
  // categories; the dialog's boxes cannot give it back, so it is kept here.
  if (mode == modePruefung && !mnuProgrammPruefungsmodus->Checked())
    allCategoriesBeforeExam = data.SlotSelected(0);
  for (TMenuItem* entry :
       {mnuLernmode, mnuVertifungsmode, mnuSchnellernmode, mnuProgrammPruefungsmodus})
    entry->SetChecked(false);
  const bool exam = mode == modePruefung;
  switch (mode) {
  case modeVertiefen:
    mnuVertifungsmode->SetChecked(true);
    break;
  case modeSchnell:
    mnuSchnellernmode->SetChecked(true);
    break;
  case modePruefung:
    mnuProgrammPruefungsmodus->SetChecked(true);
    break;
  default:
    mnuLernmode->SetChecked(true);
    break;
  }
  SetHeight(exam ? 372 : 445);
  btnLoesung->SetCaption(exam ? "Weiter" : "Lösung");
  chkWeiterWennRichtig->SetChecked(!exam);
  lblUnklareFragen->SetTop(exam ? 304 : 368);
  btnKlar->SetEnabled(!exam);
  btnUnklar->SetEnabled(!exam);
  btnLoesung->SetVisible(mode == modeVertiefen || exam);
  mnuFragenAntwortPruefen->SetEnabled(mode == modeVertiefen || exam);
  // The exam asks its draw: nothing that replaces the pool or adds to it runs meanwhile.
  for (TMenuItem* entry : {mnuLernstandFaelligeFragen, mnuLernstandPensum,
                           mnuProgrammWissensstandLaden, mnuFragenNeueFrage, AktuelleFragelschen1})
    entry->SetEnabled(!exam);
  UpdateUndoEntry();
  mnuProgrammPruefungsfehler->SetEnabled(!exam && examAsked);
  if (!exam)
    chkWeiterWennRichtig->SetVisible(mode == modeVertiefen);
  if (!exam && mode != modeSetup)
    learningModeBeforeExam = mode;
  if (leavingExam) {
    data.SelectCategories(kSelectFromDialog, kSelectFromDialog);
    data.SetSlotSelected(0, allCategoriesBeforeExam);
    data.BuildQuestionPool(false);
  }
  if (mode > modeSetup)
    ShowNextQuestion(true);
}

void TfrmFrageAntwort::mnuLernmodeClick(TObject*) { ApplyMode(modeLernen); }
void TfrmFrageAntwort::mnuVertifungsmodeClick(TObject*) { ApplyMode(modeVertiefen); }
void TfrmFrageAntwort::mnuSchnellernmodeClick(TObject*) { ApplyMode(modeSchnell); }

void TfrmFrageAntwort::mnuProgrammPruefungsmodusClick(TObject*) {
  ApplyMode(modePruefung);
  // Without "Ok" no exam starts: the learner is back in the learning mode of before.
  if (frmPruefungsKatWahl->ShowModal() != TfrmPruefungsKatWahl::mrOk) {
    ApplyMode(learningModeBeforeExam);
    return;
  }
  wrongExamQuestions.clear();
  examAsked = false;
  StartExamArea();
}

void TfrmFrageAntwort::StartExamArea() {
  SelectCategories(ExamLicence(), ExamArea());
  DrawExamQuestions(ExamLicence(), ExamArea());
  examPoolDrawn = true;
  ExamCorrectCount = 0;
  ShowNextQuestion(true);
}

void TfrmFrageAntwort::GradeExamArea() {
  TQuestionData& data = QuestionData();
  const int32_t questions = data.ExamLimit(elQuestionCount);
  const int right = ExamCorrectCount;
  // More right answers than exam questions (after a category change in the exam) are no
  // negative number of wrong ones.
  const int32_t wrong = ExamWrongAnswers(questions, right);
  const TExamVerdict grade =
      GradeExam(wrong, data.ExamLimit(elOralFrom), data.ExamLimit(elFailFrom));
  // Questions of a category choice are graded all the same, but they are no exam result.
  if (examPoolDrawn)
    data.ReportExamAreaGraded({data.ExamLicence(), data.ExamArea(), questions, right, grade});
  const std::string verdict = ExamVerdictText(grade);
  std::string category;
  CategoryName(data.ExamLicence(), data.ExamArea(), category);
  Application.MessageBox("Prüfungsergebnis: " + category + kLineBreak +
                         "Fragen gesamt: " + std::to_string(questions) + kLineBreak +
                         "Richtig beantwortet: " + std::to_string(right) + kLineBreak +
                         "Falsch beantwortet: " + std::to_string(wrong) + kLineBreak + kLineBreak +
                         "Prüfungsergebnis: " + verdict);
  if (IsValidArea(data.ExamLicence(), data.ExamArea() + 1)) {
    data.SetExamPosition(data.ExamLicence(), data.ExamArea() + 1);
    StartExamArea();
  } else {
    mnuProgrammPruefungsmodusClick(mnuProgrammPruefungsmodus);
  }
}

void TfrmFrageAntwort::FormKeyPress(TObject*, char32_t& key) {
  const int answer = AnswerOfLetter(key);
  if (answer < 0)
    return;
  TCheckBox* box = AnswerBox(answer);
  if (CurrentMode() != modeSchnell) {
    LetterKeyLatch = true;
    box->SetChecked(!box->Checked());
    return;
  }
  box->SetChecked(true);
  // The placeholder has no solution to show and nothing to answer.
  if (placeholderShown)
    return;
  // One letter cannot give several correct answers, nor none: for such a question it only shows
  // the solution, and the question waits for the learner's "Klar" or "Unklar".
  QuestionRecord record;
  ReadQuestion(CurrentQuestionNo(), record);
  if (record.CorrectA + record.CorrectB + record.CorrectC + record.CorrectD != 1) {
    CheckShownAnswer(false);
    ShowVerdict(record, "Weiter mit „Klar“/„Unklar“.", 0x000000);
    return;
  }
  const bool right = CheckShownAnswer(true);
  if (!PauseOneSecond())
    return;
  if (right)
    SortAsKlar(false);
  else
    SortAsUnklar(false);
}

void TfrmFrageAntwort::AnswerBoxKeyDown(int answer, int& key) {
  if (LetterKeyLatch)
    return;
  char32_t letter = static_cast<char32_t>('a' + answer);
  // The space bar would toggle the box a second time.
  if (key == vkSpace)
    key = 0;
  FormKeyPress(AnswerBox(answer), letter);
}

void TfrmFrageAntwort::AnswerBoxMouseDown(int answer) {
  if (LetterKeyLatch)
    return;
  // The press answers like the letter; the box must not toggle once more after it.
  AnswerBox(answer)->ConsumeClick();
  char32_t letter = static_cast<char32_t>('a' + answer);
  FormKeyPress(AnswerBox(answer), letter);
}

void TfrmFrageAntwort::tmrFrageAntwortTimer(TObject*) { tmrFrageAntwort->SetEnabled(false); }
