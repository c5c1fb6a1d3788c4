// The window "Bericht für die Flugschule": the learner names the report, reads what it holds and
// writes it; the file replaces an earlier one of the same name only once it is complete.
#include "windows/srcBericht.h"

#include "core/SafeFileReplace.h"
#include "core/srcCommon.h"
#include "history/SchoolReport.h"
#include "toolkit/Application.h"
#include "toolkit/Convert.h"
#include "toolkit/FileSystem.h"
#include "toolkit/Platform.h"

#include <algorithm>
#include <filesystem>

TfrmBericht* frmBericht = nullptr;

namespace {

const char* const kLineBreak = "\n\r";
constexpr int kMargin = 8;
constexpr int kGap = 10;

// What the file holds, field by field, in the learner's words; the help page says the same.
const char* const kContents =
    "Die Datei enthält nur dies:\n"
    "• den Namen oben und den Zeitpunkt, zu dem Sie den Bericht schreiben;\n"
    "• die Flugschule dieser Ausgabe und eine Kennung Ihres Fragenkatalogs;\n"
    "• je Sachgebiet Ihrer Lizenzen: wie viele Fragen es gibt, wie viele Sie schon beantwortet "
    "haben, und die Prüfungsprognose (bestanden, mündliche Nachprüfung, nicht bestanden) heute, "
    "zum Prüfungstermin, wenn Sie einen gesetzt haben, und nach Ihrem Lernplan;\n"
    "• Ihre Übungsprüfungen: Zeitpunkt, Sachgebiet, Zahl der Fragen, davon richtig, Ergebnis;\n"
    "• wie viele Antworten Sie in jeder Kalenderwoche gegeben haben;\n"
    "• je Frage, die Sie beantwortet haben: ihre Kennung, Nummer und Sachgebiet, wie oft Sie sie "
    "beantwortet haben, wie oft falsch, und welche falsche Auswahl Sie am häufigsten angekreuzt "
    "haben.\n\n"
    "Sonst nichts: keine einzelnen Antworten mit ihrer Uhrzeit, keine Texte der Fragen, keine "
    "Einstellungen und nichts über Ihren Rechner.";

const char* const kHandOver =
    "Aerolern sendet nichts. Der Bericht verlässt Ihren Rechner nur, wenn Sie die Datei selbst "
    "weitergeben, zum Beispiel per E-Mail oder auf einem USB-Stick.";

} // namespace

TfrmBericht::TfrmBericht() : TForm("frmBericht") {
  SetBorderStyle(TBorderStyle::ToolWindow);
  SetCaption("Bericht für die Flugschule");
  SetClientWidth(520);
  SetClientHeight(400);
  CreateControls();
  OnActivate = [this](TObject* sender) { FormActivate(sender); };
}

void TfrmBericht::CreateControls() {
  auto wrapped = [this](const char* name, const std::string& caption) {
    TLabel* label = Create<TLabel>(name);
    label->SetWordWrap(true);
    label->SetWidth(ClientWidth() - 2 * kMargin);
    label->SetLeft(kMargin);
    label->SetCaption(caption);
    return label;
  };
  lblName = Create<TLabel>("lblName");
  lblName->SetCaption("Name im Bericht:");
  lblName->SetLeft(kMargin);
  lblName->SetTop(kMargin + 4);
  edtName = Create<TEdit>("edtName");
  edtName->SetBounds(120, kMargin, 240, 21);
  edtName->SetMaxLength(SchoolReportNameLength);
  edtName->SetTabOrder(0);
  edtName->OnChange = [this](TObject* sender) { edtNameChange(sender); };
  lblNameHinweis = wrapped("lblNameHinweis",
                           "Frei wählbar, höchstens " + std::to_string(SchoolReportNameLength) +
                               " Zeichen; ein Spitzname genügt, wenn Ihre Flugschule Sie daran "
                               "erkennt.");
  lblInhalt = wrapped("lblInhalt", kContents);
  lblDatei = wrapped("lblDatei", "");
  lblWeitergabe = wrapped("lblWeitergabe", kHandOver);
  TFont bold = lblWeitergabe->Font();
  bold.Bold = true;
  lblWeitergabe->SetFont(bold);

  btnSchreiben = Create<TButton>("btnSchreiben");
  btnSchreiben->SetCaption("Bericht &schreiben");
  btnSchreiben->SetDefault(true);
  btnSchreiben->SetTabOrder(1);
  btnSchreiben->OnClick = [this](TObject* sender) { btnSchreibenClick(sender); };
  btnAbbrechen = Create<TButton>("btnAbbrechen");
  btnAbbrechen->SetCaption("Abbrechen");
  btnAbbrechen->SetCancel(true);
  btnAbbrechen->SetTabOrder(2);
  btnAbbrechen->OnClick = [this](TObject* sender) { btnAbbrechenClick(sender); };
}

