// Tests of the program's own windows realised by the FLTK backend on a real X display: the
// links' hand cursor, the message box's icons and the tool windows' hints.
#include "FltkFixture.h"
#include "XPointer.h"

#include "windows/srcInfo.h"
#include "windows/srcSplash.h"

#include <FL/Fl_Window.H>

namespace {

// The cursor the screen shows with the pointer at the middle of a control's widget.
TCursorImage CursorOver(TFltkFormPeer& peer, const TControl& control) {
  const Fl_Widget& widget = *peer.WidgetOf(control);
  MovePointer(peer.Window(), widget.x() + widget.w() / 2, widget.y() + widget.h() / 2);
  for (int i = 0; i < 20; ++i)
    Fl::wait(0.01);
  return CurrentCursor();
}

} // namespace

TEST_F(FltkBackend, LinksShowTheHandWhileThePointerIsOverThem) {
  TfrmInfo info;
  info.SetBounds(10, 10, 539, 400);
  ShowAndDraw(info);
  TFltkFormPeer& peer = PeerOf(info);
  Fl_Window& window = peer.Window();

  // What the window shows with its own default and hand cursors, over the picture.
  window.cursor(FL_CURSOR_DEFAULT);
  const TCursorImage plain = CursorOver(peer, *info.Image2);
  window.cursor(FL_CURSOR_HAND);
  const TCursorImage hand = CurrentCursor();
  window.cursor(FL_CURSOR_DEFAULT);
  ASSERT_NE(hand, plain);

  EXPECT_EQ(CursorOver(peer, *info.txtInfoText03), hand);
  EXPECT_EQ(CursorOver(peer, *info.Image2), plain);
  EXPECT_EQ(CursorOver(peer, *info.txtInfoText04), hand);
  // The info text under the links is no link.
  MovePointer(window, info.txtInfoText01->Left() + 20, info.txtInfoText01->Top() + 5);
  Pump(200);
  EXPECT_EQ(CurrentCursor(), plain);
  EXPECT_EQ(CursorOver(peer, *info.btnOk), plain);
  info.Hide();

  TfrmSplash splash;
  ShowAndDraw(splash);
  EXPECT_EQ(CursorOver(PeerOf(splash), *splash.lblDHV), hand);
  EXPECT_EQ(CursorOver(PeerOf(splash), *splash.Image2), plain);
}
