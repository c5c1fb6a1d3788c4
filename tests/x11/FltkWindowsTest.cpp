// Tests of the program's own windows realised by the FLTK backend on a real X display: the
// links' hand cursor, the message box's icons and the tool windows' hints.
#include "FltkFixture.h"
#include "ScreenPixels.h"
#include "XPointer.h"

#include "windows/srcInfo.h"
#include "windows/srcSplash.h"
#include "windows/srcXMsgBox.h"

#include <FL/Fl_Window.H>

#include <array>
#include <cstdlib>
#include <vector>

namespace {

// Stands in for the program's main window, so that the message box is not the main form.
class TfrmTestMain : public TForm {
public:
  TfrmTestMain() : TForm("frmTestMain") {}
};

// The program's real pictures lie in the source tree.
std::string SourceAsset(const std::string& name) {
  const char* source = std::getenv("AEROLERN_SOURCE_DIR");
  if (source == nullptr)
    throw std::runtime_error("AEROLERN_SOURCE_DIR is not set");
  return std::string(source) + "/assets/" + name;
}

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

TEST_F(FltkBackend, MessageBoxIconsShowTheWindowBackgroundWhereTheyAreWhite) {
  TfrmTestMain* frmTestMain = nullptr;
  Application.CreateForm(frmTestMain);
  Application.CreateForm(frmXMsgBox);
  // Both icons have white all along their border.
  frmXMsgBox->imgXMBInformation->SetPictureFile(SourceAsset("icons/information.jpg"));
  frmXMsgBox->imgXMBQuestion->SetPictureFile(SourceAsset("icons/question.jpg"));

  struct TSeen {
    std::array<uint8_t, 3> Background{};
    std::vector<std::array<uint8_t, 3>> Icon;
  };
  static TSeen seen;
  for (const int kind : {xmbInformation, xmbQuestion}) {
    seen = TSeen{};
    Fl::add_timeout(
        0.4,
        [](void*) {
          Fl_Window& window = PeerOf(*frmXMsgBox).Window();
          Fl::flush();
          seen.Background = WindowPixel(window, 4, 4); // left of the icon
          seen.Icon = WindowPixels(window, 16, 8, 32, 32);
          ClickCentre(*PeerOf(*frmXMsgBox).WidgetOf(ControlOf<TButton>(*frmXMsgBox, "Button1")));
        },
        nullptr);
    std::string unused;
    EXPECT_EQ(XMsgBox("Hinweis", "Symbol", kind, "+&Ok", 0, false, unused), 1);
    ASSERT_EQ(seen.Icon.size(), 32U * 32U);
    int ringDiffers = 0, insideDiffers = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const bool differs = seen.Icon[static_cast<std::size_t>(y * 32 + x)] != seen.Background;
        const bool ring = x == 0 || y == 0 || x == 31 || y == 31;
        (ring ? ringDiffers : insideDiffers) += differs ? 1 : 0;
      }
    EXPECT_EQ(ringDiffers, 0) << "icon kind " << kind << ": a white frame shows";
    EXPECT_GT(insideDiffers, 100) << "icon kind " << kind << ": the icon itself is drawn";
  }
  Application.DestroyForms();
}
