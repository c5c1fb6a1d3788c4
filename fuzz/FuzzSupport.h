// Shared set-up of the fuzz targets: one working folder per process, the headless platform, file
// writing, a clean question-data state per input, and the check that stops at a broken promise.
#pragma once

#include "core/QuestionData.h"
#include "core/QuestionRecordCodec.h"
#include "core/srcCommon.h"
#include "support/QuestionBuilder.h"
#include "support/TempDir.h"
#include "toolkit/Application.h"
#include "toolkit/headless/HeadlessPlatform.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

namespace fuzz {

// The program file name inside the working folder; the settings file is this plus ".ini".
inline const char* const kProgramName = "aerolern";

// The working folder, made and entered on first use (by Initialize). It goes when the process
// ends normally; after a crash it stays for a look.
inline TTempDir& WorkDir() {
  static TTempDir dir(TTempDir::TMode::Enter, "aerolern-fuzz");
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
  try {
    WorkDir();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "aerolern-fuzz: working folder: %s\n", error.what());
    std::exit(1);
  }
  HeadlessPlatform().SetProgramPath(WorkDir().File(kProgramName));
}

inline void WriteFile(const std::string& name, const std::string& bytes) {
  Require(WriteFileBytes(name, bytes), "the harness could not write its input file");
}

inline void WriteFile(const std::string& name, const uint8_t* data, std::size_t size) {
  WriteFile(name, std::string(reinterpret_cast<const char*>(data), size));
}

inline std::string SettingsFileName() { return std::string(kProgramName) + ".ini"; }

// A question of the edition in the given category.
inline QuestionRecord Question(int licence, int area, const std::string& text) {
  return MakeQuestion(licence, area, text,
                      {{"Antwort A", "Antwort B", "Antwort C", "Antwort D"}, 'C'});
}

// Every category selected, the way the program starts; the selection outlives a pool build, so
// each input starts from the same one.
inline void SelectEverything() {
  SetAreaCheckedQuery([](int, int) { return true; });
  SelectCategories(0, 0);
  SelectCategories(-1, -1);
  SetAreaCheckedQuery(nullptr);
}

// Forgets what an earlier step left in the application and the platform's records.
inline void ResetRun() {
  Application.ResetTerminated();
  HeadlessPlatform().ClearMessages();
  SelectEverything();
}

// The last clock reading of a day.
constexpr int32_t kLastReading = 86'399'999;

// A clock reading that depends only on the input; an input may count on up to 1000 readings
// from it on, all within the day.
inline int32_t ReadingFor(const uint8_t* data, std::size_t size) {
  uint32_t hash = 2166136261u;
  for (std::size_t i = 0; i < size; ++i)
    hash = (hash ^ data[i]) * 16777619u;
  return static_cast<int32_t>(hash % static_cast<uint32_t>(kLastReading - 1000));
}

// Every input starts a run of its own: fresh question data, so that nothing an earlier input
// left (the pool, the generator's last seed) changes what this one does.
inline void StartCase() {
  ResetQuestionData();
  ResetRun();
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
