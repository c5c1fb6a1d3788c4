// Encoding and decoding of the 1684-byte catalogue record.
#include "core/QuestionRecordCodec.h"

#include "toolkit/Cp1252.h"

#include <algorithm>
#include <cstring>

namespace {

void WriteString(RecordBytes& bytes, std::size_t offset, std::size_t capacity,
                 const std::string& utf8) {
  std::string text = Utf8ToCp1252(utf8);
  if (text.size() > capacity)
    text.resize(capacity);
  bytes[offset] = static_cast<uint8_t>(text.size());
  std::memcpy(bytes.data() + offset + 1, text.data(), text.size());
}

std::string ReadString(const RecordBytes& bytes, std::size_t offset, std::size_t capacity) {
  const std::size_t length = std::min<std::size_t>(bytes[offset], capacity);
  return Cp1252ToUtf8(
      std::string(reinterpret_cast<const char*>(bytes.data() + offset + 1), length));
}

} // namespace

int16_t ReadInt16(const uint8_t* at) {
  return static_cast<int16_t>(static_cast<uint16_t>(at[0] | (at[1] << 8)));
}

int32_t ReadInt32(const uint8_t* at) {
  const uint32_t value = static_cast<uint32_t>(at[0]) | (static_cast<uint32_t>(at[1]) << 8) |
                         (static_cast<uint32_t>(at[2]) << 16) |
                         (static_cast<uint32_t>(at[3]) << 24);
  return static_cast<int32_t>(value);
}

void WriteInt16(uint8_t* at, int16_t value) {
  const auto bits = static_cast<uint16_t>(value);
  at[0] = static_cast<uint8_t>(bits & 0xFF);
  at[1] = static_cast<uint8_t>(bits >> 8);
}

void WriteInt32(uint8_t* at, int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i)
    at[i] = static_cast<uint8_t>((bits >> (8 * i)) & 0xFF);
}

RecordBytes EncodeRecord(const QuestionRecord& record, int16_t reserved16) {
  RecordBytes bytes{};
  bytes[kOffInUse] = record.InUse ? 1 : 0;
  WriteInt16(bytes.data() + kOffReserved16, reserved16);
  WriteString(bytes, kOffOwner, kOwnerCapacity, record.Owner);
  bytes[kOffCorrectA] = record.CorrectA ? 1 : 0;
  bytes[kOffCorrectA + 1] = record.CorrectB ? 1 : 0;
  bytes[kOffCorrectA + 2] = record.CorrectC ? 1 : 0;
  bytes[kOffCorrectA + 3] = record.CorrectD ? 1 : 0;
  WriteString(bytes, kOffQuestion, kTextCapacity, record.Question);
  WriteString(bytes, kOffAnswerA, kTextCapacity, record.AnswerA);
  WriteString(bytes, kOffAnswerB, kTextCapacity, record.AnswerB);
  WriteString(bytes, kOffAnswerC, kTextCapacity, record.AnswerC);
  WriteString(bytes, kOffAnswerD, kTextCapacity, record.AnswerD);
  WriteInt32(bytes.data() + kOffImageNo, record.ImageNo);
  WriteInt16(bytes.data() + kOffLicence, record.Licence);
  WriteInt16(bytes.data() + kOffArea, record.Area);
  return bytes;
}

QuestionRecord DecodeRecord(const RecordBytes& bytes) {
  QuestionRecord record;
  record.InUse = bytes[kOffInUse] != 0;
  record.Owner = ReadString(bytes, kOffOwner, kOwnerCapacity);
  record.CorrectA = bytes[kOffCorrectA] != 0;
  record.CorrectB = bytes[kOffCorrectA + 1] != 0;
  record.CorrectC = bytes[kOffCorrectA + 2] != 0;
  record.CorrectD = bytes[kOffCorrectA + 3] != 0;
  record.Question = ReadString(bytes, kOffQuestion, kTextCapacity);
  record.AnswerA = ReadString(bytes, kOffAnswerA, kTextCapacity);
  record.AnswerB = ReadString(bytes, kOffAnswerB, kTextCapacity);
  record.AnswerC = ReadString(bytes, kOffAnswerC, kTextCapacity);
  record.AnswerD = ReadString(bytes, kOffAnswerD, kTextCapacity);
  record.ImageNo = ReadInt32(bytes.data() + kOffImageNo);
  record.Licence = ReadInt16(bytes.data() + kOffLicence);
  record.Area = ReadInt16(bytes.data() + kOffArea);
  return record;
}
