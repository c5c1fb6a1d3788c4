// Licences and areas: slots, names, exam areas and exam keys.
#include "core/Licences.h"

#include "core/srcCommon.h"

namespace {

// Areas per record licence 1..7 that have a selection flag, and the slot of area 1.
constexpr int kAreasOfLicence[8] = {0, 4, 3, 1, 3, 3, 3, 10};
constexpr int kFirstSlotOfLicence[8] = {0, 1, 5, 8, 9, 12, 15, 18};

// The exam licences: the suffix of their keys in the settings file and the areas they examine.
struct TExamLicence {
  int Licence;
  const char* KeySuffix;
  int FirstArea;
  int LastArea;
};
constexpr TExamLicence kExamLicences[] = {{1, "GSA", 1, 4}, {2, "GSB", 1, 3},  {3, "FFK", 1, 1},
                                          {4, "WWF", 1, 3}, {5, "WGS", 1, 3},  {6, "PGS", 1, 3},
                                          {7, "MGS", 1, 7}, {71, "MG3", 1, 9}, {72, "MGP", 10, 10}};

const TExamLicence* FindExamLicence(int licence) {
  for (const TExamLicence& entry : kExamLicences)
    if (entry.Licence == licence)
      return &entry;
  return nullptr;
}

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

} // namespace

int RecordLicence(int code) { return (code == 71 || code == 72) ? 7 : code; }

int AreaCount(int licence) {
  return licence >= kFirstLicence && licence <= kLastLicence ? kAreasOfLicence[licence] : 0;
}

int FirstExamArea(int examLicence) {
  const TExamLicence* entry = FindExamLicence(examLicence);
  return entry ? entry->FirstArea : 0;
}

std::string ExamKeySuffix(int examLicence) {
  const TExamLicence* entry = FindExamLicence(examLicence);
  return entry ? entry->KeySuffix : "";
}

int CategorySlot(int licence, int area) {
  if (licence < kFirstLicence || licence > kLastLicence)
    return 0;
  if (area >= 1 && area <= kAreasOfLicence[licence])
    return kFirstSlotOfLicence[licence] + area - 1;
  return 100 + licence;
}

std::string LicenceName(int licence) {
  return licence >= kFirstLicence && licence <= kLastLicence ? kLicenceNames[licence] : "";
}

void CategoryName(int licence, int area, std::string& name) {
  const int recordLicence = RecordLicence(licence);
  if (recordLicence < kFirstLicence || recordLicence > kLastLicence) {
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
  const TExamLicence* entry = FindExamLicence(licence);
  return entry != nullptr && area >= entry->FirstArea && area <= entry->LastArea;
}
