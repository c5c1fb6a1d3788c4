// Questions of the edition and catalogue files made of them, encoded as the program writes them.
#pragma once

#include "core/QuestionRecordCodec.h"
#include "core/srcCommon.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

// The four answers of a question and the one that is right ('A' to 'D').
struct TAnswers {
  std::array<std::string, 4> Texts = {"A", "B", "C", "D"};
  char Right = 'B';
};

// A question of the edition in use, in the given category, without a sketch.
QuestionRecord MakeQuestion(int licence, int area, const std::string& text = "Frage",
                            const TAnswers& answers = {});

// `count` questions of one category, "Frage 0", "Frage 1", ….
std::vector<QuestionRecord> Questions(int count, int licence, int area);

// The bytes of a catalogue file holding the records (EncodeRecord, reserved field 0).
std::string CatalogueBytes(const std::vector<QuestionRecord>& records);

// Writes the catalogue file of the records; throws std::runtime_error when it cannot.
void WriteCatalogue(const std::vector<QuestionRecord>& records,
                    const std::string& path = CatalogueFileName);

// Writes a catalogue of `count` records made by `make` (called with the record number) one at
// a time, so that a large one needs no more memory than a record; returns how many are in use.
// Throws std::runtime_error when the file cannot be written.
int WriteCatalogue(const std::string& path, int count,
                   const std::function<QuestionRecord(int)>& make);
