// Benchmark: building the question pool from the catalogue, against reading the catalogue twice.
#include "bench/BenchSupport.h"

#include "toolkit/headless/HeadlessPlatform.h"

#include <exception>
#include <iostream>
#include <string>
#include <vector>

namespace {

std::string BuildName(int size) { return "PoolBuild/" + std::to_string(size); }
std::string ReadName(int size) { return "TwoSequentialReads/" + std::to_string(size); }

void BM_PoolBuild(benchmark::State& state, const std::string& dir, int expectedInUse) {
  try {
    EnterDirectory(dir);
    SelectEveryCategory();
    BuildQuestionPool(false);
    if (static_cast<int>(QuestionPool().size()) != expectedInUse) {
      state.SkipWithError("the pool does not hold every question in use");
      return;
    }
    for (auto _ : state) {
      BuildQuestionPool(false);
      std::size_t size = QuestionPool().size();
      benchmark::DoNotOptimize(size);
    }
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
  }
}

void BM_TwoSequentialReads(benchmark::State& state, const std::string& dir, int expectedInUse) {
  try {
    EnterDirectory(dir);
    if (ReadCatalogueTwice() != 2 * static_cast<int64_t>(expectedInUse)) {
      state.SkipWithError("the plain read does not see every question in use");
      return;
    }
    for (auto _ : state) {
      int64_t inUse = ReadCatalogueTwice();
      benchmark::DoNotOptimize(inUse);
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
  const std::vector<int> sizes = {1000, 10000, 100000};
  try {
    TTempDir dir(TTempDir::TMode::Enter, "aerolern-bench");
    THeadlessPlatform platform;
    platform.SetProgramPath(dir.File("aerolern"));
    WriteTextFile(dir.File("aerolern.ini"), "AnzPrfFragenGSA=30\n");

    const std::vector<std::pair<int, int>> pairs = SelectablePairs();
    for (const int size : sizes) {
      const std::string sub = dir.MakeSubDir("catalogue-" + std::to_string(size));
      // Categories interleaved as an edited catalogue has them; one record in 50 deleted.
      const int inUse = WriteCatalogue(sub + "/" + CatalogueFileName, size, [&](int recordNo) {
        const auto& [licence, area] = pairs[static_cast<std::size_t>(recordNo) % pairs.size()];
        return BenchQuestion(recordNo, licence, area, recordNo % 50 != 49);
      });
      // Build and baseline run back to back per size, so that both see the same machine state.
      Configure(benchmark::RegisterBenchmark(
          BuildName(size).c_str(),
          [sub, inUse](benchmark::State& state) { BM_PoolBuild(state, sub, inUse); }));
      Configure(benchmark::RegisterBenchmark(
          ReadName(size).c_str(),
          [sub, inUse](benchmark::State& state) { BM_TwoSequentialReads(state, sub, inUse); }));
      // Warm cache: the file is in memory before anything is measured.
      EnterDirectory(sub);
      ReadCatalogueTwice();
    }

    TCapturingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::cout << '\n';
    for (const int size : sizes)
      PrintRatio(reporter,
                 "pool build / two sequential reads (" + std::to_string(size) + " records)",
                 BuildName(size), ReadName(size), "goal <= 1.5");
  } catch (const std::exception& error) {
    std::cerr << "bench_pool_build: " << error.what() << '\n';
    return 1;
  }
  benchmark::Shutdown();
  return 0;
}
