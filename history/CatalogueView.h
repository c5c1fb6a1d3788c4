// The catalogue as the history sees it: each record's fingerprint and category.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct TCatalogueView {
  // One entry per record, in record order; a record not in use has an empty fingerprint.
  std::vector<std::string> Fingerprints;
  std::vector<std::pair<int16_t, int16_t>> Categories; // licence, area
  std::vector<std::string> Keys;                       // the correct letters, "BD"
};

// The letters of the marked answers, "BD", empty for none: the form answer keys are kept in.
std::string KeyLetters(const std::array<bool, 4>& marks);

// Reads the whole catalogue once.
TCatalogueView ReadCatalogueView();
