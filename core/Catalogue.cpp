// The question catalogue "Aerolern.dat": edition check, scans, reading, writing and deleting
// records.
#include "core/CatalogueFile.h"
#include "core/QuestionRecordCodec.h"
#include "core/RecordFile.h"
#include "core/srcCommon.h"

#include "toolkit/Convert.h"
#include "toolkit/Exceptions.h"

#include <unistd.h>

const char* const EditionOwner = "Talwinder Flugschule Ost";
const char* const CatalogueFileName = "Aerolern.dat";

namespace {

bool OwnerMatchesEdition(const std::string& owner) {
  return AsciiLower(TrimControls(owner)) == AsciiLower(EditionOwner);
}

} // namespace

QuestionRecord NoQuestionRecord() {
  QuestionRecord record;
  record.InUse = true;
  record.Owner = EditionOwner;
  record.Question = "Keine Frage gefunden. Ggf. muss das Programm beendet und neu gestartet werden";
  record.AnswerA = record.AnswerB = record.AnswerC = record.AnswerD = "N/A";
  return record;
}

bool CatalogueMatchesEdition() {
  RecordBytes bytes{};
  // Only read: a catalogue the learner may not write must still be checked.
  TRecordFile catalogue(CatalogueFileName, kRecordSize, TRecordFile::TMode::ReadOnly);
  catalogue.Seek(catalogue.RecordCount() / 4);
  catalogue.Read(bytes.data());
  catalogue.Close();
  return OwnerMatchesEdition(DecodeRecord(bytes).Owner);
}

std::vector<PoolEntry> ScanCatalogue(const std::function<bool(int16_t, int16_t)>& wanted) {
  TRecordFile catalogue(CatalogueFileName, kRecordSize, TRecordFile::TMode::ReadOnly);
  const int64_t count = catalogue.RecordCount();
  std::vector<PoolEntry> entries;
  RecordBytes bytes{};
  for (int64_t recordNo = 0; recordNo < count; ++recordNo) {
    catalogue.Read(bytes.data());
    const int16_t licence = ReadInt16(bytes.data() + kOffLicence);
    const int16_t area = ReadInt16(bytes.data() + kOffArea);
    if (bytes[kOffInUse] != 0 && wanted(licence, area))
      entries.push_back(
          PoolEntry{bytes[kOffInUse], 1, licence, area, static_cast<int32_t>(recordNo)});
  }
  catalogue.Close();
  return entries;
}

std::vector<bool> RecordsInUse() {
  TRecordFile catalogue(CatalogueFileName, kRecordSize, TRecordFile::TMode::ReadOnly);
  const int64_t count = catalogue.RecordCount();
  std::vector<bool> inUse;
  inUse.reserve(static_cast<std::size_t>(count));
  RecordBytes bytes{};
  for (int64_t recordNo = 0; recordNo < count; ++recordNo) {
    catalogue.Read(bytes.data());
    inUse.push_back(bytes[kOffInUse] != 0);
  }
  catalogue.Close();
  return inUse;
}

bool ReadExistingQuestion(int32_t number, QuestionRecord& record) {
  TRecordFile catalogue(CatalogueFileName, kRecordSize, TRecordFile::TMode::ReadOnly);
  const int64_t count = catalogue.RecordCount();
  if (number < 0 || number >= count) {
    catalogue.Close();
    record = NoQuestionRecord();
    return false;
  }
  RecordBytes bytes{};
  catalogue.Seek(number);
  catalogue.Read(bytes.data());
  catalogue.Close();
  record = DecodeRecord(bytes);
  return true;
}

void ReadQuestion(int32_t number, QuestionRecord& record) {
  static_cast<void>(ReadExistingQuestion(number, record));
}

int32_t AppendRecord(const QuestionRecord& record) {
  const RecordBytes bytes = EncodeRecord(record);
  TRecordFile catalogue(CatalogueFileName, kRecordSize);
  const int64_t count = catalogue.RecordCount();
  try {
    catalogue.Seek(count);
    catalogue.Write(bytes.data());
    catalogue.Close();
  } catch (const EInOutError&) {
    catalogue.Discard();
    // A full disk may have taken part of the new record: cut it off again, so that the file
    // stays a whole number of records. Should the cut fail too, the learner still hears of the
    // write error, and the partial tail is overwritten by the next append.
    const int cut = ::truncate(CatalogueFileName, static_cast<off_t>(count * kRecordSize));
    static_cast<void>(cut);
    throw;
  }
  return static_cast<int32_t>(count);
}

void ReplaceRecord(int32_t recordNo, const QuestionRecord& record) {
  const RecordBytes bytes = EncodeRecord(record);
  TRecordFile catalogue(CatalogueFileName, kRecordSize);
  // Changing an existing question must not write past the last record.
  if (recordNo >= catalogue.RecordCount())
    RaiseInOutError(ioReadPastEnd, "Positionieren", CatalogueFileName);
  try {
    catalogue.Seek(recordNo);
    catalogue.Write(bytes.data());
    catalogue.Close();
  } catch (const EInOutError&) {
    // A failed change leaves at worst that one record damaged.
    catalogue.Discard();
    throw;
  }
}

namespace {

void WriteInUseFlag(int32_t recordNo, uint8_t flag) {
  RecordBytes bytes{};
  TRecordFile catalogue(CatalogueFileName, kRecordSize);
  catalogue.Seek(recordNo);
  catalogue.Read(bytes.data());
  bytes[kOffInUse] = flag;
  catalogue.Seek(recordNo);
  catalogue.Write(bytes.data());
  catalogue.Close();
}

} // namespace

void FlagRecordDeleted(int32_t recordNo) { WriteInUseFlag(recordNo, 0); }

void FlagRecordInUse(int32_t recordNo) { WriteInUseFlag(recordNo, 1); }
