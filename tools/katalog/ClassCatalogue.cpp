// Indexing the school's catalogue by the questions' fingerprints.
#include "tools/katalog/ClassCatalogue.h"

#include "core/QuestionRecordCodec.h"
#include "history/Fingerprint.h"
#include "history/SchoolReport.h"

#include <cstring>

namespace {

RecordBytes BytesOf(const std::string& catalogue, int32_t recordNo) {
  RecordBytes bytes{};
  std::memcpy(bytes.data(), catalogue.data() + static_cast<std::size_t>(recordNo) * kRecordSize,
              kRecordSize);
  return bytes;
}

} // namespace

TClassCatalogue::TClassCatalogue(std::string catalogueBytes)
    : bytes(std::move(catalogueBytes)),
      recordCount(static_cast<int32_t>(bytes.size() / kRecordSize)) {
  byFingerprint.reserve(static_cast<std::size_t>(recordCount));
  std::vector<uint64_t> inUse;
  for (int32_t recordNo = 0; recordNo < recordCount; ++recordNo) {
    const RecordBytes record = BytesOf(bytes, recordNo);
    // Like the history, only questions in use have a fingerprint; a question asked twice is
    // found at its first record.
    if (record[kOffInUse] == 0)
      continue;
    inUse.push_back(RecordFingerprint(record));
    byFingerprint.emplace(FingerprintText(inUse.back()), recordNo);
  }
  fingerprint = CatalogueFingerprint(inUse);
}

int32_t TClassCatalogue::Find(const std::string& fingerprint) const {
  const auto found = byFingerprint.find(fingerprint);
  return found == byFingerprint.end() ? -1 : found->second;
}

QuestionRecord TClassCatalogue::Record(int32_t recordNo) const {
  return DecodeRecord(BytesOf(bytes, recordNo));
}

int16_t TClassCatalogue::Licence(int32_t recordNo) const {
  return ReadInt16(reinterpret_cast<const uint8_t*>(bytes.data()) +
                   static_cast<std::size_t>(recordNo) * kRecordSize + kOffLicence);
}

int16_t TClassCatalogue::Area(int32_t recordNo) const {
  return ReadInt16(reinterpret_cast<const uint8_t*>(bytes.data()) +
                   static_cast<std::size_t>(recordNo) * kRecordSize + kOffArea);
}
