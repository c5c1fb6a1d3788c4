// Questions of the edition and catalogue files made of them.
#include "support/QuestionBuilder.h"

#include "support/TempDir.h"

#include <cstdio>
#include <memory>
#include <stdexcept>

QuestionRecord MakeQuestion(int licence, int area, const std::string& text,
                            const TAnswers& answers) {
  QuestionRecord record;
  record.InUse = true;
  record.Owner = EditionOwner;
  record.Question = text;
  record.AnswerA = answers.Texts[0];
  record.AnswerB = answers.Texts[1];
  record.AnswerC = answers.Texts[2];
  record.AnswerD = answers.Texts[3];
  record.CorrectA = answers.Right == 'A';
  record.CorrectB = answers.Right == 'B';
  record.CorrectC = answers.Right == 'C';
  record.CorrectD = answers.Right == 'D';
  record.Licence = static_cast<int16_t>(licence);
  record.Area = static_cast<int16_t>(area);
  return record;
}

std::vector<QuestionRecord> Questions(int count, int licence, int area) {
  std::vector<QuestionRecord> records;
  for (int i = 0; i < count; ++i)
    records.push_back(MakeQuestion(licence, area, "Frage " + std::to_string(i)));
  return records;
}

std::string CatalogueBytes(const std::vector<QuestionRecord>& records) {
  std::string bytes;
  for (const QuestionRecord& record : records) {
    const RecordBytes encoded = EncodeRecord(record);
    bytes.append(reinterpret_cast<const char*>(encoded.data()), encoded.size());
  }
  return bytes;
}

void WriteCatalogue(const std::vector<QuestionRecord>& records, const std::string& path) {
  if (!WriteFileBytes(path, CatalogueBytes(records)))
    throw std::runtime_error("cannot write " + path);
}

int WriteCatalogue(const std::string& path, int count,
                   const std::function<QuestionRecord(int)>& make) {
  struct TCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  std::unique_ptr<std::FILE, TCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file)
    throw std::runtime_error("cannot create " + path);
  int inUse = 0;
  for (int recordNo = 0; recordNo < count; ++recordNo) {
    const QuestionRecord record = make(recordNo);
    inUse += record.InUse ? 1 : 0;
    const RecordBytes bytes = EncodeRecord(record);
    if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
      throw std::runtime_error("cannot write " + path);
  }
  if (std::fclose(file.release()) != 0)
    throw std::runtime_error("cannot close " + path);
  return inUse;
}
