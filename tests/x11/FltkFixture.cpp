// Pictures and scratch folders for the FLTK backend's X tests.
#include "FltkFixture.h"

#include <cstdio>
#include <vector>

#include <jpeglib.h>
#include <stdlib.h>

namespace fs = std::filesystem;

void WriteJpeg(const std::string& path, int width, int height, unsigned char red,
               unsigned char green, unsigned char blue, bool noise) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr)
    throw std::runtime_error("cannot write " + path);
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
  jpeg_set_quality(&compressor, 95, TRUE);
  jpeg_start_compress(&compressor, TRUE);
  std::vector<JSAMPLE> row(static_cast<std::size_t>(width) * 3);
  for (int x = 0; x < width; ++x) {
    row[static_cast<std::size_t>(x) * 3] = red;
    row[static_cast<std::size_t>(x) * 3 + 1] = green;
    row[static_cast<std::size_t>(x) * 3 + 2] = blue;
  }
  while (compressor.next_scanline < compressor.image_height) {
    if (noise)
      for (std::size_t i = 0; i < row.size(); ++i)
        row[i] = static_cast<JSAMPLE>((i * 7 + compressor.next_scanline * 13) * 31 % 256);
    JSAMPROW pointer = row.data();
    jpeg_write_scanlines(&compressor, &pointer, 1);
  }
  jpeg_finish_compress(&compressor);
  jpeg_destroy_compress(&compressor);
  std::fclose(file);
}

TScratchDir::TScratchDir() {
  std::string pattern = (fs::temp_directory_path() / "fltk-backend-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr)
    throw std::runtime_error("mkdtemp failed");
  path = pattern;
}

TScratchDir::~TScratchDir() {
  std::error_code ignored;
  fs::remove_all(path, ignored);
}
