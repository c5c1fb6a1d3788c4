// JPEG decoding for TPicture through libjpeg's C interface, with errors turned into exceptions.
#include "toolkit/Picture.h"

#include "toolkit/Exceptions.h"
#include "toolkit/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csetjmp>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>

// jpeglib.h uses FILE and size_t without including their headers, so <cstdio> comes first.
#include <jerror.h>
#include <jpeglib.h>

namespace {

// Rows handed to one jpeg_read_scanlines call; libjpeg fills as many as it has ready.
constexpr JDIMENSION kBatchRows = 16;

// How a source is named in error texts.
struct TSourceName {
  std::string ioName;  // for E/A-Fehler texts: "E/A-Fehler 100 beim Lesen von <ioName>"
  std::string subject; // start of a sentence: "<subject> ist kein gültiges JPEG-Bild"
};

TSourceName FileName(const std::string& path) { return {path, "Die Datei " + path}; }

// libjpeg's error manager with the place to jump back to and the formatted message.
// libjpeg hands the callbacks a pointer to pub, the first member, so it converts back.
struct TErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

// Replaces libjpeg's default, which prints and calls exit().
[[noreturn]] void ErrorExit(j_common_ptr info) {
  auto* manager = reinterpret_cast<TErrorManager*>(info->err);
  manager->pub.format_message(info, manager->message);
  std::longjmp(manager->jump, 1);
}

// libjpeg reports damaged or missing data only as a warning and goes on with grey or zero
// filled blocks; a picture like that must not pass as valid, so every warning ends the decode.
// Trace messages (level 0 and up) are ignored.
void EmitMessage(j_common_ptr info, int level) {
  if (level < 0)
    ErrorExit(info);
}

// Copies each grey byte to three; works in place from the right end, since a pixel's three
// bytes start at or after its grey byte and the grey bytes to its left are still unread.
void ExpandGreyRow(uint8_t* row, JDIMENSION width) {
  for (JDIMENSION x = width; x-- > 0;) {
    const uint8_t grey = row[x];
    row[3 * x] = grey;
    row[3 * x + 1] = grey;
    row[3 * x + 2] = grey;
  }
}

// Owns a jpeg_decompress_struct and runs libjpeg calls so that a libjpeg error becomes a C++
// exception. The struct is destroyed on every path by the destructor.
class TDecompressor {
public:
  explicit TDecompressor(TSourceName sourceName, std::FILE* sourceFile = nullptr)
      : name(std::move(sourceName)), file(sourceFile) {
    info.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = ErrorExit;
    errors.pub.emit_message = EmitMessage;
    auto create = [this] { jpeg_create_decompress(&info); };
    if (!Guarded(create)) {
      // The destructor does not run for a failed constructor.
      jpeg_destroy_decompress(&info);
      Fail();
    }
  }
  ~TDecompressor() { jpeg_destroy_decompress(&info); }
  TDecompressor(const TDecompressor&) = delete;
  TDecompressor& operator=(const TDecompressor&) = delete;

  // Runs libjpeg calls; throws the matching error when libjpeg gives up or warns.
  // The step must hold no objects with destructors, since a libjpeg error jumps out of it.
  template <typename Step> void Run(Step step) {
    if (!Guarded(step))
      Fail();
  }

  // Reads the header and refuses what a load would refuse, before any pixel memory is taken.
  TPictureInfo ReadCheckedHeader() {
    Run([this] { jpeg_read_header(&info, TRUE); });
    TPictureInfo header;
    header.Components = info.num_components;
    header.Progressive = info.progressive_mode != FALSE;
    if (header.Components != 1 && header.Components != 3)
      throw Exception(name.subject + " enthält ein JPEG-Bild mit " +
                      std::to_string(header.Components) +
                      " Farbkomponenten; unterstützt werden nur Graustufen- und Farbbilder "
                      "(1 oder 3 Komponenten).");
    const JDIMENSION width = info.image_width;
    const JDIMENSION height = info.image_height;
    if (width > TPicture::MaxSide || height > TPicture::MaxSide ||
        static_cast<std::int64_t>(width) * height > TPicture::MaxPixels)
      throw Exception(name.subject + " enthält ein zu großes Bild (" + std::to_string(width) +
                      " x " + std::to_string(height) + " Bildpunkte; erlaubt sind höchstens " +
                      std::to_string(TPicture::MaxSide) + " je Seite und " +
                      std::to_string(TPicture::MaxPixels / 1'000'000) + " Megapixel).");
    header.Width = static_cast<int>(width);
    header.Height = static_cast<int>(height);
    return header;
  }

  jpeg_decompress_struct info{};

private:
  // The only frame that calls setjmp. It holds no objects with destructors, and nothing it
  // reads after the jump was changed after the setjmp.
  template <typename Step> bool Guarded(Step& step) {
    if (setjmp(errors.jump) != 0)
      return false;
    step();
    return true;
  }

  [[noreturn]] void Fail() {
    const int code = errors.pub.msg_code;
    if (file != nullptr && std::ferror(file))
      RaiseInOutError(InOutErrorFromErrno(errno != 0 ? errno : EIO), "Lesen", name.ioName);
    // The sources libjpeg ships report missing data as these: an empty input is an error,
    // data ending later a warning after which libjpeg would pretend the image ended.
    if (code == JERR_INPUT_EMPTY || code == JERR_INPUT_EOF || code == JWRN_JPEG_EOF)
      RaiseInOutError(ioReadPastEnd, "Lesen", name.ioName);
    throw Exception(name.subject + " ist kein gültiges JPEG-Bild: " + errors.message + ".");
  }