void TfrmBericht::Arrange() {
  int top = edtName->Top() + edtName->Height() + 4;
  for (TLabel* label : {lblNameHinweis, lblInhalt, lblDatei, lblWeitergabe}) {
    label->SetTop(top);
    top += label->Height() + kGap;
  }
  btnSchreiben->SetBounds(kMargin, top + 2, 130, kButtonHeight);
  btnAbbrechen->SetBounds(ClientWidth() - kMargin - 90, top + 2, 90, kButtonHeight);
  SetClientHeight(top + 2 + kButtonHeight + kMargin);
}

std::string TfrmBericht::ShowFor(TLearningHistory& learningHistory) {
  history = &learningHistory;
  written.clear();
  edtNameChange(edtName);
  Arrange();
  SetLeft(std::max(0, (Screen.Width() - Width()) / 2));
  SetTop(std::max(0, (Screen.Height() - Height()) / 2));
  ShowModal();
  history = nullptr;
  return written;
}

void TfrmBericht::FormActivate(TObject*) { edtName->SetFocus(); }

std::string TfrmBericht::ReportPath(const std::string& name, int64_t nowMs) {
  namespace fs = std::filesystem;
  const fs::path folder = FileSystemPath(KnowledgeFilePath()).parent_path();
  std::error_code unknown;
  const fs::path absolute = fs::absolute(folder.empty() ? fs::path(".") : folder, unknown);
  return Utf8Path(
      ((unknown ? folder : absolute) /
       FileSystemPath(SchoolReportFileName(name, nowMs, Platform().UtcOffsetSeconds(nowMs))))
          .lexically_normal());
}

// The file's name follows the name as it is typed, so that the learner sees where it goes. The
// folder and the file each get a line of their own, broken where a line is full: a path has no
// blanks for the label to wrap at.
void TfrmBericht::edtNameChange(TObject*) {
  const std::string name = TrimControls(edtName->Text());
  std::string caption;
  try {
    const std::filesystem::path path =
        FileSystemPath(ReportPath(name.empty() ? "…" : name, Platform().UtcNowMs()));
    const auto fitted = [this](const std::filesystem::path& part) {
      return BreakLongWords(lblDatei->Font(), Utf8Path(part), lblDatei->Width());
    };
    caption = "Die Datei wird gespeichert als:\n" + fitted(path.parent_path() / "") + "\n" +
              fitted(path.filename());
  } catch (const std::exception& error) {
    caption = error.what();
  }
  const int before = lblDatei->Height();
  lblDatei->SetCaption(caption);
  if (lblDatei->Height() != before)
    Arrange();
}

void TfrmBericht::btnSchreibenClick(TObject*) {
  const std::string name = TrimControls(edtName->Text());
  if (name.empty()) {
    Application.MessageBox("Bitte geben Sie den Namen ein, unter dem Ihre Flugschule den Bericht "
                           "zuordnen kann (höchstens " +
                           std::to_string(SchoolReportNameLength) + " Zeichen).");
    edtName->SetFocus();
    return;
  }
  const int64_t now = Platform().UtcNowMs();
  std::string path;
  try {
    path = ReportPath(name, now);
    ReplaceFileSafely(path, SchoolReportJson(history->SchoolReport(name, now)));
  } catch (const std::exception& error) {
    Application.MessageBox(std::string("Der Bericht wurde nicht geschrieben.") + kLineBreak +
                           error.what());
    return;
  }
  written = path;
  Application.MessageBox("Der Bericht ist gespeichert in der Datei" + std::string(kLineBreak) +
                         path + kLineBreak + kLineBreak +
                         "Geben Sie die Datei Ihrer Flugschule selbst weiter, zum Beispiel per "
                         "E-Mail oder auf einem USB-Stick.");
  Close();
}

void TfrmBericht::btnAbbrechenClick(TObject*) { Close(); }
