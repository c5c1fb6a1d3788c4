// Tests of the knowledge file listing.
#include "KatalogTestSupport.h"

#include "support/TempDir.h"
#include "tools/katalog/KnowledgeListing.h"

#include <gtest/gtest.h>

namespace {

std::string Entry(uint8_t inUse, uint8_t open, int16_t licence, int16_t area, int32_t recordNo) {
  uint8_t bytes[12] = {inUse, open, 0, 0, 0, 0, 0xAB, 0xCD}; // filler bytes are not looked at
  WriteInt16(bytes + 2, licence);
  WriteInt16(bytes + 4, area);
  WriteInt32(bytes + 8, recordNo);
  return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

} // namespace

TEST(KatalogWissen, ListsEveryEntryAndNotesATrailingPartialOne) {
  const std::string entries =
      Entry(1, 1, 7, 10, 70000) + Entry(1, 0, 1, 2, 3) + Entry(0, 1, -1, 300, -2);
  const TKnowledgeFile file = ReadKnowledgeEntries(entries + "\x01\x02\x03\x04\x05");
  ASSERT_EQ(file.Entries.size(), 3u);
  EXPECT_EQ(file.TrailingBytes, 5u);
  const PoolEntry& first = file.Entries[0];
  EXPECT_EQ(first.InUse, 1);
  EXPECT_EQ(first.Open, 1);
  EXPECT_EQ(first.Licence, 7);
  EXPECT_EQ(first.Area, 10);
  EXPECT_EQ(first.RecordNo, 70000);
  const PoolEntry& last = file.Entries[2];
  EXPECT_EQ(last.InUse, 0);
  EXPECT_EQ(last.Licence, -1);
  EXPECT_EQ(last.Area, 300);
  EXPECT_EQ(last.RecordNo, -2);

  TTempDir dir;
  WriteFileBytes("Wissensstand.dat", entries + "\x01\x02\x03\x04\x05");
  const TToolRun run = RunTool({"wissen", "Wissensstand.dat"});
  EXPECT_EQ(run.Status, 0);
  EXPECT_NE(run.Out.find("3 Einträge, davon 2 offen"), std::string::npos) << run.Out;
  EXPECT_NE(run.Out.find("     0       1      1       7       10       70000\n"), std::string::npos)
      << run.Out;
  EXPECT_NE(run.Out.find("     2       0      1      -1      300          -2\n"), std::string::npos)
      << run.Out;
  EXPECT_NE(run.Err.find("5 Bytes"), std::string::npos) << run.Err;

  WriteFileBytes("Wissensstand.dat", entries);
  const TToolRun whole = RunTool({"wissen", "Wissensstand.dat"});
  EXPECT_EQ(whole.Status, 0);
  EXPECT_EQ(whole.Err, "");
}
