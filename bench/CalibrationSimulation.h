// The simulated learners of the calibration benchmark: a catalogue of four areas that is revised
// once, learners whose memory follows FSRS-6 with parameters of their own, their study through
// the program's store, and what the program predicts for their exam against what is true.
//
// The truth: each learner's memory is FSRS-6 built from the learner's own parameters (every
// parameter the fit adjusts scaled by a random factor between 0.5 and 1.5, then kept within the
// fit's bounds). A recall test is right with the true recall; a question never studied is right
// with a chance of its own (prior knowledge and guessing). Reading a question with its solution
// in Lernmodus is restudy: a question not met before starts as after a failed first try, one
// already known gets a review graded Hard. When the catalogue's answer key of a question changes,
// the learner's memory of the new answer starts from nothing, and a first try is half as likely
// to be right (the old answer comes to mind).
//
// The program's side: every answer goes through THistoryStore::RecordAnswer with the default
// model; the learner reviews what the program names due. The predictions come from the history
// file through TLearningStatistics, once with the default parameters and once with the
// parameters FitAndKeep fits to the learner's log (the defaults when it refuses).
#pragma once

#include "bench/BenchSupport.h"
#include "bench/SimulatedLearner.h"

#include "core/ExamGrading.h"
#include "history/CalendarDate.h"
#include "history/Fingerprint.h"
#include "history/FsrsFit.h"
#include "history/HistoryStore.h"
#include "history/LearnerParameters.h"
#include "history/LearningStatistics.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <map>
#include <numeric>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace calibration {

constexpr int kLicence = 1; // GSA: four areas
constexpr int kAreas = 4;
constexpr int64_t kMsPerDay = 86400000;
constexpr int64_t kMsPerSecond = 1000;
constexpr int kSecondsPerHour = 3600;

using simulated::Chance;
using simulated::LogUniform;
using simulated::TRandom;
using simulated::Uniform;
using simulated::UniformInt;

// The two editions of the catalogue: the one before the flight school's revision and the one on
// disk, which every learner has at the exam.
enum TEdition : std::size_t { edFormer = 0, edCurrent = 1 };

// One question, identified by its content across both editions.
struct TQuestion {
  int Area = 0;
  double Ease = 0; // how much easier than the learner's centre it is to know before studying
  std::string Fingerprint;
  std::array<int32_t, 2> RecordNo{-1, -1}; // per edition; -1: not in that edition
  std::array<std::string, 2> Key;          // the correct letters per edition
};

struct TCatalogue {
  std::vector<TQuestion> Questions;
  // Per edition, one entry per record: the question on it and its fingerprint.
  std::array<std::vector<int>, 2> QuestionOfRecord;
  std::array<std::vector<std::string>, 2> Fingerprints;
  // The current edition's questions of each area (index area − 1).
  std::array<std::vector<int>, kAreas> AreaQuestions;
  std::map<std::string, int> ByFingerprint;

  bool InEdition(int question, TEdition edition) const {
    return Questions[static_cast<std::size_t>(question)].RecordNo[edition] >= 0;
  }
};

