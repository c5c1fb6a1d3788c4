// What the learner knows, per category and per exam area: figures computed from the catalogue
// and the history at one moment.
#pragma once

#include "history/ExamOutlook.h"
#include "history/ExamPlan.h"
#include "history/HistoryStore.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct TCategoryFigures {
  int Licence = 0;
  int Area = 0;
  int Questions = 0; // in use in the catalogue
  int Answered = 0;
  int Due = 0;
  double MeanRecall = 0; // of the answered questions; 0 when none is answered
  // The tests of recall of the answered questions, and how many of them were right.
  int RecallTests = 0;
  int RightRecallTests = 0;
};

struct TAreaOutlook {
  int Area = 0;
  int Questions = 0;
  int NeverAnswered = 0;
  TExamOutlook Outlook;
};

struct TTroubleQuestion {
  int32_t RecordNo = 0;
  int WrongAnswers = 0;
  // The ticks given most often in a wrong answer ("B", "" for none ticked); empty also when
  // every wrong answer was a self-grade.
  std::string MostTickedWrong;
  bool HasWrongTicks = false;
};

class TLearningStatistics {
public:
  // Reads the catalogue and, with a store, the history's questions followed to their records;
  // recall and due questions as the model says.
  TLearningStatistics(THistoryStore* store, const TLearnerModel& model, double retention,
                      int64_t nowMs);

  // The categories of the record licences first to last, in slot order. Licence 0 stands for the
  // questions of all categories (slot 0, area 0), as the category selection counts them.
  std::vector<TCategoryFigures> Categories(int firstLicence, int lastLicence) const;
  // The outlook of every area of the exam licence, with its limits from the settings file and
  // each question's recall at `atMs` (never-answered questions at the area's prior).
  std::vector<TAreaOutlook> Outlook(int examLicence, int64_t atMs) const;
  // The recall at `atMs` of every question of an area of the exam licence as the outlook uses it,
  // never-answered questions at the area's prior.
  std::vector<double> AreaRecall(int examLicence, int area, int64_t atMs) const;
  // The questions of the exam licence's areas as the plan starts from them. `answeredToday` holds
  // the questions answered today, each with whether it had been met before; `answered` and
  // `newlyMet` receive how many of the licence's questions were answered and met first today.
  std::vector<TPlanQuestion> PlanQuestions(int examLicence,
                                           const std::map<int64_t, bool>& answeredToday,
                                           int& answered, int& newlyMet) const;
  // The areas of the exam licence with their limits from the settings file and their priors.
  std::vector<TPlanArea> PlanAreas(int examLicence) const;
  // The answers of the last `days` local days, today last.
  std::vector<TDayAnswers> LastDays(int days) const;
  // The questions answered wrong most often, at most `count`, most often first.
  std::vector<TTroubleQuestion> Trouble(std::size_t count) const;
  bool AnyAnswer() const { return anyAnswer; }

private:
  // One question of the catalogue in use, with what the history knows of it.
  struct TEntry {
    int32_t RecordNo = 0;
    int16_t Licence = 0;
    int16_t Area = 0;
    const THistoryQuestion* Known = nullptr;
  };
  double RecallAt(const THistoryQuestion& question, int64_t atMs) const;
  double PriorOf(int licence, int area) const;

  THistoryStore* store;
  TLearnerModel model;
  double retention;
  int64_t now;
  std::vector<THistoryQuestion> questions;
  std::vector<TEntry> entries;
  bool anyAnswer = false;
};
