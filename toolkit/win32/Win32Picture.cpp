// Turning the model's RGB pixels into a 32-bit GDI bitmap and drawing it.
#include "toolkit/win32/Win32Picture.h"

#include "toolkit/StdCtrls.h"

#include <algorithm>

void TWin32Picture::Update(const TPicture& picture, bool transparentWhite) {
  const std::vector<uint8_t>& rgb = picture.Pixels();
  if (bitmap && source == rgb.data() && pictureWidth == picture.Width() &&
      pictureHeight == picture.Height() && transparent == transparentWhite)
    return;
  bitmap.reset();
  source = nullptr;
  if (picture.Empty())
    return;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = picture.Width();
  info.bmiHeader.biHeight = -picture.Height(); // rows from the top, as the model keeps them
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) {
    bitmap.reset();
    return;
  }
  // Blue, green, red, alpha per pixel, alpha premultiplied: a transparent pixel is all zero.
  auto* out = static_cast<uint8_t*>(bits);
  for (std::size_t from = 0; from + 2 < rgb.size(); from += 3, out += 4) {
    const uint8_t red = rgb[from], green = rgb[from + 1], blue = rgb[from + 2];
    const bool clear = transparentWhite && TImage::IsTransparentWhite(red, green, blue);
    out[0] = clear ? 0 : blue;
    out[1] = clear ? 0 : green;
    out[2] = clear ? 0 : red;
    out[3] = clear ? 0 : 255;
  }
  source = rgb.data();
  pictureWidth = picture.Width();
  pictureHeight = picture.Height();
  transparent = transparentWhite;
}

void TWin32Picture::Draw(HDC dc, int x, int y, int width, int height) const {
  if (!bitmap)
    return;
  const int shownWidth = std::min(width, pictureWidth);
  const int shownHeight = std::min(height, pictureHeight);
  if (shownWidth <= 0 || shownHeight <= 0)
    return;
  TMemoryDc from(CreateCompatibleDC(dc));
  TSelection selected(from.get(), bitmap.get());
  if (transparent) {
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    GdiAlphaBlend(dc, x, y, shownWidth, shownHeight, from.get(), 0, 0, shownWidth, shownHeight,
                  blend);
  } else {
    BitBlt(dc, x, y, shownWidth, shownHeight, from.get(), 0, 0, SRCCOPY);
  }
}
