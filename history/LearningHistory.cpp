// Recording the learner's answers into the history, and the due questions it knows of.
#include "history/LearningHistory.h"

#include "history/CalendarDate.h"
#include "history/Fingerprint.h"

#include "toolkit/Application.h"
#include "toolkit/FileSystem.h"
#include "toolkit/Platform.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr double kDefaultRetention = 0.9;
const char* const kRetentionSetting = "gewuenschte_behaltensrate";
const char* const kExamDateSetting = "pruefungstermin";
constexpr int kLowestRetention = 70;
constexpr int kHighestRetention = 97;
constexpr int64_t kMsPerDay = 86400000;
// Written exams start in the morning.
constexpr int kExamSecondsOfDay = 9 * 3600;
const char* const kNotThisSession = "Die Antworten werden in dieser Sitzung nicht aufgezeichnet.";

// "1 Antwort wurde", "3 Antworten wurden".
std::string AnswersText(int count) {
  return count == 1 ? "1 Antwort wurde" : std::to_string(count) + " Antworten wurden";
}

// The day of a "TT.MM.JJJJ" text, as the UTC moment of its local midnight.
std::optional<int64_t> DayOfText(const std::string& text) {
  int day = 0, month = 0, year = 0;
  char end = 0;
  int64_t start = 0;
  if (text.size() != 10 || text[2] != '.' || text[5] != '.' ||
      std::sscanf(text.c_str(), "%2d.%2d.%4d%c", &day, &month, &year, &end) != 3 ||
      !LocalMidnightUtc(year, month, day, start))
    return std::nullopt;
  return start;
}

// What tells a changed catalogue file: its size, its change time to the nanosecond and the file.
std::string CatalogueStamp() { return FileChangeStamp(CatalogueFileName); }

} // namespace

std::string HistoryFilePath() {
  const std::string knowledge = KnowledgeFilePath();
  const std::size_t slash = knowledge.find_last_of('/');
  return (slash == std::string::npos ? std::string() : knowledge.substr(0, slash + 1)) +
         HistoryFileName;
}

TLearningHistory::TLearningHistory(std::string filePath) : path(std::move(filePath)) {}

TLearningHistory::~TLearningHistory() = default;

THistoryStore* TLearningHistory::Store() {
  if (store || unusable)
    return store.get();
  try {
    store = std::make_unique<THistoryStore>(path.empty() ? HistoryFilePath() : path);
    if (const std::optional<std::string> notice = store->TakeNotice())
      Application.MessageBox(*notice);
    // Reviews recorded while the clock was more than a day ahead count from now on, so that
    // their recall does not stand still until the clock catches up.
    const int64_t now = Platform().UtcNowMs();
    store->PullBackReviewsAfter(now + kMsPerDay, now);
    AdoptKeptParameters(*store);
    RecordingWorks();
  } catch (const EHistoryError& error) {
    unusable = error.Lasting;
    Report(error, error.Lasting ? kNotThisSession
                                : "Die Antworten werden vorerst nicht aufgezeichnet; Aerolern "
                                  "versucht es bei jeder Antwort wieder.");
  } catch (const std::exception& error) {
    // Without the settings file the history's folder is unknown: learning goes on unrecorded.
    Report(EHistoryError(error.what(), false), "Die Antworten werden nicht aufgezeichnet.");
  }
  return store.get();
}

void TLearningHistory::Report(const EHistoryError& error, const char* consequence) {
  if (reportedLasting || (reported && !error.Lasting))
    return;
  reported = true;
  reportedLasting = error.Lasting;
  Application.MessageBox(std::string(error.what()) + "\n\r" + consequence);
}

void TLearningHistory::Fail(const EHistoryError& error, const char* consequence) {
  if (error.Lasting) {
    // The file was replaced or damaged under the trainer: nothing more goes into it.
    store.reset();
    unusable = true;
  }
  Report(error, error.Lasting ? kNotThisSession : consequence);
}

void TLearningHistory::RecordingWorks() {
  if (!reported)
    return;
  std::string text = "Der Lernverlauf zeichnet wieder auf.";
  if (lostAnswers > 0)
    text += " " + AnswersText(lostAnswers) + " nicht aufgezeichnet.";
  reported = false;
  lostAnswers = 0;
  Application.MessageBox(text);
}

bool TLearningHistory::Usable() { return Store() != nullptr; }

void TLearningHistory::AdoptKeptParameters(THistoryStore& history) {
  kept = ReadKeptParameters(history);
  AlignMemoryStates(history, kept.Parameters);
  model = TLearnerModel(kept.Parameters);
  // The automatic fit has no window of its own: a refused or failed fit leaves the model as it
  // was, and a file that cannot be written now is reported at the next answer.
  try {
    if (RefitDue(history, kept) && FitAndKeep(history, kept, Platform().UtcNowMs()).Accepted) {
      kept = ReadKeptParameters(history);
      model = TLearnerModel(kept.Parameters);
    }
  } catch (const EHistoryError&) {
  }
}

