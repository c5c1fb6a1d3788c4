// Tests of TPicture: JPEG decoding, the header query and the errors for broken or hostile files.
#include "support/JpegWriter.h"
#include "support/TempDir.h"

#include "toolkit/Exceptions.h"
#include "toolkit/Picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio> // before jpeglib.h, which uses FILE
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

using TBytes = std::vector<uint8_t>;

// Not a multiple of 8 or 16, so rows end in partial blocks and a wrong stride shows.
constexpr int kWidth = 70;
constexpr int kHeight = 45;
// Quadrant borders on 16-pixel lines, so no chroma block of a 4:2:0 picture mixes two colours.
constexpr int kBorderX = 32;
constexpr int kBorderY = 16;

// Top left, top right, bottom left, bottom right: all different, so a flipped, mirrored or
// channel-swapped picture is told apart.
constexpr uint8_t kColours[4][3] = {{220, 30, 30}, {30, 200, 60}, {40, 50, 210}, {230, 220, 40}};
constexpr uint8_t kGreys[4] = {30, 100, 170, 240};

int Quadrant(int x, int y) { return (y >= kBorderY ? 2 : 0) + (x >= kBorderX ? 1 : 0); }

// The RGB colour of a pixel of the pattern: the quadrant's colour with a gentle diagonal
// gradient on top, so that no two rows are alike and a lost or repeated row shows.
void Expected(int x, int y, int components, uint8_t* rgb) {
  const int shift = (x + 2 * y) / 3 - 26;
  for (int c = 0; c < 3; ++c) {
    const int base = components == 3 ? kColours[Quadrant(x, y)][c] : kGreys[Quadrant(x, y)];
    rgb[c] = static_cast<uint8_t>(std::clamp(base + shift, 0, 255));
  }
}

TBytes Pattern(int components) {
  TBytes raw;
  uint8_t rgb[3];
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      Expected(x, y, components, rgb);
      raw.insert(raw.end(), rgb, rgb + components);
    }
  return raw;
}

// --- libjpeg used directly: a reference decoder ---

struct TJumpErrors {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

void JumpOnError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<TJumpErrors*>(info->err)->jump, 1);
}

// Keeps warnings off the test output; libjpeg still counts them in num_warnings.
void Silent(j_common_ptr) {}

// The test picture as a JPEG file's bytes (quality 95).
TBytes Encode(int components, bool progressive) {
  TJpegOptions options;
  options.Progressive = progressive;
  TBytes bytes = EncodeJpeg(Pattern(components), kWidth, kHeight, components, options);
  if (bytes.empty())
    ADD_FAILURE() << "libjpeg could not encode the test picture";
  return bytes;
}

struct TReferenceDecoder {
  TReferenceDecoder() {
    info.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = JumpOnError;
    errors.pub.output_message = Silent;
  }
  ~TReferenceDecoder() { jpeg_destroy_decompress(&info); }
  TReferenceDecoder(const TReferenceDecoder&) = delete;
  TReferenceDecoder& operator=(const TReferenceDecoder&) = delete;

  jpeg_decompress_struct info{};
  TJumpErrors errors{};
};

bool StartReference(TReferenceDecoder& d, const TBytes& bytes) {
  if (setjmp(d.errors.jump) != 0)
    return false;
  jpeg_create_decompress(&d.info);
  jpeg_mem_src(&d.info, bytes.data(), bytes.size());
  jpeg_read_header(&d.info, TRUE);
  // libjpeg-turbo converts grey to RGB itself: a route independent of TPicture's expansion.
  d.info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&d.info);
  return true;
}

bool FinishReference(TReferenceDecoder& d, uint8_t* out) {
  if (setjmp(d.errors.jump) != 0)
    return false;
  while (d.info.output_scanline < d.info.output_height) {
    JSAMPROW row = out + static_cast<size_t>(d.info.output_scanline) * d.info.output_width * 3;
    jpeg_read_scanlines(&d.info, &row, 1);
  }
  jpeg_finish_decompress(&d.info);
  return true;
}

// What plain libjpeg makes of the data when left to its defaults: it goes on after warnings.
struct TReference {
  bool failed = true;
  long warnings = 0;
  TBytes rgb;
  bool Clean() const { return !failed && warnings == 0; }
};

TReference DecodeWithLibjpeg(const TBytes& bytes) {
  TReference result;
  TReferenceDecoder decoder;
  if (StartReference(decoder, bytes)) {
    result.rgb.resize(static_cast<size_t>(decoder.info.output_width) * decoder.info.output_height *
                      3);
    result.failed = !FinishReference(decoder, result.rgb.data());
  }
  result.warnings = decoder.errors.pub.num_warnings;
  return result;
}

