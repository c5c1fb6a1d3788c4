// Helpers of the question-data test fixture.
#include "support/CoreFixture.h"

#include "core/KnowledgeEntryCodec.h"
#include "core/QuestionData.h"

#include <cstring>

QuestionRecord MakeQuestion(int licence, int area, const std::string& text) {
  QuestionRecord record;
  record.InUse = true;
  record.Owner = EditionOwner;
  record.Question = text;
  record.AnswerA = "A";
  record.AnswerB = "B";
  record.AnswerC = "C";
  record.AnswerD = "D";
  record.CorrectB = true;
  record.Licence = static_cast<int16_t>(licence);
  record.Area = static_cast<int16_t>(area);
  return record;
}

void WriteCatalogue(const std::vector<QuestionRecord>& records, const std::string& path) {
  std::string bytes;
  for (const QuestionRecord& record : records) {
    const RecordBytes encoded = EncodeRecord(record);
    bytes.append(reinterpret_cast<const char*>(encoded.data()), encoded.size());
  }
  WriteFileBytes(path, bytes);
}

std::vector<QuestionRecord> Questions(int count, int licence, int area) {
  std::vector<QuestionRecord> records;
  for (int i = 0; i < count; ++i)
    records.push_back(MakeQuestion(licence, area, "Frage " + std::to_string(i)));
  return records;
}

RecordBytes RecordAt(const std::string& fileBytes, std::size_t recordNo) {
  RecordBytes bytes{};
  std::memcpy(bytes.data(), fileBytes.data() + recordNo * kRecordSize, kRecordSize);
  return bytes;
}

std::string EntryBytes(const PoolEntry& entry) {
  const KnowledgeEntryBytes bytes = EncodeKnowledgeEntry(entry);
  return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

CoreTest::CoreTest() {
  platform.SetProgramPath(dir.File("aerolern"));
  Application.ResetTerminated();
  ResetQuestionData();
}

CoreTest::~CoreTest() = default;

void CoreTest::WriteSettings(const std::string& content) {
  WriteFileBytes(dir.File("aerolern.ini"), content);
}

void CoreTest::BuildAll() {
  SelectCategories(0, 0);
  SetAreaCheckedQuery([](int, int) { return true; });
  SelectCategories(kSelectFromDialog, kSelectFromDialog);
  BuildQuestionPool(false);
}
