// The licence/area pairs of the catalogue file and how the tool names them.
#include "tools/katalog/CategoryTable.h"

#include "core/Licences.h"
#include "core/srcCommon.h"

namespace {

std::vector<TCategory> BuildTable() {
  std::vector<TCategory> table{{0, 0}};
  for (int licence = kFirstLicence; licence <= kLastLicence; ++licence)
    for (int area = 1; area <= AreaCount(licence); ++area)
      table.push_back({licence, area});
  return table;
}

} // namespace

const std::vector<TCategory>& CatalogueCategories() {
  static const std::vector<TCategory> table = BuildTable();
  return table;
}

int CatalogueCategoryIndex(int licence, int area) {
  const auto& table = CatalogueCategories();
  for (std::size_t i = 0; i < table.size(); ++i)
    if (table[i].Licence == licence && table[i].Area == area)
      return static_cast<int>(i);
  return -1;
}

std::string CategoryCode(int licence, int area) {
  return std::to_string(licence) + std::to_string(area);
}

std::string CategoryDisplayName(int licence, int area) {
  if (licence == 0 && area == 0)
    return "Frage aller Kategorien";
  std::string name;
  CategoryName(licence, area, name);
  return name;
}
