// The message window: icons, layout from the button text, modal showing, time-out and input line.
#include "windows/srcXMsgBox.h"

#include "toolkit/Application.h"
#include "toolkit/Cp1252.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

TfrmXMsgBox* frmXMsgBox = nullptr;

namespace {

// Layout of the window: room between buttons and around the button row.
constexpr int kButtonGap = 10;
constexpr int kMargin = 15;
// Where the icons stand; the input line never starts above the icon's bottom plus a margin.
constexpr int kIconLeft = 16;
constexpr int kIconTop = 8;
constexpr int kIconSide = 32;
constexpr int kInputLeft = 16;
constexpr int kInputHeight = 21;

// One button of a message, as its segment of the button text describes it.
struct TButtonSpec {
  int Number = 0;
  std::string Caption;
  bool Enabled = true;
  bool Default = false;
  bool Cancel = false;
};

// Splits the button text at "|". Only a segment's first character can be a flag, so "++Ok" is
// a default button captioned "+Ok". An empty text has no segment, and a text ending in "|" has
// a last button without caption.
std::vector<TButtonSpec> ParseButtons(const std::string& buttons) {
  std::vector<TButtonSpec> specs;
  if (buttons.empty())
    return specs;
  const auto newSegment = [&specs] {
    TButtonSpec spec;
    spec.Number = static_cast<int>(specs.size()) + 1;
    specs.push_back(spec);
  };
  newSegment();
  bool segmentStart = true;
  for (const char c : buttons) {
    if (c == '|') {
      newSegment();
      segmentStart = true;
      continue;
    }
    TButtonSpec& spec = specs.back();
    if (segmentStart) {
      segmentStart = false;
      if (c == '+') {
        spec.Default = true;
        continue;
      }
      if (c == '-') {
        spec.Cancel = true;
        continue;
      }
      if (c == '*') {
        spec.Enabled = false;
        continue;
      }
    }
    spec.Caption += c;
  }
  return specs;
}

// A time-out in seconds as timer milliseconds; kept inside the timer's 32-bit interval.
int32_t TimeoutInterval(int timeoutSeconds) {
  const int64_t ms = std::llabs(static_cast<int64_t>(timeoutSeconds)) * 1000;
  return static_cast<int32_t>(std::min<int64_t>(ms, std::numeric_limits<int32_t>::max()));
}

// --- Icons ---------------------------------------------------------------------------------
// The five icons are drawn here in code until the JPEG assets take their place. Each is built
// from simple shapes tested at the centre of every pixel, painted back to front.

constexpr uint32_t kFace = 0xC0C0C0; // the window colour, so the icon's corners blend in
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlue = 0x1040D0;
constexpr uint32_t kNavy = 0x000080;
constexpr uint32_t kYellow = 0xFFE000;
constexpr uint32_t kRed = 0xE01010;
constexpr uint32_t kDarkRed = 0x800000;

class TIconCanvas {
public:
  TIconCanvas() : rgb(static_cast<std::size_t>(kIconSide * kIconSide * 3)) {
    Paint(kFace, [](double, double) { return true; });
  }

  // Paints every pixel whose centre lies inside the shape.
  template <class Shape> void Paint(uint32_t color, Shape inside) {
    for (int y = 0; y < kIconSide; ++y)
      for (int x = 0; x < kIconSide; ++x)
        if (inside(x + 0.5, y + 0.5)) {
          const auto at = static_cast<std::size_t>((y * kIconSide + x) * 3);
          rgb[at] = static_cast<uint8_t>(color >> 16);
          rgb[at + 1] = static_cast<uint8_t>(color >> 8);
          rgb[at + 2] = static_cast<uint8_t>(color);
        }
  }

