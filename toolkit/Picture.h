// A picture decoded from a JPEG file: 24-bit RGB pixels that a TImage holds and backends draw.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// What the header of a JPEG file says, read without decoding the pixels.
struct TPictureInfo {
  int Width = 0;
  int Height = 0;
  int Components = 0; // 1 for greyscale, 3 for colour
  bool Progressive = false;
};

// A decoded picture. Loading is all or nothing: when a load fails, the picture keeps what it
// held before, so a control never shows a half-decoded image.
//
// Errors (German texts):
// - the file cannot be opened or read: EInOutError with the error number of the open or read
//   (2 when it is missing, 5 when it is a folder or not readable);
// - the data end too early, including an empty file: EInOutError 100;
// - the data are no JPEG, are damaged, or libjpeg warns about them: Exception. Every libjpeg
//   warning counts as an error, because libjpeg would otherwise fill damaged or missing parts
//   with grey and the picture would look valid;
// - the picture has another component count than 1 or 3, or is larger than MaxSide on a side
//   or MaxPixels in all: Exception, raised from the header before any pixel memory is taken.
class TPicture {
public:
  // Limits that keep a hostile header from asking for gigabytes.
  static constexpr int MaxSide = 16384;
  static constexpr std::int64_t MaxPixels = 100'000'000;

  void LoadFromFile(const std::string& path);
  void LoadFromMemory(const uint8_t* data, size_t size);

  // Reads only the header of a file (up to the first scan), with the same checks and errors
  // as a load; the scan data are not looked at, so a picture can pass here and fail to load.
  static TPictureInfo ReadInfo(const std::string& path);

  int Width() const { return width; }
  int Height() const { return height; }
  // Rows from the top, 3 bytes (red, green, blue) per pixel, no padding; greyscale expanded.
  const std::vector<uint8_t>& Pixels() const { return pixels; }
  // Component count of the file the picture came from (1 or 3); 0 when empty.
  int Components() const { return components; }
  bool Progressive() const { return progressive; }
  bool Empty() const { return pixels.empty(); }
  void Clear();
  // Takes pixels the program drew itself: rows from the top, 3 bytes (red, green, blue) per
  // pixel. Throws std::invalid_argument when rgb does not hold exactly width × height pixels.
  void SetPixels(int newWidth, int newHeight, std::vector<uint8_t> rgb) {
    if (newWidth <= 0 || newHeight <= 0 || newWidth > MaxSide || newHeight > MaxSide ||
        rgb.size() != static_cast<std::size_t>(newWidth) * static_cast<std::size_t>(newHeight) * 3)
      throw std::invalid_argument("TPicture::SetPixels: Pixelzahl passt nicht zur Größe.");
    width = newWidth;
    height = newHeight;
    components = 3;
    progressive = false;
    pixels = std::move(rgb);
  }

private:
  int width = 0;
  int height = 0;
  int components = 0;
  bool progressive = false;
  std::vector<uint8_t> pixels;
};
