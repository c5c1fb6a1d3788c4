// The learner's own FSRS parameters: fitted from the recall tests of the log, kept in the history
// with the moment and answer count of the fit, and the cached memory states replayed whenever the
// parameters in use change.
#pragma once

#include "history/FsrsFit.h"
#include "history/HistoryStore.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The parameters in use as the history keeps them.
struct TKeptParameters {
  TFsrsParameters Parameters = DefaultFsrsParameters();
  std::optional<int64_t> FittedMs; // none: the defaults
  int64_t FittedRecallTests = 0;
  // The number of answers in the log at the last fit tried, accepted or not.
  int64_t TriedAtAnswers = 0;
};

// The log as the fit reads it: each question's answers in order, its learning days from the
// model, a changed answer key starting the question anew.
TFsrsFitData FitDataOf(const std::vector<std::pair<int64_t, TRecordedAnswer>>& log);

// The kept parameters; the defaults when none are kept or they cannot be read.
TKeptParameters ReadKeptParameters(THistoryStore& store);
// Replays the cached memory states when they were made with other parameters than these.
void AlignMemoryStates(THistoryStore& store, const TFsrsParameters& parameters);
// Whether the log has grown by half since the last fit tried (or reached the size a first fit
// needs), so that an automatic fit is worth trying.
bool RefitDue(THistoryStore& store, const TKeptParameters& kept);
// Fits the parameters to the log and keeps them when the fit is accepted (replaying the memory
// states); either way notes the attempt. Returns what the fit found.
TFsrsFitResult FitAndKeep(THistoryStore& store, const TKeptParameters& kept, int64_t nowMs);