  TPicture Picture() {
    TPicture picture;
    picture.SetPixels(kIconSide, kIconSide, std::move(rgb));
    return picture;
  }

private:
  std::vector<uint8_t> rgb;
};

auto Ellipse(double cx, double cy, double rx, double ry) {
  return [=](double x, double y) {
    const double dx = (x - cx) / rx, dy = (y - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
  };
}

auto Disc(double cx, double cy, double r) { return Ellipse(cx, cy, r, r); }

auto Box(double left, double top, double right, double bottom) {
  return [=](double x, double y) { return x >= left && x < right && y >= top && y < bottom; };
}

// A line from (x1, y1) to (x2, y2) of the given thickness with round ends.
auto Stroke(double x1, double y1, double x2, double y2, double thickness) {
  return [=](double x, double y) {
    const double vx = x2 - x1, vy = y2 - y1;
    const double t = std::clamp(((x - x1) * vx + (y - y1) * vy) / (vx * vx + vy * vy), 0.0, 1.0);
    const double dx = x - (x1 + t * vx), dy = y - (y1 + t * vy);
    return dx * dx + dy * dy <= thickness * thickness / 4;
  };
}

auto Triangle(double ax, double ay, double bx, double by, double cx, double cy) {
  return [=](double x, double y) {
    const double d1 = (x - bx) * (ay - by) - (ax - bx) * (y - by);
    const double d2 = (x - cx) * (by - cy) - (bx - cx) * (y - cy);
    const double d3 = (x - ax) * (cy - ay) - (cx - ax) * (y - ay);
    const bool negative = d1 < 0 || d2 < 0 || d3 < 0;
    const bool positive = d1 > 0 || d2 > 0 || d3 > 0;
    return !(negative && positive);
  };
}

// A white speech balloon with a black outline and its tail to the lower left.
TIconCanvas SpeechBalloon() {
  TIconCanvas canvas;
  canvas.Paint(kBlack, Ellipse(16, 13, 15, 12));
  canvas.Paint(kBlack, Triangle(6, 19, 13, 23, 3, 31));
  canvas.Paint(kWhite, Ellipse(16, 13, 14, 11));
  canvas.Paint(kWhite, Triangle(7.5, 19, 12, 22, 5, 28.5));
  return canvas;
}

TPicture InformationIcon() {
  TIconCanvas canvas = SpeechBalloon();
  canvas.Paint(kBlue, Disc(16, 6.5, 2));
  canvas.Paint(kBlue, Box(14.5, 10, 17.5, 20));
  canvas.Paint(kBlue, Box(13, 10, 17.5, 11.5));
  canvas.Paint(kBlue, Box(13, 19, 19, 20.5));
  return canvas.Picture();
}

TPicture QuestionIcon() {
  TIconCanvas canvas = SpeechBalloon();
  // The hook of the "?": a ring open to the lower left, then the neck down to the dot.
  canvas.Paint(kBlue, [](double x, double y) {
    const double r = std::hypot(x - 16, y - 9);
    return r >= 3 && r <= 5.5 && !(x < 16 && y > 9);
  });
  canvas.Paint(kBlue, Stroke(19.5, 11.5, 16, 14.5, 3));
  canvas.Paint(kBlue, Box(14.5, 14, 17.5, 17));
  canvas.Paint(kBlue, Disc(16, 20.5, 1.8));
  return canvas.Picture();
}

TPicture ExclamationIcon() {
  TIconCanvas canvas;
  canvas.Paint(kBlack, Triangle(16, 1, 0.5, 30.5, 31.5, 30.5));
  canvas.Paint(kYellow, Triangle(16, 4, 3, 29, 29, 29));
  canvas.Paint(kBlack, Stroke(16, 11, 16, 21, 3));
  canvas.Paint(kBlack, Disc(16, 25.5, 1.8));
  return canvas.Picture();
}

TPicture CriticalIcon() {
  TIconCanvas canvas;
  canvas.Paint(kDarkRed, Disc(16, 16, 15.5));
  canvas.Paint(kRed, Disc(16, 16, 14.5));
  canvas.Paint(kWhite, Stroke(10.5, 10.5, 21.5, 21.5, 3.5));
  canvas.Paint(kWhite, Stroke(21.5, 10.5, 10.5, 21.5, 3.5));
  return canvas.Picture();
}

TPicture ApplicationIcon() {
  TIconCanvas canvas;
  canvas.Paint(kBlack, Box(2, 5, 30, 27));
  canvas.Paint(kNavy, Box(3, 6, 29, 10));
  canvas.Paint(kWhite, Box(3, 11, 29, 26));
  canvas.Paint(kFace, Box(25, 7, 28, 9));
  return canvas.Picture();
}

} // namespace

TfrmXMsgBox::TfrmXMsgBox() : TForm("frmXMsgBox") {
  // A narrow caption bar without close box or system menu: the window ends by its buttons or
  // its time-out. Should a backend still deliver a close request, the result simply stays 0.
  SetBorderStyle(TBorderStyle::ToolWindow);
  TFont font;
  font.Name = "MS Sans Serif";
  font.Size = 8;
  SetFont(font);
  SetBounds(0, 0, 300, 110);

  const auto icon = [this](const std::string& name, TPicture picture) {
    TImage* image = Create<TImage>(name);
    image->SetBounds(kIconLeft, kIconTop, kIconSide, kIconSide);
    image->SetPicture(std::move(picture));
    image->Hide();
    return image;
  };
  imgXMBInformation = icon("imgXMBInformation", InformationIcon());
  imgXMBQuestion = icon("imgXMBQuestion", QuestionIcon());
  imgXMBExclamation = icon("imgXMBExclamation", ExclamationIcon());
  imgXMBCritical = icon("imgXMBCritical", CriticalIcon());
  imgXMBApplication = icon("imgXMBApplication", ApplicationIcon());
  imgXMBInformation->Show();

  lblXMB001 = Create<TLabel>("lblXMB001");
  lblXMB001->SetBounds(72, 8, 0, 0);
  lblXMB001->SetAutoSize(true);
  lblXMB001->SetWordWrap(false);
  lblXMB001->SetCaption("");

  inpXMB001 = Create<TEdit>("inpXMB001");
  inpXMB001->SetBounds(kInputLeft, kIconTop + kIconSide + kMargin, 121, kInputHeight);
  inpXMB001->Hide();

  tmrXMB001 = CreateTimer("tmrXMB001");
  tmrXMB001->SetEnabled(false);
  tmrXMB001->SetInterval(0);
  tmrXMB001->OnTimer = [this](TObject* sender) { tmrXMB001Timer(sender); };

  OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
}

void TfrmXMsgBox::XMBButtonClick(TObject* Sender) {
  const auto it = std::find_if(buttonList.begin(), buttonList.end(),
                               [Sender](TButton* button) { return button == Sender; });
  result = it == buttonList.end() ? 0 : static_cast<int>(it - buttonList.begin()) + 1;
  // Closing destroys the buttons, the sender included: nothing may touch it after this.
  Close();
}

void TfrmXMsgBox::tmrXMB001Timer(TObject*) {
  if (timeoutEnables) {
    for (TButton* button : buttonList)
      button->SetEnabled(true);
  } else {
    Close();
  }
  tmrXMB001->SetEnabled(false);
  tmrXMB001->SetInterval(0);
}

void TfrmXMsgBox::FormClose(TObject*, TCloseAction& Action) {
  // The window is made once and reused for every message, so it only hides.
  Action = TCloseAction::Hide;
  // A time-out still running would otherwise strike the next message.
  tmrXMB001->SetEnabled(false);
  tmrXMB001->SetInterval(0);
  DestroyButtons();
}

void TfrmXMsgBox::DestroyButtons() {
  const std::vector<TControl*> controls = AllControls();
  for (auto it = controls.rbegin(); it != controls.rend(); ++it)
    if (dynamic_cast<TButton*>(*it) != nullptr)
      DestroyControl(*it);
  buttonList.clear();
}

int XMsgBox(const std::string& message, const std::string& caption, int iconKind,
            const std::string& buttons, int timeoutSeconds, bool showInput,
            std::string& inputText) {
  if (frmXMsgBox == nullptr)
    Application.CreateForm(frmXMsgBox);
  TfrmXMsgBox* form = frmXMsgBox;
  TLabel* label = form->lblXMB001;
  form->result = 0;

  // Only a call while the window shows finds buttons here: the new message replaces them.
  form->DestroyButtons();

  // The label measures the captions: it ends up holding the longest one (the first of equally
  // long ones), whose width sets the width of every button.
  label->SetCaption("");
  for (const TButtonSpec& spec : ParseButtons(buttons)) {
    TButton* button = form->Create<TButton>("Button" + std::to_string(spec.Number));
    button->SetCaption(spec.Caption);
    button->SetDefault(spec.Default);
    button->SetCancel(spec.Cancel);
    button->SetEnabled(spec.Enabled);
    button->Show();
    button->OnClick = [form](TObject* sender) { form->XMBButtonClick(sender); };
    form->buttonList.push_back(button);
    if (Utf8Length(spec.Caption) > Utf8Length(label->Caption()))
      label->SetCaption(spec.Caption);
  }
  const int buttonWidth = label->Width() + 8;
  const int buttonCount = static_cast<int>(form->buttonList.size());

  form->SetCaption(caption);
  label->SetCaption(message);

  int windowWidth = buttonCount * buttonWidth + 40;
  if (label->Left() + label->Width() + 10 > windowWidth)
    windowWidth = label->Left() + label->Width() + 40;
  form->SetWidth(windowWidth);

  int rowTop = label->Top() + label->Height() + kMargin;
  TEdit* input = form->inpXMB001;
  input->SetVisible(showInput);
  if (showInput) {
    const int inputTop =
        std::max(label->Top() + label->Height() + 20, kIconTop + kIconSide + kMargin);
    input->SetBounds(kInputLeft, inputTop, windowWidth - 2 * kInputLeft - 10, kInputHeight);
    input->SetText(inputText);
    rowTop = input->Top() + input->Height() + kMargin;
  }
  rowTop = std::max(rowTop, kIconTop + kIconSide + kMargin);

  int left = (windowWidth - buttonCount * (buttonWidth + kButtonGap)) / 2;
  for (TButton* button : form->buttonList) {
    button->SetBounds(left, rowTop, buttonWidth, kButtonHeight);
    left += button->Width() + kButtonGap;
  }
  // Without any button the window keeps the room of the button row.
  const int rowBottom = form->buttonList.empty()
                            ? rowTop + kButtonHeight
                            : form->buttonList.front()->Top() + form->buttonList.front()->Height();
  form->SetHeight(rowBottom + 2 * kMargin);

  for (TImage* image : {form->imgXMBInformation, form->imgXMBQuestion, form->imgXMBExclamation,
                        form->imgXMBCritical, form->imgXMBApplication})
    image->Hide();
  switch (iconKind) {
  case xmbQuestion:
    form->imgXMBQuestion->Show();
    break;
  case xmbExclamation:
    form->imgXMBExclamation->Show();
    break;
  case xmbCritical:
    form->imgXMBCritical->Show();
    break;
  case xmbApplication:
    form->imgXMBApplication->Show();
    break;
  default:
    form->imgXMBInformation->Show();
    break;
  }

  // A refill replaces the time-out of the message it replaces.
  form->timeoutEnables = false;
  form->tmrXMB001->SetEnabled(false);
  if (timeoutSeconds != 0) {
    form->timeoutEnables = timeoutSeconds < 0;
    form->tmrXMB001->SetInterval(TimeoutInterval(timeoutSeconds));
    form->tmrXMB001->SetEnabled(true);
  }

  form->result = 0;

  form->SetBounds(Screen.Width() / 2 - form->Width() / 2, Screen.Height() / 3 - form->Height() / 2,
                  form->Width(), form->Height());

  if (!form->Visible()) {
    form->ShowModal();
    // The modal loop also ends when the program is asked to end; the message goes with it.
    if (form->Visible())
      form->Close();
  }

  if (showInput)
    inputText = form->inpXMB001->Text();
  return form->result;
}