// Writes the current edition as the catalogue file at `path` and returns both editions. The
// revision dropped about 5 % of each area's questions, added about 6 %, corrected the answer key
// of about 4 % and renumbered every record.
inline TCatalogue WriteRevisedCatalogue(const std::string& path) {
  constexpr std::array<int, kAreas> kCurrentSize = {100, 78, 58, 40};
  TRandom random(20260302);
  TCatalogue catalogue;
  const auto add = [&](int area, bool former, bool current) {
    TQuestion question;
    question.Area = area;
    question.Ease = simulated::DrawEase(random);
    question.RecordNo = {former ? 0 : -1, current ? 0 : -1};
    catalogue.Questions.push_back(question);
  };
  for (int area = 1; area <= kAreas; ++area) {
    const int size = kCurrentSize[static_cast<std::size_t>(area - 1)];
    const int added = (size * 6 + 50) / 100;
    const int dropped = (size * 5 + 50) / 100;
    for (int i = 0; i < size; ++i)
      add(area, i >= added, true);
    for (int i = 0; i < dropped; ++i)
      add(area, true, false);
  }
  for (std::size_t q = 0; q < catalogue.Questions.size(); ++q) {
    TQuestion& question = catalogue.Questions[q];
    const QuestionRecord record = BenchQuestion(static_cast<int>(q), kLicence, question.Area, true);
    question.Fingerprint = FingerprintText(RecordFingerprint(EncodeRecord(record)));
    // BenchQuestion marks the letter of the question's number modulo 4 correct.
    const std::string key(1, static_cast<char>('A' + q % 4));
    const std::string corrected(1, static_cast<char>('A' + (q + 1) % 4));
    question.Key = {Chance(random, 0.04) ? corrected : key, key};
    catalogue.ByFingerprint.emplace(question.Fingerprint, static_cast<int>(q));
  }
  // The record order of each edition: a shuffle of its questions.
  for (const TEdition edition : {edFormer, edCurrent}) {
    std::vector<int>& order = catalogue.QuestionOfRecord[edition];
    for (std::size_t q = 0; q < catalogue.Questions.size(); ++q)
      if (catalogue.Questions[q].RecordNo[edition] >= 0)
        order.push_back(static_cast<int>(q));
    std::shuffle(order.begin(), order.end(), random);
    for (std::size_t recordNo = 0; recordNo < order.size(); ++recordNo) {
      TQuestion& question = catalogue.Questions[static_cast<std::size_t>(order[recordNo])];
      question.RecordNo[edition] = static_cast<int32_t>(recordNo);
      catalogue.Fingerprints[edition].push_back(question.Fingerprint);
    }
  }
  std::vector<QuestionRecord> onDisk;
  for (const int q : catalogue.QuestionOfRecord[edCurrent]) {
    onDisk.push_back(
        BenchQuestion(q, kLicence, catalogue.Questions[static_cast<std::size_t>(q)].Area, true));
    catalogue
        .AreaQuestions[static_cast<std::size_t>(
            catalogue.Questions[static_cast<std::size_t>(q)].Area - 1)]
        .push_back(q);
  }
  WriteCatalogue(onDisk, path);
  return catalogue;
}

// What makes one learner: the true memory, the chance to know a question before studying it,
// and the study habits.
struct TLearner {
  TFsrsParameters Truth;
  double FirstTryLogit = 0;   // centre of the per-question chance before studying
  int64_t StartDayMs = 0;     // local midnight of the first study day
  int StudyDays = 0;          // calendar days of the study period
  double ActiveShare = 0;     // share of those days with a session
  double SessionHour = 0;     // the usual local start of a session
  double SecondSession = 0;   // chance of a second session later that day
  int AnswersPerSession = 0;  // at most, reviews and new questions together
  int NewPerSession = 0;      // questions met for the first time per session at most
  bool AreaByArea = false;    // new questions one area after the other, else mixed
  double LernmodusNew = 0;    // share of new questions first read in Lernmodus
  double LernmodusReview = 0; // share of reviews read in Lernmodus
  double Schnelllern = 0;     // share of tests in Schnelllernmodus rather than Vertiefungsmodus
  double SelfGraded = 0;      // share of Vertiefungsmodus tests graded "Klar"/"Unklar"
  double MockExam = 0;        // chance of a mock exam of one area in a session
  double RepeatWrong = 0;     // chance to ask a wrong answer again at the end of the session
  int RevisionDay = -1;       // study day of the catalogue revision; -1: current edition only
  int ExamGapDays = 0;        // days from the last study day to the exam
  int ExamDayAnswers = 0;     // reviews on the exam morning; 0 for none
};

