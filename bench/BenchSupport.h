// Shared helpers of the question-data benchmarks.
// Generated questions, the plain-read baseline, and a reporter that keeps the measured times for
// the ratio lines. The scratch directory (TTempDir) and the catalogue writer come from the test
// support library.
#pragma once

#include "core/QuestionRecordCodec.h"
#include "core/srcCommon.h"
#include "support/QuestionBuilder.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

struct TFileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using TFilePtr = std::unique_ptr<std::FILE, TFileCloser>;

inline void WriteTextFile(const std::string& path, const std::string& text) {
  if (!WriteFileBytes(path, text))
    throw std::runtime_error("cannot write " + path);
}

// Text of roughly `length` characters made of whole words, so that question and answer fields
// vary in fill the way real ones do; the umlauts go through the Windows-1252 conversion.
inline std::string BenchText(int seed, std::size_t length) {
  static const char* const kWords[] = {
      "Welche", "Wolkenform", "kündigt", "eine", "Gewitterfront", "an",
      "und",    "wie",        "verhält", "sich", "der",           "Gleitschirm",
      "bei",    "böigem",     "Talwind", "über", "dem",           "Startplatz",
      "im",     "Lee",        "Luftraum"};
  constexpr int kWordCount = static_cast<int>(sizeof(kWords) / sizeof(kWords[0]));
  std::string text;
  for (int word = seed % kWordCount; text.size() < length; word = (word + 1) % kWordCount) {
    if (!text.empty())
      text += ' ';
    text += kWords[word];
  }
  return text;
}

inline QuestionRecord BenchQuestion(int index, int licence, int area, bool inUse) {
  QuestionRecord record;
  record.InUse = inUse;
  record.Owner = EditionOwner;
  record.Question = "Frage " + std::to_string(index) + ": " +
                    BenchText(index, 40 + static_cast<std::size_t>(index * 37 % 200)) + "?";
  record.AnswerA = BenchText(index + 1, 20 + static_cast<std::size_t>(index * 13 % 120));
  record.AnswerB = BenchText(index + 2, 20 + static_cast<std::size_t>(index * 17 % 120));
  record.AnswerC = BenchText(index + 3, 20 + static_cast<std::size_t>(index * 19 % 120));
  record.AnswerD = BenchText(index + 4, 20 + static_cast<std::size_t>(index * 23 % 120));
  record.CorrectA = index % 4 == 0;
  record.CorrectB = index % 4 == 1;
  record.CorrectC = index % 4 == 2;
  record.CorrectD = index % 4 == 3;
  record.ImageNo = index % 10 == 0 ? index / 10 : 0;
  record.Licence = static_cast<int16_t>(licence);
  record.Area = static_cast<int16_t>(area);
  return record;
}

// The baseline: open the catalogue with plain stdio, read every record in turn, close; twice.
// The in-use byte is looked at so that the records are really fetched into user memory, as the
// pool build does. Returns the in-use count of both passes together.
inline int64_t ReadCatalogueTwice() {
  int64_t inUse = 0;
  RecordBytes bytes{};
  for (int pass = 0; pass < 2; ++pass) {
    TFilePtr file(std::fopen(CatalogueFileName, "rb"));
    if (!file)
      throw std::runtime_error(std::string("cannot open ") + CatalogueFileName);
    while (std::fread(bytes.data(), 1, bytes.size(), file.get()) == bytes.size())
      inUse += bytes[kOffInUse] != 0 ? 1 : 0;
  }
  return inUse;
}

inline void EnterDirectory(const std::string& path) { std::filesystem::current_path(path); }

// Every category ticked, the way the category dialog does it.
inline void SelectEveryCategory() {
  SelectCategories(0, 0);
  SetAreaCheckedQuery([](int, int) { return true; });
  SelectCategories(-1, -1);
}

// The licence/area pairs that pass the selection when everything is ticked, taken from the core
// so that every generated record makes it into the pool and the build does its full work.
inline std::vector<std::pair<int, int>> SelectablePairs() {
  SelectEveryCategory();
  std::vector<std::pair<int, int>> pairs;
  for (int licence = 1; licence <= 7; ++licence)
    for (int area = 1; area <= 10; ++area)
      if (SlotSelected(CategorySlot(licence, area)))
        pairs.emplace_back(licence, area);
  return pairs;
}

// Settings every benchmark shares: wall-clock time (the baseline is file access, so CPU time
// would hide the kernel's part), several repetitions, and their median for the ratios.
inline benchmark::internal::Benchmark* Configure(benchmark::internal::Benchmark* bench) {
  return bench->Unit(benchmark::kMillisecond)
      ->UseRealTime()
      ->MinWarmUpTime(0.2)
      ->Repetitions(5)
      ->ReportAggregatesOnly(true);
}

// Prints as the console reporter does and keeps the real time per iteration of every run, so that
// the ratios come from the very measurements shown above them.
class TCapturingReporter : public benchmark::ConsoleReporter {
public:
  // Colour only on a terminal, so that saved output stays plain text.
  TCapturingReporter() : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& reports) override {
    ConsoleReporter::ReportRuns(reports);
    for (const Run& run : reports) {
      if (run.error_occurred)
        continue;
      const double seconds =
          run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
      const double cpuSeconds =
          run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
      const std::string& name = run.run_name.function_name;
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
        medians[name] = seconds;
        cpuMedians[name] = cpuSeconds;
      } else if (run.run_type == Run::RT_Iteration) {
        singles[name] = seconds;
        cpuSingles[name] = cpuSeconds;
      }
    }
  }

  // The median over the repetitions, or the single run when there was only one.
  std::optional<double> Seconds(const std::string& name) const {
    return Lookup(medians, singles, name);
  }
  // The same for the processor time of this process (user and system) per iteration.
  std::optional<double> CpuSeconds(const std::string& name) const {
    return Lookup(cpuMedians, cpuSingles, name);
  }

private:
  static std::optional<double> Lookup(const std::map<std::string, double>& aggregated,
                                      const std::map<std::string, double>& single,
                                      const std::string& name) {
    if (const auto found = aggregated.find(name); found != aggregated.end())
      return found->second;
    if (const auto found = single.find(name); found != single.end())
      return found->second;
    return std::nullopt;
  }

  std::map<std::string, double> medians;
  std::map<std::string, double> singles;
  std::map<std::string, double> cpuMedians;
  std::map<std::string, double> cpuSingles;
};

// One line "ratio <what>: <value> (<goal>)", or a note when a side was not measured (filtered out
// or failed), so that a missing figure is never mistaken for a good one.
inline void PrintRatioOf(const std::string& what, std::optional<double> top,
                         std::optional<double> bottom, const std::string& goal) {
  std::cout << "ratio " << what << ": ";
  if (top && bottom && *bottom > 0)
    std::cout << std::fixed << std::setprecision(2) << *top / *bottom;
  else
    std::cout << "not measured";
  std::cout << " (" << goal << ")\n";
}

// The ratio of the real times of two benchmarks.
inline void PrintRatio(const TCapturingReporter& reporter, const std::string& what,
                       const std::string& numerator, const std::string& denominator,
                       const std::string& goal) {
  PrintRatioOf(what, reporter.Seconds(numerator), reporter.Seconds(denominator), goal);
}

// The ratio of their processor times.
inline void PrintCpuRatio(const TCapturingReporter& reporter, const std::string& what,
                          const std::string& numerator, const std::string& denominator,
                          const std::string& goal) {
  PrintRatioOf(what, reporter.CpuSeconds(numerator), reporter.CpuSeconds(denominator), goal);
}
