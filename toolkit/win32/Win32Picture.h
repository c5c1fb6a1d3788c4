// A decoded picture as a GDI bitmap, ready to draw; white made transparent when asked.
#pragma once

#include "toolkit/Picture.h"
#include "toolkit/win32/Win32Fonts.h"

// The bitmap of the pixels a TImage showed last. It is made again only when the picture's
// pixels or the transparency are others than last time, so a repaint copies no pixels.
class TWin32Picture {
public:
  // Makes the bitmap from the picture unless it shows these pixels already.
  void Update(const TPicture& picture, bool transparentWhite);
  // Draws the picture's top left corner at (x, y), cut to width × height. Transparent white
  // lets what the device context holds there show through.
  void Draw(HDC dc, int x, int y, int width, int height) const;

private:
  TGdiObject<HBITMAP> bitmap;
  const uint8_t* source = nullptr;
  int pictureWidth = 0;
  int pictureHeight = 0;
  bool transparent = false;
};
