// The sketch keys and what each of them shows.
#include "core/SketchTable.h"

#include <algorithm>

namespace {

struct TSketchRange {
  int Category;
  int First;
  int Last;
};

// Keys with a picture control of their own, as ranges of sketch numbers per category code.
constexpr TSketchRange kOwnPictures[] = {{11, 1, 6},  {11, 11, 11}, {12, 1, 7}, {13, 1, 26},
                                         {14, 1, 13}, {21, 1, 22},  {22, 1, 1}, {22, 7, 9},
                                         {23, 3, 4},  {62, 1, 1},   {74, 1, 1}, {77, 1, 4}};
// Keys of chart excerpts that may not be shown: they show the notice picture.
constexpr TSketchRange kNoticeKeys[] = {{22, 2, 6}, {22, 10, 13}, {23, 1, 2}};
// The one key whose control has no picture.
const char* const kKeyWithoutPicture = "23_4";

std::string Key(int category, int number) {
  return std::to_string(category) + "_" + std::to_string(number);
}

std::vector<TSketchEntry> BuildTable() {
  std::vector<TSketchEntry> entries;
  for (const TSketchRange& range : kOwnPictures)
    for (int number = range.First; number <= range.Last; ++number) {
      const std::string key = Key(range.Category, number);
      entries.push_back(
          {key, key == kKeyWithoutPicture ? TSketchKind::NoPicture : TSketchKind::OwnPicture});
    }
  for (const TSketchRange& range : kNoticeKeys)
    for (int number = range.First; number <= range.Last; ++number)
      entries.push_back({Key(range.Category, number), TSketchKind::Notice});
  return entries;
}

} // namespace

const char* const kNoticePictureFile = "sketches/noICAO.jpg";

std::string SketchKey(int licence, int area, int32_t imageNo) {
  return std::to_string(licence) + std::to_string(area) + "_" + std::to_string(imageNo);
}

// Built on each call: the table is small and read rarely, and a run keeps no state of it.
std::vector<TSketchEntry> SketchTable() { return BuildTable(); }

TSketchKind SketchKindOf(const std::string& key) {
  const std::vector<TSketchEntry> table = SketchTable();
  const auto entry =
      std::find_if(table.begin(), table.end(), [&](const TSketchEntry& e) { return e.Key == key; });
  return entry == table.end() ? TSketchKind::NoEntry : entry->Kind;
}

std::string SketchPictureFile(const std::string& key) { return "sketches/" + key + ".jpg"; }
