// Tests of the category table: slots, names, exam areas and the selection flags.
#include "support/CoreFixture.h"

namespace {

class CategoriesTest : public CoreTest {};

TEST_F(CategoriesTest, SlotsFollowTheTable) {
  const int slotsInOrder[][2] = {{1, 1}, {1, 2}, {1, 3}, {1, 4}, {2, 1}, {2, 2}, {2, 3},
                                 {3, 1}, {4, 1}, {4, 2}, {4, 3}, {5, 1}, {5, 2}, {5, 3},
                                 {6, 1}, {6, 2}, {6, 3}, {7, 1}, {7, 2}, {7, 3}, {7, 4},
                                 {7, 5}, {7, 6}, {7, 7}, {7, 8}, {7, 9}, {7, 10}};
  int expected = 1;
  for (const auto& pair : slotsInOrder)
    EXPECT_EQ(CategorySlot(pair[0], pair[1]), expected++) << pair[0] << "/" << pair[1];
  EXPECT_EQ(CategorySlot(7, 11), 107);
  EXPECT_EQ(CategorySlot(7, 0), 107);
  EXPECT_EQ(CategorySlot(3, 2), 103);
  EXPECT_EQ(CategorySlot(1, -1), 101);
  EXPECT_EQ(CategorySlot(0, 5), 0);
  EXPECT_EQ(CategorySlot(9, 1), 0);
  EXPECT_EQ(CategorySlot(-3, 1), 0);
  EXPECT_EQ(CategorySlot(71, 1), 0);
}

TEST_F(CategoriesTest, NamesOfCategories) {
  auto name = [](int licence, int area) {
    std::string text;
    CategoryName(licence, area, text);
    return text;
  };
  EXPECT_EQ(name(1, 3), "Beschränkter Luftfahrerschein: Flugpraxis");
  EXPECT_EQ(name(1, 9), "Beschränkter Luftfahrerschein");
  EXPECT_EQ(name(2, 3), "Unbeschränkter Luftfahrerschein: Navigation");
  EXPECT_EQ(name(3, 1), "Flugfunk für Luftsportgeräteführer");
  EXPECT_EQ(name(3, 2), "Flugfunk");
  EXPECT_EQ(name(4, 2), "Windenschlepp Windenführer: Technik");
  EXPECT_EQ(name(5, 3), "Windenschlepp Gleitsegel: Verhalten");
  EXPECT_EQ(name(6, 1), "Passagierflug Gleitsegel: Luftrecht");
  EXPECT_EQ(name(6, 0), "Passagierflug Gleitsegel");
  EXPECT_EQ(name(7, 5), "Gleitsegel Motor: Navigation (Fragen) (DULV)");
  EXPECT_EQ(name(71, 8), "Gleitsegel Motor: 3-Achser Technik (DULV)");
  EXPECT_EQ(name(72, 10), "Gleitsegel Motor: Passagierberechtigung");
  EXPECT_EQ(name(7, 11), "Gleitsegel Motor (DULV)");
  EXPECT_EQ(name(0, 0), "Keine Kategorie gefunden");
  EXPECT_EQ(name(8, 1), "Keine Kategorie gefunden");
}

TEST_F(CategoriesTest, ExamAreasPerLicence) {
  const std::pair<int, int> lastArea[] = {{1, 4}, {2, 3}, {3, 1}, {4, 3},
                                          {5, 3}, {6, 3}, {7, 7}, {71, 9}};
  for (auto [licence, last] : lastArea) {
    EXPECT_FALSE(IsValidArea(licence, 0)) << licence;
    for (int area = 1; area <= last; ++area)
      EXPECT_TRUE(IsValidArea(licence, area)) << licence << "/" << area;
    EXPECT_FALSE(IsValidArea(licence, last + 1)) << licence;
  }
  EXPECT_FALSE(IsValidArea(72, 9));
  EXPECT_TRUE(IsValidArea(72, 10));
  EXPECT_FALSE(IsValidArea(72, 11));
  EXPECT_FALSE(IsValidArea(8, 1));
  EXPECT_FALSE(IsValidArea(0, 0));
  EXPECT_FALSE(IsValidArea(1, -1));
}

std::vector<int> SelectedSlots() {
  std::vector<int> slots;
  for (int slot = -1; slot <= 28; ++slot)
    if (SlotSelected(slot))
      slots.push_back(slot);
  return slots;
}

TEST_F(CategoriesTest, SelectingOneCategory) {
  SelectCategories(72, 10);
  EXPECT_EQ(SelectedSlots(), std::vector<int>{27});
  SelectCategories(71, 8);
  EXPECT_EQ(SelectedSlots(), std::vector<int>{25});
  SelectCategories(0, 3);
  EXPECT_EQ(SelectedSlots(), std::vector<int>{0});
  SelectCategories(1, 5); // no slot: nothing is selected
  EXPECT_EQ(SelectedSlots(), std::vector<int>{});
}

TEST_F(CategoriesTest, SelectingFromTheDialogKeepsFlagZero) {
  SelectCategories(0, 0);
  std::vector<std::pair<int, int>> asked;
  SetAreaCheckedQuery([&](int licence, int area) {
    asked.emplace_back(licence, area);
    return licence == 2 || (licence == 7 && area == 10);
  });
  SelectCategories(-1, -1);
  EXPECT_EQ(SelectedSlots(), (std::vector<int>{0, 5, 6, 7, 27}));
  ASSERT_EQ(asked.size(), 27u);
  EXPECT_EQ(asked.front(), std::make_pair(1, 1));
  EXPECT_EQ(asked.back(), std::make_pair(7, 10));

  SetAreaCheckedQuery([](int, int) { return false; });
  SelectCategories(-1, -1);
  EXPECT_EQ(SelectedSlots(), std::vector<int>{0});

  // Without a query every pair counts as unticked; a single selection clears flag 0.
  SetAreaCheckedQuery(nullptr);
  SelectCategories(3, 1);
  SelectCategories(-1, -1);
  EXPECT_EQ(SelectedSlots(), std::vector<int>{});
}

} // namespace
