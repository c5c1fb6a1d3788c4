// What the simulations of learners share: random draws, a learner's true memory and chance to know
// a question before studying it, the learners' time zone, and means with their standard errors.
#pragma once

#include "history/FsrsFit.h"
#include "history/FsrsModel.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <functional>
#include <mutex>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace simulated {

using TRandom = std::mt19937_64;

inline double Uniform(TRandom& random, double low, double high) {
  return std::uniform_real_distribution<double>(low, high)(random);
}
inline int UniformInt(TRandom& random, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random);
}
inline bool Chance(TRandom& random, double p) { return Uniform(random, 0, 1) < p; }
inline double LogUniform(TRandom& random, double low, double high) {
  return std::exp(Uniform(random, std::log(low), std::log(high)));
}
inline double Logistic(double x) { return 1 / (1 + std::exp(-x)); }

// A learner's true memory: FSRS-6 with every parameter of the defaults scaled by a factor of its
// own between 0.5 and 1.5, then kept as a fit keeps them (within its bounds, and the four that
// binary grading does not use at their defaults).
inline TFsrsParameters DrawTrueParameters(TRandom& random) {
  TFsrsParameters truth = DefaultFsrsParameters();
  for (double& w : truth.W)
    w *= Uniform(random, 0.5, 1.5);
  return FsrsProjected(truth);
}

// The centre of a learner's chance to answer a question right before studying it, as a logit:
// about 15 % to 50 % (four answers to choose from, some prior knowledge).
inline double DrawFirstTryLogit(TRandom& random) { return Uniform(random, -1.7, 0.0); }

// How much easier than the learner's centre a question is to know before studying.
inline double DrawEase(TRandom& random) { return Uniform(random, -1.0, 1.0); }

// The chance to answer a question never studied right.
inline double FirstTryChance(double firstTryLogit, double ease) {
  return Logistic(firstTryLogit + ease);
}

// Central European time with the change to summer time of 2026 and back.
inline int32_t CentralEuropeanOffset(int64_t utcMs) {
  constexpr int64_t kSummerFromMs = 1774746000000;  // 2026-03-29 01:00 UTC
  constexpr int64_t kSummerUntilMs = 1792890000000; // 2026-10-25 01:00 UTC
  return utcMs >= kSummerFromMs && utcMs < kSummerUntilMs ? 7200 : 3600;
}

// The mean of a series and the standard error of that mean.
struct TMean {
  double Sum = 0;
  double Squares = 0;
  int Count = 0;

  void Add(double x) {
    Sum += x;
    Squares += x * x;
    ++Count;
  }
  double Mean() const { return Count > 0 ? Sum / Count : 0; }
  double Error() const {
    if (Count < 2)
      return 0;
    const double variance = (Squares - Sum * Sum / Count) / (Count - 1);
    return std::sqrt(std::max(0.0, variance) / Count);
  }
};

// Runs job(0) to job(jobs - 1) on `threads` threads (0: every core), each job once, and raises
// the first failure after all have stopped; returns the threads used.
inline unsigned RunJobs(int jobs, unsigned threads, const std::function<void(int)>& job) {
  std::atomic<int> next{0};
  std::mutex failureLock;
  std::string failure;
  const auto work = [&] {
    try {
      for (int index = next++; index < jobs; index = next++)
        job(index);
    } catch (const std::exception& error) {
      const std::lock_guard<std::mutex> lock(failureLock);
      failure = error.what();
      next = jobs;
    }
  };
  const unsigned used = threads > 0 ? threads : std::max(1u, std::thread::hardware_concurrency());
  std::vector<std::thread> workers;
  for (unsigned i = 0; i < used; ++i)
    workers.emplace_back(work);
  for (std::thread& worker : workers)
    worker.join();
  if (!failure.empty())
    throw std::runtime_error(failure);
  return used;
}

} // namespace simulated
