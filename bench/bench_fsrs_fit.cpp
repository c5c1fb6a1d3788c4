// Benchmark: fitting a learner's own FSRS-6 parameters (the acceptance fit, the held-out check
// and the refit on the whole log) to 3,000 and 30,000 recall tests, against one pass of the loss
// over the same log. The fit of 30,000 must take less than 2 seconds.
#include "bench/BenchSupport.h"

#include "history/FsrsFit.h"
#include "support/SimulatedLearner.h"

#include <exception>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int kAnswersPerQuestion = 10;

std::string FitName(int answers) { return "Fit" + std::to_string(answers); }
std::string LossName(int answers) { return "LossOf" + std::to_string(answers); }

// A learner whose forgetting curve is steeper and whose stability grows less than the defaults
// say, so that the fit has something to find.
TFsrsFitData Log(int answers) {
  TFsrsParameters truth = DefaultFsrsParameters();
  truth.W[8] = 1.2;
  truth.W[20] = 0.5;
  return SimulateLearner(truth, answers / kAnswersPerQuestion, kAnswersPerQuestion, 2026);
}

void BM_Fit(benchmark::State& state, const TFsrsFitData& data) {
  for (auto _ : state) {
    TFsrsFitResult result = FitFsrsParameters(data, DefaultFsrsParameters());
    benchmark::DoNotOptimize(result);
  }
}

void BM_Loss(benchmark::State& state, const TFsrsFitData& data) {
  for (auto _ : state) {
    double loss = FsrsLogLoss(DefaultFsrsParameters(), data);
    benchmark::DoNotOptimize(loss);
  }
}

} // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  const std::vector<int> sizes = {3000, 30000};
  try {
    std::vector<TFsrsFitData> logs;
    for (const int size : sizes)
      logs.push_back(Log(size));
    for (std::size_t i = 0; i < sizes.size(); ++i) {
      const TFsrsFitData& data = logs[i];
      Configure(benchmark::RegisterBenchmark(
          FitName(sizes[i]).c_str(), [&data](benchmark::State& state) { BM_Fit(state, data); }));
      Configure(benchmark::RegisterBenchmark(
          LossName(sizes[i]).c_str(), [&data](benchmark::State& state) { BM_Loss(state, data); }));
    }

    TCapturingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::cout << '\n';
    for (std::size_t i = 0; i < sizes.size(); ++i) {
      const TFsrsFitResult result = FitFsrsParameters(logs[i], DefaultFsrsParameters());
      std::cout << sizes[i] << " recall tests: " << result.ScoredReviews << " scored, "
                << (result.Accepted ? "accepted" : "refused") << ", held-out loss "
                << result.HeldOutLossCurrent << " -> " << result.HeldOutLossFitted << '\n';
    }
    for (const int size : sizes)
      PrintRatio(reporter, "fit / one loss pass (" + std::to_string(size) + " recall tests)",
                 FitName(size), LossName(size), "reported");
    const auto seconds = reporter.Seconds(FitName(30000));
    std::cout << "fit of 30000 recall tests: ";
    if (seconds)
      std::cout << std::fixed << std::setprecision(3) << *seconds << " s";
    else
      std::cout << "not measured";
    std::cout << " (goal < 2 s)\n";
  } catch (const std::exception& error) {
    std::cerr << "bench_fsrs_fit: " << error.what() << '\n';
    return 1;
  }
  benchmark::Shutdown();
  return 0;
}
