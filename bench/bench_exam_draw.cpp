// Benchmark: the exam draw of one area down to 30 questions, against the pool build of that area.
#include "bench/BenchSupport.h"

#include "toolkit/headless/HeadlessPlatform.h"

#include <exception>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int kLicence = 1;
constexpr int kArea = 1;
constexpr int kExamQuestions = 30;
// A new draw starts a second later, as a user's next exam would, so every draw seeds afresh.
constexpr uint32_t kClockStepMs = 1000;

std::string DrawName(int size) { return "ExamDraw/" + std::to_string(size); }
std::string BuildName(int size) { return "PoolBuild/" + std::to_string(size); }

// The state the exam window sets up before it draws.
void PrepareExam() {
  SetExamPosition(kLicence, kArea);
  SelectCategories(kLicence, kArea);
}

void BM_ExamDraw(benchmark::State& state, THeadlessPlatform& platform, const std::string& dir,
                 int areaSize) {
  try {
    EnterDirectory(dir);
    PrepareExam();
    for (auto _ : state) {
      platform.AdvanceClock(kClockStepMs);
      DrawExamQuestions(kLicence, kArea);
      int32_t open = OpenQuestionCount();
      benchmark::DoNotOptimize(open);
    }
    // Checked after the loop so that a draw that does too little cannot pass for a fast one.
    if (static_cast<int>(QuestionPool().size()) != areaSize ||
        OpenQuestionCount() != kExamQuestions)
      state.SkipWithError("the draw did not thin the area to the exam's question count");
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
  }
}

void BM_PoolBuild(benchmark::State& state, const std::string& dir, int areaSize) {
  try {
    EnterDirectory(dir);
    PrepareExam();
    for (auto _ : state) {
      BuildQuestionPool(false);
      std::size_t size = QuestionPool().size();
      benchmark::DoNotOptimize(size);
    }
    if (static_cast<int>(QuestionPool().size()) != areaSize)
      state.SkipWithError("the pool does not hold the whole area");
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
  }
}

} // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  const std::vector<int> sizes = {1000, 10000};
  try {
    TTempDir dir(TTempDir::TMode::Enter, "aerolern-bench");
    THeadlessPlatform platform;
    platform.SetProgramPath(dir.File("aerolern"));
    WriteTextFile(dir.File("aerolern.ini"),
                  "AnzPrfFragenGSA=" + std::to_string(kExamQuestions) + "\n");
    platform.SetTimeOfDay(10 * 60 * 60 * 1000);

    for (const int size : sizes) {
      const std::string sub = dir.MakeSubDir("area-" + std::to_string(size));
      WriteCatalogue(sub + "/" + CatalogueFileName, size,
                     [](int recordNo) { return BenchQuestion(recordNo, kLicence, kArea, true); });
      Configure(benchmark::RegisterBenchmark(
          BuildName(size).c_str(),
          [sub, size](benchmark::State& state) { BM_PoolBuild(state, sub, size); }));
      Configure(benchmark::RegisterBenchmark(DrawName(size).c_str(),
                                             [&platform, sub, size](benchmark::State& state) {
                                               BM_ExamDraw(state, platform, sub, size);
                                             }));
      // Warm cache: the file is in memory before anything is measured.
      EnterDirectory(sub);
      ReadCatalogueTwice();
    }

    TCapturingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::cout << '\n';
    PrintRatio(reporter, "exam draw / pool build (area of 1000 questions)", DrawName(1000),
               BuildName(1000), "goal <= 3");
    PrintRatio(reporter, "exam draw / pool build (area of 10000 questions)", DrawName(10000),
               BuildName(10000), "reported, goal set for 1000");
  } catch (const std::exception& error) {
    std::cerr << "bench_exam_draw: " << error.what() << '\n';
    return 1;
  }
  benchmark::Shutdown();
  return 0;
}
