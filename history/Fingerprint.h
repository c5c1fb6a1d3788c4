// The identity of a question across catalogue revisions: a fingerprint of its texts.
#pragma once

#include "core/QuestionRecordCodec.h"
#include "core/srcCommon.h"

#include <cstdint>
#include <string>

// A stable 64-bit hash (FNV-1a) of the question text and the four answer texts, each trimmed of
// the code points 0 to 32 at both ends, in UTF-8 and joined by the byte 0xFF, which UTF-8 text
// never holds. The correctness flags are not part of it: a corrected key is the same question.
uint64_t QuestionFingerprint(const QuestionRecord& record);
// The same fingerprint read straight from the bytes of a catalogue record.
uint64_t RecordFingerprint(const RecordBytes& bytes);
// The fingerprint as 16 lower-case hexadecimal digits, as the history stores it.
std::string FingerprintText(uint64_t fingerprint);
