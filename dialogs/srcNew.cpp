// The question editor: fills its inputs from the current question or starts empty, and
// writes one record when the user saves.
#include "dialogs/srcNew.h"

#include "core/Edition.h"
#include "core/srcCommon.h"
#include "toolkit/Convert.h"
#include "toolkit/Cp1252.h"

TfrmNew* frmNew = nullptr;

namespace {

constexpr int kTextLimit = 255;

struct TCategoryButton {
  const char* Code;
  const char* Caption;
  int Left;
  int Top;
};

const TCategoryButton kButtons[] = {{"11", "Meteorologie", 32, 176},
                                    {"12", "Luftrecht", 144, 176},
                                    {"13", "Flugpraxis", 256, 176},
                                    {"14", "Technik", 368, 176},
                                    {"21", "Meteorologie", 32, 216},
                                    {"22", "Luftrecht", 144, 216},
                                    {"23", "Navigation", 256, 216},
                                    {"31", "Flugfunk für Luftsportgeräteführer", 32, 256},
                                    {"41", "Luftrecht", 32, 296},
                                    {"42", "Technik", 144, 296},
                                    {"43", "Verhalten", 256, 296},
                                    {"51", "Luftrecht", 32, 336},
                                    {"52", "Technik", 144, 336},
                                    {"53", "Verhalten", 256, 336},
                                    {"61", "Luftrecht", 32, 376},
                                    {"62", "Technik", 144, 376},
                                    {"63", "Verhalten", 256, 376},
                                    {"71", "Luftrecht", 32, 416},
                                    {"72", "Flugfunk", 144, 416},
                                    {"73", "Meteorologie", 256, 416},
                                    {"74", "Verhalten", 368, 416},
                                    {"75", "Navi. (Fragen)", 32, 432},
                                    {"76", "Navi. (Aufgaben)", 144, 432},
                                    {"77", "Technik", 256, 432},
                                    {"78", "nicht belegt", 368, 432},
                                    {"79", "3-Achser Technik", 32, 448},
                                    {"710", "3-Achser Verhalten", 144, 448},
                                    {"00", "Frage gehört zu allen Kategorien", 24, 464}};

const char* const kHeadings[7] = {"Beschränkter Luftfahrerschein",
                                  "Unbeschränkter Luftfahrerschein",
                                  "Flugfunk",
                                  "Windenschlepp - Windenführer",
                                  "Windenschlepp - Gleitsegel",
                                  "Passagierflug - Gleitsegel",
                                  "Motor - Gleitsegel (Fragenkatalog des DULV)"};

TFont HeadingFont() {
  TFont font;
  font.Size = 10; // 13 pixels
  font.Bold = true;
  return font;
}

// Removes blanks and control characters at both ends and keeps at most 255 characters of the
// file's character set.
std::string EditorText(const std::string& text) {
  std::string trimmed = TrimControls(text);
  if (Utf8Length(trimmed) <= kTextLimit)
    return trimmed;
  return Cp1252ToUtf8(Utf8ToCp1252(trimmed).substr(0, kTextLimit));
}

struct TCategoryPair {
  int16_t Licence;
  int16_t Area;
};

// A button's code is its licence digit followed by the area number ("11", "710", "00").
TCategoryPair PairOfCode(const std::string& code) {
  return {static_cast<int16_t>(code[0] - '0'), static_cast<int16_t>(StrToInt(code.substr(1)))};
}

} // namespace

TfrmNew::TfrmNew() : TForm("frmNew") {
  SetBorderStyle(TBorderStyle::ToolWindow);
  SetCaption("Frage bearbeiten");
  SetLeft(350);
  SetTop(148);
  SetClientWidth(523);
  SetClientHeight(533);
  CreateControls();
  OnCreate = [this](TObject* sender) { FormCreate(sender); };
  OnActivate = [this](TObject* sender) { FormActivate(sender); };
}

