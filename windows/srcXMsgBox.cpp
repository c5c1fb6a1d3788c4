// The message window: icons, layout from the button text, modal showing, time-out and input line.
#include "windows/srcXMsgBox.h"

#include "windows/Assets.h"

#include "toolkit/Application.h"
#include "toolkit/Cp1252.h"

#include <algorithm>
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
    TButtonSpec button;
    button.Number = static_cast<int>(specs.size()) + 1;
    specs.push_back(button);
  };
  newSegment();
  bool segmentStart = true;
  for (const char c : buttons) {
    if (c == '|') {
      newSegment();
      segmentStart = true;
      continue;
    }
    TButtonSpec& button = specs.back();
    if (segmentStart) {
      segmentStart = false;
      if (c == '+') {
        button.Default = true;
        continue;
      }
      if (c == '-') {
        button.Cancel = true;
        continue;
      }
      if (c == '*') {
        button.Enabled = false;
        continue;
      }
    }
    button.Caption += c;
  }
  return specs;
}

// A time-out in seconds as timer milliseconds; kept inside the timer's 32-bit interval.
int32_t TimeoutInterval(int timeoutSeconds) {
  const int64_t ms = std::llabs(static_cast<int64_t>(timeoutSeconds)) * 1000;
  return static_cast<int32_t>(std::min<int64_t>(ms, std::numeric_limits<int32_t>::max()));
}

// --- Icons ---------------------------------------------------------------------------------
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

  // The icons are pictures beside the program; a missing one leaves its place empty. Their
  // white is drawn transparent, so that no white square frames them.
  const auto icon = [this](const std::string& name, const std::string& file) {
    TImage* image = Create<TImage>(name);
    image->SetBounds(kIconLeft, kIconTop, kIconSide, kIconSide);
    image->SetTransparentWhite(true);
    try {
      image->SetPictureFile(AssetPath("icons/" + file));
    } catch (const std::exception&) {
      image->SetPicture(TPicture());
    }
    image->Hide();
    return image;
  };
  imgXMBInformation = icon("imgXMBInformation", "information.jpg");
  imgXMBQuestion = icon("imgXMBQuestion", "question.jpg");
  imgXMBExclamation = icon("imgXMBExclamation", "exclamation.jpg");
  imgXMBCritical = icon("imgXMBCritical", "critical.jpg");
  imgXMBApplication = icon("imgXMBApplication", "application.jpg");
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
  for (const TButtonSpec& described : ParseButtons(buttons)) {
    TButton* button = form->Create<TButton>("Button" + std::to_string(described.Number));
    button->SetCaption(described.Caption);
    button->SetDefault(described.Default);
    button->SetCancel(described.Cancel);
    button->SetEnabled(described.Enabled);
    button->Show();
    button->OnClick = [form](TObject* sender) { form->XMBButtonClick(sender); };
    form->buttonList.push_back(button);
    if (Utf8Length(described.Caption) > Utf8Length(label->Caption()))
      label->SetCaption(described.Caption);
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
