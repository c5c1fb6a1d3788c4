// The statistics window "Lernstand": figures per category, the exam outlook per subject area,
// the answers of the last days, the questions answered wrong most often, and the learner's
// exam date and target retention.
#pragma once

#include "history/LearningHistory.h"
#include "history/LearningStatistics.h"
#include "toolkit/Form.h"
#include "toolkit/PaintBox.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

class TfrmLernstand : public TForm {
public:
  TfrmLernstand();

  // The modal result of "Diese Fragen lernen": the pool holds the troublesome questions and the
  // main window goes on with its next question. Closing leaves 0.
  static constexpr int mrLernen = 1;
  // The licences the window has a place for; which of them this edition shows, core says.
  static constexpr int kLastLicence = 6;
  // The days of the answer chart, today last.
  static constexpr int kDays = 30;
  // The colours of the outlook's three parts and of the chart's right and wrong answers.
  static constexpr uint32_t kColorPassed = 0x5CB85C;
  static constexpr uint32_t kColorOral = 0xF0C419;
  static constexpr uint32_t kColorFailed = 0xD9534F;
  static constexpr uint32_t kColorRight = 0x2A6496;
  static constexpr uint32_t kColorWrong = 0x9CC3E6;

  TPaintBox *pbKategorien = nullptr, *pbTage = nullptr, *pbPrognose = nullptr,
            *pbSchwierig = nullptr;
  TGroupBox *grpPrognose = nullptr, *grpEinstellungen = nullptr;
  TRadioButton *optKat1 = nullptr, *optKat2 = nullptr, *optKat3 = nullptr, *optKat4 = nullptr,
               *optKat5 = nullptr, *optKat6 = nullptr;
  TLabel *lblModell = nullptr, *lblPruefungstermin = nullptr, *lblZielbehalt = nullptr,
         *lblProzent = nullptr, *lblHinweis = nullptr, *lblGilt = nullptr, *lblPensum = nullptr,
         *lblPensumEinheit = nullptr;
  TEdit *edtPruefungstermin = nullptr, *edtZielbehalt = nullptr, *edtPensum = nullptr;
  TButton *btnUebernehmen = nullptr, *btnLernen = nullptr, *btnSchliessen = nullptr;
  TButton* btnAnpassen = nullptr;

  // Shows the window modally with the figures of the history; in the exam "Diese Fragen
  // lernen" is disabled. Returns the modal result.
  int ShowFor(TLearningHistory& learningHistory, bool examRunning);
  // The exam licence whose outlook is shown; the last one chosen stays for the run.
  int ShownLicence() const { return shownLicence; }

  void FormActivate(TObject* sender);
  void optKatClick(int licence);
  void btnUebernehmenClick(TObject* sender);
  void btnLernenClick(TObject* sender);
  void btnAnpassenClick(TObject* sender);
  void btnSchliessenClick(TObject* sender);

private:
  // A question of the trouble list as it is shown and as it goes into the pool.
  struct TTroubleRow {
    PoolEntry Entry{};
    std::string Start;
    int WrongAnswers = 0;
    std::string MostTickedWrong;
    bool HasWrongTicks = false;
  };
  struct TLimits {
    int Questions = 0;
    int OralFrom = 0;
    int FailFrom = 0;
  };

  void CreateControls();
  // Reads everything the window shows from the catalogue, the settings and the history.
  void Gather();
  void GatherOutlook(const TLearningStatistics& statistics);
  void GatherTrouble(const TLearningStatistics& statistics);
  void ShowChoices();
  void Repaint();

  void PaintCategories(TCanvas& canvas);
  void PaintDays(TCanvas& canvas);
  void PaintOutlook(TCanvas& canvas);
  void PaintOutlookBar(TCanvas& canvas, const TAreaOutlook& area, int top, int width);
  void PaintTrouble(TCanvas& canvas);

  TLearningHistory* history = nullptr;
  bool exam = false;
  int shownLicence = 1;
  int64_t now = 0;
  std::vector<TCategoryFigures> categories;
  bool anyAnswer = false;
  std::vector<TDayAnswers> days;
  std::vector<TTroubleRow> trouble;
  // The outlook of every shown licence (index 1 to kLastLicence) at its moment, with the limits
  // it used; the error text when it could not be computed.
  std::optional<int64_t> examDay;
  std::optional<int64_t> examMoment;
  std::array<std::vector<TAreaOutlook>, kLastLicence + 1> outlooks;
  std::array<TLimits, kLastLicence + 1> limits{};
  std::string outlookError;
};

extern TfrmLernstand* frmLernstand;
