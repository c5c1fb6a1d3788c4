// What a learner would meet in the questions of a catalogue: sketches that cannot be shown,
// exam areas with fewer questions than their exam draws, and questions asked twice.
#pragma once

#include "tools/katalog/CatalogueCheck.h"

#include <optional>
#include <string>

struct TContentCheckOptions {
  // The folder of the pictures as installed, the one that holds sketches/; without it the
  // picture files are not looked at.
  std::optional<std::string> PictureFolder;
  // A settings file; without it the exam areas are not compared with their exams.
  std::optional<std::string> SettingsFile;
};

// Adds to `report`, which CheckCatalogue made of the same bytes, a problem for
// - every question in use whose sketch has no picture of its own: a key without entry in the
//   sketch table, a key of the notice, an entry without picture or, with a picture folder, a
//   picture file that is missing or cannot be read;
// - every question in use whose text (blanks and ASCII case aside) an earlier question in use of
//   the same category already has;
// - with a settings file, every area of the licences 1 to 6 that holds fewer questions in use
//   than its exam draws, and every exam question count of these licences that is no number.
// A picture folder without sketches/ and a settings file that cannot be read raise EInOutError.
void CheckCatalogueContent(const std::string& catalogueBytes, const TContentCheckOptions& options,
                           TCheckReport& report);
