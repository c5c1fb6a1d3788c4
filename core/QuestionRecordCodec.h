// The byte layout of a catalogue record (1684 bytes, little-endian, Windows-1252 texts).
#pragma once

#include "core/srcCommon.h"

#include <array>
#include <cstddef>
#include <cstdint>

constexpr std::size_t kRecordSize = 1684;
using RecordBytes = std::array<uint8_t, kRecordSize>;

// Field offsets and capacities (characters after the length byte).
constexpr std::size_t kOffInUse = 0;
constexpr std::size_t kOffReserved16 = 2;
constexpr std::size_t kOffOwner = 4;
constexpr std::size_t kOwnerCapacity = 128;
constexpr std::size_t kOffCorrectA = 133;
constexpr std::size_t kOffQuestion = 138;
constexpr std::size_t kOffAnswerA = 394;
constexpr std::size_t kOffAnswerB = 650;
constexpr std::size_t kOffAnswerC = 906;
constexpr std::size_t kOffAnswerD = 1162;
constexpr std::size_t kTextCapacity = 255;
constexpr std::size_t kOffImageNo = 1676;
constexpr std::size_t kOffLicence = 1680;
constexpr std::size_t kOffArea = 1682;

// Builds the bytes of a record from scratch: texts converted to Windows-1252 and cut to their
// field, every byte not named by a field zero (the reserved 16-bit field holds `reserved16`).
RecordBytes EncodeRecord(const QuestionRecord& record, int16_t reserved16 = 0);

// Reads a record from its bytes. A length byte larger than its field is cut to the field.
QuestionRecord DecodeRecord(const RecordBytes& bytes);

int16_t ReadInt16(const uint8_t* at);
int32_t ReadInt32(const uint8_t* at);
void WriteInt16(uint8_t* at, int16_t value);
void WriteInt32(uint8_t* at, int32_t value);
