// The paint box: painting through the dispatch, and repainting on request.
#include "toolkit/PaintBox.h"

#include "toolkit/Application.h"

void TPaintBox::Paint(TCanvas& canvas) {
  if (OnPaint)
    Application.Dispatch([&] { OnPaint(canvas); });
}

void TPaintBox::Invalidate() { NotifyChanged(TChange::Paint); }
