// Helpers of the question-data test fixture.
#include "support/CoreFixture.h"

#include "core/KnowledgeEntryCodec.h"
#include "core/QuestionData.h"

#include <cstring>

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