// --- reading the structure of an encoded file ---

constexpr size_t kNone = static_cast<size_t>(-1);

// Offset of the first marker segment of one of the given kinds, walking the header segments.
size_t FindSegment(const TBytes& bytes, std::initializer_list<uint8_t> markers) {
  size_t pos = 2; // after SOI
  while (pos + 4 <= bytes.size() && bytes[pos] == 0xFF) {
    for (uint8_t marker : markers)
      if (bytes[pos + 1] == marker)
        return pos;
    pos += 2 + (static_cast<size_t>(bytes[pos + 2]) << 8 | bytes[pos + 3]);
  }
  return kNone;
}

struct TLayout {
  size_t sof = kNone;       // start of frame: the dimensions
  size_t firstSos = kNone;  // first start-of-scan marker
  size_t scanStart = kNone; // first byte of the entropy-coded data of the first scan
  size_t scanEnd = kNone;   // the marker after it
  size_t secondSos = kNone; // start of the second scan of a progressive file
};

TLayout Layout(const TBytes& bytes) {
  TLayout layout;
  layout.sof = FindSegment(bytes, {0xC0, 0xC2});
  layout.firstSos = FindSegment(bytes, {0xDA});
  if (layout.firstSos == kNone)
    return layout;
  layout.scanStart =
      layout.firstSos + 2 + (bytes[layout.firstSos + 2] << 8 | bytes[layout.firstSos + 3]);
  // Inside entropy-coded data 0xFF is always followed by 0x00 (no restart intervals here), so
  // any other FF pair is a marker.
  for (size_t pos = layout.scanStart; pos + 1 < bytes.size(); ++pos)
    if (bytes[pos] == 0xFF && bytes[pos + 1] != 0x00) {
      layout.scanEnd = pos;
      break;
    }
  for (size_t pos = layout.scanEnd; pos + 1 < bytes.size(); ++pos)
    if (bytes[pos] == 0xFF && bytes[pos + 1] == 0xDA) {
      layout.secondSos = pos;
      break;
    }
  return layout;
}

TBytes WithDimensions(TBytes bytes, int width, int height) {
  const size_t sof = Layout(bytes).sof;
  bytes[sof + 5] = static_cast<uint8_t>(height >> 8);
  bytes[sof + 6] = static_cast<uint8_t>(height);
  bytes[sof + 7] = static_cast<uint8_t>(width >> 8);
  bytes[sof + 8] = static_cast<uint8_t>(width);
  return bytes;
}

// --- outcomes ---

void WriteBytes(const std::string& path, const TBytes& bytes) {
  WriteFileBytes(path, std::string(bytes.begin(), bytes.end()));
}

struct TOutcome {
  bool failed = false;
  bool inOut = false;
  int code = 0;
  std::string message;
};

