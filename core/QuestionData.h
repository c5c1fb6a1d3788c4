// The question data of a run as one object: the pool of the current pass, the category
// selection, the random pick, the edit mode, the exam position and the learning-event seam.
#pragma once

#include "core/LearningEvents.h"
#include "core/Licences.h"
#include "core/srcCommon.h"

#include <array>
#include <functional>
#include <vector>

class TQuestionData {
public:
  // The edition check of the catalogue; selects all categories.
  void InitCatalogue();
  // Writes a new question at the end (append) or over the current question.
  void WriteQuestion(bool append, const QuestionRecord& record);
  // Flags the current question as deleted in the catalogue and closes it in the pool.
  void DeleteCurrentQuestion();
  // Takes a deleted question back into the catalogue and makes it the current question, open in
  // the pool when its category is selected.
  void RestoreDeletedQuestion(int32_t recordNo);

  // Selects the one slot of a licence (or exam licence) and area, or, with kSelectFromDialog,
  // every slot whose box the installed query reports as ticked.
  void SelectCategories(int code, int area);
  void SelectAllCategories();
  // Sets or clears one slot's flag; a slot outside 0 to 27 changes nothing.
  void SetSlotSelected(int slot, bool selected);
  bool SlotSelected(int slot) const;
  bool CategorySelected(int licence, int area) const;
  void SetAreaCheckedQuery(std::function<bool(int, int)> query);

  // Builds the pool from the catalogue's selected questions, or loads the knowledge file.
  void BuildQuestionPool(bool fromKnowledgeFile);
  // Makes the entries the pool of a new pass, as a build does.
  void StartPass(std::vector<PoolEntry> entries) { ReplacePool(std::move(entries)); }
  // Picks a random eligible open question and reads it; false with the placeholder when none
  // is found or the catalogue has no such record.
  bool PickNextQuestion(QuestionRecord& record);
  // The pick without reading the record: the chosen record number, or -1.
  int32_t PickNextRecordNo();
  // Closes the open entry of the current question.
  void MarkCurrentKnown();
  int32_t OpenQuestionCount() const { return openCount; }
  int32_t CurrentQuestionNo() const { return currentNo; }
  void SetEditMode(int32_t value) { editMode = value; }
  int32_t EditMode() const { return editMode; }
  const std::vector<PoolEntry>& QuestionPool() const { return pool; }

  // Saves the open entries of the pool as the knowledge file.
  void SaveKnowledge() const;

  // A limit of the exam licence at the exam position (see ExamLimitOf).
  int32_t ExamLimit(int kind) const;
  void SetExamPosition(int licence, int area);
  int ExamLicence() const { return examLicence; }
  int ExamArea() const { return examArea; }
  // Makes the pool the questions of one area, thinned at random to the exam's question count.
  void DrawExamQuestions(int licence, int area);

  // The one listener of the learning events; nullptr for none. The listener must outlive its
  // installation.
  void SetLearningListener(TLearningListener* value) { listener = value; }
  void ReportQuestionShown(const TQuestionShown& event) const;
  void ReportAnswerChecked(const TAnswerChecked& event) const;
  void ReportQuestionSorted(const TQuestionSorted& event) const;
  void ReportExamAreaGraded(const TExamAreaGraded& event) const;

private:
  void LoadKnowledgeIntoPool();
  // Replaces the pool with the entries and counts their open ones.
  void ReplacePool(std::vector<PoolEntry> entries);
  void AppendNewQuestion(int32_t recordNo, int16_t licence, int16_t area);
  bool Eligible(const PoolEntry& entry) const;
  int32_t PickAttempt(int32_t k) const;
  // Closes randomly picked open entries until `keep` are left, exactly as repeated picks and
  // closes would when every open entry is eligible, but in logarithmic time per pick.
  void CloseRandomEntriesDownTo(int32_t keep);
  void SeedFromClock();
  uint32_t Random(uint32_t range);

  std::vector<PoolEntry> pool;
  int32_t openCount = 0;
  int32_t currentNo = 0;
  int32_t editMode = emNewQuestion;
  // The 32-bit linear congruential generator and the clock reading it was last seeded from.
  uint32_t randSeed = 0;
  int64_t lastSeedReading = -1;
  std::array<bool, kSlotCount> slotFlags{};
  std::function<bool(int, int)> areaCheckedQuery;
  int examLicence = 0;
  int examArea = 0;
  TLearningListener* listener = nullptr;
};

// The question data of this run, which the functions of srcCommon.h work on.
TQuestionData& QuestionData();
// Starts the run's question data afresh, as a new run in the same process does.
void ResetQuestionData();
