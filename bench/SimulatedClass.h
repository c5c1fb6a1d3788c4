// A class of learners simulated over a catalogue: each learner's answers and practice exams go
// into a learning history through the history store, and the report they would hand to the
// flight school is gathered and written by the trainer's own code. For the class overview's
// benchmark and for looking at its page.
#pragma once

#include "core/Edition.h"
#include "core/Licences.h"
#include "core/QuestionRecordCodec.h"
#include "core/srcCommon.h"
#include "history/CalendarDate.h"
#include "history/Fingerprint.h"
#include "history/HistoryStore.h"
#include "history/LearningHistory.h"
#include "history/SchoolReport.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// One question of the catalogue as the simulation needs it.
struct TSimulatedQuestion {
  int32_t RecordNo = 0;
  int Licence = 0;
  int Area = 0;
  std::string Fingerprint;
  std::string Key;       // the correct letters
  double Difficulty = 0; // the chance of a wrong answer for an average learner
  bool Misleading = false;
};

// The questions in use of a catalogue's bytes (licences of this edition), with a difficulty drawn
// for each; every `misleadingEvery`-th one (0: none) misleads: most learners answer it wrong, and
// with the same wrong answer.
inline std::vector<TSimulatedQuestion> SimulatedQuestions(const std::string& catalogue,
                                                          int misleadingEvery, unsigned seed) {
  std::mt19937_64 random(seed);
  const auto unit = [&random] { return static_cast<double>(random() >> 11) * 0x1.0p-53; };
  std::vector<TSimulatedQuestion> questions;
  RecordBytes bytes{};
  const std::size_t count = catalogue.size() / kRecordSize;
  for (std::size_t recordNo = 0; recordNo < count; ++recordNo) {
    std::memcpy(bytes.data(), catalogue.data() + recordNo * kRecordSize, kRecordSize);
    const QuestionRecord record = DecodeRecord(bytes);
    if (!record.InUse || !LicenceShown(record.Licence) || record.Area < 1)
      continue;
    TSimulatedQuestion question;
    question.RecordNo = static_cast<int32_t>(recordNo);
    question.Licence = record.Licence;
    question.Area = record.Area;
    question.Fingerprint = FingerprintText(RecordFingerprint(bytes));
    const bool marks[4] = {record.CorrectA, record.CorrectB, record.CorrectC, record.CorrectD};
    for (int i = 0; i < 4; ++i)
      if (marks[i])
        question.Key += static_cast<char>('A' + i);
    // Most questions are easy, a few hard: the square of a uniform share stretches the tail.
    const double u = unit();
    question.Difficulty = 0.04 + 0.4 * u * u;
    questions.push_back(std::move(question));
  }
  if (misleadingEvery > 0)
    for (std::size_t i = static_cast<std::size_t>(misleadingEvery) / 2; i < questions.size();
         i += static_cast<std::size_t>(misleadingEvery))
      questions[i].Misleading = true;
  return questions;
}

// A wrong set of ticks: one letter that is not in the key, or none ticked when every one is.
inline std::string WrongTicks(const std::string& key, uint64_t pick) {
  std::string wrong;
  for (char letter = 'A'; letter <= 'D'; ++letter)
    if (key.find(letter) == std::string::npos)
      wrong += letter;
  if (wrong.empty())
    return "";
  return std::string(1, wrong[pick % wrong.size()]);
}

// The name of learner `index`: first and family names combined, one of them nearly as long as a
// report allows, so that the page shows how it copes.
inline std::string SimulatedName(int index) {
  static const char* const kFirst[] = {"Anna",  "Ben",    "Clara", "David",     "Elif",  "Felix",
                                       "Greta", "Hannes", "Ida",   "Katharina", "Jonas", "Lukas"};
  static const char* const kLast[] = {"Becker", "Schulz",   "Özdemir",  "Wagner",
                                      "Weiß",   "Krüger",   "Schäfer",  "Neumann",
                                      "Braun",  "Hartmann", "Hoffmann", "Zimmermann"};
  constexpr int kNames = 12;
  if (index == 4)
    return "Maximiliane-Friederike von Hohenstauf"; // 37 characters
  std::string name = std::string(kFirst[index % kNames]) + " " + kLast[(index * 5 + 3) % kNames];
  if (index >= kNames)
    name += " " + std::to_string(index / kNames + 1);
  return name;
}

