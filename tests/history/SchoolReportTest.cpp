// Tests of the learner's report for the flight school: what a scripted history gives in the JSON
// text, and the catalogue's fingerprint.
#include "history/SchoolReport.h"
#include "history/LearningHistory.h"

#include "core/Edition.h"
#include "history/CatalogueView.h"
#include "history/Fingerprint.h"
#include "support/CoreFixture.h"

#include <nlohmann/json.hpp>

namespace {

// Thursday 2026-12-31 10:00 UTC, in ISO week 2026-W53; the learner's clocks run an hour ahead.
constexpr int64_t kNewYearsEve = 1798711200000;
constexpr int64_t kHourMs = 3600000;
constexpr int64_t kDayMs = 24 * kHourMs;
constexpr int64_t kNow = kNewYearsEve + 5 * kDayMs; // Tuesday 2027-01-05 10:00 UTC

class SchoolReportTest : public CoreTest {
protected:
  void Answer(THistoryStore& store, int32_t recordNo, int64_t timeMs, bool right,
              const std::string& ticked, bool selfGraded = false) {
    TAnswerRow answer;
    answer.TimeMs = timeMs;
    answer.RecordNo = recordNo;
    answer.Licence = records[recordNo].Licence;
    answer.Area = records[recordNo].Area;
    answer.Mode = 2;
    answer.Ticked = ticked;
    answer.Correct = "B";
    answer.Right = right;
    answer.SelfGraded = selfGraded;
    store.RecordAnswer(answer, Fingerprint(recordNo));
  }
  std::string Fingerprint(int32_t recordNo) const {
    return FingerprintText(QuestionFingerprint(records[static_cast<std::size_t>(recordNo)]));
  }

