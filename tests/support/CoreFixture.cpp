// Helpers of the question-data test fixture.
#include "support/CoreFixture.h"

#include <cstring>

RecordBytes RecordAt(const std::string& fileBytes, std::size_t recordNo) {
  RecordBytes bytes{};
  std::memcpy(bytes.data(), fileBytes.data() + recordNo * kRecordSize, kRecordSize);
  return bytes;
}

std::string EntryBytes(const PoolEntry& entry) {
  std::string bytes(12, '\0');
  bytes[0] = static_cast<char>(entry.InUse);
  bytes[1] = static_cast<char>(entry.Open);
  WriteInt16(reinterpret_cast<uint8_t*>(&bytes[2]), entry.Licence);
  WriteInt16(reinterpret_cast<uint8_t*>(&bytes[4]), entry.Area);
  WriteInt32(reinterpret_cast<uint8_t*>(&bytes[8]), entry.RecordNo);
  return bytes;
}

CoreTest::CoreTest() {
  platform.SetProgramPath(dir.File("aerolern"));
  Application.ResetTerminated();
}

CoreTest::~CoreTest() { SetAreaCheckedQuery(nullptr); }

void CoreTest::WriteSettings(const std::string& content) {
  WriteFileBytes(dir.File("aerolern.ini"), content);
}

void CoreTest::BuildAll() {
  SelectCategories(0, 0);
  SetAreaCheckedQuery([](int, int) { return true; });
  SelectCategories(-1, -1);
  BuildQuestionPool(false);
}
