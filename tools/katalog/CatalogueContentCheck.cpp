// The checks of the catalogue's questions against the sketch table, the pictures and the exams.
#include "tools/katalog/CatalogueContentCheck.h"

#include "core/ExamGrading.h"
#include "core/Licences.h"
#include "core/QuestionRecordCodec.h"
#include "core/SketchTable.h"
#include "core/srcCommon.h"
#include "toolkit/Convert.h"
#include "toolkit/Exceptions.h"
#include "toolkit/FileSystem.h"
#include "toolkit/Picture.h"
#include "tools/katalog/CategoryTable.h"

#include <cstring>
#include <filesystem>
#include <map>
#include <tuple>

namespace {

namespace fs = std::filesystem;

// The text as two questions are compared: controls and blanks at the ends dropped, every run of
// them inside one blank, ASCII letters small.
std::string ComparableText(const std::string& text) {
  std::string result;
  bool gap = false;
  for (const char c : TrimControls(text)) {
    if (static_cast<unsigned char>(c) <= ' ') {
      gap = true;
      continue;
    }
    if (gap)
      result += ' ';
    gap = false;
    result += c;
  }
  return AsciiLower(result);
}

// Why the sketch of a question in use cannot be shown, or nothing when it can.
std::optional<std::string> SketchProblem(const std::string& key,
                                         const std::optional<std::string>& pictureFolder) {
  switch (SketchKindOf(key)) {
  case TSketchKind::NoEntry:
    return "Skizze " + key + " gibt es nicht (kein Eintrag in der Skizzentabelle).";
  case TSketchKind::Notice:
    return "Skizze " + key +
           " zeigt nur den Hinweis, dass der Kartenausschnitt nicht gezeigt werden darf.";
  case TSketchKind::NoPicture:
    return "Skizze " + key + " hat keine Abbildung.";
  case TSketchKind::OwnPicture:
    break;
  }
  if (!pictureFolder)
    return std::nullopt;
  // Joined as the learner wrote the folder, so that the message names the path in one style;
  // Windows takes "/" as well.
  const std::string& folder = *pictureFolder;
  const bool separated = !folder.empty() && (folder.back() == '/' || folder.back() == '\\');
  const std::string path = folder + (separated ? "" : "/") + SketchPictureFile(key);
  std::error_code error;
  if (!fs::is_regular_file(FileSystemPath(path), error))
    return "Skizze " + key + ": die Bilddatei „" + path + "“ fehlt.";
  try {
    TPicture::ReadInfo(path);
  } catch (const std::exception& failure) {
    return "Skizze " + key + ": die Bilddatei „" + path + "“ lässt sich nicht lesen (" +
           failure.what() + ").";
  }
  return std::nullopt;
}

void CheckQuestions(const std::string& catalogueBytes, const TContentCheckOptions& options,
                    TCheckReport& report) {
  // The first question in use of each category and text.
  std::map<std::tuple<int, int, std::string>, int64_t> firstOfText;
  for (int64_t recordNo = 0; recordNo < report.Records; ++recordNo) {
    RecordBytes bytes{};
    std::memcpy(bytes.data(), catalogueBytes.data() + recordNo * kRecordSize, kRecordSize);
    const QuestionRecord record = DecodeRecord(bytes);
    if (!record.InUse)
      continue;
    if (record.ImageNo >= 1)
      if (const auto problem = SketchProblem(SketchKey(record.Licence, record.Area, record.ImageNo),
                                             options.PictureFolder))
        report.Problems.push_back({recordNo, *problem});
    const auto [first, isFirst] = firstOfText.emplace(
        std::make_tuple(int{record.Licence}, int{record.Area}, ComparableText(record.Question)),
        recordNo);
    if (!isFirst)
      report.Problems.push_back({recordNo, "dieselbe Frage wie Datensatz " +
                                               std::to_string(first->second) + " der Kategorie " +
                                               CategoryCode(record.Licence, record.Area) + "."});
  }
}

// The exam licences whose areas are checked: those of this edition, the motor licence aside.
constexpr int kLastCheckedLicence = 6;

void CheckExamAreas(const std::string& settingsFile, TCheckReport& report) {
  for (int licence = kFirstLicence; licence <= kLastCheckedLicence; ++licence) {
    const std::string key = "AnzPrfFragen" + ExamKeySuffix(licence);
    int32_t drawn = 0;
    try {
      drawn = ExamLimitFrom(settingsFile, licence, elQuestionCount);
    } catch (const EConvertError& error) {
      // The refusal names the key and the settings file itself.
      report.Problems.push_back({-1, error.what()});
      continue;
    }
    for (int area = 1; area <= AreaCount(licence); ++area) {
      if (!IsValidArea(licence, area))
        continue;
      const int64_t held = report.QuestionsPerCategory[CatalogueCategoryIndex(licence, area)];
      if (held < drawn)
        report.Problems.push_back({-1, "Kategorie " + CategoryCode(licence, area) + " (" +
                                           CategoryDisplayName(licence, area) + ") hat " +
                                           std::to_string(held) + " von " + std::to_string(drawn) +
                                           " Fragen, die die Prüfung zieht (" + key +
                                           "); jede fehlende zählt dort als falsch."});
    }
  }
}

} // namespace

void CheckCatalogueContent(const std::string& catalogueBytes, const TContentCheckOptions& options,
                           TCheckReport& report) {
  if (options.PictureFolder &&
      !fs::is_directory(FileSystemPath(*options.PictureFolder) / "sketches"))
    throw EInOutError(ioFileNotFound, "Der Ordner „" + *options.PictureFolder +
                                          "“ enthält keinen Ordner „sketches“.");
  CheckQuestions(catalogueBytes, options, report);
  if (options.SettingsFile)
    CheckExamAreas(*options.SettingsFile, report);
}
