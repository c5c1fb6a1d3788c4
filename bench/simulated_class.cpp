// Writes the reports of a simulated class into a folder: each learner's answers go into a
// learning history through the history store, and the report is gathered and written by the
// trainer's own code, so that the class overview of a realistic class can be made and looked at.
#include "bench/SimulatedClass.h"

#include "core/SafeFileReplace.h"
#include "support/TempDir.h"
#include "toolkit/headless/HeadlessPlatform.h"

#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>

int main(int argc, char** argv) {
  if (argc < 4 || argc > 5) {
    std::cerr << "usage: simulated_class CATALOGUE.dat SETTINGS.ini FOLDER [LEARNERS]\n";
    return 2;
  }
  const int learners = argc == 5 ? std::atoi(argv[4]) : 12;
  constexpr int64_t kNowMs = 1796904000000; // 2026-12-10 12:00 UTC
  constexpr int32_t kUtcOffset = 3600;      // Central European Time
  constexpr unsigned kSeed = 2026;
  try {
    namespace fs = std::filesystem;
    const std::string catalogue = ReadFileBytes(argv[1]);
    const std::string settings = ReadFileBytes(argv[2]);
    const std::string folder = fs::absolute(argv[3]).string();
    // The history reads the catalogue and the settings from the folder the trainer runs in.
    TTempDir work(TTempDir::TMode::Enter, "aerolern-klasse");
    THeadlessPlatform platform;
    platform.SetProgramPath(work.File("aerolern"));
    platform.SetUtcNow(kNowMs);
    platform.SetUtcOffset(kUtcOffset);
    if (catalogue.empty() || !WriteFileBytes(work.File(CatalogueFileName), catalogue) ||
        !WriteFileBytes(work.File("aerolern.ini"), settings))
      throw std::runtime_error("cannot copy the catalogue and the settings");
    // About one question in sixty misleads: most learners pick the same wrong answer.
    const std::vector<TSimulatedQuestion> questions = SimulatedQuestions(catalogue, 60, kSeed);
    for (int index = 0; index < learners; ++index) {
      const TSimulatedLearner learner = SimulateLearner(questions, index, kNowMs, kSeed);
      const TSchoolReport report = SimulatedReport(
          learner, work.File("Lernverlauf-" + std::to_string(index) + ".sqlite"), kNowMs);
      ReplaceFileSafely(folder + "/" + SchoolReportFileName(report.Name, kNowMs, kUtcOffset),
                        SchoolReportJson(report));
    }
    std::cout << learners << " reports written to " << folder << '\n';
  } catch (const std::exception& error) {
    std::cerr << "simulated_class: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
