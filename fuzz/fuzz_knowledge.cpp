// Fuzz target: a damaged or hostile knowledge file "Wissensstand.dat" loaded into the pool.
//
// The input is the whole knowledge file. It is loaded over a pool built from a small good
// catalogue, then a few questions are picked and marked known, and the knowledge is saved.
// Findings besides sanitizer reports: an open count that does not match the loaded or changed
// pool, and a saved file that is not the open entries of the pool.
#include "FuzzSupport.h"

#include "toolkit/Exceptions.h"

#include <fstream>
#include <iterator>

namespace {

constexpr int kPicks = 6;

std::string ReadFile(const std::string& name) {
  std::ifstream file(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The bytes the knowledge file must hold for the open entries of the pool.
std::string ExpectedSave() {
  std::string bytes;
  for (const PoolEntry& entry : QuestionPool()) {
    if (entry.Open == 0)
      continue;
    uint8_t image[12] = {entry.InUse, entry.Open};
    WriteInt16(image + 2, entry.Licence);
    WriteInt16(image + 4, entry.Area);
    WriteInt32(image + 8, entry.RecordNo);
    bytes.append(reinterpret_cast<const char*>(image), sizeof image);
  }
  return bytes;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzz::Initialize(argc, argv);
  // The knowledge file lies beside the catalogue: the settings name no other place for it.
  fuzz::WriteFile(fuzz::SettingsFileName(), "; Einstellungen\r\nAnzPrfFragenGSA=30\r\n");
  fuzz::WriteFile(CatalogueFileName,
                  CatalogueBytes({fuzz::Question(1, 1, "Erste"), fuzz::Question(2, 3, "Zweite"),
                                  fuzz::Question(7, 5, "Dritte")}));
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  fuzz::StartCase();
  BuildQuestionPool(false);
  fuzz::Require(KnowledgeFilePath() == KnowledgeFileName,
                "the knowledge file lies in the working folder");

  fuzz::WriteFile(KnowledgeFileName, data, size);
  try {
    BuildQuestionPool(true);
  } catch (const Exception&) {
    return 0;
  }
  fuzz::Require(QuestionPool().size() == size / 12, "every whole entry of the file is loaded");
  fuzz::Require(OpenQuestionCount() == fuzz::OpenEntries(), "a load counts its open entries");

  const int32_t reading = fuzz::ReadingFor(data, size);
  for (int pick = 0; pick < kPicks; ++pick) {
    fuzz::HeadlessPlatform().SetTimeOfDay(reading + pick);
    QuestionRecord record;
    try {
      PickNextQuestion(record);
    } catch (const Exception&) {
    }
    MarkCurrentKnown();
    fuzz::Require(OpenQuestionCount() == fuzz::OpenEntries(), "closing keeps the open count right");
  }

  try {
    SaveKnowledge();
  } catch (const Exception&) {
    return 0;
  }
  // A pool without entries is no state to save: the loaded file stays as it was.
  const std::string expected = QuestionPool().empty()
                                   ? std::string(reinterpret_cast<const char*>(data), size)
                                   : ExpectedSave();
  fuzz::Require(ReadFile(KnowledgeFileName) == expected, "the saved file holds the open entries");
  return 0;
}
