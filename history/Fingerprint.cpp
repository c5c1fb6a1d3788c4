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

bool IsControlOrBlank(unsigned char c) { return c <= 32; }

class THasher {
public:
  void Byte(uint8_t byte) { hash = (hash ^ byte) * kPrime; }
  // Feeds a UTF-8 text trimmed of the code points 0 to 32 at both ends.
  void TrimmedText(std::string_view text) {
    for (char c : Trimmed(text))
      Byte(static_cast<uint8_t>(c));
  }
  // Feeds a Windows-1252 text trimmed the same way, as the UTF-8 bytes it converts to. The code
  // points 0 to 32 are the same bytes in both, so trimming first changes nothing.
  void TrimmedCp1252Text(std::string_view text) {
    for (char c : Trimmed(text)) {
      const auto byte = static_cast<unsigned char>(c);
      // ASCII is the same byte in both; only the upper half needs the table.
      if (byte < 0x80)
        Byte(byte);
      else
        CodePoint(Cp1252CodePoint(byte));
    }
  }
  uint64_t Value() const { return hash; }

private:
  static std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsControlOrBlank(static_cast<unsigned char>(text.front())))
      text.remove_prefix(1);
    while (!text.empty() && IsControlOrBlank(static_cast<unsigned char>(text.back())))
      text.remove_suffix(1);
    return text;
  }
  // Windows-1252 characters lie below U+10000: one to three UTF-8 bytes.
  void CodePoint(char32_t cp) {
    if (cp < 0x80) {
      Byte(static_cast<uint8_t>(cp));
    } else if (cp < 0x800) {
      Byte(static_cast<uint8_t>(0xC0 | (cp >> 6)));
      Byte(static_cast<uint8_t>(0x80 | (cp & 0x3F)));
    } else {
      Byte(static_cast<uint8_t>(0xE0 | (cp >> 12)));
      Byte(static_cast<uint8_t>(0x80 | ((cp >> 6) & 0x3F)));
      Byte(static_cast<uint8_t>(0x80 | (cp & 0x3F)));
    }
  }

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
  THasher hasher;
  const std::size_t offsets[] = {kOffQuestion, kOffAnswerA, kOffAnswerB, kOffAnswerC, kOffAnswerD};
  for (std::size_t i = 0; i < 5; ++i) {
    if (i > 0)
      hasher.Byte(kSeparator);
    hasher.TrimmedCp1252Text(FieldText(bytes, offsets[i]));
  }
  return hasher.Value();
}

std::string FingerprintText(uint64_t fingerprint) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(fingerprint));
  return text;
}
