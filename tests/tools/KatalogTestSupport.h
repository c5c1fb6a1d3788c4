// Questions with the answers the CSV tests expect, and an in-process runner of aerolern-katalog.
#pragma once

#include "core/QuestionRecordCodec.h"
#include "support/QuestionBuilder.h"

#include <string>
#include <vector>

// An active question of the edition owner, as the program's editor would write it, with the
// answers "Antwort eins" to "Antwort vier" (B right).
QuestionRecord EditionQuestion(int16_t licence, int16_t area, const std::string& question);

// The header line of the catalogue CSV, with its LF.
extern const char* const kCsvHeaderLine;

struct TToolRun {
  int Status;
  std::string Out;
  std::string Err;
};

TToolRun RunTool(const std::vector<std::string>& args);

// Names of the entries of a directory, sorted.
std::vector<std::string> FilesIn(const std::string& directory);
