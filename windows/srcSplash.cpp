// The splash window: the edition's picture for the first five seconds, with a link to the DHV.
#include "windows/srcSplash.h"

#include "core/Edition.h"
#include "core/srcCommon.h"
#include "toolkit/Application.h"
#include "windows/Assets.h"

TfrmSplash* frmSplash = nullptr;

TfrmSplash::TfrmSplash() : TForm("frmSplash") {
  SetBorderStyle(TBorderStyle::None);
  SetBounds(0, 0, 640, 480);
  Image2 = Create<TImage>("Image2");
  Image2->SetBounds(0, 0, 640, 480);
  try {
    Image2->SetPictureFile(AssetPath("splash.jpg"));
  } catch (const std::exception&) {
    Image2->SetPicture(TPicture());
  }
  // Made after the picture, so that it lies above it and can be seen and clicked.
  lblDHV = Create<TLabel>("lblDHV");
  TFont font;
  font.Name = "Arial";
  font.Bold = true;
  font.Underline = true;
  lblDHV->SetFont(font);
  lblDHV->SetAutoSize(false);
  lblDHV->SetTransparent(true);
  lblDHV->SetBounds(376, 440, 207, 14);
  lblDHV->SetCaption("Enthält die Prüfungskataloge des DHV");
  lblDHV->SetCursor(crHandPoint);
  lblDHV->OnClick = [this](TObject* sender) { lblDHVClick(sender); };
  OnActivate = [this](TObject* sender) { FormActivate(sender); };
}

void TfrmSplash::FormActivate(TObject*) {
  SetTop(Screen.Height() / 3 - Height() / 2);
  SetLeft(Screen.Width() / 2 - 324);
  Image2->Show();
}

void TfrmSplash::lblDHVClick(TObject*) { OpenDocument(DhvWebAddress); }