std::string TLearningHistory::ModelText() {
  Store();
  if (!kept.FittedMs)
    return "Gedächtnismodell: Standardwerte";
  return "Gedächtnismodell: an Ihre Antworten angepasst am " + LocalDateText(*kept.FittedMs) +
         " (" + std::to_string(kept.FittedRecallTests) + " Antworten)";
}

bool TLearningHistory::CanAdapt() {
  try {
    THistoryStore* history = Store();
    return history != nullptr && history->AnswerCount() >= kFsrsFitMinRecallTests;
  } catch (const EHistoryError&) {
    return false;
  }
}

std::string TLearningHistory::AdaptNow() {
  THistoryStore* history = Store();
  if (history == nullptr)
    return "Ohne nutzbaren Lernverlauf lässt sich das Gedächtnismodell nicht anpassen.";
  TFsrsFitResult result;
  try {
    result = FitAndKeep(*history, kept, Platform().UtcNowMs());
  } catch (const EHistoryError& error) {
    return error.what();
  }
  if (!result.Accepted)
    return result.Reason;
  kept = ReadKeptParameters(*history);
  model = TLearnerModel(kept.Parameters);
  return "Das Gedächtnismodell ist jetzt an Ihre Antworten angepasst (" +
         std::to_string(result.RecallTests) + " Antworten).";
}

TLearningStatistics TLearningHistory::Statistics(int64_t nowMs) {
  const double retention = DesiredRetention();
  try {
    return TLearningStatistics(Store(), model, retention, nowMs);
  } catch (const EHistoryError& error) {
    // The history cannot be read just now: the figures of the catalogue alone.
    Application.HandleException(error);
    return TLearningStatistics(nullptr, model, retention, nowMs);
  }
}

void TLearningHistory::EndSession() {
  if (lostAnswers == 0)
    return;
  Application.MessageBox(AnswersText(lostAnswers) +
                         " dieser Sitzung nicht im Lernverlauf aufgezeichnet.");
  lostAnswers = 0;
}

void TLearningHistory::QuestionShown(const TQuestionShown& event) {
  showing = event;
  showingRecorded = event.Placeholder;
  lastCheck.reset();
}

// Every check the learner asks for outside Lernmodus answers the question; Lernmodus checks by
// itself and leaves the answer to the learner's "Klar" or "Unklar".
void TLearningHistory::AnswerChecked(const TAnswerChecked& event) {
  lastCheck = event;
  if (event.ByLearner && event.Mode != lmLernen && !showingRecorded)
    Record(event, false);
}

void TLearningHistory::QuestionSorted(const TQuestionSorted& event) {
  if (!event.ByLearner || showingRecorded)
    return;
  // Sorted with a solution the program showed by itself: outside Lernmodus, whose sorting counts
  // as exposure, that is no test of recall, and the log has no other kind for it.
  if (lastCheck && !lastCheck->ByLearner && event.Mode != lmLernen)
    return;
  TAnswerChecked selfGrade;
  if (lastCheck)
    selfGrade = *lastCheck;
  selfGrade.RecordNo = event.RecordNo;
  selfGrade.Mode = event.Mode;
  selfGrade.Right = event.Klar;
  Record(selfGrade, true);
}

void TLearningHistory::Record(const TAnswerChecked& check, bool selfGraded) {
  // One answer per showing, also when recording fails.
  showingRecorded = true;
  try {
    THistoryStore* history = Store();
    if (history == nullptr) {
      ++lostAnswers;
      return;
    }
    QuestionRecord record = showing.Record;
    if (showing.RecordNo != check.RecordNo)
      ReadQuestion(check.RecordNo, record);
    // A revised catalogue moves questions: their history follows them before the answer joins it.
    FollowCatalogue(*history);
    TAnswerRow answer;
    answer.TimeMs = Platform().UtcNowMs();
    answer.RecordNo = check.RecordNo;
    answer.Licence = record.Licence;
    answer.Area = record.Area;
    answer.Mode = check.Mode;
    answer.Ticked = KeyLetters(check.Ticked);
    answer.Correct =
        KeyLetters({record.CorrectA, record.CorrectB, record.CorrectC, record.CorrectD});
    answer.Right = check.Right;
    answer.SelfGraded = selfGraded;
    history->RecordAnswer(answer, FingerprintText(QuestionFingerprint(record)), model);
    RecordingWorks();
  } catch (const EHistoryError& error) {
    ++lostAnswers;
    Fail(error, "Diese Antwort wurde nicht aufgezeichnet.");
  } catch (const std::exception& error) {
    ++lostAnswers;
    Report(EHistoryError(error.what(), false), "Diese Antwort wurde nicht aufgezeichnet.");
  }
}

void TLearningHistory::ExamAreaGraded(const TExamAreaGraded& event) {
  try {
    if (THistoryStore* history = Store())
      history->RecordExam(Platform().UtcNowMs(), event.Licence, event.Area, event.Questions,
                          event.RightAnswers, ExamVerdictText(event.Verdict));
  } catch (const EHistoryError& error) {
    Fail(error, "Das Prüfungsergebnis wurde nicht aufgezeichnet.");
  }
}

