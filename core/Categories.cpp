// Licences and areas: slots, names, exam areas and the 28 selection flags.
#include "core/CommonState.h"
#include "core/srcCommon.h"

#include <array>
#include <utility>

namespace {

constexpr int kSlotCount = 28;

std::array<bool, kSlotCount> slotFlags{};
std::function<bool(int, int)> areaCheckedQuery;

// Areas per record licence 1..7 that have a selection flag, and the slot of area 1.
constexpr int kAreasOfLicence[8] = {0, 4, 3, 1, 3, 3, 3, 10};
constexpr int kFirstSlotOfLicence[8] = {0, 1, 5, 8, 9, 12, 15, 18};

const char* const kLicenceNames[8] = {"",
                                      "Beschränkter Luftfahrerschein",
                                      "Unbeschränkter Luftfahrerschein",
                                      "Flugfunk",
                                      "Windenschlepp Windenführer",
                                      "Windenschlepp Gleitsegel",
                                      "Passagierflug Gleitsegel",
                                      "Gleitsegel Motor"};

const char* const kMotorAreas[11] = {"",
                                     "Luftrecht (DULV)",
                                     "Flugfunk (DULV)",
                                     "Meteorologie (DULV)",
                                     "Verhalten (DULV)",
                                     "Navigation (Fragen) (DULV)",
                                     "Navigation (Aufgaben) (DULV)",
                                     "Technik (DULV)",
                                     "3-Achser Technik (DULV)",
                                     "3-Achser Verhalten (DULV)",
                                     "Passagierberechtigung"};

// Name of an area within a licence, or nullptr when the licence has no such area.
const char* AreaName(int licence, int area) {
  static const char* const kLicence1[] = {"Meteorologie", "Luftrecht", "Flugpraxis", "Technologie"};
  static const char* const kLicence2[] = {"Meteorologie", "Luftrecht", "Navigation"};
  static const char* const kWinchAndTandem[] = {"Luftrecht", "Technik", "Verhalten"};
  if (area < 1)
    return nullptr;
  switch (licence) {
  case 1:
    return area <= 4 ? kLicence1[area - 1] : nullptr;
  case 2:
    return area <= 3 ? kLicence2[area - 1] : nullptr;
  case 4:
  case 5:
  case 6:
    return area <= 3 ? kWinchAndTandem[area - 1] : nullptr;
  case 7:
    return area <= 10 ? kMotorAreas[area] : nullptr;
  default:
    return nullptr;
  }
}

int RecordLicence(int code) { return (code == 71 || code == 72) ? 7 : code; }

} // namespace

int CategorySlot(int licence, int area) {
  if (licence < 1 || licence > 7)
    return 0;
  if (area >= 1 && area <= kAreasOfLicence[licence])
    return kFirstSlotOfLicence[licence] + area - 1;
  return 100 + licence;
}

void CategoryName(int licence, int area, std::string& name) {
  const int recordLicence = RecordLicence(licence);
  if (recordLicence < 1 || recordLicence > 7) {
    name = "Keine Kategorie gefunden";
    return;
  }
  if (recordLicence == 3) {
    name = area == 1 ? "Flugfunk für Luftsportgeräteführer" : "Flugfunk";
    return;
  }
  const char* areaName = AreaName(recordLicence, area);
  if (recordLicence == 7) {
    name = areaName ? std::string("Gleitsegel Motor: ") + areaName : "Gleitsegel Motor (DULV)";
    return;
  }
  name = kLicenceNames[recordLicence];
  if (areaName)
    name += std::string(": ") + areaName;
}

bool IsValidArea(int licence, int area) {
  if (area < 1)
    return false;
  switch (licence) {
  case 1:
    return area <= 4;
  case 2:
  case 4:
  case 5:
  case 6:
    return area <= 3;
  case 3:
    return area == 1;
  case 7:
    return area <= 7;
  case 71:
    return area <= 9;
  case 72:
    return area == 10;
  default:
    return false;
  }
}

void SelectCategories(int code, int area) {
  const int licence = RecordLicence(code);
  if (licence >= 0) {
    slotFlags.fill(false);
    const int slot = CategorySlot(licence, area);
    if (slot >= 0 && slot < kSlotCount)
      slotFlags[slot] = true;
    return;
  }
  for (int licenceNo = 1; licenceNo <= 7; ++licenceNo)
    for (int areaNo = 1; areaNo <= kAreasOfLicence[licenceNo]; ++areaNo)
      slotFlags[CategorySlot(licenceNo, areaNo)] =
          areaCheckedQuery ? areaCheckedQuery(licenceNo, areaNo) : false;
}

bool SlotSelected(int slot) { return slot >= 0 && slot < kSlotCount && slotFlags[slot]; }

void SetAreaCheckedQuery(std::function<bool(int, int)> query) {
  areaCheckedQuery = std::move(query);
}

void SelectAllCategories() { slotFlags.fill(true); }

bool CategorySelected(int licence, int area) { return SlotSelected(CategorySlot(licence, area)); }
