// Shared helpers of the learning-history benchmarks: a catalogue together with the fingerprints
// the history keys its questions by, and a history file of many answers written quickly.
#pragma once

#include "bench/BenchSupport.h"

#include "history/Fingerprint.h"
#include "history/HistoryStore.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <cstdint>
#include <numeric>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

// Initializes Google Benchmark with the repetitions of the benchmarks interleaved in random
// order unless the command line says otherwise, so that a slow phase of the disk or a passing
// load on the machine falls on both sides of a ratio alike. False on an unknown argument.
inline bool InitializeInterleaved(int argc, char** argv) {
  static std::string interleave = "--benchmark_enable_random_interleaving=true";
  static std::vector<char*> arguments;
  arguments.assign(argv, argv + argc);
  arguments.insert(arguments.begin() + (argc > 0 ? 1 : 0), interleave.data());
  int count = static_cast<int>(arguments.size());
  benchmark::Initialize(&count, arguments.data());
  return !benchmark::ReportUnrecognizedArguments(count, arguments.data());
}

// What the history needs to know of one catalogue record.
struct TBenchRecord {
  std::string Fingerprint; // as the history stores it
  int Licence = 0;
  int Area = 0;
  std::string Correct; // the correct letters, "B"
};

// What the history knows of a question record.
inline TBenchRecord BenchRecordOf(const QuestionRecord& record) {
  TBenchRecord info;
  // From the record's bytes, as the history reads the catalogue.
  info.Fingerprint = FingerprintText(RecordFingerprint(EncodeRecord(record)));
  info.Licence = record.Licence;
  info.Area = record.Area;
  const bool correct[4] = {record.CorrectA, record.CorrectB, record.CorrectC, record.CorrectD};
  for (int answer = 0; answer < 4; ++answer)
    if (correct[answer])
      info.Correct += static_cast<char>('A' + answer);
  return info;
}

// Writes a catalogue of `count` questions, all in use, their categories interleaved over
// `pairs` as an edited catalogue has them; returns what the history needs of each record.
inline std::vector<TBenchRecord>
WriteHistoryCatalogue(const std::string& path, int count,
                      const std::vector<std::pair<int, int>>& pairs) {
  std::vector<TBenchRecord> records;
  records.reserve(static_cast<std::size_t>(count));
  WriteCatalogue(path, count, [&](int recordNo) {
    const auto& [licence, area] = pairs[static_cast<std::size_t>(recordNo) % pairs.size()];
    const QuestionRecord record = BenchQuestion(recordNo, licence, area, true);
    records.push_back(BenchRecordOf(record));
    return record;
  });
  return records;
}

// A deterministic spread of bits, so that right and wrong answers do not follow a short pattern.
inline uint32_t BenchMix(uint64_t value) {
  value ^= value >> 33;
  value *= 0xff51afd7ed558ccdull;
  value ^= value >> 33;
  value *= 0xc4ceb9fe1a85ec53ull;
  value ^= value >> 33;
  return static_cast<uint32_t>(value);
}

// A learner's answers: one every `stepMs` from `firstMs` on, going round the questions in a fixed
// scrambled order so that every question comes up once per round; four in five right, the four
// modes in turn. `count` of them make a history; a benchmark may go on beyond.
class TBenchAnswers {
public:
  TBenchAnswers(const std::vector<TBenchRecord>& catalogue, int64_t count, int64_t firstMs,
                int64_t stepMs)
      : records(catalogue), answerCount(count), first(firstMs), step(stepMs) {
    if (records.empty() || std::gcd(kStride, static_cast<int64_t>(records.size())) != 1)
      throw std::runtime_error("the answer order needs a stride coprime to the catalogue size");
  }

  int64_t Count() const { return answerCount; }
  // The record number answered by the answer with this index.
  int32_t RecordNo(int64_t index) const {
    return static_cast<int32_t>(index * kStride % static_cast<int64_t>(records.size()));
  }
  const TBenchRecord& Record(int64_t index) const {
    return records[static_cast<std::size_t>(RecordNo(index))];
  }
  TAnswerRow Answer(int64_t index) const {
    const TBenchRecord& record = Record(index);
    TAnswerRow answer;
    answer.TimeMs = first + index * step;
    answer.RecordNo = RecordNo(index);
    answer.Licence = record.Licence;
    answer.Area = record.Area;
    answer.Mode = 1 + static_cast<int>(index % 4);
    answer.Right = BenchMix(static_cast<uint64_t>(index)) % 5 != 0;
    answer.Correct = record.Correct;
    answer.Ticked = answer.Right ? record.Correct : (record.Correct == "A" ? "B" : "A");
    answer.SelfGraded = answer.Mode == 1;
    return answer;
  }

private:
  static constexpr int64_t kStride = 7919;
  const std::vector<TBenchRecord>& records;
  int64_t answerCount;
  int64_t first;
  int64_t step;
};