// One learner's history in the making.
struct TSimulatedLearner {
  std::string Name;
  std::vector<std::pair<TAnswerRow, std::string>> Answers; // with the question's fingerprint
  std::vector<TReportExam> Exams;
  bool ExamDate = false; // whether the learner set an exam date (with a plan)
};

// Learner `index` up to `nowMs`. A learner has an ability (how much less or more often than
// average they answer wrong) and a diligence (how much of each licence they have met); every
// learner learns licence 1, every third also licence 3, every fourth licence 2. Answers fall on
// the last six weeks, one to five per question met, at most one a day.
inline TSimulatedLearner SimulateLearner(const std::vector<TSimulatedQuestion>& questions,
                                         int index, int64_t nowMs, unsigned seed) {
  constexpr int64_t kDayMs = 86400000;
  std::mt19937_64 random(seed * 7919u + static_cast<unsigned>(index));
  const auto unit = [&random] { return static_cast<double>(random() >> 11) * 0x1.0p-53; };
  const double ability = 0.5 + unit(); // 0.5 (strong) to 1.5 (weak)
  const double diligence = 0.35 + 0.65 * unit();
  const int idleDays = static_cast<int>(unit() * 10); // since the last answer
  const std::set<int> licences = {1, index % 3 == 0 ? 3 : 1, index % 4 == 1 ? 2 : 1};

  TSimulatedLearner learner;
  learner.Name = SimulatedName(index);
  learner.ExamDate = index % 2 == 0;
  const int64_t lastMs = nowMs - idleDays * kDayMs - 3600000;
  for (const TSimulatedQuestion& question : questions) {
    if (licences.count(question.Licence) == 0 || unit() > diligence)
      continue;
    const double wrongChance =
        question.Misleading ? 0.8 : std::min(0.9, question.Difficulty * ability);
    const int answers = 1 + static_cast<int>(unit() * 5);
    int64_t timeMs = lastMs - static_cast<int64_t>((1 + unit() * 35) * kDayMs);
    for (int answer = 0; answer < answers && timeMs <= lastMs; ++answer) {
      TAnswerRow row;
      row.TimeMs = timeMs;
      row.RecordNo = question.RecordNo;
      row.Licence = question.Licence;
      row.Area = question.Area;
      row.Mode = 2; // Vertiefungsmodus: the learner ticks, the program grades
      row.Correct = question.Key;
      row.Right = unit() >= wrongChance;
      row.Ticked =
          row.Right ? question.Key : WrongTicks(question.Key, question.Misleading ? 0 : random());
      learner.Answers.emplace_back(row, question.Fingerprint);
      timeMs += static_cast<int64_t>((1 + unit() * 6) * kDayMs);
    }
  }
  std::stable_sort(learner.Answers.begin(), learner.Answers.end(),
                   [](const auto& a, const auto& b) { return a.first.TimeMs < b.first.TimeMs; });
  const int exams = static_cast<int>(unit() * 7);
  for (int exam = 0; exam < exams; ++exam) {
    const int right = std::max(0, 20 - static_cast<int>(unit() * 9 * ability));
    learner.Exams.push_back({lastMs - static_cast<int64_t>(unit() * 28) * kDayMs, 1, 1 + exam % 4,
                             20, right,
                             right >= 15   ? "Bestanden."
                             : right >= 12 ? "Mündliche Nachprüfung."
                                           : "Nicht bestanden."});
  }
  return learner;
}

// Writes the learner's answers and exams into a new history at `path` through the store, and
// gathers the report from it as the trainer does. The catalogue must be the working folder's,
// and a platform must be set up (the report reads local days and the settings).
inline TSchoolReport SimulatedReport(const TSimulatedLearner& learner, const std::string& path,
                                     int64_t nowMs) {
  {
    THistoryStore store(path);
    for (const auto& [answer, fingerprint] : learner.Answers)
      store.RecordAnswer(answer, fingerprint);
    for (const TReportExam& exam : learner.Exams)
      store.RecordExam(exam.MomentMs, exam.Licence, exam.Area, exam.Questions, exam.Right,
                       exam.Verdict);
  }
  TLearningHistory history(path);
  if (learner.ExamDate) {
    const std::string refusal = history.SetExamDate(LocalDateText(LocalDayStart(nowMs, 21))) +
                                history.SetExamLicence(1) + history.SetBudget("60");
    if (!refusal.empty())
      throw std::runtime_error(refusal);
  }
  return history.SchoolReport(learner.Name, nowMs);
}
