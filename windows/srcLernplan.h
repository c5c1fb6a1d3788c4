// The window "Lernplan": the exam-date plan as the learner meets it today. The days until the
// exam, today's questions and how many are done, the planned answers of every day up to the
// exam, the chance to pass every area with the plan, with due questions only and now, the pace,
// and what counts most today.
#pragma once
#include "history/LearningHistory.h"
#include "toolkit/Form.h"
#include "toolkit/PaintBox.h"

#include <string>

class TfrmLernplan : public TForm {
public:
  TfrmLernplan();
  // The modal result of "Heutiges Pensum lernen": the pool holds today's planned questions that
  // are still to do. Closing leaves 0.
  static constexpr int mrPensum = 1;
  // The colours of the chart's answers given today, new questions and reviews.
  static constexpr uint32_t kColorDone = 0x8FBF8F;
  static constexpr uint32_t kColorNew = 0xF0A830;
  static constexpr uint32_t kColorReview = 0x2A6496;

  TLabel *lblTage = nullptr, *lblHeute = nullptr, *lblTempo = nullptr, *lblPrognose = nullptr,
         *lblWichtig = nullptr, *lblHinweis = nullptr;
  TPaintBox* pbPlan = nullptr;
  TButton *btnPensum = nullptr, *btnSchliessen = nullptr;

  // Shows the window modally with the plan of this moment; in the exam "Heutiges Pensum lernen"
  // is disabled. Returns the modal result.
  int ShowFor(TLearningHistory& learningHistory, bool examRunning);
  // The plan the window shows.
  const TPlanStatus& Status() const { return status; }

  void btnPensumClick(TObject* sender);
  void btnSchliessenClick(TObject* sender);

private:
  void CreateControls();
  void ShowStatus();
  void PaintPlan(TCanvas& canvas);
  TPlanStatus status;
};

extern TfrmLernplan* frmLernplan;
