// Checks the demo catalogue the build makes from data/katalog.csv: enough questions per
// category for learning and for a full exam, sketches that exist, and texts that fit.
#include "core/QuestionRecordCodec.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>
#include <string>

namespace {

std::string FromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? "" : value;
}

TEST(DemoCatalogueTest, EnoughQuestionsInEveryCategoryAndSketchesThatExist) {
  const std::string binary = FromEnvironment("AEROLERN_BINARY_DIR");
  const std::string source = FromEnvironment("AEROLERN_SOURCE_DIR");
  ASSERT_FALSE(binary.empty() || source.empty()) << "run through ctest";
  const std::string bytes = ReadFileBytes(binary + "/run/Aerolern.dat");
  ASSERT_GT(bytes.size(), 0u);
  ASSERT_EQ(bytes.size() % kRecordSize, 0u);

  std::map<std::pair<int, int>, int> perCategory;
  const std::set<std::string> notices = {"22_2",  "22_3",  "22_4",  "22_5", "22_6", "22_10",
                                         "22_11", "22_12", "22_13", "23_1", "23_2"};
  for (std::size_t i = 0; i < bytes.size() / kRecordSize; ++i) {
    RecordBytes raw{};
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(i * kRecordSize), kRecordSize,
                raw.begin());
    const QuestionRecord record = DecodeRecord(raw);
    ASSERT_TRUE(record.InUse) << "record " << i;
    ++perCategory[{record.Licence, record.Area}];
    EXPECT_FALSE(record.Question.empty()) << "record " << i;
    for (const std::string* answer :
         {&record.AnswerA, &record.AnswerB, &record.AnswerC, &record.AnswerD})
      EXPECT_FALSE(answer->empty()) << "record " << i;
    if (record.ImageNo >= 1) {
      const std::string key = std::to_string(record.Licence) + std::to_string(record.Area) + "_" +
                              std::to_string(record.ImageNo);
      EXPECT_TRUE(notices.count(key) || FileExists(source + "/assets/sketches/" + key + ".jpg"))
          << "record " << i << " names sketch " << key;
    }
  }
  // A full exam of the restricted licence draws 30 per area, of the unrestricted one 40.
  for (int area = 1; area <= 4; ++area)
    EXPECT_GE((perCategory[{1, area}]), 30) << "licence 1, area " << area;
  for (int area = 1; area <= 3; ++area)
    EXPECT_GE((perCategory[{2, area}]), 40) << "licence 2, area " << area;
  EXPECT_GE((perCategory[{3, 1}]), 15);
  for (int licence = 4; licence <= 6; ++licence)
    for (int area = 1; area <= 3; ++area)
      EXPECT_GE((perCategory[{licence, area}]), 10) << "licence " << licence << ", area " << area;
  EXPECT_GE((perCategory[{0, 0}]), 3) << "questions of all categories";
  int seventh = 0;
  for (const auto& [category, count] : perCategory)
    if (category.first == 7)
      seventh += count;
  EXPECT_GE(seventh, 2) << "questions of the hidden motor licence";
}

} // namespace