  TErrorManager errors{};
  TSourceName name;
  std::FILE* file;
};

struct TDecoded {
  TPictureInfo header;
  std::vector<uint8_t> pixels;
};

// Decodes the whole picture from the source already set on the decompressor.
TDecoded Decode(TDecompressor& decompressor, const TSourceName& name) {
  jpeg_decompress_struct& info = decompressor.info;
  TDecoded result;
  result.header = decompressor.ReadCheckedHeader();
  const bool grey = result.header.Components == 1;
  // Grey is decoded as grey and expanded here: the conversion to RGB inside libjpeg is an
  // extension of libjpeg-turbo that other libjpeg builds lack.
  info.out_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  decompressor.Run([&info] { jpeg_start_decompress(&info); });
  if (info.output_width != info.image_width || info.output_height != info.image_height ||
      info.output_components != result.header.Components)
    throw Exception(name.subject + " ist kein gültiges JPEG-Bild: unerwartetes Ausgabeformat.");

  const JDIMENSION width = info.output_width;
  const JDIMENSION height = info.output_height;
  const std::size_t stride = static_cast<std::size_t>(width) * 3;
  result.pixels.resize(stride * height);
  uint8_t* const base = result.pixels.data();
  bool stalled = false;
  // Scanlines go straight into their final rows; grey rows fill the left third of their row.
  decompressor.Run([&info, &stalled, base, stride, width, height, grey] {
    JSAMPROW rows[kBatchRows];
    while (info.output_scanline < height) {
      const JDIMENSION first = info.output_scanline;
      const JDIMENSION count = std::min(kBatchRows, height - first);
      for (JDIMENSION i = 0; i < count; ++i)
        rows[i] = base + (first + i) * stride;
      const JDIMENSION read = jpeg_read_scanlines(&info, rows, count);
      if (read == 0) {
        // Only a suspending source returns no rows; ours never do, but a loop must not hang.
        stalled = true;
        return;
      }
      if (grey)
        for (JDIMENSION i = 0; i < read; ++i)
          ExpandGreyRow(rows[i], width);
    }
    // Reads on to the end marker, so damage or a cut after the last row is noticed too.
    jpeg_finish_decompress(&info);
  });
  if (stalled)
    throw Exception(name.subject + " ist kein gültiges JPEG-Bild: keine Bildzeilen lesbar.");
  return result;
}

struct TFileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using TFileHandle = std::unique_ptr<std::FILE, TFileCloser>;

TFileHandle OpenForReading(const std::string& path) {
  TFileHandle file(OpenStream(path, "rb"));
  if (file == nullptr)
    RaiseInOutErrorFromErrno(errno, "Öffnen", path);
  // fopen accepts a folder on POSIX systems; the read would then fail without a clear reason.
  TFileStatus status{};
  if (StatDescriptor(::fileno(file.get()), status) == 0 && S_ISDIR(status.st_mode))
    RaiseNotARegularFile(TNotAFile::Folder, "Öffnen", path);
  return file;
}

} // namespace

void TPicture::LoadFromFile(const std::string& path) {
  const TSourceName name = FileName(path);
  TFileHandle file = OpenForReading(path);
  TDecompressor decompressor(name, file.get());
  decompressor.Run([&decompressor, &file] { jpeg_stdio_src(&decompressor.info, file.get()); });
  TDecoded decoded = Decode(decompressor, name);
  width = decoded.header.Width;
  height = decoded.header.Height;
  components = decoded.header.Components;
  progressive = decoded.header.Progressive;
  pixels.swap(decoded.pixels);
}

void TPicture::LoadFromMemory(const uint8_t* data, size_t size) {
  const TSourceName name{"JPEG-Daten im Speicher", "Der Speicherinhalt"};
  // Only where long is narrower than size_t (64-bit Windows) can the size not be passed on.
  if (size > ULONG_MAX)
    throw Exception(name.subject + " ist zu groß für ein JPEG-Bild.");
  TDecompressor decompressor(name);
  // jpeg_mem_src never reads past size bytes: at the end it reports the missing data.
  decompressor.Run([&decompressor, data, size] {
    jpeg_mem_src(&decompressor.info, data, static_cast<unsigned long>(size));
  });
  TDecoded decoded = Decode(decompressor, name);
  width = decoded.header.Width;
  height = decoded.header.Height;
  components = decoded.header.Components;
  progressive = decoded.header.Progressive;
  pixels.swap(decoded.pixels);
}

TPictureInfo TPicture::ReadInfo(const std::string& path) {
  TFileHandle file = OpenForReading(path);
  TDecompressor decompressor(FileName(path), file.get());
  decompressor.Run([&decompressor, &file] { jpeg_stdio_src(&decompressor.info, file.get()); });
  return decompressor.ReadCheckedHeader();
}

void TPicture::Clear() {
  width = 0;
  height = 0;
  components = 0;
  progressive = false;
  // Gives the memory back; clear() alone would keep the capacity of a large picture.
  std::vector<uint8_t>().swap(pixels);
}
