// Test fixture for the question data: a fresh working directory, the headless platform with the
// program placed in it, and helpers that write catalogues, settings and knowledge files.
#pragma once

#include "core/QuestionRecordCodec.h"
#include "core/srcCommon.h"
#include "support/QuestionBuilder.h"
#include "support/TempDir.h"
#include "toolkit/Application.h"
#include "toolkit/headless/HeadlessPlatform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Raw bytes of one record of a catalogue file.
RecordBytes RecordAt(const std::string& fileBytes, std::size_t recordNo);

// The 12-byte image of a pool entry as the knowledge file holds it.
std::string EntryBytes(const PoolEntry& entry);

class CoreTest : public ::testing::Test {
protected:
  CoreTest();
  ~CoreTest() override;

  // Writes the settings file beside the program (program path inside the temp directory).
  void WriteSettings(const std::string& content);
  // Selects every category and builds the pool from the catalogue.
  void BuildAll();

  TTempDir dir;
  THeadlessPlatform platform;
};
