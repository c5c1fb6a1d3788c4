// Benchmark: the class overview of 50 reports over a catalogue of 3,000 questions, against
// reading the 50 report files. The reports are those of simulated learners, gathered from their
// learning histories and written by the trainer's own code (bench/SimulatedClass.h).
#include "bench/BenchSupport.h"
#include "bench/SimulatedClass.h"

#include "history/SchoolReport.h"
#include "toolkit/headless/HeadlessPlatform.h"
#include "tools/katalog/ClassOverviewCommand.h"
#include "tools/katalog/FileAccess.h"

#include <exception>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kQuestions = 3000;
constexpr int kReports = 50;
constexpr int64_t kMomentMs = 1796904000000; // 2026-12-10 12:00 UTC
constexpr const char* kOverviewName = "ClassOverview";
constexpr const char* kReadName = "ReadReportFiles";

// The licence/area pairs of this edition, the way the catalogue spreads its questions.
std::vector<std::pair<int, int>> EditionCategories() {
  std::vector<std::pair<int, int>> categories;
  for (int licence = kFirstLicence; licence <= kLastLicence; ++licence)
    if (LicenceShown(licence))
      for (int area = 1; area <= AreaCount(licence); ++area)
        categories.emplace_back(licence, area);
  return categories;
}

void BM_ClassOverview(benchmark::State& state, const std::string& folder,
                      const std::string& catalogue) {
  try {
    for (auto _ : state) {
      std::ostringstream out, err;
      const int status = WriteClassOverview({folder}, catalogue, "klasse.html", out, err);
      if (status != 0) {
        state.SkipWithError(("klasse failed: " + err.str()).c_str());
        return;
      }
    }
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
  }
}

void BM_ReadReportFiles(benchmark::State& state, const std::vector<std::string>& files) {
  try {
    for (auto _ : state) {
      std::size_t bytes = 0;
      for (const std::string& file : files)
        bytes += ReadWholeFile(file).size();
      benchmark::DoNotOptimize(bytes);
    }
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
  }
}

} // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  try {
    TTempDir dir(TTempDir::TMode::Enter, "aerolern-bench");
    THeadlessPlatform platform;
    platform.SetProgramPath(dir.File("aerolern"));
    platform.SetUtcNow(kMomentMs);
    WriteTextFile(dir.File("aerolern.ini"),
                  "AnzPrfFragenGSA=30\nAnzMuendlichGSA=6\nAnzNichtBestGSA=8\n");
    const std::vector<std::pair<int, int>> categories = EditionCategories();
    WriteCatalogue(CatalogueFileName, kQuestions, [&](int recordNo) {
      const auto& [licence, area] =
          categories[static_cast<std::size_t>(recordNo) % categories.size()];
      return BenchQuestion(recordNo, licence, area, true);
    });
    const std::string folder = dir.MakeSubDir("berichte");
    const std::vector<TSimulatedQuestion> questions =
        SimulatedQuestions(ReadFileBytes(CatalogueFileName), 97, 1);
    std::vector<std::string> files;
    std::size_t totalBytes = 0;
    for (int index = 0; index < kReports; ++index) {
      const TSchoolReport report =
          SimulatedReport(SimulateLearner(questions, index, kMomentMs, 1),
                          dir.File("Lernverlauf-" + std::to_string(index) + ".sqlite"), kMomentMs);
      const std::string json = SchoolReportJson(report);
      files.push_back(folder + "/" + std::to_string(index) + ".json");
      WriteTextFile(files.back(), json);
      totalBytes += json.size();
    }
    std::cout << kReports << " reports, " << totalBytes / 1024 << " KiB of JSON, over "
              << questions.size() << " questions\n";

    Configure(benchmark::RegisterBenchmark(kOverviewName, [&](benchmark::State& state) {
      BM_ClassOverview(state, folder, "Aerolern.dat");
    }));
    Configure(benchmark::RegisterBenchmark(
        kReadName, [&](benchmark::State& state) { BM_ReadReportFiles(state, files); }));
    TCapturingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::cout << '\n';
    PrintRatio(reporter, "class overview / reading the report files", kOverviewName, kReadName,
               "reported, no goal");
    const std::optional<double> seconds = reporter.Seconds(kOverviewName);
    std::cout << "class overview of " << kReports << " reports over " << kQuestions
              << " questions: ";
    if (seconds)
      std::cout << std::fixed << std::setprecision(3) << *seconds << " s";
    else
      std::cout << "not measured";
    std::cout << " (goal < 2 s)\n";
  } catch (const std::exception& error) {
    std::cerr << "bench_class_overview: " << error.what() << '\n';
    return 1;
  }
  benchmark::Shutdown();
  return 0;
}
