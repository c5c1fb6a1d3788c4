// The class overview as one self-contained HTML page: German, UTF-8, no script, no file beside
// it, charts as inline SVG, laid out to print on A4.
#pragma once

#include "tools/katalog/ClassCatalogue.h"
#include "tools/katalog/ClassReports.h"
#include "tools/katalog/ClassStatistics.h"

#include <cstdint>
#include <string>
#include <vector>

// What the page tells about its making besides the figures.
struct TClassPageSources {
  std::string CatalogueName; // the catalogue file as named on the command line
  int ReportsRead = 0;       // usable reports, older ones of a name included
  std::vector<TLeftOut> LeftOut;
  int64_t MadeMs = 0; // UTC, when the page was made
};

// The page. Every text taken from a report or the catalogue is escaped.
std::string ClassPageHtml(const TClassOverview& overview, const TClassCatalogue& catalogue,
                          const TClassPageSources& sources);
