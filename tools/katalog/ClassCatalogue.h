// The flight school's catalogue as the class overview reads it: its questions found by content.
#pragma once

#include "core/srcCommon.h"

#include <cstdint>
#include <string>
#include <unordered_map>

class TClassCatalogue {
public:
  // Takes the catalogue's bytes; a rest shorter than a record is not read.
  explicit TClassCatalogue(std::string bytes);

  // The number of the first record in use whose fingerprint (16 hexadecimal digits, as reports
  // carry it) is the given one; -1 when the catalogue has no such question.
  int32_t Find(const std::string& fingerprint) const;
  int32_t RecordCount() const { return recordCount; }
  // The fingerprint of the whole catalogue, as a report names the catalogue it was written with.
  const std::string& Fingerprint() const { return fingerprint; }
  // The record, its texts in UTF-8.
  QuestionRecord Record(int32_t recordNo) const;
  int16_t Licence(int32_t recordNo) const;
  int16_t Area(int32_t recordNo) const;

private:
  std::string bytes;
  int32_t recordCount = 0;
  std::string fingerprint;
  std::unordered_map<std::string, int32_t> byFingerprint;
};
