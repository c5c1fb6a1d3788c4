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
  std::string shown;
  const std::string& text = Caption();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size())
      ++i;
    shown += text[i];
  }
  const TTextSize size = Platform().MeasureText(Font(), shown);
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

void TEdit::TypeCharacter(char32_t character) {
  std::string text = Text();
  if (character == vkBack) {
    // Remove the last UTF-8 character.
    while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80)
      text.pop_back();
    if (!text.empty())
      text.pop_back();
    UserEdited(text);
    return;
  }
  if (character < 32)
    return;
  if (maxLength > 0 && static_cast<int>(Utf8Length(text)) >= maxLength)
    return;
  std::string encoded;
  if (character < 0x80) {
    encoded += static_cast<char>(character);
  } else if (character < 0x800) {
    encoded += static_cast<char>(0xC0 | (character >> 6));
    encoded += static_cast<char>(0x80 | (character & 0x3F));
  } else if (character < 0x10000) {
    encoded += static_cast<char>(0xE0 | ((character >> 12) & 0x0F));
    encoded += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
    encoded += static_cast<char>(0x80 | (character & 0x3F));
  } else {
    // Characters beyond the basic plane (emoji typed through an input method) take four bytes.
    encoded += static_cast<char>(0xF0 | ((character >> 18) & 0x07));
    encoded += static_cast<char>(0x80 | ((character >> 12) & 0x3F));
    encoded += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
    encoded += static_cast<char>(0x80 | (character & 0x3F));
  }
  UserEdited(text + encoded);
}

void TEdit::UserEdited(const std::string& value) {
  std::string text = value;
  // The limit holds for whole pasted texts as for typing.
  if (maxLength > 0) {
    while (static_cast<int>(Utf8Length(text)) > maxLength) {
      while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80)
        text.pop_back();
      text.pop_back();
    }
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

void TImage::SetAutoSize(bool value) {
  autoSize = value;
  AdjustSize();
}

void TImage::AdjustSize() {
  if (autoSize)
    SetBounds(Left(), Top(), pictureSize.Width, pictureSize.Height);
}
