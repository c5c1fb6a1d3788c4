// Fuzz target: a damaged or hostile catalogue "Aerolern.dat" read by the program and the tool.
//
// The input is the whole catalogue file. It replaces a good catalogue under a running program
// (pool built, a question picked), as a file changed on disk would, and then goes through the
// edition check, every record read, a pool build with picks, and the catalogue tool's check and
// export. Findings besides sanitizer reports: a record read differently by file and by bytes, a
// record that does not survive decode-encode-decode, an open count that is negative or does not
// match the pool after a good build, and an export that an import does not restore although
// the tool says it would.
#include "FuzzSupport.h"

#include "core/QuestionRecordCodec.h"
#include "toolkit/Exceptions.h"
#include "tools/katalog/CatalogueCheck.h"
#include "tools/katalog/CatalogueExport.h"
#include "tools/katalog/CatalogueImport.h"

#include <algorithm>
#include <cstring>

namespace {

// Records looked at one by one; libFuzzer's -max_len keeps inputs far below this.
constexpr int64_t kMaxRecordsRead = 64;
constexpr int kPicks = 4;

bool SameRecord(const QuestionRecord& a, const QuestionRecord& b) {
  return a.InUse == b.InUse && a.Owner == b.Owner && a.CorrectA == b.CorrectA &&
         a.CorrectB == b.CorrectB && a.CorrectC == b.CorrectC && a.CorrectD == b.CorrectD &&
         a.Question == b.Question && a.AnswerA == b.AnswerA && a.AnswerB == b.AnswerB &&
         a.AnswerC == b.AnswerC && a.AnswerD == b.AnswerD && a.ImageNo == b.ImageNo &&
         a.Licence == b.Licence && a.Area == b.Area;
}

RecordBytes RecordAt(const uint8_t* data, int64_t recordNo) {
  RecordBytes bytes{};
  std::memcpy(bytes.data(), data + recordNo * static_cast<int64_t>(kRecordSize), kRecordSize);
  return bytes;
}

// The state of a program that has been running on a good catalogue.
void StartOnGoodCatalogue(int32_t reading) {
  fuzz::WriteFile(CatalogueFileName,
                  CatalogueBytes({fuzz::Question(1, 1, "Erste"), fuzz::Question(1, 2, "Zweite"),
                                  fuzz::Question(7, 10, "Dritte")}));
  BuildQuestionPool(false);
  fuzz::HeadlessPlatform().SetTimeOfDay(reading);
  QuestionRecord record;
  PickNextQuestion(record);
}

void ReadEveryRecord(const uint8_t* data, int64_t count) {
  for (int64_t recordNo = -1; recordNo <= std::min(count, kMaxRecordsRead); ++recordNo) {
    QuestionRecord record;
    try {
      ReadQuestion(static_cast<int32_t>(recordNo), record);
    } catch (const Exception&) {
      continue;
    }
    if (recordNo < 0 || recordNo >= count) {
      fuzz::Require(SameRecord(record, NoQuestionRecord()),
                    "a number outside the file reads the placeholder");
      continue;
    }
    const RecordBytes bytes = RecordAt(data, recordNo);
    const QuestionRecord decoded = DecodeRecord(bytes);
    fuzz::Require(SameRecord(record, decoded), "ReadQuestion gives what DecodeRecord gives");
    const int16_t reserved = ReadInt16(bytes.data() + kOffReserved16);
    fuzz::Require(SameRecord(DecodeRecord(EncodeRecord(decoded, reserved)), decoded),
                  "a decoded record survives encoding and decoding");
  }
}

void PickAndClose(int32_t reading, bool built) {
  for (int pick = 0; pick < kPicks; ++pick) {
    fuzz::HeadlessPlatform().SetTimeOfDay(reading + pick);
    QuestionRecord record;
    try {
      PickNextQuestion(record);
    } catch (const Exception&) {
    }
    MarkCurrentKnown();
    fuzz::Require(OpenQuestionCount() >= 0, "the open count never goes below zero");
    if (built)
      fuzz::Require(OpenQuestionCount() == fuzz::OpenEntries(), "the open count matches the pool");
  }
}

// The tool promises that an import of its export restores every record it does not list, so a
// clean file must come back byte for byte.
void CheckWithTool(const uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const TCheckReport report = CheckCatalogue(bytes);
  const std::vector<int64_t> notRestored = RecordsNotRestoredByImport(bytes);
  const std::string csv = ExportCatalogueCsv(bytes);
  if (!report.Problems.empty() || !notRestored.empty())
    return;
  const TImportResult imported = ImportCatalogueCsv(csv);
  fuzz::Require(imported.Errors.empty(), "the export of a clean catalogue imports without errors");
  fuzz::Require(imported.CatalogueBytes == bytes, "the import restores a clean catalogue exactly");
  fuzz::Require(imported.DeletedRecords == report.DeletedRecords,
                "import and check count the same deleted records");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzz::Initialize(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  fuzz::StartCase();
  const int32_t reading = fuzz::ReadingFor(data, size);
  StartOnGoodCatalogue(reading);

  fuzz::WriteFile(CatalogueFileName, data, size);
  const auto count = static_cast<int64_t>(size / kRecordSize);
  try {
    InitCatalogue();
  } catch (const Exception&) {
  }
  fuzz::ResetRun();

  ReadEveryRecord(data, count);

  bool built = false;
  try {
    BuildQuestionPool(false);
    built = true;
  } catch (const Exception&) {
  }
  if (built) {
    fuzz::Require(OpenQuestionCount() == fuzz::OpenEntries(), "a build counts its open entries");
    for (const PoolEntry& entry : QuestionPool())
      fuzz::Require(entry.InUse != 0 && entry.RecordNo >= 0 && entry.RecordNo < count,
                    "a build takes only records in use from the file");
  }
  PickAndClose(reading + 1, built);

  CheckWithTool(data, size);
  return 0;
}
