// Shared set-up of the fuzz targets: one working folder per process, the headless platform, file
// writing, a clean question-data state per input, and the check that stops at a broken promise.
#pragma once

#include "core/QuestionRecordCodec.h"
#include "core/srcCommon.h"
#include "toolkit/Application.h"
#include "toolkit/headless/HeadlessPlatform.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include <unistd.h>

namespace fuzz {

// The program file name inside the working folder; the settings file is this plus ".ini".
inline const char* const kProgramName = "aerolern";

inline std::string& WorkDir() {
  static std::string dir;
  return dir;
}

// Created on first use, after the working folder exists, and kept for the whole process: the
// code under test asks the installed platform for the program path and the time of day.
inline THeadlessPlatform& HeadlessPlatform() {
  static THeadlessPlatform platform;
  return platform;
}

// A broken promise of the code under test: abort, so that libFuzzer keeps the input as a crash.
inline void Require(bool condition, const char* what) {
  if (condition)
    return;
  std::fprintf(stderr, "==aerolern-fuzz== check failed: %s\n", what);
  std::abort();
}

// The working folder goes when the process ends normally; after a crash it stays for a look.
inline void RemoveWorkDir() {
  std::error_code ignored;
  std::filesystem::remove_all(WorkDir(), ignored);
}

// libFuzzer reads the corpus folders and writes its findings only after LLVMFuzzerInitialize,
// which moves into the working folder. Relative paths given on the command line are made
// absolute here, and findings go to the folder the run was started in unless it says otherwise.
inline void AnchorArguments(int* argc, char*** argv, const std::string& startDir) {
  static std::vector<std::string> texts;
  static std::vector<char*> pointers;
  bool hasArtifactPrefix = false;
  const char* const pathFlags[] = {"-artifact_prefix=", "-exact_artifact_path=", "-dict="};
  for (int i = 0; i < *argc; ++i) {
    std::string argument = (*argv)[i];
    if (i > 0 && !argument.empty() && argument[0] != '-' && argument[0] != '/') {
      argument = startDir + "/" + argument;
    } else {
      for (const char* flag : pathFlags) {
        const std::string prefix = flag;
        if (argument.compare(0, prefix.size(), prefix) != 0)
          continue;
        if (prefix == "-artifact_prefix=")
          hasArtifactPrefix = true;
        if (argument.size() > prefix.size() && argument[prefix.size()] != '/')
          argument = prefix + startDir + "/" + argument.substr(prefix.size());
      }
    }
    texts.push_back(argument);
  }
  if (!hasArtifactPrefix)
    texts.push_back("-artifact_prefix=" + startDir + "/");
  for (std::string& text : texts)
    pointers.push_back(text.data());
  pointers.push_back(nullptr);
  *argc = static_cast<int>(texts.size());
  *argv = pointers.data();
}

// Creates the working folder, moves into it and places the program there.
inline void Initialize(int* argc, char*** argv) {
  const std::string startDir = std::filesystem::current_path().string();
  AnchorArguments(argc, argv, startDir);
  std::string pattern = (std::filesystem::temp_directory_path() / "aerolern-fuzz-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr || ::chdir(pattern.c_str()) != 0) {
    std::perror("aerolern-fuzz: working folder");
    std::exit(1);
  }
  WorkDir() = pattern;
  std::atexit(RemoveWorkDir);
  HeadlessPlatform().SetProgramPath(WorkDir() + "/" + kProgramName);
}

inline void WriteFile(const std::string& name, const uint8_t* data, std::size_t size) {
  std::ofstream file(name, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  file.close();
  Require(static_cast<bool>(file), "the harness could not write its input file");
}

inline void WriteFile(const std::string& name, const std::string& bytes) {
  WriteFile(name, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

inline std::string SettingsFileName() { return std::string(kProgramName) + ".ini"; }

// A question of the edition in the given category.
inline QuestionRecord Question(int licence, int area, const std::string& text) {
  QuestionRecord record;
  record.InUse = true;
  record.Owner = EditionOwner;
  record.Question = text;
  record.AnswerA = "Antwort A";
  record.AnswerB = "Antwort B";
  record.AnswerC = "Antwort C";
  record.AnswerD = "Antwort D";
  record.CorrectC = true;
  record.Licence = static_cast<int16_t>(licence);
  record.Area = static_cast<int16_t>(area);
  return record;
}

inline std::string CatalogueBytes(const std::vector<QuestionRecord>& records) {
  std::string bytes;
  for (const QuestionRecord& record : records) {
    const RecordBytes encoded = EncodeRecord(record);
    bytes.append(reinterpret_cast<const char*>(encoded.data()), encoded.size());
  }
  return bytes;
}

// Every category selected, the way the program starts; the selection outlives a pool build, so
// each input starts from the same one.
inline void SelectEverything() {
  SetAreaCheckedQuery([](int, int) { return true; });
  SelectCategories(0, 0);
  SelectCategories(-1, -1);
  SetAreaCheckedQuery(nullptr);
}

// Forgets what an earlier input left in the application and the platform's records.
inline void ResetRun() {
  Application.ResetTerminated();
  HeadlessPlatform().ClearMessages();
  SelectEverything();
}

// The pick seeds its generator from the clock only when the reading differs from the last one
// it seeded from. A first pick at kSettleReading (never used otherwise) makes the next reading
// always seed, so that an input behaves the same whatever ran before it.
constexpr int32_t kSettleReading = 86'399'999;

inline void SettleRandomSeed() {
  if (OpenQuestionCount() <= 0)
    return;
  HeadlessPlatform().SetTimeOfDay(kSettleReading);
  QuestionRecord ignored;
  PickNextQuestion(ignored);
}

// A clock reading that depends only on the input; an input may count on up to 1000 readings
// from it on, all below kSettleReading.
inline int32_t ReadingFor(const uint8_t* data, std::size_t size) {
  uint32_t hash = 2166136261u;
  for (std::size_t i = 0; i < size; ++i)
    hash = (hash ^ data[i]) * 16777619u;
  return static_cast<int32_t>(hash % static_cast<uint32_t>(kSettleReading - 1000));
}

// Counts the open entries of the pool.
inline int32_t OpenEntries() {
  int32_t open = 0;
  for (const PoolEntry& entry : QuestionPool())
    if (entry.Open != 0)
      ++open;
  return open;
}

} // namespace fuzz
