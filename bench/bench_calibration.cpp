// Calibration of the exam outlook against simulated learners, each scored by one sitting. It
// prints; it is not a timed test.
//
// Every learner (bench/CalibrationSimulation.h) studies the four areas of licence 1 through the
// program's store, then the program predicts each area's outcome at the exam moment from the
// history file: with the default parameters, and with the parameters fitted to the learner's log.
// The learner then sits each area once with the true recall. Scores over all area predictions:
// - the Brier score of the three outcomes against that one sitting;
// - the noise floor: the same score of the true probabilities (the exact outlook of the true
//   recall), which no prediction can beat on average;
// - a baseline: every question of the area at the mean of the recall values the outlook used (the
//   same memory states and prior), so that the number right is binomial;
// - reliability: predicted P(Bestanden) in tenths against the share of sittings "Bestanden.",
//   judged where a tenth holds at least 100 predictions.
// The last line gives the fitted outlook's figures.
//
// Usage: bench_calibration [--quick] [--learners N] [--seed S] [--threads T]
//   3000 learners, or 150 with --quick; one thread per core unless told. The learners' history
//   files go to the temporary folder (TMPDIR): one in memory makes the run about three times
//   faster, since the store syncs its file to disk now and then.
#include "bench/CalibrationSimulation.h"

#include "toolkit/headless/HeadlessPlatform.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace calibration;
using simulated::TMean;

constexpr int kMinimumPerTenth = 100;
constexpr double kTolerance = 0.05;

struct TOptions {
  int Learners = 3000;
  uint64_t Seed = 1;
  unsigned Threads = 0; // 0: one per core
};

bool ParseOptions(int argc, char** argv, TOptions& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    const bool hasValue = i + 1 < argc;
    if (argument == "--quick")
      options.Learners = 150;
    else if (argument == "--learners" && hasValue)
      options.Learners = std::atoi(argv[++i]);
    else if (argument == "--seed" && hasValue)
      options.Seed = std::strtoull(argv[++i], nullptr, 10);
    else if (argument == "--threads" && hasValue)
      options.Threads = static_cast<unsigned>(std::atoi(argv[++i]));
    else
      return false;
  }
  return options.Learners > 0;
}

// The Brier score of the three outcomes against the verdict of one sitting.
double Brier(const TOutcomes& predicted, TExamVerdict verdict) {
  const auto square = [](double x) { return x * x; };
  return square(predicted.Passed - (verdict == TExamVerdict::Bestanden ? 1 : 0)) +
         square(predicted.Oral - (verdict == TExamVerdict::MuendlicheNachpruefung ? 1 : 0)) +
         square(predicted.Failed - (verdict == TExamVerdict::NichtBestanden ? 1 : 0));
}

// One tenth of predicted P(Bestanden).
struct TTenth {
  int Count = 0;
  double Predicted = 0;
  double Observed = 0;
  bool Judged() const { return Count >= kMinimumPerTenth; }
  double Difference() const { return (Observed - Predicted) / Count; }
};

using TTenths = std::array<TTenth, 10>;

TTenths Reliability(const std::vector<TLearnerResult>& results, TOutcomes TAreaResult::*predicted,
                    bool acceptedOnly = false) {
  TTenths tenths{};
  for (const TLearnerResult& result : results)
    for (const TAreaResult& area : result.Areas) {
      if (acceptedOnly && !result.FitAccepted)
        continue;
      const double p = (area.*predicted).Passed;
      TTenth& tenth = tenths[static_cast<std::size_t>(std::clamp(static_cast<int>(p * 10), 0, 9))];
      ++tenth.Count;
      tenth.Predicted += p;
      tenth.Observed += area.Verdict == TExamVerdict::Bestanden ? 1 : 0;
    }
  return tenths;
}

// The largest distance of a judged tenth from its observed share; 0 when none is judged.
double WorstJudged(const TTenths& tenths) {
  double worst = 0;
  for (const TTenth& tenth : tenths)
    if (tenth.Judged())
      worst = std::max(worst, std::fabs(tenth.Difference()));
  return worst;
}

int JudgedTenths(const TTenths& tenths) {
  return static_cast<int>(
      std::count_if(tenths.begin(), tenths.end(), [](const TTenth& t) { return t.Judged(); }));
}

void PrintTenth(const TTenth& tenth) {
  if (tenth.Count == 0) {
    std::printf("  %6d %9s %8s %7s %6s", 0, "", "", "", "");
    return;
  }
  const char* verdict = "-";
  if (tenth.Judged())
    verdict = std::fabs(tenth.Difference()) <= kTolerance ? "ok" : "MISSED";
  std::printf("  %6d %9.3f %8.3f %+7.3f %6s", tenth.Count, tenth.Predicted / tenth.Count,
              tenth.Observed / tenth.Count, tenth.Difference(), verdict);
}

