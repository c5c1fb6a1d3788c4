// Drawing the demo picture (sky, hill and a glider's wing) and compressing it with libjpeg.
#include "tools/demo/DemoPicture.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>
#include <unistd.h>

namespace {

std::vector<unsigned char> DrawPixels(int width, int height) {
  std::vector<unsigned char> rgb(static_cast<std::size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      unsigned char* pixel = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
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

void WriteJpeg(std::FILE* file, int width, int height, const std::vector<unsigned char>& rgb) {
  jpeg_compress_struct compressor{};
  jpeg_error_mgr errors{};
  compressor.err = jpeg_std_error(&errors);
  jpeg_create_compress(&compressor);
  jpeg_stdio_dest(&compressor, file);
  compressor.image_width = static_cast<JDIMENSION>(width);
  compressor.image_height = static_cast<JDIMENSION>(height);
  compressor.input_components = 3;
  compressor.in_color_space = JCS_RGB;
  jpeg_set_defaults(&compressor);
  jpeg_set_quality(&compressor, 90, TRUE);
  jpeg_start_compress(&compressor, TRUE);
  while (compressor.next_scanline < compressor.image_height) {
    auto* row = const_cast<JSAMPLE*>(&rgb[compressor.next_scanline * width * 3]);
    jpeg_write_scanlines(&compressor, &row, 1);
  }
  jpeg_finish_compress(&compressor);
  jpeg_destroy_compress(&compressor);
}

} // namespace

TDemoPicture::TDemoPicture(int width, int height) {
  std::string pattern = (std::filesystem::temp_directory_path() / "aerolern-demo-XXXXXX.jpg");
  const int descriptor = mkstemps(pattern.data(), 4);
  if (descriptor < 0)
    throw std::runtime_error("Keine temporäre Datei für das Demo-Bild: " + pattern);
  path = pattern;
  std::FILE* file = fdopen(descriptor, "wb");
  if (file == nullptr) {
    close(descriptor);
    throw std::runtime_error("Demo-Bild nicht beschreibbar: " + path);
  }
  WriteJpeg(file, width, height, DrawPixels(width, height));
  std::fclose(file);
}

TDemoPicture::~TDemoPicture() { std::remove(path.c_str()); }