template <typename Action> TOutcome Attempt(Action action) {
  TOutcome outcome;
  try {
    action();
  } catch (const EInOutError& error) {
    outcome = {true, true, error.ErrorCode, error.what()};
  } catch (const Exception& error) {
    outcome = {true, false, 0, error.what()};
  }
  return outcome;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

bool SameContent(const TPicture& a, const TPicture& b) {
  return a.Width() == b.Width() && a.Height() == b.Height() && a.Components() == b.Components() &&
         a.Progressive() == b.Progressive() && a.Pixels() == b.Pixels();
}

struct TKind {
  const char* name;
  int components;
  bool progressive;
};

constexpr TKind kKinds[] = {{"baseline colour", 3, false},
                            {"progressive colour", 3, true},
                            {"baseline grey", 1, false},
                            {"progressive grey", 1, true}};

// A loaded picture that failed loads must leave as it is.
TPicture Previous() {
  TPicture picture;
  const TBytes bytes = Encode(3, false);
  picture.LoadFromMemory(bytes.data(), bytes.size());
  return picture;
}

TEST(PictureTest, DecodesEveryKindToThePattern) {
  TTempDir dir;
  TPicture reused; // loaded with each kind in turn: nothing may stay from the one before
  EXPECT_TRUE(reused.Empty());
  for (const TKind& kind : kKinds) {
    SCOPED_TRACE(kind.name);
    const TBytes bytes = Encode(kind.components, kind.progressive);
    WriteBytes("bild.jpg", bytes);

    const TPictureInfo info = TPicture::ReadInfo("bild.jpg");
    EXPECT_EQ(info.Width, kWidth);
    EXPECT_EQ(info.Height, kHeight);
    EXPECT_EQ(info.Components, kind.components);
    EXPECT_EQ(info.Progressive, kind.progressive);

    reused.LoadFromFile("bild.jpg");
    ASSERT_FALSE(reused.Empty());
    EXPECT_EQ(reused.Width(), kWidth);
    EXPECT_EQ(reused.Height(), kHeight);
    EXPECT_EQ(reused.Components(), kind.components);
    EXPECT_EQ(reused.Progressive(), kind.progressive);
    const TBytes& pixels = reused.Pixels();
    ASSERT_EQ(pixels.size(), static_cast<size_t>(kWidth) * kHeight * 3);

    // Away from the quadrant borders JPEG keeps smooth colours within a few steps.
    int far = 0;
    int greyMismatches = 0;
    uint8_t expected[3];
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        const uint8_t* pixel = &pixels[(static_cast<size_t>(y) * kWidth + x) * 3];
        if (kind.components == 1 && (pixel[0] != pixel[1] || pixel[0] != pixel[2]))
          ++greyMismatches;
        if (std::abs(x - kBorderX) < 4 || std::abs(y - kBorderY) < 4)
          continue;
        Expected(x, y, kind.components, expected);
        for (int c = 0; c < 3; ++c)
          if (std::abs(pixel[c] - expected[c]) > 8 && far++ < 5)
            ADD_FAILURE() << "pixel " << x << "," << y << " channel " << c << ": " << int(pixel[c])
                          << " instead of about " << int(expected[c]);
      }
    EXPECT_EQ(far, 0);
    EXPECT_EQ(greyMismatches, 0) << "a grey picture must have equal red, green and blue";

    // Exactly what libjpeg itself outputs: no row lost, repeated or shifted between batches.
    const TReference reference = DecodeWithLibjpeg(bytes);
    ASSERT_TRUE(reference.Clean());
    EXPECT_TRUE(pixels == reference.rgb);

    TPicture fromMemory;
    fromMemory.LoadFromMemory(bytes.data(), bytes.size());
    EXPECT_TRUE(SameContent(fromMemory, reused));
  }

  reused.Clear();
  EXPECT_TRUE(reused.Empty());
  EXPECT_EQ(reused.Width(), 0);
  EXPECT_EQ(reused.Height(), 0);
  EXPECT_EQ(reused.Components(), 0);
  EXPECT_FALSE(reused.Progressive());
  EXPECT_TRUE(reused.Pixels().empty());
}

TEST(PictureTest, FilesThatAreNoPictureGiveGermanErrors) {
  TTempDir dir;
  WriteFileBytes("notiz.txt", "Dies ist kein Bild, sondern eine Notiz.\n");
  WriteFileBytes("leer.jpg", "");
  std::filesystem::create_directory("ordner.jpg");
  const TPicture previous = Previous();

  struct TCase {
    const char* file;
    bool inOut;
    int code;
    const char* text;
  };
  const TCase cases[] = {
      {"fehlt.jpg", true, ioFileNotFound, "E/A-Fehler 2 beim Öffnen von fehlt.jpg"},
      {"ordner.jpg", true, ioAccessDenied, "E/A-Fehler 5 beim Öffnen von ordner.jpg"},
      {"leer.jpg", true, ioReadPastEnd, "E/A-Fehler 100 beim Lesen von leer.jpg"},
      {"notiz.txt", false, 0, "Die Datei notiz.txt ist kein gültiges JPEG-Bild: Not a JPEG file"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.file);
    TPicture picture = previous;
    for (const TOutcome& outcome : {Attempt([&] { picture.LoadFromFile(c.file); }),
                                    Attempt([&] { TPicture::ReadInfo(c.file); })}) {
      EXPECT_TRUE(outcome.failed);
      EXPECT_EQ(outcome.inOut, c.inOut);
      EXPECT_EQ(outcome.code, c.code);
      EXPECT_TRUE(Contains(outcome.message, c.text)) << outcome.message;
    }
    EXPECT_TRUE(SameContent(picture, previous));
  }

  TPicture picture = previous;
  const TOutcome nothing = Attempt([&] { picture.LoadFromMemory(nullptr, 0); });
  EXPECT_TRUE(nothing.inOut);
  EXPECT_EQ(nothing.code, ioReadPastEnd);
  EXPECT_TRUE(Contains(nothing.message, "JPEG-Daten im Speicher")) << nothing.message;
  const std::string text = "Dies ist kein Bild.";
  const TOutcome notJpeg = Attempt(
      [&] { picture.LoadFromMemory(reinterpret_cast<const uint8_t*>(text.data()), text.size()); });
  EXPECT_TRUE(notJpeg.failed);
  EXPECT_FALSE(notJpeg.inOut);
  EXPECT_TRUE(Contains(notJpeg.message, "Der Speicherinhalt ist kein gültiges JPEG-Bild"))
      << notJpeg.message;
  EXPECT_TRUE(SameContent(picture, previous));
}