// A learner of a catalogue of `questions` questions.
inline TLearner DrawLearner(TRandom& random, int questions) {
  constexpr int64_t kFirstStartMs = 1769990400000; // 2026-02-02 00:00 UTC
  TLearner learner;
  learner.Truth = simulated::DrawTrueParameters(random);
  // Each question's ease moves the learner's chance before studying.
  learner.FirstTryLogit = simulated::DrawFirstTryLogit(random);
  // The first study day somewhere in February to April, so that some study periods span the
  // change to summer time.
  learner.StartDayMs = LocalDayStart(kFirstStartMs + 12 * 3600000, UniformInt(random, 0, 75));
  // From a few days to two months, short periods as often as long ones.
  learner.StudyDays = static_cast<int>(std::lround(LogUniform(random, 5, 60)));
  learner.ActiveShare = Uniform(random, 0.3, 1.0);
  learner.SessionHour = Uniform(random, 7, 21.5);
  learner.SecondSession = Uniform(random, 0, 0.3);
  // The learner means to meet every question by a point of the study period between 40 % and
  // 120 % of it (beyond 100 %: some are never met), and adds a budget for reviews.
  const double sessions =
      std::max(1.0, learner.StudyDays * learner.ActiveShare * (1 + learner.SecondSession));
  learner.NewPerSession =
      static_cast<int>(std::ceil(questions / (sessions * Uniform(random, 0.4, 1.2))));
  learner.AnswersPerSession =
      learner.NewPerSession + static_cast<int>(std::lround(LogUniform(random, 15, 120)));
  learner.AreaByArea = Chance(random, 0.5);
  learner.LernmodusNew = Chance(random, 0.3) ? 0 : Uniform(random, 0.2, 1.0);
  learner.LernmodusReview = Uniform(random, 0, 0.2);
  learner.Schnelllern = Uniform(random, 0, 0.6);
  learner.SelfGraded = Uniform(random, 0, 0.2);
  learner.MockExam = Uniform(random, 0, 0.3);
  learner.RepeatWrong = Uniform(random, 0.3, 1.0);
  if (learner.StudyDays > 2 && Chance(random, 0.25))
    learner.RevisionDay = UniformInt(random, 1, learner.StudyDays - 1);
  learner.ExamGapDays = UniformInt(random, 1, 21);
  learner.ExamDayAnswers = Chance(random, 0.4) ? UniformInt(random, 10, 80) : 0;
  return learner;
}

struct TOutcomes {
  double Passed = 0;
  double Oral = 0;
  double Failed = 0;
};

inline TOutcomes OutcomesOf(const TExamOutlook& outlook) {
  return {outlook.Passed, outlook.Oral, outlook.Failed};
}

// One area of one learner's exam: the predictions, the truth and the one sitting.
struct TAreaResult {
  TOutcomes Default;         // the outlook with the default parameters
  TOutcomes Fitted;          // with the fitted parameters (the defaults when the fit was refused)
  TOutcomes BaselineDefault; // a binomial of the mean of the recall values the outlook used
  TOutcomes BaselineFitted;
  TOutcomes Truth;                                // the exact outlook of the true recall values
  TExamVerdict Verdict = TExamVerdict::Bestanden; // of the one sitting
  int Questions = 0;
  int NeverAnswered = 0;
  // Mean recall at the exam over the area's questions: predicted and true.
  double RecallDefault = 0;
  double RecallFitted = 0;
  double RecallTrue = 0;
};

struct TLearnerResult {
  std::array<TAreaResult, kAreas> Areas;
  int Answers = 0;
  int RecallTests = 0;
  bool Revised = false;
  bool FitAccepted = false;
  std::string FitReason; // why the fit was refused
};

// The exam limits as the grading reads them.
struct TLimits {
  int Questions = 0;
  int OralFrom = 0;
  int FailFrom = 0;
};

// A learner's true memory of one question.
struct TTruth {
  std::optional<TMemoryState> State;
  int64_t LastMs = 0;
  bool KeyChanged = false; // the key this memory would have to hold was corrected
};

class TLearnerRun {
public:
  TLearnerRun(const TCatalogue& catalogue, const TLimits& limits, const TLearner& learner,
              TRandom& random)
      : catalogue(catalogue), limits(limits), learner(learner), random(random),
        memory(learner.Truth), truth(catalogue.Questions.size()),
        firstTry(catalogue.Questions.size()), met(catalogue.Questions.size(), false) {
    for (std::size_t q = 0; q < firstTry.size(); ++q)
      firstTry[q] = simulated::FirstTryChance(learner.FirstTryLogit, catalogue.Questions[q].Ease);
  }

  TLearnerResult Run(const std::string& path) {
    TLearnerResult result;
    result.Revised = learner.RevisionDay >= 0;
    {
      THistoryStore store(path);
      Study(store, result);
      Predict(store, result);
    }
    std::error_code ignored;
    for (const char* suffix : {"", "-wal", "-shm"})
      std::filesystem::remove(path + suffix, ignored);
    Sit(result);
    return result;
  }

private:
  // The learner's true recall of the question at a moment.
  double TrueRecall(int question, int64_t atMs) const {
    const TTruth& known = truth[static_cast<std::size_t>(question)];
    if (!known.State)
      return firstTry[static_cast<std::size_t>(question)] * (known.KeyChanged ? 0.5 : 1.0);
    return memory.Recall(*known.State, static_cast<double>(atMs - known.LastMs) / kMsPerDay);
  }

