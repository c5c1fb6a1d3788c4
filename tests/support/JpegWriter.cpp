// JPEG compression with libjpeg into memory; a libjpeg error returns instead of ending the
// process.
#include "support/JpegWriter.h"

#include <csetjmp>
#include <cstdio> // before jpeglib.h, which uses FILE
#include <cstdlib>
#include <fstream>

#include <jpeglib.h>

namespace {

struct TJumpErrors {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

void JumpOnError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<TJumpErrors*>(info->err)->jump, 1);
}

struct TCompressor {
  TCompressor() {
    info.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = JumpOnError;
  }
  ~TCompressor() {
    jpeg_destroy_compress(&info);
    std::free(buffer);
  }
  TCompressor(const TCompressor&) = delete;
  TCompressor& operator=(const TCompressor&) = delete;

  jpeg_compress_struct info{};
  TJumpErrors errors{};
  unsigned char* buffer = nullptr; // malloc'ed by jpeg_mem_dest
  unsigned long size = 0;
};

// Only plain data live in this frame, since a libjpeg error jumps out of it.
bool Compress(TCompressor& c, const uint8_t* pixels, int width, int height, int components,
              int quality, bool progressive) {
  if (setjmp(c.errors.jump) != 0)
    return false;
  jpeg_create_compress(&c.info);
  jpeg_mem_dest(&c.info, &c.buffer, &c.size);
  c.info.image_width = static_cast<JDIMENSION>(width);
  c.info.image_height = static_cast<JDIMENSION>(height);
  c.info.input_components = components;
  c.info.in_color_space = components == 3 ? JCS_RGB : JCS_GRAYSCALE;
  jpeg_set_defaults(&c.info);
  jpeg_set_quality(&c.info, quality, TRUE);
  if (progressive)
    jpeg_simple_progression(&c.info);
  jpeg_start_compress(&c.info, TRUE);
  const std::size_t stride = static_cast<std::size_t>(width) * static_cast<std::size_t>(components);
  while (c.info.next_scanline < c.info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(pixels + c.info.next_scanline * stride);
    jpeg_write_scanlines(&c.info, &row, 1);
  }
  jpeg_finish_compress(&c.info);
  return true;
}

} // namespace

std::vector<uint8_t> EncodeJpeg(const std::vector<uint8_t>& pixels, int width, int height,
                                int components, const TJpegOptions& options) {
  if (width <= 0 || height <= 0 || (components != 1 && components != 3) ||
      pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) *
                           static_cast<std::size_t>(components))
    return {};
  TCompressor compressor;
  if (!Compress(compressor, pixels.data(), width, height, components, options.Quality,
                options.Progressive))
    return {};
  return std::vector<uint8_t>(compressor.buffer, compressor.buffer + compressor.size);
}

bool WriteJpegFile(const std::string& path, const std::vector<uint8_t>& pixels, int width,
                   int height, int components, const TJpegOptions& options) {
  const std::vector<uint8_t> bytes = EncodeJpeg(pixels, width, height, components, options);
  if (bytes.empty())
    return false;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}
