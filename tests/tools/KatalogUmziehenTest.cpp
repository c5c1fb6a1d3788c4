// Tests of carrying a knowledge file over to a revised catalogue.
#include "KatalogTestSupport.h"

#include "core/KnowledgeEntryCodec.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

std::string KnowledgeBytes(const std::vector<PoolEntry>& entries) {
  std::string bytes;
  for (const PoolEntry& entry : entries) {
    const KnowledgeEntryBytes encoded = EncodeKnowledgeEntry(entry);
    bytes.append(reinterpret_cast<const char*>(encoded.data()), encoded.size());
  }
  return bytes;
}

using TEntryFields = std::tuple<int, int, int, int, int32_t>; // InUse, Open, Licence, Area, Nr

std::vector<TEntryFields> FieldsOf(const std::string& knowledgeBytes) {
  std::vector<TEntryFields> fields;
  for (const PoolEntry& entry : DecodeKnowledgeEntries(knowledgeBytes))
    fields.emplace_back(entry.InUse, entry.Open, entry.Licence, entry.Area, entry.RecordNo);
  return fields;
}

QuestionRecord Deleted(QuestionRecord record) {
  record.InUse = false;
  return record;
}

} // namespace

TEST(KatalogUmziehen, FollowsQuestionsByContentAddsNewOnesAndDropsGoneOnes) {
  QuestionRecord rekeyed = EditionQuestion(3, 1, "Funk");
  rekeyed.CorrectB = false; // a corrected answer key is the same question
  rekeyed.CorrectD = true;
  const std::string oldCatalogue = CatalogueBytes({
      EditionQuestion(1, 1, "Wolken"),             // 0
      EditionQuestion(1, 2, "Funk"),               // 1
      EditionQuestion(0, 0, "Doppelt"),            // 2
      EditionQuestion(0, 0, "Doppelt"),            // 3
      EditionQuestion(2, 1, "Gestrichen"),         // 4
      EditionQuestion(1, 3, "Gelernt"),            // 5: learned, so not in the knowledge file
      Deleted(EditionQuestion(1, 4, "Wieder da")), // 6
      Deleted(EditionQuestion(1, 4, "Zurück")),    // 7: deleted, yet named by an entry
  });
  const std::string newCatalogue = CatalogueBytes({
      rekeyed,                                  // 0
      Deleted(EditionQuestion(1, 1, "Wolken")), // 1: a deleted copy is not taken
      EditionQuestion(2, 2, "Wolken"),          // 2
      EditionQuestion(0, 0, "Doppelt"),         // 3
      EditionQuestion(1, 3, "Gelernt"),         // 4
      EditionQuestion(4, 1, "Neu"),             // 5
      EditionQuestion(0, 0, "Doppelt"),         // 6
      Deleted(EditionQuestion(4, 2, "Neu gelöscht")),
      EditionQuestion(1, 4, "Wieder da"), // 8: in use again, but the old one was not
      EditionQuestion(1, 4, "Zurück"),    // 9: taken by its entry, not added twice
  });
  const std::string knowledge = KnowledgeBytes({
      {1, 1, 1, 2, 1}, // Funk
      {1, 0, 1, 1, 0}, // Wolken, closed: stays closed
      {1, 1, 0, 0, 3}, // Doppelt (second copy)
      {1, 1, 0, 0, 2}, // Doppelt (first copy)
      {1, 1, 0, 0, 3}, // Doppelt once more: no copy left for it
      {1, 1, 2, 1, 4}, // Gestrichen: gone
      {1, 1, 1, 4, 7}, // Zurück
      {1, 1, 1, 1, 8}, // outside the old catalogue
      {1, 1, 1, 1, -1},
  });

  TTempDir dir;
  WriteFileBytes("alt.dat", oldCatalogue);
  WriteFileBytes("neu.dat", newCatalogue);
  WriteFileBytes("Wissensstand.dat", knowledge + "\x01\x02\x03");
  const TToolRun run =
      RunTool({"umziehen", "alt.dat", "neu.dat", "Wissensstand.dat", "-o", "neu-wissen.dat"});
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Out, "neu-wissen.dat: 5 Einträge übernommen, 2 Fragen neu aufgenommen, "
                     "4 Einträge entfallen.\n");
  EXPECT_NE(run.Err.find("Wissensstand.dat endet mit 3 Bytes"), std::string::npos) << run.Err;
  const std::vector<TEntryFields> expected = {
      {1, 1, 3, 1, 0}, {1, 0, 2, 2, 2}, {1, 1, 0, 0, 3}, {1, 1, 0, 0, 6},
      {1, 1, 1, 4, 9}, {1, 1, 4, 1, 5}, {1, 1, 1, 4, 8},
  };
  EXPECT_EQ(FieldsOf(ReadFileBytes("neu-wissen.dat")), expected);
  EXPECT_EQ(ReadFileBytes("Wissensstand.dat"), knowledge + "\x01\x02\x03");

  // The same catalogue on both sides changes nothing; one of each is counted in the singular.
  WriteFileBytes("eins.dat",
                 CatalogueBytes({EditionQuestion(1, 1, "A"), EditionQuestion(1, 1, "B")}));
  WriteFileBytes("zwei.dat",
                 CatalogueBytes({EditionQuestion(1, 1, "B"), EditionQuestion(1, 1, "C")}));
  WriteFileBytes("w.dat", KnowledgeBytes({{1, 1, 1, 1, 0}, {1, 1, 1, 1, 1}}));
  const TToolRun same = RunTool({"umziehen", "eins.dat", "eins.dat", "w.dat", "-o", "w.dat"});
  EXPECT_EQ(same.Out, "w.dat: 2 Einträge übernommen, 0 Fragen neu aufgenommen, "
                      "0 Einträge entfallen.\n");
  EXPECT_EQ(ReadFileBytes("w.dat"), KnowledgeBytes({{1, 1, 1, 1, 0}, {1, 1, 1, 1, 1}}));
  const TToolRun one = RunTool({"umziehen", "eins.dat", "zwei.dat", "w.dat", "-o", "w2.dat"});
  EXPECT_EQ(one.Out, "w2.dat: 1 Eintrag übernommen, 1 Frage neu aufgenommen, "
                     "1 Eintrag entfallen.\n");
  EXPECT_EQ(FieldsOf(ReadFileBytes("w2.dat")),
            (std::vector<TEntryFields>{{1, 1, 1, 1, 0}, {1, 1, 1, 1, 1}}));
}
