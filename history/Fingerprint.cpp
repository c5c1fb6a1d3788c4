// FNV-1a over the trimmed texts of a question, fed with their UTF-8 bytes.
#include "history/Fingerprint.h"

#include "toolkit/Cp1252.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace {

constexpr uint64_t kOffsetBasis = 14695981039346656037ull;
constexpr uint64_t kPrime = 1099511628211ull;
constexpr uint8_t kSeparator = 0xFF;

class THasher {
public:
  void Byte(uint8_t byte) { hash = (hash ^ byte) * kPrime; }
  // Feeds a UTF-8 text trimmed of the code points 0 to 32 at both ends.
  void TrimmedText(std::string_view text) {
    const auto isControlOrBlank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!text.empty() && isControlOrBlank(text.front()))
      text.remove_prefix(1);
    while (!text.empty() && isControlOrBlank(text.back()))
      text.remove_suffix(1);
    for (char c : text)
      Byte(static_cast<uint8_t>(c));
  }
  uint64_t Value() const { return hash; }

private:
  uint64_t hash = kOffsetBasis;
};

std::string_view FieldText(const RecordBytes& bytes, std::size_t offset) {
  const std::size_t length = std::min<std::size_t>(bytes[offset], kTextCapacity);
  return {reinterpret_cast<const char*>(bytes.data() + offset + 1), length};
}

} // namespace

uint64_t QuestionFingerprint(const QuestionRecord& record) {
  THasher hasher;
  const std::string* texts[] = {&record.Question, &record.AnswerA, &record.AnswerB, &record.AnswerC,
                                &record.AnswerD};
  for (std::size_t i = 0; i < 5; ++i) {
    if (i > 0)
      hasher.Byte(kSeparator);
    hasher.TrimmedText(*texts[i]);
  }
  return hasher.Value();
}

uint64_t RecordFingerprint(const RecordBytes& bytes) {
  // Trimming touches only the code points 0 to 32, which are the same bytes in Windows-1252 and
  // UTF-8, so the text is converted after trimming, as QuestionFingerprint sees it.
  THasher hasher;
  const std::size_t offsets[] = {kOffQuestion, kOffAnswerA, kOffAnswerB, kOffAnswerC, kOffAnswerD};
  for (std::size_t i = 0; i < 5; ++i) {
    if (i > 0)
      hasher.Byte(kSeparator);
    hasher.TrimmedText(Cp1252ToUtf8(std::string(FieldText(bytes, offsets[i]))));
  }
  return hasher.Value();
}

std::string FingerprintText(uint64_t fingerprint) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(fingerprint));
  return text;
}
