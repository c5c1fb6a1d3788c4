// Pictures for the FLTK backend's X tests.
#include "FltkFixture.h"

#include "support/JpegWriter.h"

#include <cstdint>
#include <vector>

void WriteJpeg(const std::string& path, int width, int height, unsigned char red,
               unsigned char green, unsigned char blue, bool noise) {
  const std::size_t stride = static_cast<std::size_t>(width) * 3;
  std::vector<uint8_t> pixels(stride * static_cast<std::size_t>(height));
  for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y)
    for (std::size_t i = 0; i < stride; ++i) {
      const uint8_t colour = i % 3 == 0 ? red : i % 3 == 1 ? green : blue;
      pixels[y * stride + i] = noise ? static_cast<uint8_t>((i * 7 + y * 13) * 31 % 256) : colour;
    }
  if (!WriteJpegFile(path, pixels, width, height, 3))
    throw std::runtime_error("cannot write " + path);
}
