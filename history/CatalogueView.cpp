// Reading the fingerprints and categories of every catalogue record.
#include "history/CatalogueView.h"

#include "core/QuestionRecordCodec.h"
#include "core/RecordFile.h"
#include "core/srcCommon.h"
#include "history/Fingerprint.h"

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
  }
  catalogue.Close();
  return view;
}
