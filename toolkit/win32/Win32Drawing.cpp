// Labels, group boxes, pictures and paint boxes drawn with GDI.
#include "toolkit/win32/Win32Drawing.h"

#include "toolkit/Application.h"
#include "toolkit/win32/Win32Canvas.h"
#include "toolkit/win32/Win32Child.h"
#include "toolkit/win32/Win32Fonts.h"
#include "toolkit/win32/Win32Picture.h"
#include "toolkit/win32/Win32Text.h"

#include <exception>

namespace {

HBRUSH FaceBrush() { return GetSysColorBrush(COLOR_BTNFACE); }

COLORREF TextColorOf(const TControl& control) {
  return EnabledWithParents(control) ? ColorRefOf(control.Font().Color)
                                     : GetSysColor(COLOR_GRAYTEXT);
}

} // namespace

bool IsDrawnKind(const TControl& control) {
  return dynamic_cast<const TLabel*>(&control) != nullptr ||
         dynamic_cast<const TImage*>(&control) != nullptr ||
         dynamic_cast<const TPaintBox*>(&control) != nullptr ||
         dynamic_cast<const TGroupBox*>(&control) != nullptr;
}

void DrawLabel(HDC dc, const TLabel& label, const RECT& area, int clipRight, TWin32Fonts& fonts) {
  if (!label.Transparent())
    FillRect(dc, &area, FaceBrush());
  const TFont& font = label.Font();
  const std::vector<std::string> lines =
      label.WordWrap()
          ? WrapLines(label.Caption(), area.right - area.left,
                      [&](const std::string& line) { return fonts.TextWidth(font, line); })
          : SplitLines(label.Caption());
  const bool clipped = label.WordWrap() || !label.AutoSize();
  IntersectClipRect(dc, area.left, area.top, clipped ? area.right : clipRight, area.bottom);
  SetTextColor(dc, TextColorOf(label));
  fonts.DrawLines(dc, font, lines, area.left, area.top);
}

void DrawGroupBox(HDC dc, const TControl& box, const RECT& area, TWin32Fonts& fonts) {
  const TFont& font = box.Font();
  const int lineHeight = fonts.LineHeight(font);
  RECT frame{area.left, area.top + lineHeight / 2, area.right, area.bottom};
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  const std::string caption = SplitLines(box.Caption())[0];
  if (caption.empty())
    return;
  // The caption interrupts the frame's top line.
  const int width = fonts.TextWidth(font, StripAccessMarkers(caption));
  const RECT gap{area.left + 6, area.top, area.left + 6 + width + 4, area.top + lineHeight};
  FillRect(dc, &gap, FaceBrush());
  RECT text{area.left + 8, area.top, area.left + 8 + width + 2, area.top + lineHeight};
  TSelection selected(dc, fonts.Handle(font));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, TextColorOf(box));
  const std::wstring wide = Widen(caption);
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &text,
            DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
}

void DrawImage(HDC dc, TImage& image, const RECT& area, TWin32Picture& bitmap,
               std::string& failedFile) {
  const TPicture* picture = &image.Picture();
  if (picture->Empty() && !image.PictureFile().empty() && image.PictureFile() != failedFile) {
    try {
      picture = &image.LoadedPicture();
    } catch (const std::exception& error) {
      // Shown once; the platform holds the message until the painting is over.
      failedFile = image.PictureFile();
      Application.HandleException(error);
    }
  }
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  bitmap.Update(*picture, image.TransparentWhite());
  bitmap.Draw(dc, area.left, area.top, area.right - area.left, area.bottom - area.top);
}

void DrawPaintBox(HDC dc, TPaintBox& box, const RECT& area, TWin32Fonts& fonts) {
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  TGdiCanvas canvas(dc, area.left, area.top, fonts);
  box.Paint(canvas);
}