  int ElapsedLearningDays(int64_t lastMs, int64_t atMs) const {
    return static_cast<int>(std::max<int64_t>(0, TLearnerModel::LearningDay(atMs) -
                                                     TLearnerModel::LearningDay(lastMs)));
  }

  // One showing of the question in the mode; returns whether a test was answered wrong.
  bool Show(THistoryStore& store, int question, int mode, bool selfGraded) {
    if (clock >= deadline)
      return false;
    const TQuestion& item = catalogue.Questions[static_cast<std::size_t>(question)];
    TTruth& known = truth[static_cast<std::size_t>(question)];
    const double recall = TrueRecall(question, clock);
    const bool exposure = mode == 1;
    const bool right =
        exposure ? (Chance(random, recall) || Chance(random, 0.25)) : Chance(random, recall);
    if (exposure)
      known.State = known.State ? memory.Review(*known.State,
                                                ElapsedLearningDays(known.LastMs, clock), fsrsHard)
                                : memory.FirstReview(fsrsAgain);
    else
      known.State = known.State
                        ? memory.Review(*known.State, ElapsedLearningDays(known.LastMs, clock),
                                        right ? fsrsGood : fsrsAgain)
                        : memory.FirstReview(right ? fsrsGood : fsrsAgain);
    known.LastMs = clock;
    met[static_cast<std::size_t>(question)] = true;

    TAnswerRow row;
    row.TimeMs = clock;
    row.RecordNo = item.RecordNo[edition];
    row.Licence = kLicence;
    row.Area = item.Area;
    row.Mode = mode;
    row.Correct = item.Key[edition];
    row.Right = right;
    row.SelfGraded = exposure || selfGraded;
    if (!row.SelfGraded)
      row.Ticked = right ? row.Correct : std::string(1, row.Correct == "A" ? 'B' : 'A');
    store.RecordAnswer(row, item.Fingerprint);
    ++answers;
    recallTests += exposure ? 0 : 1;
    clock += UniformInt(random, 8, 60) * kMsPerSecond;
    return !exposure && !right;
  }

  // A test in Vertiefungsmodus or Schnelllernmodus as the learner prefers.
  bool Test(THistoryStore& store, int question) {
    if (Chance(random, learner.Schnelllern))
      return Show(store, question, 3, false);
    return Show(store, question, 2, Chance(random, learner.SelfGraded));
  }

  // The questions the program names due now, least recalled first, at most `count`.
  std::vector<int> Due(THistoryStore& store, int count) const {
    const TLearnerModel model;
    std::vector<std::pair<double, int>> due;
    for (const THistoryQuestion& question :
         store.Questions(THistoryStore::TQuestionFacts::Memory)) {
      const auto found = catalogue.ByFingerprint.find(question.Fingerprint);
      if (!question.Memory || found == catalogue.ByFingerprint.end() ||
          !catalogue.InEdition(found->second, edition))
        continue;
      if (model.IsDue(*question.Memory, question.LastReviewMs, clock, 0.9))
        due.emplace_back(model.RecallAt(*question.Memory, question.LastReviewMs, clock, clock),
                         found->second);
    }
    std::sort(due.begin(), due.end());
    std::vector<int> questions;
    for (std::size_t i = 0; i < due.size() && static_cast<int>(i) < count; ++i)
      questions.push_back(due[i].second);
    return questions;
  }

