// Tests of the paint box: what it draws reaches the canvas in order, and a failing paint handler
// is reported like any other.
#include "toolkit/PaintBox.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/headless/HeadlessPlatform.h"
#include "toolkit/headless/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(PaintBoxTest, DrawsOnTheCanvasAndReportsAFailedPaint) {
  THeadlessPlatform platform;
  TForm form("frmProbe");
  auto* box = form.Create<TPaintBox>("pbxProbe");
  box->SetBounds(10, 10, 200, 100);
  TFont font;
  font.Color = 0x00FF00;
  box->OnPaint = [&](TCanvas& canvas) {
    canvas.FillRect({0, 0, 50, 20}, 0xFF0000);
    canvas.TextOut(4, 30, "Mündlich", font);
    canvas.Line(0, 99, 199, 99, 0x000000);
  };
  const std::vector<TPaintOp> ops = PaintOps(*box);
  ASSERT_EQ(ops.size(), 3u);
  EXPECT_EQ(ops[0].Kind, TPaintOp::TKind::FillRect);
  EXPECT_EQ(ops[0].Color, 0xFF0000u);
  EXPECT_EQ(ops[1].Text, "Mündlich");
  EXPECT_EQ(ops[1].Color, 0x00FF00u);
  EXPECT_EQ(ops[1].Rect.Width, FixedMetricTextSize(font, "Mündlich").Width);
  EXPECT_EQ(ops[2].Rect.Height, 99);

  box->OnPaint = [](TCanvas&) { throw std::runtime_error("Zeichnen fehlgeschlagen"); };
  EXPECT_TRUE(PaintOps(*box).empty());
  ASSERT_EQ(platform.Messages().size(), 1u);
  EXPECT_EQ(platform.Messages()[0].Text, "Zeichnen fehlgeschlagen");
}

} // namespace