double TLearningHistory::DesiredRetention() {
  try {
    if (THistoryStore* history = Store())
      if (const std::optional<std::string> value = history->Setting(kRetentionSetting)) {
        const double retention = std::strtod(value->c_str(), nullptr);
        if (retention > 0 && retention < 1)
          return retention;
      }
  } catch (const EHistoryError& error) {
    Report(error, "Es gilt die Behaltensrate von 90 %.");
  }
  return kDefaultRetention;
}

void TLearningHistory::SetDesiredRetention(double value) {
  if (THistoryStore* history = Store())
    history->SetSetting(kRetentionSetting, std::to_string(value));
}

std::string TLearningHistory::ExamDateText() {
  try {
    if (THistoryStore* history = Store())
      return history->Setting(kExamDateSetting).value_or("");
  } catch (const EHistoryError& error) {
    Report(error, "Der Prüfungstermin kann nicht gelesen werden.");
  }
  return "";
}

std::optional<int64_t> TLearningHistory::ExamDayStart() {
  const std::optional<int64_t> day = DayOfText(ExamDateText());
  if (!day || *day < LocalDayStart(Platform().UtcNowMs(), 0))
    return std::nullopt;
  return day;
}

std::optional<int64_t> TLearningHistory::ExamMoment() {
  const std::optional<int64_t> day = ExamDayStart();
  if (!day)
    return std::nullopt;
  return std::max(LocalTimeOfDay(*day, kExamSecondsOfDay), Platform().UtcNowMs());
}

std::string TLearningHistory::SetExamDate(const std::string& text) {
  const std::optional<int64_t> day = DayOfText(text);
  if (!text.empty() && !day)
    return "Der Prüfungstermin „" + text + "“ ist kein gültiges Datum (TT.MM.JJJJ).";
  if (day && *day < LocalDayStart(Platform().UtcNowMs(), 0))
    return "Der Prüfungstermin " + text + " liegt in der Vergangenheit.";
  if (THistoryStore* history = Store())
    history->SetSetting(kExamDateSetting, text);
  return "";
}

std::string TLearningHistory::SetRetentionPercent(const std::string& text) {
  int percent = 0;
  char end = 0;
  if (std::sscanf(text.c_str(), "%d%c", &percent, &end) != 1 || percent < kLowestRetention ||
      percent > kHighestRetention)
    return "Der Zielbehalt muss eine ganze Zahl von " + std::to_string(kLowestRetention) + " bis " +
           std::to_string(kHighestRetention) + " % sein.";
  SetDesiredRetention(percent / 100.0);
  return "";
}

void TLearningHistory::FollowCatalogue(THistoryStore& history) {
  const TCatalogueView& catalogue = CatalogueView();
  if (followedStamp == catalogueStamp && !followedStamp.empty())
    return;
  history.FollowCatalogue(catalogue.Fingerprints, THistoryStore::TQuestionFacts::Memory);
  followedStamp = catalogueStamp;
}

const TCatalogueView& TLearningHistory::CatalogueView() {
  const std::string stamp = CatalogueStamp();
  if (stamp.empty() || stamp != catalogueStamp) {
    catalogueView = ReadCatalogueView();
    catalogueStamp = stamp;
  }
  return catalogueView;
}

TDueQuestions TLearningHistory::DueQuestions(const std::function<bool(int, int)>& selected) {
  TDueQuestions due;
  THistoryStore* history = Store();
  if (history == nullptr) {
    due.Unknown = true;
    return due;
  }
  const TCatalogueView& catalogue = CatalogueView();
  const double retention = DesiredRetention();
  const int64_t now = Platform().UtcNowMs();
  std::vector<THistoryQuestion> questions;
  try {
    questions =
        history->FollowCatalogue(catalogue.Fingerprints, THistoryStore::TQuestionFacts::Memory);
  } catch (const EHistoryError& error) {
    Fail(error, "Welche Fragen fällig sind, ist gerade nicht bekannt.");
    due.Unknown = true;
    return due;
  }
  followedStamp = catalogueStamp;
  for (const THistoryQuestion& question : questions) {
    const auto recordNo = static_cast<std::size_t>(question.RecordNo);
    // A question whose answer key was corrected since is new again: not due.
    if (!question.Memory || question.RecordNo < 0 || recordNo >= catalogue.Fingerprints.size() ||
        catalogue.Fingerprints[recordNo] != question.Fingerprint ||
        TLearnerModel::KeyChanged(question.LastKey, catalogue.Keys[recordNo]))
      continue;
    const auto [licence, area] = catalogue.Categories[recordNo];
    const bool dueNow = model.IsDue(*question.Memory, question.LastReviewMs, now, retention);
    if (!selected(licence, area)) {
      due.DueElsewhere += dueNow ? 1 : 0;
      continue;
    }
    if (dueNow) {
      due.Entries.push_back(PoolEntry{1, 1, licence, area, question.RecordNo});
      continue;
    }
    const int64_t dueAt = model.DueMoment(*question.Memory, question.LastReviewMs, now, retention);
    if (!due.NextDueMs || dueAt < *due.NextDueMs)
      due.NextDueMs = dueAt;
  }
  return due;
}
