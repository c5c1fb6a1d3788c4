// Keeping the learner's parameters in the history's settings.
#include "history/LearnerParameters.h"

#include "history/LearnerModel.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>

namespace {

const char* const kParametersSetting = "gedaechtnismodell";
const char* const kFittedSetting = "gedaechtnismodell_angepasst_ms";
const char* const kRecallTestsSetting = "gedaechtnismodell_antworten";
const char* const kTriedSetting = "gedaechtnismodell_versuch_antworten";
// The parameters that made the cached memory states.
const char* const kStatesSetting = "gedaechtnismodell_zustaende";

std::string ParametersText(const TFsrsParameters& parameters) {
  std::string text;
  for (double w : parameters.W) {
    char number[32];
    std::snprintf(number, sizeof number, "%.17g", w);
    text += (text.empty() ? "" : " ") + std::string(number);
  }
  return text;
}

std::optional<TFsrsParameters> ParametersFromText(const std::string& text) {
  std::istringstream numbers(text);
  TFsrsParameters parameters;
  for (double& w : parameters.W)
    if (!(numbers >> w))
      return std::nullopt;
  std::string rest;
  if (numbers >> rest)
    return std::nullopt;
  return parameters;
}

int64_t Number(THistoryStore& store, const char* name) {
  const std::optional<std::string> value = store.Setting(name);
  return value ? std::strtoll(value->c_str(), nullptr, 10) : 0;
}

} // namespace

TFsrsFitData FitDataOf(const std::vector<std::pair<int64_t, TRecordedAnswer>>& log) {
  TFsrsFitData data;
  // Per question: the index of its current history in `data`, and the key it was learned with.
  std::map<int64_t, std::pair<std::size_t, std::string>> current;
  for (const auto& [question, answer] : log) {
    auto found = current.find(question);
    if (found == current.end() || found->second.second != answer.Key) {
      data.emplace_back();
      found = current.insert_or_assign(question, std::make_pair(data.size() - 1, answer.Key)).first;
    }
    TFsrsFitEventKind kind = TFsrsFitEventKind::Exposure;
    if (TLearnerModel::IsRecallTest(answer.Mode, answer.SelfGraded))
      kind = answer.Right ? TFsrsFitEventKind::Right : TFsrsFitEventKind::Wrong;
    data[found->second.first].push_back({TLearnerModel::LearningDay(answer.TimeMs), kind});
  }
  return data;
}

TKeptParameters ReadKeptParameters(THistoryStore& store) {
  TKeptParameters kept;
  kept.TriedAtAnswers = Number(store, kTriedSetting);
  const std::optional<std::string> text = store.Setting(kParametersSetting);
  const std::optional<TFsrsParameters> parameters = text ? ParametersFromText(*text) : std::nullopt;
  if (!parameters)
    return kept;
  kept.Parameters = *parameters;
  kept.FittedMs = Number(store, kFittedSetting);
  kept.FittedRecallTests = Number(store, kRecallTestsSetting);
  return kept;
}

void AlignMemoryStates(THistoryStore& store, const TFsrsParameters& parameters) {
  const std::string text = ParametersText(parameters);
  // A history without the note was made with the defaults.
  if (store.Setting(kStatesSetting).value_or(ParametersText(DefaultFsrsParameters())) == text)
    return;
  store.RebuildMemory(TLearnerModel(parameters));
  store.SetSetting(kStatesSetting, text);
}

bool RefitDue(THistoryStore& store, const TKeptParameters& kept) {
  const int64_t answers = store.AnswerCount();
  return answers >= kFsrsFitMinRecallTests && 2 * answers >= 3 * kept.TriedAtAnswers;
}

TFsrsFitResult FitAndKeep(THistoryStore& store, const TKeptParameters& kept, int64_t nowMs) {
  const std::vector<std::pair<int64_t, TRecordedAnswer>> log = store.LoggedAnswers();
  const TFsrsFitResult result = FitFsrsParameters(FitDataOf(log), kept.Parameters);
  store.SetSetting(kTriedSetting, std::to_string(log.size()));
  if (!result.Accepted)
    return result;
  store.SetSetting(kParametersSetting, ParametersText(result.Parameters));
  store.SetSetting(kFittedSetting, std::to_string(nowMs));
  store.SetSetting(kRecallTestsSetting, std::to_string(result.RecallTests));
  AlignMemoryStates(store, result.Parameters);
  return result;
}
