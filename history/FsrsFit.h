// Fitting a learner's own FSRS-6 parameters to the recall tests of the learning log: the loss of a
// set of parameters on the log, and a fit that is taken only when it predicts the learner's later
// answers better than the parameters in use.
//
// Each question's events replay as the memory state does: a recall test right is a review graded
// Good, wrong is Again. An exposure (the solution was on screen before the learner answered) as a
// question's first event starts its memory as a first review graded Again; a later exposure leaves
// the state and the moment of its last review alone. A review is scored, that is its predicted
// recall R(t, S) is compared with right or wrong, when the question already had a state and it
// comes at least one learning day after the last review; the first review, same-day reviews and
// exposures are not scored (same-day reviews still move the state).
#pragma once

#include "history/FsrsModel.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

enum class TFsrsFitEventKind { Wrong, Right, Exposure };

struct TFsrsFitEvent {
  int64_t Day = 0; // the learning-day number; t between two events is the difference of their days
  TFsrsFitEventKind Kind = TFsrsFitEventKind::Right;
};

// One question's events in time order (a day earlier than the one before counts as that one).
using TFsrsFitHistory = std::vector<TFsrsFitEvent>;
// The log: the events of every question.
using TFsrsFitData = std::vector<TFsrsFitHistory>;

// A fit is tried from this many recall tests with at least this many scored reviews.
constexpr int kFsrsFitMinRecallTests = 1000;
constexpr int kFsrsFitMinScoredReviews = 300;
// The share of the scored reviews, by learning day, that the acceptance fit learns from; the
// later ones judge it.
constexpr double kFsrsFitShare = 0.8;

// The recall tests (right or wrong answers) of the log.
int FsrsRecallTests(const TFsrsFitData& data);
// The scored reviews of the log.
int FsrsScoredReviews(const TFsrsFitData& data);
// The mean binary cross-entropy of the predicted recall against right/wrong over the scored
// reviews (0 when there is none); the prediction is kept within [0.0001, 0.9999], so that one
// confident miss cannot outweigh everything else.
double FsrsLogLoss(const TFsrsParameters& parameters, const TFsrsFitData& data);

// The parameters as a fit may hold them: each within the bounds the fit keeps it in (those of
// fsrs-rs), and w1, w3, w15 and w16, which binary grading does not use, at their defaults.
TFsrsParameters FsrsProjected(const TFsrsParameters& parameters);

// What the fit minimises: the cross-entropy summed over the scored reviews plus the penalty
// Σ ((w − w_default) / σ)² over the fitted parameters, which keeps a fit on few answers near the
// defaults.
double FsrsFitObjective(const TFsrsParameters& parameters, const TFsrsFitData& data);
// The objective's gradient with respect to w0 … w20, by forward-mode derivatives through the
// formulas; zero for w1, w3, w15 and w16, which binary grading does not use and the fit keeps at
// their defaults.
std::array<double, 21> FsrsFitGradient(const TFsrsParameters& parameters, const TFsrsFitData& data);

struct TFsrsFitResult {
  bool Accepted = false;
  // The parameters to use: the fit on the whole log when accepted, else the current ones.
  TFsrsParameters Parameters;
  // The mean loss over the held-out scored reviews of the current and of the fitted parameters
  // (0 when no fit was tried).
  double HeldOutLossCurrent = 0;
  double HeldOutLossFitted = 0;
  // The scored reviews after the split day that judged the fit.
  int HeldOutReviews = 0;
  int RecallTests = 0;
  int ScoredReviews = 0;
  // Why the fit was not taken, one German sentence for the learner; empty when accepted.
  std::string Reason;
};

// Fits the parameters to the answers up to the split day (the learning day at the share's quantile
// of the scored reviews' days, over the whole log), compares the mean loss of the later scored
// reviews (each question's state carried through its earlier answers) with that of the current
// parameters, and when the fit is better fits again on the whole log, starting from the first
// fit. Refused before fitting below the thresholds above. Deterministic: the same log and
// parameters give the same result.
TFsrsFitResult FitFsrsParameters(const TFsrsFitData& data, const TFsrsParameters& current);