void TfrmNew::CreateControls() {
  auto label = [this](const char* name, int left, int top, const char* caption) {
    TLabel* created = Create<TLabel>(name);
    created->SetBounds(left, top, 0, 0);
    created->SetCaption(caption);
    return created;
  };
  auto input = [this](const char* name, int left, int top, int width) {
    TEdit* created = Create<TEdit>(name);
    created->SetBounds(left, top, width, 21);
    created->SetMaxLength(kTextLimit);
    return created;
  };
  Label1 = label("Label1", 8, 16, "Frage:");
  inpFrage = input("inpFrage", 48, 8, 465);
  Label2 = label("Label2", 64, 32, "Stimmt");
  Label3 = label("Label3", 8, 48, "Antwort (A):");
  Label4 = label("Label4", 8, 72, "Antwort (B):");
  Label5 = label("Label5", 8, 96, "Antwort (C):");
  Label6 = label("Label6", 8, 120, "Antwort (D):");
  TCheckBox** boxes[4] = {&chkA, &chkB, &chkC, &chkD};
  TEdit** answers[4] = {&inpAntwortA, &inpAntwortB, &inpAntwortC, &inpAntwortD};
  const char* const boxNames[4] = {"chkA", "chkB", "chkC", "chkD"};
  const char* const answerNames[4] = {"inpAntwortA", "inpAntwortB", "inpAntwortC", "inpAntwortD"};
  for (int i = 0; i < 4; ++i) {
    *boxes[i] = Create<TCheckBox>(boxNames[i]);
    (*boxes[i])->SetBounds(72, 48 + 24 * i, 17, 17);
    *answers[i] = input(answerNames[i], 96, 48 + 24 * i, 417);
  }
  for (int licence = 1; licence <= 7; ++licence) {
    TLabel* heading =
        label(("lblKat0" + std::to_string(licence)).c_str(), 24, 160 + 40 * (licence - 1), "");
    heading->SetFont(HeadingFont());
    LicenceHeadings[licence - 1] = heading;
  }
  for (const TCategoryButton& entry : kButtons) {
    TRadioButton* button = Create<TRadioButton>(std::string("opt") + entry.Code);
    button->SetBounds(entry.Left, entry.Top, 105, 17);
    CategoryButtons.push_back(button);
  }
  opt00 = CategoryButtons.back();
  opt00->SetFont(HeadingFont());
  opt00->SetWidth(300);
  CategoryButtons[7]->SetWidth(217); // opt31 carries the longest caption
  txtImgNo = label("txtImgNo", 400, 8, "");
  txtImgNo->Hide();
  // An input takes no more than 255 characters, and a longer text pasted into it is cut: said
  // here, in the gap between the answers and the categories.
  lblGrenze = label("lblGrenze", 96, 144,
                    "Höchstens 255 Zeichen je Feld – längerer Text wird abgeschnitten.");
  TFont warning = lblGrenze->Font();
  warning.Color = 0xC00000;
  lblGrenze->SetFont(warning);
  lblGrenze->Hide();
  for (TEdit* text : {inpFrage, inpAntwortA, inpAntwortB, inpAntwortC, inpAntwortD})
    text->OnChange = [this](TObject*) { ShowLimitNote(); };
  btnSave = Create<TButton>("btnSave");
  btnSave->SetBounds(160, 492, 97, 25);
  btnSave->SetCaption("&Speichern");
  btnSave->OnClick = [this](TObject* sender) { btnSaveClick(sender); };
  btnAbbrechen = Create<TButton>("btnAbbrechen");
  btnAbbrechen->SetBounds(288, 492, 97, 25);
  btnAbbrechen->SetCaption("&Abbrechen");
  btnAbbrechen->OnClick = [this](TObject* sender) { btnAbbrechenClick(sender); };
}

void TfrmNew::FormCreate(TObject*) {
  for (int licence = 0; licence < 7; ++licence)
    LicenceHeadings[licence]->SetCaption(kHeadings[licence]);
  for (std::size_t i = 0; i < CategoryButtons.size(); ++i)
    CategoryButtons[i]->SetCaption(kButtons[i].Caption);
  Find<TRadioButton>("opt78")->Hide();
  txtImgNo->SetCaption("0");
  opt00->SetTop(LicenceHeadings[6]->Top());
  // A licence this edition does not offer keeps its row hidden.
  for (int licence = 1; licence <= 7; ++licence) {
    if (LicenceShown(licence))
      continue;
    LicenceHeadings[licence - 1]->Hide();
    for (TRadioButton* button : CategoryButtons)
      if (button->Name().rfind("opt" + std::to_string(licence), 0) == 0)
        button->Hide();
  }
  btnSave->SetTop(opt00->Top() + 28);
  btnAbbrechen->SetTop(btnSave->Top());
  SetHeight(btnSave->Top() + btnSave->Height() + 36);
}

