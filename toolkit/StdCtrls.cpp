// Behaviour of the standard controls.
#include "toolkit/StdCtrls.h"

#include "toolkit/Application.h"
#include "toolkit/Cp1252.h"
#include "toolkit/Form.h"

namespace {

// Height of a text wrapped at word boundaries into the given width.
int WrappedHeight(const TFont& font, const std::string& text, int width) {
  const auto lines = WrapLines(text, width, [&](const std::string& line) {
    return Platform().MeasureText(font, line).Width;
  });
  return static_cast<int>(lines.size()) * Platform().MeasureText(font, "X").Height;
}

// Removes the last UTF-8 character of a text.
void PopLastCharacter(std::string& text) {
  while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80)
    text.pop_back();
  if (!text.empty())
    text.pop_back();
}

} // namespace

TLabel::TLabel(TForm* owner, TWinControl* parentControl, std::string controlName)
    : TControl(owner, parentControl, std::move(controlName)) {}

void TLabel::SetAutoSize(bool value) {
  autoSize = value;
  AdjustSize();
}

void TLabel::SetWordWrap(bool value) {
  wordWrap = value;
  AdjustSize();
}

void TLabel::SetCaption(const std::string& value) {
  TControl::SetCaption(value);
  AdjustSize();
}

void TLabel::SetFont(const TFont& value) {
  TControl::SetFont(value);
  AdjustSize();
}

void TLabel::AdjustSize() {
  if (!autoSize || !HasPlatform())
    return;
  if (wordWrap) {
    SetBounds(Left(), Top(), Width(), WrappedHeight(Font(), Caption(), Width()));
    return;
  }
  // An access-letter marker takes no room.
  const TTextSize size = Platform().MeasureText(Font(), StripAccessMarkers(Caption()));
  SetBounds(Left(), Top(), size.Width, size.Height);
}

void TCheckBox::SetChecked(bool value) {
  if (checked == value)
    return;
  checked = value;
  NotifyChanged(TChange::Checked);
}

void TRadioButton::SetChecked(bool value) {
  if (checked == value)
    return;
  checked = value;
  NotifyChanged(TChange::Checked);
  if (!value || parent == nullptr)
    return;
  for (TControl* sibling : parent->Controls())
    if (auto* radio = dynamic_cast<TRadioButton*>(sibling); radio != nullptr && radio != this)
      radio->SetChecked(false);
}

TButton::TButton(TForm* owner, TWinControl* parentControl, std::string controlName)
    : TControl(owner, parentControl, std::move(controlName)) {
  SetBounds(0, 0, 75, kButtonHeight);
}

void TButton::ClickReaction() {
  if (modalResult != 0 && form != nullptr)
    form->SetModalResult(modalResult);
}

TEdit::TEdit(TForm* owner, TWinControl* parentControl, std::string controlName)
    : TControl(owner, parentControl, std::move(controlName)) {
  SetBounds(0, 0, 121, 21);
}

void TEdit::SetText(const std::string& value) { SetCaption(value); }

void TEdit::SetMaxLength(int value) {
  if (maxLength == value)
    return;
  maxLength = value;
  NotifyChanged(TChange::MaxLength);
}

void TEdit::KeyPressReaction(char32_t character) {
  std::string text = Text();
  if (character == vkBack) {
    PopLastCharacter(text);
    UserEdited(text);
    return;
  }
  if (character < 32)
    return;
  if (maxLength > 0 && static_cast<int>(Utf8Length(text)) >= maxLength)
    return;
  UserEdited(text + CodePointToUtf8(character));
}

void TEdit::UserEdited(const std::string& value) {
  std::string text = value;
  // The limit holds for whole pasted texts as for typing.
  if (maxLength > 0) {
    while (static_cast<int>(Utf8Length(text)) > maxLength)
      PopLastCharacter(text);
  }
  if (text == Text())
    return;
  SetCaption(text);
  if (OnChange)
    Application.Dispatch([&] { OnChange(this); });
}

TImage::TImage(TForm* owner, TWinControl* parentControl, std::string controlName)
    : TControl(owner, parentControl, std::move(controlName)) {
  SetBounds(0, 0, 105, 105);
}

void TImage::SetPictureFile(const std::string& path) {
  pictureFile = path;
  picture.Clear();
  const TPictureInfo info = TPicture::ReadInfo(path);
  pictureSize = {info.Width, info.Height};
  AdjustSize();
  NotifyChanged(TChange::Picture);
}

const TPicture& TImage::LoadedPicture() {
  if (picture.Empty() && !pictureFile.empty())
    picture.LoadFromFile(pictureFile);
  return picture;
}

void TImage::ReleasePicture() {
  if (!pictureFile.empty())
    picture.Clear();
}

void TImage::SetPicture(TPicture value) {
  picture = std::move(value);
  pictureFile.clear();
  pictureSize = {picture.Width(), picture.Height()};
  AdjustSize();
  NotifyChanged(TChange::Picture);
}

void TImage::SetTransparentWhite(bool value) {
  if (transparentWhite == value)
    return;
  transparentWhite = value;
  NotifyChanged(TChange::Picture);
}

void TImage::SetAutoSize(bool value) {
  autoSize = value;
  AdjustSize();
}

void TImage::AdjustSize() {
  if (autoSize)
    SetBounds(Left(), Top(), pictureSize.Width, pictureSize.Height);
}
