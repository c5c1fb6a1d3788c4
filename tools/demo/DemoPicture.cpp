// Drawing the demo picture (sky, hill and a glider's wing); the JPEG writer of the test support
// compresses it.
#include "tools/demo/DemoPicture.h"

#include "support/JpegWriter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include <unistd.h>

namespace {

std::vector<uint8_t> DrawPixels(int width, int height) {
  std::vector<uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint8_t* pixel = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
      // A sky that darkens upwards, a green hill, and a red wing in the sky.
      const int hill = height * 3 / 4 - (x - width / 2) * (x - width / 2) / (width * 2);
      const int dx = x - width / 3, dy = y - height / 4;
      if (y > hill) {
        pixel[0] = 40;
        pixel[1] = static_cast<unsigned char>(120 + 60 * (y - hill) / height);
        pixel[2] = 40;
      } else if (dy >= 0 && dy < 6 && dx > -30 + dy * 2 && dx < 30 - dy * 2) {
        pixel[0] = 210;
        pixel[1] = 30;
        pixel[2] = 30;
      } else {
        pixel[0] = static_cast<unsigned char>(90 + 100 * y / height);
        pixel[1] = static_cast<unsigned char>(140 + 80 * y / height);
        pixel[2] = 235;
      }
    }
  }
  return rgb;
}

} // namespace

TDemoPicture::TDemoPicture(int width, int height) {
  std::string pattern = (std::filesystem::temp_directory_path() / "aerolern-demo-XXXXXX.jpg");
  const int descriptor = mkstemps(pattern.data(), 4);
  if (descriptor < 0)
    throw std::runtime_error("Keine temporäre Datei für das Demo-Bild: " + pattern);
  path = pattern;
  close(descriptor);
  TJpegOptions options;
  options.Quality = 90;
  if (!WriteJpegFile(path, DrawPixels(width, height), width, height, 3, options)) {
    std::remove(path.c_str());
    throw std::runtime_error("Demo-Bild nicht beschreibbar: " + path);
  }
}

TDemoPicture::~TDemoPicture() { std::remove(path.c_str()); }
