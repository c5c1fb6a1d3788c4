// The question data: catalogue file, categories and selection, question pool, knowledge file,
// settings and exam draw. The stateful functions work on the run's TQuestionData
// (core/QuestionData.h).
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

// One question of the current pass; the same 12 bytes are an entry of the knowledge file (see
// core/KnowledgeEntryCodec.h).
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

// The code of SelectCategories that takes the selection from the category dialog's boxes.
constexpr int kSelectFromDialog = -1;
// The kinds of ExamLimit: questions per area, wrong answers from which the learner is examined
// orally, and wrong answers from which the area is failed.
enum : int { elQuestionCount = 1, elOralFrom = 2, elFailFrom = 3 };
// The edit modes: the question editor enters a new question or changes the current one.
enum : int32_t { emNewQuestion = 0, emChangeQuestion = 1 };

// --- Catalogue ---------------------------------------------------------------------------

// The placeholder question shown when no question can be picked.
QuestionRecord NoQuestionRecord();
// Checks that the catalogue belongs to this edition (ending the program if not) and selects all
// categories.
void InitCatalogue();
// Reads record `number` into `record`, or the placeholder for a number outside the file.
void ReadQuestion(int32_t number, QuestionRecord& record);
// Writes the record as a new question at the end (append) or over the current question.
void WriteQuestion(bool append, const QuestionRecord& record);
// Flags the current question as deleted in the catalogue and closes it in the pool.
void DeleteCurrentQuestion();

// --- Categories --------------------------------------------------------------------------

// The selection slot of a record's licence and area: 0 to 27, 100 + licence for an area without
// one, 0 for a licence outside 1 to 7.
int CategorySlot(int licence, int area);
// The name the main window shows for a licence (or exam licence) and area.
void CategoryName(int licence, int area, std::string& name);
// Whether an exam of the exam licence examines the area.
bool IsValidArea(int licence, int area);
// Selects only the slot of the licence and area, or with kSelectFromDialog the ticked boxes.
void SelectCategories(int code, int area);
// Whether the slot is selected; false for slots outside 0 to 27.
bool SlotSelected(int slot);
// Installs the category dialog's box query; without one every category counts as unticked.
void SetAreaCheckedQuery(std::function<bool(int, int)> query);

// --- Question pool -----------------------------------------------------------------------

// Builds the pool from the selected questions of the catalogue, or loads the knowledge file.
void BuildQuestionPool(bool fromKnowledgeFile);
// Picks a random open question of the selection into `record`, or the placeholder.
void PickNextQuestion(QuestionRecord& record);
// Closes the current question for this pass.
void MarkCurrentKnown();
// The number of open questions of the pass.
int32_t OpenQuestionCount();
// The record number of the current question; -1 when the last pick found none.
int32_t CurrentQuestionNo();
// Sets whether the question editor enters a new question or changes the current one.
void SetEditMode(int32_t value);
// The question editor's mode: emNewQuestion or emChangeQuestion.
int32_t EditMode();
// The entries of the current pass in pool order.
const std::vector<PoolEntry>& QuestionPool();

// --- Knowledge file ----------------------------------------------------------------------

// Replaces the knowledge file with the open entries of the pool.
void SaveKnowledge();
// The path of the knowledge file as the settings give it.
std::string KnowledgeFilePath();

// --- Settings and exam -------------------------------------------------------------------

// The path of the settings file: the program path with the extension ".ini".
std::string SettingsFilePath();
// The value of the key's last line in the settings file, empty when there is none.
void ReadIniValue(const std::string& key, std::string& value);
// A limit (elQuestionCount, elOralFrom, elFailFrom) of the exam licence at the exam position.
int32_t ExamLimit(int kind);
// Sets the exam licence and area the exam is at.
void SetExamPosition(int licence, int area);
// The exam licence of the exam position.
int ExamLicence();
// The area of the exam position.
int ExamArea();
// Makes the pool the questions of the area, thinned at random to the exam's question count.
void DrawExamQuestions(int licence, int area);

// --- Small services ----------------------------------------------------------------------

// Lets the program handle its input and timers for a while: processes pending messages at
// least once and returns once strictly more than `milliseconds` have passed on the tick count,
// or at once when the program has been asked to end. It waits for events between passes rather
// than spinning.
void PumpMessagesFor(int32_t milliseconds);
// Opens a document or web address with the desktop's default application. A target of nothing
// but blanks and control characters opens nothing and counts as done. When the desktop cannot
// open it, the message window says so and the result is false.
bool OpenDocument(const std::string& target);
