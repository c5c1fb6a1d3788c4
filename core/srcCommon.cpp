// The functions of the question data, each working on the run's one TQuestionData.
#include "core/srcCommon.h"

#include "core/QuestionData.h"

#include <utility>

void InitCatalogue() { QuestionData().InitCatalogue(); }
void WriteQuestion(bool append, const QuestionRecord& record) {
  QuestionData().WriteQuestion(append, record);
}
void DeleteCurrentQuestion() { QuestionData().DeleteCurrentQuestion(); }

void SelectCategories(int code, int area) { QuestionData().SelectCategories(code, area); }
bool SlotSelected(int slot) { return QuestionData().SlotSelected(slot); }
void SetAreaCheckedQuery(std::function<bool(int, int)> query) {
  QuestionData().SetAreaCheckedQuery(std::move(query));
}

void BuildQuestionPool(bool fromKnowledgeFile) {
  QuestionData().BuildQuestionPool(fromKnowledgeFile);
}
void PickNextQuestion(QuestionRecord& record) { QuestionData().PickNextQuestion(record); }
void MarkCurrentKnown() { QuestionData().MarkCurrentKnown(); }
int32_t OpenQuestionCount() { return QuestionData().OpenQuestionCount(); }
int32_t CurrentQuestionNo() { return QuestionData().CurrentQuestionNo(); }
void SetEditMode(int32_t value) { QuestionData().SetEditMode(value); }
int32_t EditMode() { return QuestionData().EditMode(); }
const std::vector<PoolEntry>& QuestionPool() { return QuestionData().QuestionPool(); }

void SaveKnowledge() { QuestionData().SaveKnowledge(); }

int32_t ExamLimit(int kind) { return QuestionData().ExamLimit(kind); }
void SetExamPosition(int licence, int area) { QuestionData().SetExamPosition(licence, area); }
int ExamLicence() { return QuestionData().ExamLicence(); }
int ExamArea() { return QuestionData().ExamArea(); }
void DrawExamQuestions(int licence, int area) { QuestionData().DrawExamQuestions(licence, area); }
