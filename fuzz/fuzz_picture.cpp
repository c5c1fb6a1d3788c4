// Fuzz target: JPEG decoding of damaged or hostile pictures, from memory and from a file.
//
// The input is the whole picture file. It is decoded from memory and from the file, and its
// header is read alone. Findings besides sanitizer reports: a failed load that changes the
// picture, the two loads disagreeing, a header read that rejects a picture that loads or
// describes it otherwise, and pixels of another size than the picture's.
#include "FuzzSupport.h"

#include "toolkit/Exceptions.h"
#include "toolkit/Picture.h"

#include <optional>

namespace {

const char* const kPictureFileName = "Skizze.jpg";

// What a picture holds, to compare loads with each other.
struct TState {
  int Width, Height, Components;
  bool Progressive;
  std::vector<uint8_t> Pixels;
  bool operator==(const TState& other) const {
    return Width == other.Width && Height == other.Height && Components == other.Components &&
           Progressive == other.Progressive && Pixels == other.Pixels;
  }
};

TState StateOf(const TPicture& picture) {
  return {picture.Width(), picture.Height(), picture.Components(), picture.Progressive(),
          picture.Pixels()};
}

// A picture that already holds something, so that a failed load can be seen to keep it.
TPicture Preloaded() {
  TPicture picture;
  picture.SetPixels(2, 1, {1, 2, 3, 4, 5, 6});
  return picture;
}

// The state after a load, or nothing when the load failed (and then left the picture alone).
template <typename Load> std::optional<TState> Loaded(Load load) {
  TPicture picture = Preloaded();
  const TState before = StateOf(picture);
  try {
    load(picture);
  } catch (const Exception&) {
    fuzz::Require(StateOf(picture) == before, "a failed load keeps the picture as it was");
    return std::nullopt;
  }
  const TState after = StateOf(picture);
  fuzz::Require(after.Width > 0 && after.Height > 0 && after.Width <= TPicture::MaxSide &&
                    after.Height <= TPicture::MaxSide,
                "a loaded picture has a size within the limits");
  fuzz::Require(after.Components == 1 || after.Components == 3,
                "a loaded picture is grey or colour");
  fuzz::Require(after.Pixels.size() == static_cast<std::size_t>(after.Width) *
                                           static_cast<std::size_t>(after.Height) * 3,
                "a loaded picture has three bytes for each pixel");
  return after;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzz::Initialize(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  fuzz::WriteFile(kPictureFileName, data, size);
  const std::optional<TState> fromMemory =
      Loaded([data, size](TPicture& picture) { picture.LoadFromMemory(data, size); });
  const std::optional<TState> fromFile =
      Loaded([](TPicture& picture) { picture.LoadFromFile(kPictureFileName); });
  fuzz::Require(fromMemory == fromFile, "a load from memory and from the file agree");

  std::optional<TPictureInfo> info;
  try {
    info = TPicture::ReadInfo(kPictureFileName);
  } catch (const Exception&) {
  }
  if (fromMemory) {
    fuzz::Require(info.has_value(), "the header of a picture that loads can be read");
    fuzz::Require(info->Width == fromMemory->Width && info->Height == fromMemory->Height &&
                      info->Components == fromMemory->Components &&
                      info->Progressive == fromMemory->Progressive,
                  "the header describes the picture that loads");
  }
  return 0;
}
