// The question catalogue "Aerolern.dat": edition check, reading, writing and deleting records.
#include "core/CommonState.h"
#include "core/QuestionRecordCodec.h"
#include "core/RecordFile.h"
#include "core/srcCommon.h"

#include "toolkit/Application.h"
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

void InitCatalogue() {
  RecordBytes bytes{};
  {
    // Only read: a catalogue the learner may not write must still be checked.
    TRecordFile catalogue(CatalogueFileName, kRecordSize, TRecordFile::TMode::ReadOnly);
    catalogue.Seek(catalogue.RecordCount() / 4);
    catalogue.Read(bytes.data());
    catalogue.Close();
  }
  if (!OwnerMatchesEdition(DecodeRecord(bytes).Owner)) {
    Application.MessageBox(
        "Achtung! Das Datenfile (Fragenkatalog) passt nicht zur Aerolern Version!");
    Application.Terminate();
  }
  SelectAllCategories();
}

void ReadQuestion(int32_t number, QuestionRecord& record) {
  TRecordFile catalogue(CatalogueFileName, kRecordSize, TRecordFile::TMode::ReadOnly);
  const int64_t count = catalogue.RecordCount();
  if (number < 0 || number >= count) {
    catalogue.Close();
    record = NoQuestionRecord();
    return;
  }
  RecordBytes bytes{};
  catalogue.Seek(number);
  catalogue.Read(bytes.data());
  catalogue.Close();
  record = DecodeRecord(bytes);
}

void WriteQuestion(bool append, const QuestionRecord& record) {
  const RecordBytes bytes = EncodeRecord(record);
  TRecordFile catalogue(CatalogueFileName, kRecordSize);
  const int64_t count = catalogue.RecordCount();
  const int64_t position = append ? count : CurrentQuestionNo();
  // Changing an existing question must not write past the last record.
  if (!append && position >= count)
    RaiseInOutError(ioReadPastEnd, "Positionieren", CatalogueFileName);
  try {
    catalogue.Seek(position);
    catalogue.Write(bytes.data());
    catalogue.Close();
  } catch (const EInOutError&) {
    catalogue.Discard();
    // A full disk may have taken part of a new record: cut it off again, so that the file stays
    // a whole number of records. A failed change leaves at worst that one record damaged.
    if (append)
      static_cast<void>(::truncate(CatalogueFileName, static_cast<off_t>(count * kRecordSize)));
    throw;
  }
  // The pool learns of the new question only once it is safely in the file.
  if (append)
    AppendNewQuestion(static_cast<int32_t>(count), record.Licence, record.Area);
}

void DeleteCurrentQuestion() {
  RecordBytes bytes{};
  TRecordFile catalogue(CatalogueFileName, kRecordSize);
  catalogue.Seek(CurrentQuestionNo());
  catalogue.Read(bytes.data());
  bytes[kOffInUse] = 0;
  catalogue.Seek(CurrentQuestionNo());
  catalogue.Write(bytes.data());
  catalogue.Close();
  MarkCurrentKnown();
}
