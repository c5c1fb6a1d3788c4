// JPEG pictures compressed with libjpeg, for the tests and the toolkit demo.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TJpegOptions {
  int Quality = 95;
  bool Progressive = false;
};

// Compresses `height` rows of `width` pixels of `components` bytes each (3: RGB, 1: grey), row
// after row. Empty when the pixels do not fill the picture or libjpeg refuses it.
std::vector<uint8_t> EncodeJpeg(const std::vector<uint8_t>& pixels, int width, int height,
                                int components, const TJpegOptions& options = {});

// Writes the compressed picture to a file; false when it cannot be compressed or written.
bool WriteJpegFile(const std::string& path, const std::vector<uint8_t>& pixels, int width,
                   int height, int components, const TJpegOptions& options = {});
