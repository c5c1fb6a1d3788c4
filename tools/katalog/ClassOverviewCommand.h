// The klasse command of aerolern-katalog: a folder of learners' reports into one class overview.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// Reads the reports the paths name (folders give their *.json files) against the school's
// catalogue and writes the overview page to `output`. A report that cannot be used is named on
// `err` with the reason and left out. Returns 0 when every report was used, 1 when some were
// left out, 2 when none could be used or the catalogue cannot be read (then nothing is written).
// Raises Exception when the page cannot be written or would overwrite an input.
int WriteClassOverview(const std::vector<std::string>& paths, const std::string& catalogueName,
                       const std::string& output, std::ostream& out, std::ostream& err);
