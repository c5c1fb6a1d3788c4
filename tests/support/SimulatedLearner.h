// A learning log simulated from known FSRS-6 parameters, for the tests and the benchmark of the
// parameter fit.
#pragma once

#include "history/Fsrs.h"
#include "history/FsrsFit.h"
#include "history/FsrsModel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>

// A learner whose memory follows `truth`. Each question starts on one of the first 60 days, one in
// five with an exposure; the learner answers right with the true recall, repeats a wrong answer
// the same day every other time, and comes back after the interval the default parameters propose
// for 90 % times a random factor between 0.5 and 3, so that recall at a review varies widely.
// `answers` recall tests per question; the same seed gives the same log on every platform.
inline TFsrsFitData SimulateLearner(const TFsrsParameters& truth, int questions, int answers,
                                    unsigned seed) {
  using K = TFsrsFitEventKind;
  std::mt19937_64 random(seed);
  const auto unit = [&random] { return static_cast<double>(random() >> 11) * 0x1.0p-53; };
  const TFsrsModel memory(truth);
  const TFsrsModel planner;
  TFsrsFitData data(static_cast<std::size_t>(questions));
  for (TFsrsFitHistory& history : data) {
    auto day = static_cast<int64_t>(unit() * 60);
    int64_t last = day;
    TMemoryState real;
    TMemoryState plan;
    const bool exposed = unit() < 0.2;
    if (exposed) {
      history.push_back({day, K::Exposure});
      real = memory.FirstReview(fsrsAgain);
      plan = planner.FirstReview(fsrsAgain);
    }
    for (int answer = 0; answer < answers; ++answer) {
      const auto elapsed = static_cast<int>(day - last);
      const bool first = answer == 0 && !exposed;
      const bool right = unit() < (first ? 0.4 : memory.Recall(real, elapsed));
      const int grade = right ? fsrsGood : fsrsAgain;
      real = first ? memory.FirstReview(grade) : memory.Review(real, elapsed, grade);
      plan = first ? planner.FirstReview(grade) : planner.Review(plan, elapsed, grade);
      history.push_back({day, right ? K::Right : K::Wrong});
      last = day;
      if (!right && unit() < 0.5)
        continue;
      const double factor = 0.5 + 2.5 * unit();
      day += std::max<int64_t>(1, std::llround(planner.Interval(plan, 0.9) * factor));
    }
  }
  return data;
}