TEST(PictureTest, TruncatedDataAreAReadPastTheEnd) {
  TTempDir dir;
  const TPicture previous = Previous();
  for (const TKind& kind : kKinds) {
    SCOPED_TRACE(kind.name);
    const TBytes bytes = Encode(kind.components, kind.progressive);
    const TLayout layout = Layout(bytes);
    ASSERT_NE(layout.scanEnd, kNone);
    ASSERT_EQ(layout.secondSos != kNone, kind.progressive);
    std::vector<size_t> lengths = {1,
                                   2,
                                   20,
                                   layout.firstSos,
                                   layout.scanStart,
                                   layout.scanStart + 1,
                                   (layout.scanStart + layout.scanEnd) / 2,
                                   layout.scanEnd, // the first scan complete
                                   (layout.scanStart + bytes.size()) / 2,
                                   bytes.size() - 2, // only the end marker missing
                                   bytes.size() - 1};
    if (kind.progressive)
      lengths.push_back(layout.secondSos); // all of the first scan, none of the others
    for (size_t length : lengths) {
      SCOPED_TRACE("cut to " + std::to_string(length) + " of " + std::to_string(bytes.size()));
      // Exactly the cut length, so a read past it would touch memory outside the block.
      const TBytes cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
      WriteBytes("kurz.jpg", cut);
      TPicture picture = previous;
      const TOutcome fromFile = Attempt([&] { picture.LoadFromFile("kurz.jpg"); });
      const TOutcome fromMemory = Attempt([&] { picture.LoadFromMemory(cut.data(), cut.size()); });
      EXPECT_TRUE(fromFile.inOut);
      EXPECT_EQ(fromFile.code, ioReadPastEnd);
      EXPECT_TRUE(Contains(fromFile.message, "E/A-Fehler 100 beim Lesen von kurz.jpg"))
          << fromFile.message;
      EXPECT_TRUE(fromMemory.inOut);
      EXPECT_EQ(fromMemory.code, ioReadPastEnd);
      EXPECT_TRUE(SameContent(picture, previous));

      // The header query stops at the first scan: a cut after it is not its business.
      const TOutcome info = Attempt([] { TPicture::ReadInfo("kurz.jpg"); });
      if (length < layout.scanStart) {
        EXPECT_TRUE(info.inOut);
        EXPECT_EQ(info.code, ioReadPastEnd);
      } else {
        EXPECT_FALSE(info.failed) << info.message;
        EXPECT_EQ(TPicture::ReadInfo("kurz.jpg").Height, kHeight);
      }
    }
  }
}

