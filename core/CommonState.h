// Internal operations shared by the files of the question-data unit; not for other units.
#pragma once

#include "core/srcCommon.h"

// Sets all 28 selection flags.
void SelectAllCategories();
// Whether the selection flag of the pair's slot is set.
bool CategorySelected(int licence, int area);

// Replaces the pool with the given entries and sets the open count to the open ones among them.
void ReplacePool(std::vector<PoolEntry> entries);
// Sets the open count without touching the entries.
void SetOpenCount(int32_t value);
// Appends an entry for a new question and makes it current; it is open when its category is
// selected.
void AppendNewQuestion(int32_t recordNo, int16_t licence, int16_t area);
// A pick that does not read the record: returns the chosen record number or -1.
int32_t PickNextRecordNo();
// The suffix of the exam keys for an exam licence, or an empty text when it has none.
std::string ExamKeySuffix(int licence);
// Loads the knowledge file into the pool (the pool build with its flag set).
void LoadKnowledgeIntoPool();
// Reads the whole catalogue once and returns an open entry, in record order, for every record
// in use whose licence and area the predicate wants.
std::vector<PoolEntry> ScanCatalogue(const std::function<bool(int16_t, int16_t)>& wanted);
// The number of questions an area's exam keeps for an exam licence (71 and 72 have their own).
int32_t ExamQuestionCount(int licence);
// Closes randomly picked open entries until `keep` are left, exactly as repeated picks and
// closes would when every open entry is eligible, but in logarithmic time per pick.
void CloseRandomEntriesDownTo(int32_t keep);
// The in-use flag of every record of the catalogue, in record order.
std::vector<bool> RecordsInUse();
