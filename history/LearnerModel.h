// The learner model: what the recorded answers say about the learner's memory. One home for the
// grade of an answer, what counts as a test of recall, the learning days, the memory state after
// an answer, the recall at a moment and the due rule; the store, the due questions, the
// statistics and the outlook all ask it.
#pragma once

#include "history/FsrsModel.h"

#include <cstdint>
#include <optional>
#include <string>

// What the history keeps of one question between answers.
struct TQuestionMemory {
  std::optional<TMemoryState> State; // none: new
  int64_t LastReviewMs = 0;          // UTC, meaningful with a state
  std::optional<std::string> Key;    // the correct letters of its last recorded answer
};

// One recorded answer as the model reads it.
struct TRecordedAnswer {
  int64_t TimeMs = 0; // UTC
  int Mode = 0;       // 1 Lernmodus … 4 Prüfungsmodus
  bool SelfGraded = false;
  bool Right = false;
  std::string Key; // the correct letters of the record at the time
};

class TLearnerModel {
public:
  explicit TLearnerModel(const TFsrsParameters& parameters = DefaultFsrsParameters());

  const TFsrsModel& Fsrs() const { return fsrs; }

  // A right answer counts as Good, a wrong one as Again.
  static int GradeOf(bool right);
  // Whether an answer tests recall: everything but Lernmodus's "Klar"/"Unklar", which the
  // learner gives with the solution on screen (exposure).
  static bool IsRecallTest(int mode, bool selfGraded);
  // Whether the answer key of a question changed since its last recorded answer, which was
  // given with `lastKey`: the learner learned another answer, and the question is new again.
  static bool KeyChanged(const std::optional<std::string>& lastKey, const std::string& key);
  // The learning day of a UTC moment: days run from 04:00 local time to 04:00 the next morning,
  // numbered so that consecutive learning days differ by one.
  static int64_t LearningDay(int64_t utcMs);

  // The question's memory after one more answer. An exposure starts a new question's memory as
  // a first review graded Again and leaves an existing state alone; a changed answer key
  // restarts the memory; the last review never moves back in time, and one that lies more than
  // a day after the answer is taken as the answer's time.
  TQuestionMemory AfterAnswer(const TQuestionMemory& before, const TRecordedAnswer& answer) const;

  // The probability of recalling the question at `atMs`, with `nowMs` the present: a last review
  // more than a day after now (a clock that was ahead) counts as now.
  double RecallAt(const TMemoryState& state, int64_t lastReviewMs, int64_t atMs,
                  int64_t nowMs) const;
  // Due: its recall now is below the desired retention.
  bool IsDue(const TMemoryState& state, int64_t lastReviewMs, int64_t nowMs,
             double retention) const;
  // The moment its recall falls to the desired retention.
  int64_t DueMoment(const TMemoryState& state, int64_t lastReviewMs, int64_t nowMs,
                    double retention) const;

private:
  TFsrsModel fsrs;
};
