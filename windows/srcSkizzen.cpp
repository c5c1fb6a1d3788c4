// The sketch window: one hidden picture control per sketch key, the notice picture for chart
// excerpts, and the arrangement of main and sketch window on the screen.
#include "windows/srcSkizzen.h"

#include "toolkit/Application.h"
#include "toolkit/Convert.h"
#include "windows/Assets.h"

#include <map>

TfrmSkizzen* frmSkizzen = nullptr;

namespace {

struct TSketchRange {
  int Category;
  int First;
  int Last;
};

// Keys with a picture of their own, as ranges of sketch numbers per category code.
const TSketchRange kOwnPictures[] = {{11, 1, 6},  {11, 11, 11}, {12, 1, 7}, {13, 1, 26},
                                     {14, 1, 13}, {21, 1, 22},  {22, 1, 1}, {22, 7, 9},
                                     {23, 3, 4},  {62, 1, 1},   {74, 1, 1}, {77, 1, 4}};
// Keys of chart excerpts that may not be shown: they show the notice picture.
const TSketchRange kNoticeKeys[] = {{22, 2, 6}, {22, 10, 13}, {23, 1, 2}};
// The one key whose control has no picture.
const char* const kKeyWithoutPicture = "23_4";

std::string Key(int category, int number) {
  return std::to_string(category) + "_" + std::to_string(number);
}

// The sketch table: key to the name of its picture control.
const std::map<std::string, std::string>& SketchTable() {
  static const std::map<std::string, std::string> table = [] {
    std::map<std::string, std::string> entries;
    for (const TSketchRange& range : kOwnPictures)
      for (int number = range.First; number <= range.Last; ++number)
        entries[Key(range.Category, number)] = "img" + Key(range.Category, number);
    for (const TSketchRange& range : kNoticeKeys)
      for (int number = range.First; number <= range.Last; ++number)
        entries[Key(range.Category, number)] = "img_noICAO";
    return entries;
  }();
  return table;
}

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
  for (const TSketchRange& range : kOwnPictures)
    for (int number = range.First; number <= range.Last; ++number) {
      const std::string key = Key(range.Category, number);
      TImage* image = Create<TImage>("img" + key);
      image->SetAutoSize(true);
      image->Hide();
      if (key != kKeyWithoutPicture)
        AttachPicture(*image, "sketches/" + key + ".jpg");
      else
        image->SetBounds(0, 0, 0, 0);
    }
  img_noICAO = Create<TImage>("img_noICAO");
  img_noICAO->SetAutoSize(true);
  img_noICAO->Hide();
  AttachPicture(*img_noICAO, "sketches/noICAO.jpg");
  btnZurueck = Create<TButton>("btnZurueck");
  btnZurueck->SetCaption("Zurück...");
  btnZurueck->SetBounds(0, 0, 57, 33);
  btnZurueck->OnClick = [this](TObject* sender) { btnZurueckClick(sender); };
}

TImage* TfrmSkizzen::SketchFor(const std::string& key) const {
  const auto entry = SketchTable().find(AsciiLower(key));
  return entry == SketchTable().end() ? nullptr : Find<TImage>(entry->second);
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
