// The info window: rebuilds its texts at every opening; its links open web sites.
#include "windows/srcInfo.h"

#include "core/Edition.h"
#include "core/srcCommon.h"
#include "toolkit/Platform.h"
#include "windows/Assets.h"

TfrmInfo* frmInfo = nullptr;

namespace {

const char* const kLineBreak = "\n\r";

TFont LinkFont() {
  TFont font;
  font.Underline = true;
  font.Color = 0x0000FF;
  return font;
}

std::string InfoText() {
  const std::string br = kLineBreak;
  return "Schluss mit Geiz - Fliegen ist GEIL!!!" + br +
         "Sie lernen schon fleißig auf die Theorieprüfung? Wahrscheinlich sind Sie schon vom "
         "Flugvirus infiziert.Ob motorlos oder mit einem Rucksackmotor, Sie finden in der "
         "Talwinder Flugschule Ost alles rund um das Gleitschirmfliegen und "
         "Motorschirmfliegen." +
         br + br + "Dieses Programm dient zur Vorbereitung auf Gleitschirm Theorieprüfungen des" +
         br + br + "Für den Praxis und den Theorieteil finden Sie jede Menge Infos " +
         "und Termine auf unserer Homepage:" + br + br + "oder bei:" + br + EditionOwnerFullName +
         br + EditionOwnerAddress + br + "Hotline: " + EditionOwnerTelephone + br +
         "e-Mail: " + EditionOwnerEmail;
}

} // namespace

TfrmInfo::TfrmInfo() : TForm("frmInfo") {
  SetBorderStyle(TBorderStyle::ToolWindow);
  SetCaption("Info");
  SetWidth(539);
  SetClientHeight(361);
  Image2 = Create<TImage>("Image2");
  Image2->SetBounds(0, 0, 269, 297);
  try {
    Image2->SetPictureFile(AssetPath("logo.jpg"));
  } catch (const std::exception&) {
    Image2->SetPicture(TPicture());
  }
  Label1 = Create<TLabel>("Label1");
  TFont heading;
  heading.Name = "Arial Black";
  heading.Size = 12;
  Label1->SetFont(heading);
  Label1->SetTop(4);
  txtInfoText01 = Create<TLabel>("txtInfoText01");
  txtInfoText01->SetAutoSize(false);
  txtInfoText01->SetWordWrap(true);
  txtInfoText01->SetBounds(280, 32, 245, 289);
  txtInfoText03 = Create<TLabel>("txtInfoText03");
  txtInfoText03->SetFont(LinkFont());
  txtInfoText03->SetCursor(crHandPoint);
  txtInfoText03->OnClick = [this](TObject* sender) { txtInfoText03Click(sender); };
  txtInfoText04 = Create<TLabel>("txtInfoText04");
  txtInfoText04->SetFont(LinkFont());
  txtInfoText04->SetCursor(crHandPoint);
  txtInfoText04->OnClick = [this](TObject* sender) { txtInfoText04Click(sender); };
  btnOk = Create<TButton>("btnOk");
  btnOk->SetCaption("OkiDoki");
  btnOk->SetBounds(0, 320, 75, 33);
  btnOk->OnClick = [this](TObject* sender) { btnOkClick(sender); };
  OnActivate = [this](TObject* sender) { FormActivate(sender); };
}

void TfrmInfo::FormActivate(TObject*) {
  Image2->Show();
  SetCaption(std::string(EditionOwner) + " & Shop - Info");
  SetWidth(539);
  Label1->SetLeft(280);
  Label1->SetCaption(std::string(EditionOwner) + "...");
  btnOk->SetLeft(210);
  btnOk->SetWidth(89);
  txtInfoText01->SetLeft(280);
  txtInfoText03->SetBounds(280, 148, txtInfoText03->Width(), txtInfoText03->Height());
  txtInfoText04->SetTop(187);
  txtInfoText04->SetLeft(280);
  txtInfoText01->SetCaption(InfoText());
  txtInfoText03->SetCaption(std::string("DHV (") + DhvWebAddress + ").");
  txtInfoText04->SetCaption(std::string(EditionOwnerWebAddress) + ".");
  PlaceLinksOnTheirLines();
}

// The links fill the empty lines the info text leaves after "…des" and "…Homepage:". Where
// those lines fall depends on the font the text is drawn in, so they are found in the wrapped
// text rather than taken as fixed tops.
void TfrmInfo::PlaceLinksOnTheirLines() {
  const TFont& font = txtInfoText01->Font();
  const std::vector<std::string> lines =
      WrapLines(txtInfoText01->Caption(), txtInfoText01->Width(),
                [&](const std::string& line) { return Platform().MeasureText(font, line).Width; });
  const int lineHeight = Platform().MeasureText(font, "X").Height;
  auto placeAfter = [&](TLabel* link, const std::string& ending) {
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
      const std::string& line = lines[i];
      if (line.size() >= ending.size() &&
          line.compare(line.size() - ending.size(), ending.size(), ending) == 0 &&
          lines[i + 1].empty()) {
        link->SetTop(txtInfoText01->Top() + static_cast<int>(i + 1) * lineHeight);
        return;
      }
    }
  };
  placeAfter(txtInfoText03, "Theorieprüfungen des");
  placeAfter(txtInfoText04, "Homepage:");
}

void TfrmInfo::txtInfoText03Click(TObject*) { OpenDocument(DhvWebAddress); }
void TfrmInfo::txtInfoText04Click(TObject*) { OpenDocument(EditionOwnerWebAddress); }
void TfrmInfo::btnOkClick(TObject*) { Close(); }
