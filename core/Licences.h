// The licences and their subject areas: the one table behind slots, names, exam areas and the
// exam keys of the settings file.
#pragma once

#include <string>

// Catalogue records carry the licences 1 to 7; the exam licences 71 and 72 examine areas of 7.
constexpr int kFirstLicence = 1;
constexpr int kLastLicence = 7;
// The selection flags: slot 0 for the questions of all categories, 1 to 27 for the areas.
constexpr int kSlotCount = 28;

// The licence a record of a licence or exam licence code carries (71 and 72 give 7).
int RecordLicence(int code);
// The number of subject areas of a record licence; 0 for a code that is none.
int AreaCount(int licence);
// The name of a record licence ("Flugfunk" for 3), empty for a code that is none.
std::string LicenceName(int licence);
// The first area an exam of the exam licence examines; 0 when the code examines none.
int FirstExamArea(int examLicence);
// The suffix of the exam keys of an exam licence ("GSA" for 1), empty when it has none.
std::string ExamKeySuffix(int examLicence);