void PrintReliability(const char* whose, const TTenths& byDefault, const TTenths& byFit) {
  std::printf("\nreliability, %s: predicted P(Bestanden) of each area in tenths against the share "
              "of sittings \"Bestanden.\"\n(judged where a tenth holds at least %d predictions; "
              "ok within %.2f)\n",
              whose, kMinimumPerTenth, kTolerance);
  std::printf("           %-39s | %s\n", "  default parameters", "  fitted parameters");
  std::printf("  tenth    %6s %9s %8s %7s %6s |%6s %9s %8s %7s %6s\n", "count", "predicted",
              "observed", "diff", "judged", "count", "predicted", "observed", "diff", "judged");
  for (std::size_t i = 0; i < byDefault.size(); ++i) {
    std::printf("  %.1f-%.1f", static_cast<double>(i) / 10, static_cast<double>(i + 1) / 10);
    PrintTenth(byDefault[i]);
    std::printf(" |");
    PrintTenth(byFit[i]);
    std::printf("\n");
  }
  std::printf("  worst judged tenth off by: default %.3f (%d judged), fitted %.3f (%d judged)\n",
              WorstJudged(byDefault), JudgedTenths(byDefault), WorstJudged(byFit),
              JudgedTenths(byFit));
}

// The Brier scores of one way of predicting over all area predictions (or a subset of learners).
struct TScores {
  TMean Outlook;
  TMean Baseline;
  TMean Floor;
  TMean OutlookOverBaseline; // paired difference
};

TScores Score(const std::vector<TLearnerResult>& results, TOutcomes TAreaResult::*outlook,
              TOutcomes TAreaResult::*baseline, bool acceptedOnly) {
  TScores scores;
  for (const TLearnerResult& result : results) {
    if (acceptedOnly && !result.FitAccepted)
      continue;
    for (const TAreaResult& area : result.Areas) {
      const double byOutlook = Brier(area.*outlook, area.Verdict);
      const double byBaseline = Brier(area.*baseline, area.Verdict);
      scores.Outlook.Add(byOutlook);
      scores.Baseline.Add(byBaseline);
      scores.Floor.Add(Brier(area.Truth, area.Verdict));
      scores.OutlookOverBaseline.Add(byOutlook - byBaseline);
    }
  }
  return scores;
}

void PrintScores(const char* title, const TScores& scores) {
  std::printf("  %-34s %8.4f %8.4f %8.4f   %+.4f ± %.4f\n", title, scores.Outlook.Mean(),
              scores.Baseline.Mean(), scores.Floor.Mean(), scores.OutlookOverBaseline.Mean(),
              scores.OutlookOverBaseline.Error());
}

// Predicted chance to pass every area, against whether the one sitting of each area passed.
void PrintEveryArea(const std::vector<TLearnerResult>& results) {
  TMean byDefault;
  TMean byFit;
  TMean byTruth;
  TMean observed;
  TMean brierDefault;
  TMean brierFit;
  TMean brierTruth;
  for (const TLearnerResult& result : results) {
    double pDefault = 1;
    double pFit = 1;
    double pTruth = 1;
    bool all = true;
    for (const TAreaResult& area : result.Areas) {
      pDefault *= area.Default.Passed;
      pFit *= area.Fitted.Passed;
      pTruth *= area.Truth.Passed;
      all = all && area.Verdict == TExamVerdict::Bestanden;
    }
    const double o = all ? 1 : 0;
    byDefault.Add(pDefault);
    byFit.Add(pFit);
    byTruth.Add(pTruth);
    observed.Add(o);
    brierDefault.Add((pDefault - o) * (pDefault - o));
    brierFit.Add((pFit - o) * (pFit - o));
    brierTruth.Add((pTruth - o) * (pTruth - o));
  }
  std::printf("\nP(every area Bestanden), the product of the areas' P(Bestanden): mean predicted "
              "default %.3f, fitted %.3f, true %.3f; observed %.3f ± %.3f\n",
              byDefault.Mean(), byFit.Mean(), byTruth.Mean(), observed.Mean(), observed.Error());
  std::printf("  Brier (pass all or not): default %.4f, fitted %.4f, noise floor %.4f\n",
              brierDefault.Mean(), brierFit.Mean(), brierTruth.Mean());
}

} // namespace

