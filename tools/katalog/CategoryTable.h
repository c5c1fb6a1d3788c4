// The licence/area pairs a catalogue record may carry, with their codes and display names.
#pragma once

#include <string>
#include <vector>

struct TCategory {
  int Licence;
  int Area;
};

// Every pair a record may carry, in the order the check report lists them: first (0, 0), the
// question that belongs to all categories, then the licences 1 to 7 with their areas.
const std::vector<TCategory>& CatalogueCategories();

// Position of the pair in CatalogueCategories(), or -1 when a record may not carry it.
int CatalogueCategoryIndex(int licence, int area);

// The short code: licence digit followed by the area number ("11", "710", "00").
std::string CategoryCode(int licence, int area);

// The name the program shows for the pair; (0, 0) has none there, so it gets its own.
std::string CategoryDisplayName(int licence, int area);
