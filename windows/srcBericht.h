// The window "Bericht für die Flugschule": asks for the name to put into the learner's report,
// says in plain words what the file holds and that it leaves the computer only when the learner
// hands it over, and writes it into the folder of the knowledge file.
#pragma once

#include "history/LearningHistory.h"
#include "toolkit/Form.h"

#include <string>

class TfrmBericht : public TForm {
public:
  TfrmBericht();

  TLabel *lblName = nullptr, *lblNameHinweis = nullptr, *lblInhalt = nullptr, *lblDatei = nullptr,
         *lblWeitergabe = nullptr;
  TEdit* edtName = nullptr;
  TButton *btnSchreiben = nullptr, *btnAbbrechen = nullptr;

  // Shows the window modally; the report is written from `learningHistory`. Returns the path of
  // the file written, empty when none was.
  std::string ShowFor(TLearningHistory& learningHistory);

  void FormActivate(TObject* sender);
  void edtNameChange(TObject* sender);
  void btnSchreibenClick(TObject* sender);
  void btnAbbrechenClick(TObject* sender);

private:
  void CreateControls();
  // Places the labels below each other by the height of their texts.
  void Arrange();
  // The full path the report of `name` gets at `nowMs`.
  static std::string ReportPath(const std::string& name, int64_t nowMs);

  TLearningHistory* history = nullptr;
  std::string written;
};

extern TfrmBericht* frmBericht;
