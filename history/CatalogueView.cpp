// Reading the fingerprints and categories of every catalogue record.
#include "history/CatalogueView.h"

#include "core/QuestionRecordCodec.h"
#include "core/RecordFile.h"
#include "core/srcCommon.h"
#include "history/Fingerprint.h"

std::string KeyLetters(const std::array<bool, 4>& marks) {
  std::string letters;
  for (std::size_t answer = 0; answer < marks.size(); ++answer)
    if (marks[answer])
      letters += static_cast<char>('A' + answer);
  return letters;
}

TCatalogueView ReadCatalogueView() {
  TCatalogueView view;
  TRecordFile catalogue(CatalogueFileName, kRecordSize, TRecordFile::TMode::ReadOnly);
  const int64_t count = catalogue.RecordCount();
  view.Fingerprints.reserve(static_cast<std::size_t>(count));
  view.Categories.reserve(static_cast<std::size_t>(count));
  RecordBytes bytes{};
  for (int64_t recordNo = 0; recordNo < count; ++recordNo) {
    catalogue.Read(bytes.data());
    view.Fingerprints.push_back(bytes[kOffInUse] != 0 ? FingerprintText(RecordFingerprint(bytes))
                                                      : "");
    view.Categories.emplace_back(ReadInt16(bytes.data() + kOffLicence),
                                 ReadInt16(bytes.data() + kOffArea));
    view.Keys.push_back(KeyLetters({bytes[kOffCorrectA] != 0, bytes[kOffCorrectA + 1] != 0,
                                    bytes[kOffCorrectA + 2] != 0, bytes[kOffCorrectA + 3] != 0}));
  }
  catalogue.Close();
  return view;
}