TEST(PictureTest, DamagedScanDataFailExactlyWhenLibjpegComplains) {
  const TPicture previous = Previous();

  // An end marker in the middle of the scan: libjpeg would fill the rest with grey.
  for (const TKind& kind : kKinds) {
    SCOPED_TRACE(kind.name);
    TBytes bytes = Encode(kind.components, kind.progressive);
    const TLayout layout = Layout(bytes);
    ASSERT_GE(layout.scanEnd - layout.scanStart, 4u);
    const size_t middle = (layout.scanStart + layout.scanEnd) / 2;
    bytes[middle] = 0xFF;
    bytes[middle + 1] = 0xD9;
    const TReference reference = DecodeWithLibjpeg(bytes);
    EXPECT_FALSE(reference.failed) << "libjpeg on its own shows such a picture";
    EXPECT_GT(reference.warnings, 0);
    TPicture picture = previous;
    const TOutcome outcome = Attempt([&] { picture.LoadFromMemory(bytes.data(), bytes.size()); });
    EXPECT_TRUE(outcome.failed);
    EXPECT_FALSE(outcome.inOut);
    EXPECT_TRUE(Contains(outcome.message, "Der Speicherinhalt ist kein gültiges JPEG-Bild: "
                                          "Corrupt JPEG data"))
        << outcome.message;
    EXPECT_TRUE(SameContent(picture, previous));
  }

  // Stray bytes between the last scan and the end marker: the pixels are all there, but libjpeg
  // only notices the stray bytes when it reads on to the end marker after the last row.
  for (const TKind& kind : kKinds) {
    SCOPED_TRACE(kind.name);
    TBytes bytes = Encode(kind.components, kind.progressive);
    bytes.insert(bytes.end() - 2, 64, 0x55);
    EXPECT_GT(DecodeWithLibjpeg(bytes).warnings, 0);
    TPicture picture = previous;
    const TOutcome outcome = Attempt([&] { picture.LoadFromMemory(bytes.data(), bytes.size()); });
    EXPECT_TRUE(Contains(outcome.message, "extraneous bytes")) << outcome.message;
    EXPECT_TRUE(SameContent(picture, previous));
  }

  // Every byte of the scans damaged in turn: the picture loads exactly when plain libjpeg
  // decodes it without any warning, and then with libjpeg's pixels; otherwise it is an error
  // and the previous content stays.
  for (const TKind& kind : kKinds) {
    SCOPED_TRACE(kind.name);
    const TBytes bytes = Encode(kind.components, kind.progressive);
    int loaded = 0;
    int refused = 0;
    int wrong = 0;
    for (size_t pos = Layout(bytes).scanStart; pos + 2 < bytes.size(); ++pos)
      for (uint8_t mask : {0x01, 0x5A, 0xFF}) {
        TBytes damaged = bytes;
        damaged[pos] ^= mask;
        const TReference reference = DecodeWithLibjpeg(damaged);
        TPicture picture = previous;
        const TOutcome outcome =
            Attempt([&] { picture.LoadFromMemory(damaged.data(), damaged.size()); });
        const bool agrees = reference.Clean()
                                ? !outcome.failed && picture.Pixels() == reference.rgb &&
                                      picture.Width() == kWidth && picture.Height() == kHeight
                                : outcome.failed && SameContent(picture, previous) &&
                                      Contains(outcome.message, "Speicher");
        (outcome.failed ? refused : loaded)++;
        if (!agrees && wrong++ < 5)
          ADD_FAILURE() << "byte " << pos << " xor " << int(mask) << ": libjpeg "
                        << (reference.failed ? "failed" : "decoded") << " with "
                        << reference.warnings << " warnings; TPicture "
                        << (outcome.failed ? "refused: " + outcome.message : "loaded");
      }
    EXPECT_EQ(wrong, 0);
    // Both ways out are taken, so the comparison above covers each of them.
    EXPECT_GT(refused, 0);
    EXPECT_GT(loaded, 0);
  }
}

TEST(PictureTest, OversizedHeadersAreRefusedBeforeDecoding) {
  TTempDir dir;
  const TPicture previous = Previous();
  const TBytes bytes = Encode(3, true);

  // 60000 is below libjpeg's own limit of 65500, so the refusal is TPicture's.
  const TBytes huge = WithDimensions(bytes, 60000, 60000);
  WriteBytes("riesig.jpg", huge);
  TPicture picture = previous;
  for (const TOutcome& outcome :
       {Attempt([] { TPicture::ReadInfo("riesig.jpg"); }),
        Attempt([&] { picture.LoadFromFile("riesig.jpg"); }),
        Attempt([&] { picture.LoadFromMemory(huge.data(), huge.size()); })}) {
    EXPECT_TRUE(outcome.failed);
    EXPECT_FALSE(outcome.inOut);
    EXPECT_TRUE(Contains(outcome.message, "zu großes Bild (60000 x 60000 Bildpunkte"))
        << outcome.message;
  }
  EXPECT_TRUE(SameContent(picture, previous));

  struct TCase {
    int width;
    int height;
    bool allowed;
  };
  const TCase cases[] = {{16384, 8, true},     {16385, 8, false},     {8, 16385, false},
                         {10000, 10000, true}, {10000, 10001, false}, {10001, 10000, false}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    WriteBytes("gross.jpg", WithDimensions(bytes, c.width, c.height));
    const TOutcome outcome = Attempt([] { TPicture::ReadInfo("gross.jpg"); });
    EXPECT_EQ(outcome.failed, !c.allowed) << outcome.message;
    if (c.allowed) {
      const TPictureInfo info = TPicture::ReadInfo("gross.jpg");
      EXPECT_EQ(info.Width, c.width);
      EXPECT_EQ(info.Height, c.height);
    } else {
      EXPECT_TRUE(Contains(outcome.message, "zu großes Bild")) << outcome.message;
    }
  }

  // At the limit the header passes, and the decode fails on the scan that is far too short.
  const TBytes wide = WithDimensions(bytes, 16384, 8);
  const TOutcome outcome = Attempt([&] { picture.LoadFromMemory(wide.data(), wide.size()); });
  EXPECT_TRUE(outcome.failed);
  EXPECT_FALSE(Contains(outcome.message, "zu groß")) << outcome.message;
  EXPECT_TRUE(SameContent(picture, previous));
}

} // namespace
