// Whole-file operations on the catalogue "Aerolern.dat" that the question data builds on.
#pragma once

#include "core/srcCommon.h"

#include <cstdint>
#include <functional>
#include <vector>

// Whether the record at a quarter of the catalogue carries this edition's owner.
bool CatalogueMatchesEdition();
// An open entry, in record order, for every record in use whose licence and area are wanted.
std::vector<PoolEntry> ScanCatalogue(const std::function<bool(int16_t, int16_t)>& wanted);
// The in-use flag of every record of the catalogue, in record order.
std::vector<bool> RecordsInUse();
// Reads record `number` into `record`; false with the placeholder for a number outside the file.
bool ReadExistingQuestion(int32_t number, QuestionRecord& record);
// Writes the record at the end and returns its number; a failed write leaves whole records.
int32_t AppendRecord(const QuestionRecord& record);
// Writes the record over record `recordNo`, which must exist.
void ReplaceRecord(int32_t recordNo, const QuestionRecord& record);
// Clears the in-use flag of record `recordNo`.
void FlagRecordDeleted(int32_t recordNo);
// Sets the in-use flag of record `recordNo` again.
void FlagRecordInUse(int32_t recordNo);