TRadioButton* TfrmNew::CategoryButton(int licence, int area) const {
  // Compared as numbers: joined as text, licence 71 with area 0 would pass for "710".
  for (std::size_t i = 0; i < CategoryButtons.size(); ++i) {
    const TCategoryPair pair = PairOfCode(kButtons[i].Code);
    if (pair.Licence == licence && pair.Area == area)
      return CategoryButtons[i];
  }
  return nullptr;
}

void TfrmNew::FormActivate(TObject*) {
  if (EditMode() == emChangeQuestion)
    FillFromCurrentQuestion();
  else
    Clear();
  ShowLimitNote();
}

void TfrmNew::ShowLimitNote() {
  bool full = false;
  for (TEdit* text : {inpFrage, inpAntwortA, inpAntwortB, inpAntwortC, inpAntwortD})
    full = full || static_cast<int>(Utf8Length(text->Text())) >= kTextLimit;
  lblGrenze->SetVisible(full);
}

void TfrmNew::FillFromCurrentQuestion() {
  QuestionRecord record;
  ReadQuestion(CurrentQuestionNo(), record);
  inpFrage->SetText(TrimControls(record.Question));
  inpAntwortA->SetText(record.AnswerA);
  inpAntwortB->SetText(record.AnswerB);
  inpAntwortC->SetText(record.AnswerC);
  inpAntwortD->SetText(record.AnswerD);
  chkA->SetChecked(record.CorrectA);
  chkB->SetChecked(record.CorrectB);
  chkC->SetChecked(record.CorrectC);
  chkD->SetChecked(record.CorrectD);
  txtImgNo->SetCaption(std::to_string(record.ImageNo));
  // A pair without a button selects none, and saving keeps the question's own pair, so neither
  // a stale choice of an earlier opening nor a guess changes its category.
  keptLicence = record.Licence;
  keptArea = record.Area;
  for (TRadioButton* button : CategoryButtons)
    button->SetChecked(false);
  if (TRadioButton* button = CategoryButton(record.Licence, record.Area))
    button->SetChecked(true);
}

void TfrmNew::Clear() {
  for (TEdit* input : {inpFrage, inpAntwortA, inpAntwortB, inpAntwortC, inpAntwortD})
    input->SetText("");
  for (TCheckBox* box : {chkA, chkB, chkC, chkD})
    box->SetChecked(false);
  opt00->SetChecked(true);
  txtImgNo->SetCaption("0");
  keptLicence = 0;
  keptArea = 0;
}

void TfrmNew::btnSaveClick(TObject*) {
  QuestionRecord record;
  record.InUse = true;
  record.Owner = EditionOwner;
  record.CorrectA = chkA->Checked();
  record.CorrectB = chkB->Checked();
  record.CorrectC = chkC->Checked();
  record.CorrectD = chkD->Checked();
  record.Question = EditorText(inpFrage->Text());
  record.AnswerA = EditorText(inpAntwortA->Text());
  record.AnswerB = EditorText(inpAntwortB->Text());
  record.AnswerC = EditorText(inpAntwortC->Text());
  record.AnswerD = EditorText(inpAntwortD->Text());
  record.ImageNo = StrToInt(txtImgNo->Caption());
  record.Licence = keptLicence;
  record.Area = keptArea;
  for (std::size_t i = 0; i < CategoryButtons.size(); ++i)
    if (CategoryButtons[i]->Checked()) {
      const TCategoryPair pair = PairOfCode(kButtons[i].Code);
      record.Licence = pair.Licence;
      record.Area = pair.Area;
      break;
    }
  WriteQuestion(EditMode() != emChangeQuestion, record);
  Close();
}

void TfrmNew::btnAbbrechenClick(TObject*) { Close(); }
