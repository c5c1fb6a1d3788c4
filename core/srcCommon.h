// The question data: catalogue file, categories and selection, question pool, knowledge file,
// settings and exam draw. Plain operations over the module-level state of one run.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// One catalogue question. Texts are UTF-8 in memory; the file holds Windows-1252
// length-prefixed strings (see core/QuestionRecordCodec.h for the byte layout).
struct QuestionRecord {
  bool InUse = false;
  std::string Owner;
  bool CorrectA = false, CorrectB = false, CorrectC = false, CorrectD = false;
  std::string Question, AnswerA, AnswerB, AnswerC, AnswerD;
  int32_t ImageNo = 0;
  int16_t Licence = 0, Area = 0;
};

// One question of the current pass; the same 12 bytes are a record of the knowledge file.
struct PoolEntry {
  uint8_t InUse;
  uint8_t Open;
  int16_t Licence;
  int16_t Area;
  int32_t RecordNo;
};

// The edition owner written into every record and checked at start-up.
extern const char* const EditionOwner;
// File names, looked up in the working directory.
extern const char* const CatalogueFileName;
extern const char* const KnowledgeFileName;

// --- Catalogue ---------------------------------------------------------------------------

// The placeholder shown when no question can be picked.
QuestionRecord NoQuestionRecord();
// The edition check at start-up; selects all 28 categories.
void InitCatalogue();
// Reads record `number`; a number outside the file gives NoQuestionRecord().
void ReadQuestion(int32_t number, QuestionRecord& record);
// Writes a new question at the end (append) or over the current question.
void WriteQuestion(bool append, const QuestionRecord& record);
// Flags the current question as deleted and closes it in the pool.
void DeleteCurrentQuestion();

// --- Categories --------------------------------------------------------------------------

int CategorySlot(int licence, int area);
void CategoryName(int licence, int area, std::string& name);
bool IsValidArea(int licence, int area);
void SelectCategories(int code, int area);
bool SlotSelected(int slot); // false for slots outside 0..27
// Installed by the category dialog; without one every category counts as unticked.
void SetAreaCheckedQuery(std::function<bool(int, int)> query);

// --- Question pool -----------------------------------------------------------------------

void BuildQuestionPool(bool fromKnowledgeFile);
void PickNextQuestion(QuestionRecord& record);
void MarkCurrentKnown();
int32_t OpenQuestionCount();
int32_t CurrentQuestionNo();
void SetEditMode(int32_t value);
int32_t EditMode();
const std::vector<PoolEntry>& QuestionPool();

// --- Knowledge file ----------------------------------------------------------------------

void SaveKnowledge();
// The path of the knowledge file as the settings give it.
std::string KnowledgeFilePath();

// --- Settings and exam -------------------------------------------------------------------

// The path of the settings file: the program path with the extension ".ini".
std::string SettingsFilePath();
void ReadIniValue(const std::string& key, std::string& value);
int32_t ExamLimit(int kind);
void SetExamPosition(int licence, int area);
int ExamLicence();
int ExamArea();
void DrawExamQuestions(int licence, int area);

// --- Small services ----------------------------------------------------------------------

// Lets the program handle its input and timers for a while: processes pending messages at
// least once and returns once strictly more than `milliseconds` have passed on the tick count.
// It waits for events between passes rather than spinning.
void PumpMessagesFor(int32_t milliseconds);
// Opens a document or web address with the desktop's default application. A target of nothing
// but blanks and control characters opens nothing and counts as done. When the desktop cannot
// open it, the message window says so and the result is false.
bool OpenDocument(const std::string& target);
