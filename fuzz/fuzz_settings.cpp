// Fuzz target: a damaged or hostile settings file beside the program, read for the exam limits,
// the knowledge file place and the exam draw.
//
// The input is the whole settings file. For every exam licence the target reads the limits and
// draws an exam from a small good catalogue. Findings besides sanitizer reports: a draw whose
// open count does not match its pool, or that keeps another number of questions than the
// settings ask for.
#include "FuzzSupport.h"

#include "toolkit/Exceptions.h"

#include <algorithm>

namespace {

struct TExam {
  int Licence;
  int Area;
};

// Every licence with exam keys, one without, and areas in and out of the catalogue.
constexpr TExam kExams[] = {{1, 1}, {2, 3},  {3, 1},   {4, 2}, {5, 1}, {6, 3},
                            {7, 4}, {71, 4}, {72, 10}, {0, 1}, {1, 9}};

void ReadSettings() {
  const char* const keys[] = {"KnowledgeLevelLocation", "AnzPrfFragenGSA", "anzmuendlichgsb",
                              "Schlüssel mit Ümlaut", ""};
  for (const char* key : keys) {
    std::string value;
    ReadIniValue(key, value);
  }
  // Only the name is built: the fuzzed place may be anywhere, so nothing is written there.
  static_cast<void>(KnowledgeFilePath());
}

void Draw(const TExam& exam, int32_t reading) {
  SetExamPosition(exam.Licence, exam.Area);
  int32_t limit = 0;
  try {
    for (int kind = 0; kind <= 4; ++kind)
      static_cast<void>(ExamLimit(kind));
    limit = ExamLimit(1);
  } catch (const Exception&) {
    return;
  }
  fuzz::HeadlessPlatform().SetTimeOfDay(reading);
  DrawExamQuestions(exam.Licence, exam.Area);
  const auto drawn = static_cast<int32_t>(QuestionPool().size());
  fuzz::Require(OpenQuestionCount() == fuzz::OpenEntries(), "a draw counts its open entries");
  // An area whose category is not selected (one without a slot) is drawn but never thinned.
  const int recordLicence = exam.Licence > 7 ? 7 : exam.Licence;
  if (SlotSelected(CategorySlot(recordLicence, exam.Area)))
    fuzz::Require(OpenQuestionCount() == std::min(std::max(limit, 0), drawn),
                  "a draw keeps as many questions as the settings ask for");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzz::Initialize(argc, argv);
  std::vector<QuestionRecord> records;
  for (const TExam& exam : kExams)
    for (int i = 0; i < 3; ++i)
      records.push_back(fuzz::Question(exam.Licence > 7 ? 7 : exam.Licence, exam.Area, "Frage"));
  fuzz::WriteFile(CatalogueFileName, CatalogueBytes(records));
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  fuzz::StartCase();
  fuzz::WriteFile(fuzz::SettingsFileName(), data, size);
  try {
    ReadSettings();
  } catch (const Exception&) {
  }
  // A pool with open questions, as after the program's start; each draw seeds from its own clock
  // reading.
  BuildQuestionPool(false);
  const int32_t reading = fuzz::ReadingFor(data, size);
  int32_t next = 0;
  for (const TExam& exam : kExams) {
    try {
      Draw(exam, reading + next++);
    } catch (const Exception&) {
    }
  }
  return 0;
}