  void Session(THistoryStore& store, int budget, bool reviewsOnly) {
    std::vector<int> wrong;
    const auto test = [&](int question) {
      if (Test(store, question))
        wrong.push_back(question);
    };
    // A mock exam of one area in Prüfungsmodus: its questions drawn as the exam draws them.
    if (!reviewsOnly && Chance(random, learner.MockExam)) {
      std::vector<int> area =
          catalogue.AreaQuestions[static_cast<std::size_t>(UniformInt(random, 0, kAreas - 1))];
      area.erase(std::remove_if(area.begin(), area.end(),
                                [&](int q) { return !catalogue.InEdition(q, edition); }),
                 area.end());
      std::shuffle(area.begin(), area.end(), random);
      area.resize(std::min(area.size(), static_cast<std::size_t>(limits.Questions)));
      for (const int question : area)
        if (Show(store, question, 4, false))
          wrong.push_back(question);
      budget -= static_cast<int>(area.size());
    }
    const int fresh = reviewsOnly ? 0 : std::min(learner.NewPerSession, std::max(0, budget));
    for (const int question : Due(store, budget - fresh)) {
      if (Chance(random, learner.LernmodusReview))
        Show(store, question, 1, true);
      else
        test(question);
    }
    for (int n = 0; n < fresh && nextNew < order.size(); ++nextNew) {
      const int question = order[nextNew];
      if (!catalogue.InEdition(question, edition) || met[static_cast<std::size_t>(question)])
        continue;
      ++n;
      if (Chance(random, learner.LernmodusNew))
        Show(store, question, 1, true);
      else
        test(question);
    }
    // What went wrong is asked once more at the end of the session, the same learning day.
    for (const int question : wrong)
      if (Chance(random, learner.RepeatWrong))
        Test(store, question);
  }