// The memory state of one history question after its answers, as the store keeps it.
struct TBenchMemory {
  std::optional<TMemoryState> State;
  int64_t LastReviewMs = 0;
};

// The memory state after one more answer, as the store asks the learner model for it.
inline TBenchMemory BenchNextMemory(const TBenchMemory& before, const TAnswerRow& answer) {
  TQuestionMemory memory;
  memory.State = before.State;
  memory.LastReviewMs = before.LastReviewMs;
  memory.Key = answer.Correct;
  const TQuestionMemory after = TLearnerModel().AfterAnswer(
      memory, {answer.TimeMs, answer.Mode, answer.SelfGraded, answer.Right, answer.Correct});
  return {after.State, after.LastReviewMs};
}

// The memory state of every record after the answers, computed as the store does per answer.
inline std::vector<TBenchMemory> BenchMemoryStates(const TBenchAnswers& answers,
                                                   std::size_t recordCount) {
  std::vector<TBenchMemory> memory(recordCount);
  for (int64_t index = 0; index < answers.Count(); ++index) {
    const TAnswerRow answer = answers.Answer(index);
    TBenchMemory& question = memory[static_cast<std::size_t>(answer.RecordNo)];
    question = BenchNextMemory(question, answer);
  }
  return memory;
}

// Writes a history file with the store's own schema holding the answers: the store creates the
// file, then one transaction of prepared inserts fills it, the question rows with the memory
// state the store would have computed answer by answer. The file ends in the journal mode the
// store sets (WAL) and with its pragmas; questions never answered have no row.
inline void WriteBenchHistory(const std::string& path, const TBenchAnswers& answers,
                              const std::vector<TBenchMemory>& memory,
                              const std::vector<TBenchRecord>& records) {
  { THistoryStore create(path); }
  SQLite::Database db(path, SQLite::OPEN_READWRITE);
  // A rollback journal of a transaction that only appends stays tiny, where WAL would first
  // write every page twice; the file is switched back below.
  db.exec("PRAGMA journal_mode=DELETE");
  db.exec("PRAGMA synchronous=OFF");
  db.exec("PRAGMA foreign_keys=ON");
  db.exec("PRAGMA cache_size=-65536");
  SQLite::Transaction transaction(db);
  SQLite::Statement question(db, "INSERT INTO frage (id, fingerabdruck, nr, stabilitaet, "
                                 "schwierigkeit, letzte_wiederholung) VALUES (?, ?, ?, ?, ?, ?)");
  for (std::size_t recordNo = 0; recordNo < memory.size(); ++recordNo) {
    const TBenchMemory& state = memory[recordNo];
    if (!state.State)
      continue;
    question.bind(1, static_cast<int64_t>(recordNo) + 1);
    question.bind(2, records[recordNo].Fingerprint);
    question.bind(3, static_cast<int32_t>(recordNo));
    question.bind(4, state.State->Stability);
    question.bind(5, state.State->Difficulty);
    question.bind(6, state.LastReviewMs);
    question.exec();
    question.reset();
  }
  SQLite::Statement insert(db, "INSERT INTO antwort (frage, zeit_ms, nr, lizenz, bereich, modus, "
                               "angekreuzt, loesung, ergebnis, art) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
  for (int64_t index = 0; index < answers.Count(); ++index) {
    const TAnswerRow answer = answers.Answer(index);
    insert.bind(1, static_cast<int64_t>(answer.RecordNo) + 1);
    insert.bind(2, answer.TimeMs);
    insert.bind(3, answer.RecordNo);
    insert.bind(4, answer.Licence);
    insert.bind(5, answer.Area);
    insert.bind(6, answer.Mode);
    insert.bind(7, answer.Ticked);
    insert.bind(8, answer.Correct);
    insert.bind(9, answer.Right ? 1 : 0);
    insert.bind(10, answer.SelfGraded ? "selbst" : "antwort");
    insert.exec();
    insert.reset();
  }
  transaction.commit();
  db.exec("PRAGMA journal_mode=WAL");
  // On the disk before anything is measured, so that no write-back of it runs meanwhile.
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0 || ::fsync(fd) != 0)
    throw std::runtime_error("cannot sync " + path);
  ::close(fd);
}