int main(int argc, char** argv) {
  TOptions options;
  if (!ParseOptions(argc, argv, options)) {
    std::cerr << "usage: bench_calibration [--quick] [--learners N] [--seed S] [--threads T]\n";
    return 2;
  }
  // Each thread uses its own connections only: SQLite needs neither its connection mutexes nor
  // the global one of its memory statistics, which the threads would otherwise contend for.
  sqlite3_config(SQLITE_CONFIG_MULTITHREAD);
  sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
  try {
    const auto started = std::chrono::steady_clock::now();
    TTempDir dir(TTempDir::TMode::Enter, "aerolern-bench");
    THeadlessPlatform platform;
    platform.SetProgramPath(dir.File("aerolern"));
    // Central European time with the change to summer time of 2026, which the study periods may
    // span.
    platform.SetUtcOffsetRule(simulated::CentralEuropeanOffset);
    WriteTextFile(dir.File("aerolern.ini"),
                  "AnzPrfFragenGSA=30\nAnzMuendlichGSA=6\nAnzNichtBestGSA=8\n");
    const TCatalogue catalogue = WriteRevisedCatalogue(dir.File(CatalogueFileName));
    // The limits exactly as the grading reads them.
    const TLimits limits = {ExamLimitOf(kLicence, elQuestionCount),
                            ExamLimitOf(kLicence, elOralFrom), ExamLimitOf(kLicence, elFailFrom)};
    const std::string folder = dir.MakeSubDir("learners");
    int catalogueSize = 0;
    for (const std::vector<int>& area : catalogue.AreaQuestions)
      catalogueSize += static_cast<int>(area.size());

    std::printf("calibration of the exam outlook: %d learners, seed %llu, one sitting per area\n",
                options.Learners, static_cast<unsigned long long>(options.Seed));
    std::printf("licence %d, areas of %zu, %zu, %zu and %zu questions; exam N %d, oral from M %d, "
                "failed from F %d wrong\n",
                kLicence, catalogue.AreaQuestions[0].size(), catalogue.AreaQuestions[1].size(),
                catalogue.AreaQuestions[2].size(), catalogue.AreaQuestions[3].size(),
                limits.Questions, limits.OralFrom, limits.FailFrom);
    std::printf("true memory: FSRS-6, every fitted parameter scaled by U(0.5, 1.5) per learner "
                "within the fit's bounds\n");

    // Learners are independent, each with a file and a random stream of its own: they run on
    // every core, and the results do not depend on which thread ran whom.
    std::vector<TLearnerResult> results(static_cast<std::size_t>(options.Learners));
    const unsigned threads = simulated::RunJobs(options.Learners, options.Threads, [&](int index) {
      TRandom random(options.Seed * 1000003 + static_cast<uint64_t>(index));
      const TLearner learner = DrawLearner(random, catalogueSize);
      TLearnerRun run(catalogue, limits, learner, random);
      results[static_cast<std::size_t>(index)] =
          run.Run(folder + "/learner-" + std::to_string(index) + ".sqlite");
    });
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    // The learners' logs and fits.
    std::vector<int> answers;
    int64_t recallTests = 0;
    int revised = 0;
    int accepted = 0;
    std::map<std::string, int> refusals;
    for (const TLearnerResult& result : results) {
      answers.push_back(result.Answers);
      recallTests += result.RecallTests;
      revised += result.Revised ? 1 : 0;
      accepted += result.FitAccepted ? 1 : 0;
      // The reason without the figures that follow its colon.
      if (!result.FitAccepted)
        ++refusals[result.FitReason.substr(0, result.FitReason.find(':'))];
    }
    std::sort(answers.begin(), answers.end());
    const int64_t total = std::accumulate(answers.begin(), answers.end(), int64_t{0});
    std::printf("%lld answers recorded through the store (%lld recall tests); per learner min %d, "
                "median %d, max %d; %d learners met a catalogue revision; %d threads, %.1f s\n",
                static_cast<long long>(total), static_cast<long long>(recallTests), answers.front(),
                answers[answers.size() / 2], answers.back(), revised, threads, seconds);
    std::printf("fit accepted for %d of %d learners; refused for %d (their fitted column uses the "
                "defaults):\n",
                accepted, options.Learners, options.Learners - accepted);
    for (const auto& [reason, count] : refusals)
      std::printf("  %5d  %s\n", count, reason.c_str());

    // Mean recall over the areas' questions at the exam, and the outcome shares.
    TMean recallDefault;
    TMean recallFitted;
    TMean recallTrue;
    // The same for the learners with a fit: default, fitted, true.
    std::array<TMean, 3> recallWithFit;
    std::array<TMean, 3> shareDefault;
    std::array<TMean, 3> shareFitted;
    std::array<TMean, 3> shareTrue;
    std::array<TMean, 3> shareObserved;
    for (const TLearnerResult& result : results)
      for (const TAreaResult& area : result.Areas) {
        recallDefault.Add(area.RecallDefault);
        recallFitted.Add(area.RecallFitted);
        recallTrue.Add(area.RecallTrue);
        if (result.FitAccepted) {
          recallWithFit[0].Add(area.RecallDefault);
          recallWithFit[1].Add(area.RecallFitted);
          recallWithFit[2].Add(area.RecallTrue);
        }
        const auto add = [](std::array<TMean, 3>& shares, const TOutcomes& outcomes) {
          shares[0].Add(outcomes.Passed);
          shares[1].Add(outcomes.Oral);
          shares[2].Add(outcomes.Failed);
        };
        add(shareDefault, area.Default);
        add(shareFitted, area.Fitted);
        add(shareTrue, area.Truth);
        add(shareObserved, {area.Verdict == TExamVerdict::Bestanden ? 1.0 : 0.0,
                            area.Verdict == TExamVerdict::MuendlicheNachpruefung ? 1.0 : 0.0,
                            area.Verdict == TExamVerdict::NichtBestanden ? 1.0 : 0.0});
      }
    std::printf("\nmean recall at the exam over the areas' questions: predicted default %.4f, "
                "fitted %.4f; true %.4f\n",
                recallDefault.Mean(), recallFitted.Mean(), recallTrue.Mean());
    if (accepted > 0)
      std::printf("  learners with a fit: predicted default %.4f, fitted %.4f; true %.4f\n",
                  recallWithFit[0].Mean(), recallWithFit[1].Mean(), recallWithFit[2].Mean());
    std::printf("mean over area predictions   Bestanden  Muendlich  Nicht bestanden\n");
    const auto shares = [](const char* title, const std::array<TMean, 3>& mean) {
      std::printf("  %-26s %9.3f  %9.3f  %15.3f\n", title, mean[0].Mean(), mean[1].Mean(),
                  mean[2].Mean());
    };
    shares("predicted, default", shareDefault);
    shares("predicted, fitted", shareFitted);
    shares("true probabilities", shareTrue);
    shares("observed (one sitting)", shareObserved);

    const TScores byDefault =
        Score(results, &TAreaResult::Default, &TAreaResult::BaselineDefault, false);
    const TScores byFit = Score(results, &TAreaResult::Fitted, &TAreaResult::BaselineFitted, false);
    std::printf("\nBrier score of the three outcomes against one sitting, mean over %d area "
                "predictions\n",
                byFit.Outlook.Count);
    std::printf("  %-34s %8s %8s %8s   %s\n", "", "outlook", "baseline", "floor",
                "outlook - baseline");
    PrintScores("default parameters", byDefault);
    PrintScores("fitted parameters", byFit);
    if (accepted > 0) {
      PrintScores("default, learners with a fit",
                  Score(results, &TAreaResult::Default, &TAreaResult::BaselineDefault, true));
      PrintScores("fitted, learners with a fit",
                  Score(results, &TAreaResult::Fitted, &TAreaResult::BaselineFitted, true));
    }
    std::printf("  (baseline: each area's questions all at the mean of the recall values the "
                "outlook used, binomial;\n   floor: the exact outlook of the true recall)\n");

    PrintEveryArea(results);
    const TTenths tenthsDefault = Reliability(results, &TAreaResult::Default);
    const TTenths tenthsFitted = Reliability(results, &TAreaResult::Fitted);
    PrintReliability("every learner", tenthsDefault, tenthsFitted);
    if (accepted > 0) {
      const std::string whose = "the " + std::to_string(accepted) + " learners with a fit";
      PrintReliability(whose.c_str(), Reliability(results, &TAreaResult::Default, true),
                       Reliability(results, &TAreaResult::Fitted, true));
    }

    const bool reliable = JudgedTenths(tenthsFitted) > 0 && WorstJudged(tenthsFitted) <= kTolerance;
    const double toFloor = byFit.Outlook.Mean() - byFit.Floor.Mean();
    const double baselineToFloor = byFit.Baseline.Mean() - byFit.Floor.Mean();
    std::printf("\ngoal with fitted parameters: every judged tenth within %.2f: %s; outlook nearer "
                "the noise floor than the baseline (%.4f against %.4f above it): %s\n",
                kTolerance, reliable ? "yes" : "NO", toFloor, baselineToFloor,
                toFloor < baselineToFloor ? "yes" : "NO");
    std::printf("fitted: worst judged tenth off by %.2f; Brier outlook %.4f, baseline %.4f, noise "
                "floor %.4f\n",
                WorstJudged(tenthsFitted), byFit.Outlook.Mean(), byFit.Baseline.Mean(),
                byFit.Floor.Mean());
  } catch (const std::exception& error) {
    std::cerr << "bench_calibration: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
