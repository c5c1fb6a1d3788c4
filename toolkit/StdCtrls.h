// The standard controls: label, check box, radio button, push button, one-line input,
// picture and group box.
#pragma once

#include "toolkit/Control.h"
#include "toolkit/Picture.h"

class TLabel : public TControl {
public:
  TLabel(TForm* form, TWinControl* parent, std::string name);

  bool AutoSize() const { return autoSize; }
  void SetAutoSize(bool value);
  bool WordWrap() const { return wordWrap; }
  void SetWordWrap(bool value);
  bool Transparent() const { return transparent; }
  void SetTransparent(bool value) { transparent = value; }

  void SetCaption(const std::string& value) override;
  void SetFont(const TFont& value) override;

private:
  // An auto-sizing label takes the size of its text (the height of its wrapped text when it
  // wraps words, keeping its width).
  void AdjustSize();

  bool autoSize = true;
  bool wordWrap = false;
  bool transparent = false;
};

class TCheckBox : public TControl {
public:
  using TControl::TControl;
  bool Checked() const { return checked; }
  // Program-set: fires no OnClick. Works on a disabled box too.
  void SetChecked(bool value);
  bool IsFocusable() const override { return true; }
  void ClickReaction() override { SetChecked(!checked); }
  bool ClickedBySpace() const override { return true; }

private:
  bool checked = false;
};

class TRadioButton : public TControl {
public:
  using TControl::TControl;
  bool Checked() const { return checked; }
  // Checking a radio button unchecks its siblings under the same parent.
  void SetChecked(bool value);
  bool IsFocusable() const override { return true; }
  void ClickReaction() override { SetChecked(true); }
  bool ClickedBySpace() const override { return true; }

private:
  bool checked = false;
};

class TButton : public TControl {
public:
  TButton(TForm* form, TWinControl* parent, std::string name);
  bool Default() const { return isDefault; }
  void SetDefault(bool value) { isDefault = value; }
  bool Cancel() const { return isCancel; }
  void SetCancel(bool value) { isCancel = value; }
  // The form's modal result set by a click (0: none).
  int ModalResult() const { return modalResult; }
  void SetModalResult(int value) { modalResult = value; }
  bool IsFocusable() const override { return true; }
  void ClickReaction() override;
  bool ClickedBySpace() const override { return true; }
  bool ClickedByReturn() const override { return true; }

private:
  bool isDefault = false;
  bool isCancel = false;
  int modalResult = 0;
};

class TEdit : public TControl {
public:
  TEdit(TForm* form, TWinControl* parent, std::string name);
  // The text is the caption of an input.
  const std::string& Text() const { return Caption(); }
  void SetText(const std::string& value);
  // Maximum number of characters the user can type; 0: no limit.
  int MaxLength() const { return maxLength; }
  void SetMaxLength(int value);
  bool IsFocusable() const override { return true; }

  // The user typed a character (Backspace removes the last one) or replaced the whole text.
  void KeyPressReaction(char32_t character) override;
  void UserEdited(const std::string& value);
  TNotifyEvent OnChange;

private:
  int maxLength = 0;
};

class TImage : public TControl {
public:
  TImage(TForm* form, TWinControl* parent, std::string name);
  const TPicture& Picture() const { return picture; }
  // The picture is loaded on demand: the file is decoded the first time the picture is needed.
  void SetPictureFile(const std::string& path);
  const std::string& PictureFile() const { return pictureFile; }
  // Decodes the picture file now if it has not been decoded yet.
  const TPicture& LoadedPicture();
  // Frees the decoded pixels of a picture file; it is decoded again when next needed.
  void ReleasePicture();
  void SetPicture(TPicture value);
  bool AutoSize() const { return autoSize; }
  void SetAutoSize(bool value);
  // The size the picture will have, read from its header without decoding the pixels.
  TTextSize PictureSize() const { return pictureSize; }

  // Whether the picture's white is drawn transparent, so that what lies behind the image (the
  // window's background) shows there. White is every pixel whose red, green and blue are all
  // TransparentWhiteMin or above: JPEG pictures blur pure white into such values.
  bool TransparentWhite() const { return transparentWhite; }
  void SetTransparentWhite(bool value);
  static constexpr uint8_t TransparentWhiteMin = 235;
  static bool IsTransparentWhite(uint8_t red, uint8_t green, uint8_t blue) {
    return red >= TransparentWhiteMin && green >= TransparentWhiteMin &&
           blue >= TransparentWhiteMin;
  }

private:
  void AdjustSize();

  TPicture picture;
  std::string pictureFile;
  TTextSize pictureSize;
  bool autoSize = false;
  bool transparentWhite = false;
};

class TGroupBox : public TWinControl {
public:
  using TWinControl::TWinControl;
};