  // The order in which the learner meets new questions: every question of either edition, one
  // area after another or mixed.
  void PlanNewQuestions() {
    order.resize(catalogue.Questions.size());
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), random);
    if (learner.AreaByArea) {
      std::array<int, kAreas> rank{};
      std::iota(rank.begin(), rank.end(), 0);
      std::shuffle(rank.begin(), rank.end(), random);
      std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return rank[static_cast<std::size_t>(catalogue.Questions[static_cast<std::size_t>(a)].Area -
                                             1)] <
               rank[static_cast<std::size_t>(catalogue.Questions[static_cast<std::size_t>(b)].Area -
                                             1)];
      });
    }
  }

  // The revision reaches the learner: the history follows the new record numbers as the program
  // does before recording, and where the key was corrected the learner's memory is of the old one.
  void Revise(THistoryStore& store) {
    edition = edCurrent;
    store.FollowCatalogue(catalogue.Fingerprints[edCurrent], THistoryStore::TQuestionFacts::Memory);
    for (std::size_t q = 0; q < truth.size(); ++q) {
      const TQuestion& question = catalogue.Questions[q];
      if (question.RecordNo[edFormer] >= 0 && question.RecordNo[edCurrent] >= 0 &&
          question.Key[edFormer] != question.Key[edCurrent]) {
        truth[q].State.reset();
        truth[q].KeyChanged = true;
      }
    }
    // The questions the revision added may lie anywhere in the learner's order.
    nextNew = 0;
  }

  int64_t SessionStart(int day, double hour) {
    const double clamped = std::clamp(hour, 6.0, 23.0);
    return LocalTimeOfDay(LocalDayStart(learner.StartDayMs, day),
                          static_cast<int>(clamped * kSecondsPerHour)) +
           UniformInt(random, 0, 59) * kMsPerSecond;
  }

  void Study(THistoryStore& store, TLearnerResult& result) {
    edition = learner.RevisionDay >= 0 ? edFormer : edCurrent;
    PlanNewQuestions();
    int lastStudyDay = 0;
    for (int day = 0; day < learner.StudyDays; ++day) {
      if (day == learner.RevisionDay)
        Revise(store);
      if (day > 0 && !Chance(random, learner.ActiveShare))
        continue;
      lastStudyDay = day;
      const double hour = learner.SessionHour + Uniform(random, -1.5, 1.5);
      // A long session the evening before may still run; the clock never goes back.
      clock = std::max(clock, SessionStart(day, hour));
      Session(store, learner.AnswersPerSession, false);
      if (Chance(random, learner.SecondSession) && hour + 3 < 23) {
        clock = std::max(clock, SessionStart(day, hour + Uniform(random, 2, 4)));
        Session(store, learner.AnswersPerSession, false);
      }
    }
    const int examDay = lastStudyDay + learner.ExamGapDays;
    // The exam at 09:00 local time; a session on its morning stops a quarter of an hour before.
    examMs = LocalTimeOfDay(LocalDayStart(learner.StartDayMs, examDay), 9 * kSecondsPerHour);
    if (learner.ExamDayAnswers > 0) {
      clock = std::max(clock, SessionStart(examDay, Uniform(random, 6.5, 8.0)));
      deadline = examMs - 15 * 60 * kMsPerSecond;
      Session(store, learner.ExamDayAnswers, true);
    }
    result.Answers = answers;
    result.RecallTests = recallTests;
  }

  // The area outlooks of the statistics with the model, with the recall values they used.
  void Outlooks(THistoryStore& store, const TLearnerModel& model, TLearnerResult& result,
                TOutcomes TAreaResult::*outlook, TOutcomes TAreaResult::*baseline,
                double TAreaResult::*meanRecall) const {
    const TLearningStatistics statistics(&store, model, 0.9, examMs);
    const std::vector<TAreaOutlook> areas = statistics.Outlook(kLicence, examMs);
    if (areas.size() != kAreas)
      throw std::runtime_error("the outlook does not cover the licence's four areas");
    for (std::size_t a = 0; a < kAreas; ++a) {
      TAreaResult& area = result.Areas[a];
      if (areas[a].Area != static_cast<int>(a) + 1 ||
          areas[a].Questions != static_cast<int>(catalogue.AreaQuestions[a].size()))
        throw std::runtime_error("the outlook of an area does not hold the catalogue's questions");
      area.*outlook = OutcomesOf(areas[a].Outlook);
      area.Questions = areas[a].Questions;
      area.NeverAnswered = areas[a].NeverAnswered;
      const std::vector<double> recall = statistics.AreaRecall(kLicence, areas[a].Area, examMs);
      const double mean =
          std::accumulate(recall.begin(), recall.end(), 0.0) / static_cast<double>(recall.size());
      area.*meanRecall = mean;
      // Every question of the area at the mean recall: the number right is binomial.
      area.*baseline = OutcomesOf(ExamOutlook(std::vector<double>(recall.size(), mean),
                                              limits.Questions, limits.OralFrom, limits.FailFrom));
    }
  }

  void Predict(THistoryStore& store, TLearnerResult& result) const {
    Outlooks(store, TLearnerModel(), result, &TAreaResult::Default, &TAreaResult::BaselineDefault,
             &TAreaResult::RecallDefault);
    const TFsrsFitResult fit = FitAndKeep(store, ReadKeptParameters(store), examMs);
    result.FitAccepted = fit.Accepted;
    if (!fit.Accepted) {
      result.FitReason = fit.Reason;
      for (TAreaResult& area : result.Areas) {
        area.Fitted = area.Default;
        area.BaselineFitted = area.BaselineDefault;
        area.RecallFitted = area.RecallDefault;
      }
      return;
    }
    Outlooks(store, TLearnerModel(ReadKeptParameters(store).Parameters), result,
             &TAreaResult::Fitted, &TAreaResult::BaselineFitted, &TAreaResult::RecallFitted);
  }

  // The truth at the exam moment and one sitting of every area.
  void Sit(TLearnerResult& result) {
    for (std::size_t a = 0; a < kAreas; ++a) {
      TAreaResult& area = result.Areas[a];
      std::vector<double> recall;
      for (const int question : catalogue.AreaQuestions[a])
        recall.push_back(TrueRecall(question, examMs));
      area.RecallTrue =
          std::accumulate(recall.begin(), recall.end(), 0.0) / static_cast<double>(recall.size());
      area.Truth =
          OutcomesOf(ExamOutlook(recall, limits.Questions, limits.OralFrom, limits.FailFrom));
      std::shuffle(recall.begin(), recall.end(), random);
      const std::size_t drawn = std::min(recall.size(), static_cast<std::size_t>(limits.Questions));
      int32_t right = 0;
      for (std::size_t i = 0; i < drawn; ++i)
        right += Chance(random, recall[i]) ? 1 : 0;
      area.Verdict =
          GradeExam(ExamWrongAnswers(limits.Questions, right), limits.OralFrom, limits.FailFrom);
    }
  }

  const TCatalogue& catalogue;
  const TLimits& limits;
  const TLearner& learner;
  TRandom& random;
  const TFsrsModel memory;
  std::vector<TTruth> truth;
  std::vector<double> firstTry;
  std::vector<bool> met;
  std::vector<int> order;
  std::size_t nextNew = 0;
  TEdition edition = edCurrent;
  int64_t clock = 0;
  // A session ends at this moment whatever is left of it.
  int64_t deadline = std::numeric_limits<int64_t>::max();
  int64_t examMs = 0;
  int answers = 0;
  int recallTests = 0;
};

} // namespace calibration
