// What the main window reports of the learner's work, for whoever keeps a history of it.
#pragma once

#include "core/ExamGrading.h"
#include "core/srcCommon.h"

#include <array>
#include <cstdint>

// The learning modes as the main window numbers them.
enum TLearningMode : int { lmLernen = 1, lmVertiefen = 2, lmSchnell = 3, lmPruefung = 4 };

// A question is on display; the placeholder counts too and is marked as such. The record is the
// one on display, so that a listener need not read the catalogue again.
struct TQuestionShown {
  int32_t RecordNo = -1;
  int Mode = lmLernen;
  bool Placeholder = false;
  QuestionRecord Record;
};

// The answer on display was compared with the solution.
struct TAnswerChecked {
  int32_t RecordNo = -1;
  int Mode = lmLernen;
  std::array<bool, 4> Ticked{};
  std::array<bool, 4> Correct{};
  bool Right = false;
  // False when the program checked by itself, as Lernmodus does for every question.
  bool ByLearner = false;
};

// The question on display was sorted as "Klar" or "Unklar".
struct TQuestionSorted {
  int32_t RecordNo = -1;
  int Mode = lmLernen;
  bool Klar = false;
  // False when the program sorted it, after a right answer or at the end of a check.
  bool ByLearner = false;
};

// An exam area was graded.
struct TExamAreaGraded {
  int Licence = 0;
  int Area = 0;
  int32_t Questions = 0;
  int32_t RightAnswers = 0;
  TExamVerdict Verdict = TExamVerdict::Bestanden;
};

// Hears the learning events in the order they happen. Every method does nothing by default.
class TLearningListener {
public:
  virtual ~TLearningListener() = default;
  virtual void QuestionShown(const TQuestionShown&) {}
  virtual void AnswerChecked(const TAnswerChecked&) {}
  virtual void QuestionSorted(const TQuestionSorted&) {}
  virtual void ExamAreaGraded(const TExamAreaGraded&) {}
};
