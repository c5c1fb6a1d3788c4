// The sketch window: one hidden picture control per key of the sketch table (core/SketchTable.h),
// the notice picture for chart excerpts, and the arrangement of main and sketch window on the
// screen.
#include "windows/srcSkizzen.h"

#include "core/SketchTable.h"
#include "toolkit/Application.h"
#include "toolkit/Convert.h"
#include "windows/Assets.h"

TfrmSkizzen* frmSkizzen = nullptr;

namespace {

// Gives the control its picture file; a missing or broken file leaves it without a picture
// and is reported when the sketch is to be shown.
void AttachPicture(TImage& image, const std::string& file) {
  try {
    image.SetPictureFile(AssetPath(file));
  } catch (const std::exception&) {
    image.SetPicture(TPicture());
  }
}

} // namespace

TfrmSkizzen::TfrmSkizzen() : TForm("frmSkizzen") {
  SetBorderStyle(TBorderStyle::ToolWindow);
  SetCaption("Skizzen");
  for (const TSketchEntry& entry : SketchTable()) {
    if (entry.Kind == TSketchKind::Notice)
      continue;
    TImage* image = Create<TImage>("img" + entry.Key);
    image->SetAutoSize(true);
    image->Hide();
    if (entry.Kind == TSketchKind::OwnPicture)
      AttachPicture(*image, SketchPictureFile(entry.Key));
    else
      image->SetBounds(0, 0, 0, 0);
  }
  img_noICAO = Create<TImage>("img_noICAO");
  img_noICAO->SetAutoSize(true);
  img_noICAO->Hide();
  AttachPicture(*img_noICAO, kNoticePictureFile);
  btnZurueck = Create<TButton>("btnZurueck");
  btnZurueck->SetCaption("Zurück...");
  btnZurueck->SetBounds(0, 0, 57, 33);
  btnZurueck->OnClick = [this](TObject* sender) { btnZurueckClick(sender); };
}

TImage* TfrmSkizzen::SketchFor(const std::string& key) const {
  const std::string lowered = AsciiLower(key);
  switch (SketchKindOf(lowered)) {
  case TSketchKind::NoEntry:
    return nullptr;
  case TSketchKind::Notice:
    return img_noICAO;
  case TSketchKind::OwnPicture:
  case TSketchKind::NoPicture:
    break;
  }
  return Find<TImage>("img" + lowered);
}

void TfrmSkizzen::ShowSketch(TForm& mainWindow, const std::string& key) {
  for (TControl* control : AllControls())
    if (auto* image = dynamic_cast<TImage*>(control)) {
      image->Hide();
      image->ReleasePicture();
    }
  TImage* image = SketchFor(key);
  if (image == nullptr || image->PictureSize().Width == 0) {
    Application.MessageBox("Zu dieser Frage ist keine Abbildung vorhanden.");
    return;
  }
  // Decoding now reports a damaged picture before the window opens.
  image->LoadedPicture();
  image->SetLeft(0);
  image->SetTop(0);
  image->Show();
  SetHeight(image->Height() + 80);
  SetWidth(image->Width() + 8);
  Arrange(mainWindow);
  btnZurueck->SetTop(Height() - 65);
  btnZurueck->SetLeft(Width() - 65);
  ShowModal();
}

void TfrmSkizzen::Arrange(TForm& mainWindow) {
  const int screenWidth = Screen.Width();
  const int screenHeight = Screen.Height();
  TForm& main = mainWindow;
  if (screenWidth > main.Width() + Width()) {
    main.SetLeft(screenWidth / 2 - (main.Width() / 2 + Width() / 2));
    SetLeft(main.Left() + main.Width() + 8);
    SetTop(main.Top());
  } else if (screenHeight > main.Height() + Height()) {
    main.SetTop(screenHeight / 2 - (main.Height() / 2 + Height() / 2));
    main.SetLeft(screenWidth / 2 - main.Width() / 2);
    SetTop(main.Top() + main.Height() + 8);
    SetLeft(screenWidth / 2 - Width() / 2);
  } else {
    SetLeft(screenWidth / 2 - Width() / 2);
    SetTop(screenHeight / 2 - Height() / 2);
  }
}

void TfrmSkizzen::btnZurueckClick(TObject*) { Close(); }