  std::vector<QuestionRecord> records;
};

double Sum(const nlohmann::json& shares) {
  return shares.at("bestanden").get<double>() + shares.at("muendlich").get<double>() +
         shares.at("nicht_bestanden").get<double>();
}

TEST_F(SchoolReportTest, ScriptedHistoryGivesItsFiguresInTheJson) {
  WriteSettings("AnzPrfFragenGSA=3\nAnzMuendlichGSA=1\nAnzNichtBestGSA=2\n");
  records = Questions(4, 1, 1);
  for (const std::vector<QuestionRecord>& more : {Questions(2, 1, 2), Questions(1, 2, 1)})
    records.insert(records.end(), more.begin(), more.end());
  WriteCatalogue(records);
  platform.SetUtcOffset(3600);
  {
    THistoryStore store(HistoryFileName);
    Answer(store, 0, kNewYearsEve, false, "A");
    Answer(store, 0, kNewYearsEve + kHourMs, false, "AC");
    Answer(store, 0, kNewYearsEve + 2 * kHourMs, false, "A");
    Answer(store, 0, kNewYearsEve + 3 * kHourMs, true, "B");
    Answer(store, 1, kNewYearsEve, false, "C");
    Answer(store, 1, kNewYearsEve + kHourMs, false, "");
    Answer(store, 1, kNewYearsEve + 2 * kHourMs, false, "C");
    // Sunday 23:30 local time, still week 53; an hour later Monday of 2027-W01.
    Answer(store, 2, kNewYearsEve + 3 * kDayMs + 12 * kHourMs + kHourMs / 2, true, "B");
    Answer(store, 4, kNewYearsEve + 3 * kDayMs + 13 * kHourMs + kHourMs / 2, false, "D");
    Answer(store, 4, kNow - kHourMs, false, "AB");
    // "Unklar" after a check the program made: wrong, but no ticks of the learner's to name.
    Answer(store, 6, kNow - kHourMs, false, "", true);
    store.RecordExam(kNow - 2 * kHourMs, 1, 1, 20, 17, "Bestanden.");
  }
  platform.SetUtcNow(kNow);
  TLearningHistory history(HistoryFileName);
  ASSERT_EQ(history.SetExamDate("20.01.2027"), "");
  ASSERT_EQ(history.SetExamLicence(1), "");
  ASSERT_EQ(history.SetBudget("40"), "");
  const nlohmann::json report =
      nlohmann::json::parse(SchoolReportJson(history.SchoolReport("Erika Muster", kNow)));
  EXPECT_TRUE(platform.Messages().empty());

  EXPECT_EQ(report.at("format"), "aerolern-lernstand");
  EXPECT_EQ(report.at("version"), 1);
  EXPECT_EQ(report.at("name"), "Erika Muster");
  EXPECT_EQ(report.at("zeitpunkt"), "2027-01-05T10:00:00Z");
  EXPECT_EQ(report.at("edition"), EditionOwnerFullName);
  // The reader computes the same from its own catalogue: the questions in use, in record order.
  std::vector<uint64_t> fingerprints;
  for (const QuestionRecord& record : records)
    fingerprints.push_back(QuestionFingerprint(record));
  EXPECT_EQ(report.at("katalog"), CatalogueFingerprint(fingerprints));
  std::swap(fingerprints[0], fingerprints[1]);
  EXPECT_NE(report.at("katalog"), CatalogueFingerprint(fingerprints)) << "the order counts";

  // Every area of the edition's licences; the plan only for the exam licence.
  const nlohmann::json& areas = report.at("bereiche");
  ASSERT_EQ(areas.size(), 17u);
  double planned = 1;
  for (const nlohmann::json& area : areas) {
    EXPECT_NEAR(Sum(area.at("jetzt")), 1, 1e-3) << area;
    EXPECT_NEAR(Sum(area.at("pruefungstermin")), 1, 1e-3) << area;
    EXPECT_EQ(area.contains("plan"), area.at("lizenz") == 1) << area;
    if (area.contains("plan"))
      planned *= area.at("plan").get<double>();
  }
  EXPECT_NEAR(planned, history.PlanStatus(true).Plan.Projected, 1e-3)
      << "the areas' projections make the plan's chance to pass them all";
  const auto figures = [&](std::size_t i) {
    std::vector<int> values;
    for (const char* key : {"lizenz", "bereich", "fragen", "gesehen"})
      values.push_back(areas[i].at(key).get<int>());
    return values;
  };
  EXPECT_EQ(figures(0), (std::vector<int>{1, 1, 4, 3}));
  EXPECT_EQ(figures(1), (std::vector<int>{1, 2, 2, 1}));
  EXPECT_EQ(figures(4), (std::vector<int>{2, 1, 1, 1}));
  EXPECT_EQ(figures(5), (std::vector<int>{2, 2, 0, 0}));
  EXPECT_GT(areas[0].at("pruefungstermin").at("nicht_bestanden").get<double>(),
            areas[0].at("jetzt").at("nicht_bestanden").get<double>())
      << "without study the learner forgets until the exam";

  EXPECT_EQ(report.at("pruefungen"),
            nlohmann::json::parse(R"([{"zeitpunkt": "2027-01-05T08:00:00Z", "lizenz": 1,
              "bereich": 1, "fragen": 20, "richtig": 17, "ergebnis": "Bestanden."}])"));
  EXPECT_EQ(report.at("antworten_je_woche"),
            nlohmann::json::parse(R"([{"woche": "2026-W53", "antworten": 8},
                                      {"woche": "2027-W01", "antworten": 3}])"));

  // Per question: the most common wrong ticks, the first in letter order among equals.
  const nlohmann::json& questions = report.at("fragen");
  ASSERT_EQ(questions.size(), 5u);
  const auto question = [&](std::size_t i, int32_t recordNo, int answers, int wrong) {
    EXPECT_EQ(questions[i].at("fingerabdruck"), Fingerprint(recordNo));
    EXPECT_EQ(questions[i].at("nr"), recordNo);
    EXPECT_EQ(questions[i].at("lizenz"), records[recordNo].Licence);
    EXPECT_EQ(questions[i].at("bereich"), records[recordNo].Area);
    EXPECT_EQ(questions[i].at("antworten"), answers);
    EXPECT_EQ(questions[i].at("falsch"), wrong);
    return questions[i].value("haeufigste_falsche_auswahl", "(keine)");
  };
  EXPECT_EQ(question(0, 0, 4, 3), "A");
  EXPECT_EQ(question(1, 1, 3, 3), "C");
  EXPECT_EQ(question(2, 2, 1, 0), "(keine)");
  EXPECT_EQ(question(3, 4, 2, 2), "AB");
  EXPECT_EQ(question(4, 6, 1, 1), "(keine)");
}

} // namespace
