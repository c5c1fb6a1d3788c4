// Tests of the message window: button text, layout, keys, time-outs, icons and the input line.
#include "windows/srcXMsgBox.h"

#include "toolkit/Application.h"
#include "toolkit/Input.h"
#include "toolkit/headless/HeadlessPlatform.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

// Stands in for the program's main window, so that closing the message window does not end
// the run.
class TfrmTestMain : public TForm {
public:
  TfrmTestMain() : TForm("frmTestMain") {}
};

struct TSeenButton {
  std::string Caption;
  bool Default;
  bool Cancel;
  bool Enabled;
};

std::vector<TButton*> ButtonsOf(const TForm& form) {
  std::vector<TButton*> buttons;
  for (TControl* control : form.AllControls())
    if (auto* button = dynamic_cast<TButton*>(control))
      buttons.push_back(button);
  return buttons;
}

TButton& ButtonNo(TForm& form, int number) {
  return ControlOf<TButton>(form, "Button" + std::to_string(number));
}

class XMsgBoxTest : public ::testing::Test {
protected:
  XMsgBoxTest() {
    // The program lies in the source tree, so its icons are the real pictures.
    if (const char* source = std::getenv("AEROLERN_SOURCE_DIR"))
      platform.SetProgramPath(std::string(source) + "/aerolern");
    Application.ResetTerminated();
    Application.CreateForm(mainForm);
    Application.CreateForm(frmXMsgBox);
  }

  ~XMsgBoxTest() override {
    EXPECT_EQ(platform.PendingScripts(), 0u) << "a modal script never ran";
    EXPECT_TRUE(platform.Messages().empty()) << "a handler raised an error";
    Application.DestroyForms();
    Application.ResetTerminated();
  }

  // Shows a message whose window the script drives; the script runs while it is on screen.
  int Show(const std::string& message, const std::string& buttons,
           std::function<void(TfrmXMsgBox&)> script, int timeout = 0, int icon = 1) {
    platform.OnModal("frmXMsgBox", [script](TForm& form) {
      ASSERT_EQ(&form, frmXMsgBox);
      script(*frmXMsgBox);
    });
    std::string input = "unberührt";
    const int result = XMsgBox(message, "Titel", icon, buttons, timeout, false, input);
    EXPECT_EQ(input, "unberührt") << "without the input line the text stays as it was";
    return result;
  }

  int TextWidth(const std::string& text) {
    return platform.MeasureText(frmXMsgBox->Font(), text).Width;
  }

  THeadlessPlatform platform;
  TfrmTestMain* mainForm = nullptr;
};

TEST_F(XMsgBoxTest, DefaultButtonWithBlanksIsPressedByEnter) {
  const int result = Show("Hallo", "+   &Ok    ", [&](TfrmXMsgBox& form) {
    EXPECT_EQ(form.Caption(), "Titel");
    EXPECT_EQ(form.lblXMB001->Caption(), "Hallo");
    ASSERT_EQ(ButtonsOf(form).size(), 1u);
    TButton& ok = ButtonNo(form, 1);
    EXPECT_EQ(ok.Caption(), "   &Ok    ");
    EXPECT_TRUE(ok.Default());
    EXPECT_FALSE(ok.Cancel());
    EXPECT_TRUE(ok.Enabled());
    EXPECT_TRUE(ok.Visible());
    // The blanks widen the button; the access-letter marker takes no room.
    EXPECT_EQ(ok.Width(), TextWidth("   Ok    ") + 8);
    EXPECT_EQ(ok.Height(), kButtonHeight);
    PressKey(form, vkReturn);
    EXPECT_FALSE(form.Visible());
  });
  EXPECT_EQ(result, 1);
  EXPECT_TRUE(ButtonsOf(*frmXMsgBox).empty()) << "the buttons go with the closing";
  EXPECT_EQ(frmXMsgBox->FindComponent("Button1"), nullptr);
  EXPECT_FALSE(frmXMsgBox->Visible());
}

TEST_F(XMsgBoxTest, EscapePressesTheCancelButton) {
  const int result = Show("Weiter?", "Ja|-Nein", [&](TfrmXMsgBox& form) {
    ASSERT_EQ(ButtonsOf(form).size(), 2u);
    TButton& yes = ButtonNo(form, 1);
    TButton& no = ButtonNo(form, 2);
    EXPECT_EQ(yes.Caption(), "Ja");
    EXPECT_EQ(no.Caption(), "Nein");
    EXPECT_FALSE(yes.Default() || yes.Cancel());
    EXPECT_TRUE(no.Cancel());
    EXPECT_FALSE(no.Default());
    EXPECT_EQ(yes.Width(), no.Width());
    EXPECT_EQ(yes.Width(), TextWidth("Nein") + 8) << "the longest caption sets the width";
    EXPECT_LT(yes.Left(), no.Left());
    PressKey(form, vkEscape);
  });
  EXPECT_EQ(result, 2);

  // A click on a button gives its number too, and a new message starts its numbering afresh.
  EXPECT_EQ(Show("Welcher?", "A|B|C", [](TfrmXMsgBox& form) { ClickControl(form, "Button2"); }), 2);
}

TEST_F(XMsgBoxTest, ButtonTextSegments) {
  const auto seen = [&](const std::string& buttons) {
    std::vector<TSeenButton> buttonsSeen;
    Show("Text", buttons, [&](TfrmXMsgBox& form) {
      for (int number = 1; number <= static_cast<int>(ButtonsOf(form).size()); ++number) {
        const TButton& button = ButtonNo(form, number);
        buttonsSeen.push_back(
            {button.Caption(), button.Default(), button.Cancel(), button.Enabled()});
      }
    });
    return buttonsSeen;
  };

  auto buttons = seen("Eins|");
  ASSERT_EQ(buttons.size(), 2u) << "a trailing bar gives a last button without caption";
  EXPECT_EQ(buttons[0].Caption, "Eins");
  EXPECT_EQ(buttons[1].Caption, "");

  buttons = seen("|");
  ASSERT_EQ(buttons.size(), 2u);
  EXPECT_EQ(buttons[0].Caption, "");
  EXPECT_EQ(buttons[1].Caption, "");

  // Only the first character is a flag; a second one belongs to the caption.
  buttons = seen("++Ok|-*Nein|*-Später|x+y");
  ASSERT_EQ(buttons.size(), 4u);
  EXPECT_EQ(buttons[0].Caption, "+Ok");
  EXPECT_TRUE(buttons[0].Default);
  EXPECT_FALSE(buttons[0].Cancel);
  EXPECT_EQ(buttons[1].Caption, "*Nein");
  EXPECT_TRUE(buttons[1].Cancel);
  EXPECT_TRUE(buttons[1].Enabled);
  EXPECT_EQ(buttons[2].Caption, "-Später");
  EXPECT_FALSE(buttons[2].Enabled);
  EXPECT_FALSE(buttons[2].Cancel);
  EXPECT_EQ(buttons[3].Caption, "x+y");
  EXPECT_FALSE(buttons[3].Default || buttons[3].Cancel || !buttons[3].Enabled);

  // A lone flag gives a flagged button without caption.
  buttons = seen("+");
  ASSERT_EQ(buttons.size(), 1u);
  EXPECT_EQ(buttons[0].Caption, "");
  EXPECT_TRUE(buttons[0].Default);
}

TEST_F(XMsgBoxTest, ButtonWidthFollowsTheCaptionWithMostCharacters) {
  const auto buttonWidth = [&](const std::string& buttons) {
    int width = -1;
    Show("x", buttons, [&](TfrmXMsgBox& form) {
      width = ButtonNo(form, 1).Width();
      for (TButton* button : ButtonsOf(form))
        EXPECT_EQ(button->Width(), width);
    });
    return width;
  };
  // Characters count, not bytes: "Öl" has two, "Abc" three.
  EXPECT_EQ(buttonWidth("Öl|Abc"), TextWidth("Abc") + 8);
  // Of equally long captions the first counts, even when a later one is wider.
  EXPECT_EQ(buttonWidth("il|MW"), TextWidth("il") + 8);
  EXPECT_EQ(buttonWidth("MW|il"), TextWidth("MW") + 8);
  // No caption at all leaves the bare margin.
  EXPECT_EQ(buttonWidth("|"), 8);
}

TEST_F(XMsgBoxTest, WindowSizeAndPlace) {
  platform.SetScreenSize(800, 600);

  // Short message, several buttons: the button row sets the width.
  Show("Kurz", "Eins|Zwei|Drei", [&](TfrmXMsgBox& form) {
    const int buttonWidth = TextWidth("Eins") + 8;
    EXPECT_EQ(form.Width(), 3 * buttonWidth + 40);
    EXPECT_EQ(form.lblXMB001->Left(), 72);
    EXPECT_EQ(form.lblXMB001->Top(), 8);
    EXPECT_EQ(form.lblXMB001->Height(), 13);
    // One line of text leaves the button row below the icon: at 55, the window 110 high.
    EXPECT_EQ(form.Height(), 110);
    const int firstLeft = (form.Width() - 3 * (buttonWidth + 10)) / 2;
    for (int number = 1; number <= 3; ++number) {
      const TButton& button = ButtonNo(form, number);
      EXPECT_EQ(button.Top(), 55);
      EXPECT_EQ(button.Left(), firstLeft + (number - 1) * (buttonWidth + 10));
    }
    // Centred across, its middle at a third of the screen height.
    EXPECT_EQ(form.Left(), 400 - form.Width() / 2);
    EXPECT_EQ(form.Top(), 200 - 55);
    EXPECT_EQ(form.BorderStyle(), TBorderStyle::ToolWindow);
  });

  // A long message widens the window beyond the buttons.
  const std::string longMessage = "Diese Meldung ist deutlich breiter als die Reihe der Knöpfe.";
  Show(longMessage, "+Ok", [&](TfrmXMsgBox& form) {
    EXPECT_EQ(form.lblXMB001->Width(), TextWidth(longMessage));
    EXPECT_EQ(form.Width(), 72 + TextWidth(longMessage) + 40);
    EXPECT_EQ(form.Left(), 400 - form.Width() / 2);
  });

  // Each line break adds a line; the button row moves below the text.
  Show("Zeile eins\nZeile zwei\r\nZeile drei", "Ok", [&](TfrmXMsgBox& form) {
    EXPECT_EQ(form.lblXMB001->Height(), 39);
    EXPECT_EQ(ButtonNo(form, 1).Top(), 8 + 39 + 15);
    EXPECT_EQ(form.Height(), 8 + 39 + 15 + kButtonHeight + 30);
    EXPECT_EQ(form.Top(), 200 - form.Height() / 2);
  });
}

TEST_F(XMsgBoxTest, InputLineShowsAndReturnsItsText) {
  platform.OnModal("frmXMsgBox", [](TForm& form) {
    auto& box = static_cast<TfrmXMsgBox&>(form);
    TEdit* input = box.inpXMB001;
    EXPECT_TRUE(input->Visible());
    EXPECT_EQ(input->Text(), "Name");
    // One line of text: the input line stands below the icon, the buttons below it.
    EXPECT_EQ(input->Left(), 16);
    EXPECT_EQ(input->Top(), 55);
    EXPECT_EQ(input->Height(), 21);
    EXPECT_EQ(input->Width(), form.Width() - 2 * 16 - 10);
    EXPECT_EQ(ButtonNo(form, 1).Top(), 91);
    EXPECT_EQ(form.Height(), 146);
    input->SetFocus();
    TypeText(form, "nsänderung");
    PressKey(form, vkReturn);
  });
  std::string text = "Name";
  EXPECT_EQ(XMsgBox("Neuer Name:", "Eingabe", 1, "+Ok|-Abbrechen", 0, true, text), 1);
  EXPECT_EQ(text, "Namensänderung");

  // A text of several lines pushes the input line down; leaving by Escape hands the edited
  // text back as well.
  platform.OnModal("frmXMsgBox", [](TForm& form) {
    auto& box = static_cast<TfrmXMsgBox&>(form);
    EXPECT_EQ(box.inpXMB001->Top(), 8 + 39 + 20);
    EXPECT_EQ(ButtonNo(form, 1).Top(), 8 + 39 + 20 + 21 + 15);
    box.inpXMB001->SetFocus();
    TypeText(form, "!");
    PressKey(form, vkEscape);
  });
  text = "Alt";
  EXPECT_EQ(XMsgBox("Eins\nZwei\nDrei", "Eingabe", 1, "+Ok|-Abbrechen", 0, true, text), 2);
  EXPECT_EQ(text, "Alt!");

  // Without the input line it is hidden and the text is not touched.
  platform.OnModal("frmXMsgBox", [](TForm& form) {
    EXPECT_FALSE(static_cast<TfrmXMsgBox&>(form).inpXMB001->Visible());
    EXPECT_EQ(ButtonNo(form, 1).Top(), 55);
    PressKey(form, vkReturn);
  });
  text = "bleibt";
  EXPECT_EQ(XMsgBox("Ohne Eingabe", "Eingabe", 1, "+Ok", 0, false, text), 1);
  EXPECT_EQ(text, "bleibt");
}

TEST_F(XMsgBoxTest, PositiveTimeoutClosesTheWindow) {
  const uint32_t start = platform.TickCount();
  const int result = Show(
      "Gleich vorbei", "+Ok",
      [&](TfrmXMsgBox& form) {
        platform.Wait(4999);
        EXPECT_TRUE(form.Visible());
        platform.Wait(1);
        EXPECT_FALSE(form.Visible());
      },
      5);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(platform.TickCount() - start, 5000u);
  EXPECT_TRUE(ButtonsOf(*frmXMsgBox).empty());
  EXPECT_FALSE(frmXMsgBox->tmrXMB001->Running());

  // A message without buttons ends by its time-out alone.
  Show(
      "Ohne Knöpfe", "",
      [&](TfrmXMsgBox& form) {
        EXPECT_TRUE(ButtonsOf(form).empty());
        EXPECT_EQ(form.Height(), 110);
        platform.Wait(2000);
        EXPECT_FALSE(form.Visible());
      },
      2);
}

TEST_F(XMsgBoxTest, NegativeTimeoutEnablesStarredButtons) {
  const int result = Show(
      "Bitte lesen", "*Weiter|-Abbrechen",
      [&](TfrmXMsgBox& form) {
        TButton& next = ButtonNo(form, 1);
        EXPECT_EQ(next.Caption(), "Weiter");
        EXPECT_FALSE(next.Enabled());
        EXPECT_TRUE(ButtonNo(form, 2).Enabled());
        // A disabled button cannot be pressed.
        ClickControl(form, "Button1");
        EXPECT_TRUE(form.Visible());
        platform.Wait(4999);
        EXPECT_FALSE(next.Enabled());
        platform.Wait(1);
        EXPECT_TRUE(next.Enabled());
        // The time-out has done its work: the window stays, the timer has stopped.
        platform.Wait(60000);
        EXPECT_TRUE(form.Visible());
        EXPECT_FALSE(form.tmrXMB001->Running());
        ClickControl(form, "Button1");
      },
      -5);
  EXPECT_EQ(result, 1);
}

TEST_F(XMsgBoxTest, ClosingStopsTheTimeout) {
  // Closed by a button before its time-out, a message leaves no timer behind to close the next.
  EXPECT_EQ(Show(
                "Erste", "+Ok",
                [&](TfrmXMsgBox& form) {
                  platform.Wait(1000);
                  PressKey(form, vkReturn);
                },
                5),
            1);
  EXPECT_FALSE(frmXMsgBox->tmrXMB001->Running()) << "closing stops the time-out";
  EXPECT_EQ(Show("Zweite", "Ok|-Nein",
                 [&](TfrmXMsgBox& form) {
                   platform.Wait(10000);
                   EXPECT_TRUE(form.Visible());
                   PressKey(form, vkEscape);
                 }),
            2);

  // Nor does a message whose starred buttons were still waiting enable the next one's.
  Show(
      "Dritte", "*Ok|-Nein", [](TfrmXMsgBox& form) { PressKey(form, vkEscape); }, -3);
  Show("Vierte", "*Ok|-Nein", [&](TfrmXMsgBox& form) {
    platform.Wait(10000);
    EXPECT_FALSE(ButtonNo(form, 1).Enabled());
    PressKey(form, vkEscape);
  });
}

TEST_F(XMsgBoxTest, IconKinds) {
  const std::vector<std::string> names = {"imgXMBInformation", "imgXMBQuestion",
                                          "imgXMBExclamation", "imgXMBCritical",
                                          "imgXMBApplication"};
  const auto visibleIcons = [&](int kind) {
    std::vector<std::string> visible;
    // Shown without a script: the window closes as by a close request, with no button pressed.
    std::string input;
    EXPECT_EQ(XMsgBox("Symbol", "Titel", kind, "Ok", 0, false, input), 0);
    for (const std::string& name : names)
      if (ControlOf<TImage>(*frmXMsgBox, name).Visible())
        visible.push_back(name);
    return visible;
  };
  using Names = std::vector<std::string>;
  EXPECT_EQ(visibleIcons(2), Names{"imgXMBQuestion"});
  EXPECT_EQ(visibleIcons(3), Names{"imgXMBExclamation"});
  EXPECT_EQ(visibleIcons(4), Names{"imgXMBCritical"});
  EXPECT_EQ(visibleIcons(5), Names{"imgXMBApplication"});
  for (const int kind : {0, 1, 7, -1})
    EXPECT_EQ(visibleIcons(kind), Names{"imgXMBInformation"}) << "kind " << kind;

  // Every icon is a 32 × 32 picture of its own at the same place.
  std::set<std::vector<uint8_t>> pictures;
  for (const std::string& name : names) {
    TImage& image = ControlOf<TImage>(*frmXMsgBox, name);
    image.LoadedPicture();
    EXPECT_EQ(image.Left(), 16) << name;
    EXPECT_EQ(image.Top(), 8) << name;
    EXPECT_EQ(image.Width(), 32) << name;
    EXPECT_EQ(image.Height(), 32) << name;
    EXPECT_EQ(image.Picture().Width(), 32) << name;
    EXPECT_EQ(image.Picture().Height(), 32) << name;
    EXPECT_TRUE(image.TransparentWhite()) << name;
    pictures.insert(image.Picture().Pixels());
  }
  EXPECT_EQ(pictures.size(), names.size());

  // The colours that tell the icons apart at a glance.
  const auto hasPixel = [](const TImage* image, const std::function<bool(int, int, int)>& wanted) {
    const std::vector<uint8_t>& rgb = image->Picture().Pixels();
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
      if (wanted(rgb[i], rgb[i + 1], rgb[i + 2]))
        return true;
    return false;
  };
  const auto blue = [](int r, int g, int b) { return b > 150 && r < 100 && g < 100; };
  const auto yellow = [](int r, int g, int b) { return r > 200 && g > 200 && b < 80; };
  const auto red = [](int r, int g, int b) { return r > 180 && g < 80 && b < 80; };
  EXPECT_TRUE(hasPixel(frmXMsgBox->imgXMBInformation, blue));
  EXPECT_TRUE(hasPixel(frmXMsgBox->imgXMBQuestion, blue));
  EXPECT_TRUE(hasPixel(frmXMsgBox->imgXMBExclamation, yellow));
  EXPECT_FALSE(hasPixel(frmXMsgBox->imgXMBExclamation, red));
  EXPECT_TRUE(hasPixel(frmXMsgBox->imgXMBCritical, red));
  EXPECT_FALSE(hasPixel(frmXMsgBox->imgXMBCritical, yellow));
}

TEST_F(XMsgBoxTest, CallWhileShowingRefillsTheWindow) {
  int innerResult = -1;
  const int result = Show(
      "Erste", "Ok|-Nein",
      [&](TfrmXMsgBox& form) {
        std::string input = "x";
        innerResult = XMsgBox("Zweite", "Neuer Titel", 2, "A|B|+C", 0, false, input);
        EXPECT_TRUE(form.Visible());
        EXPECT_EQ(form.Caption(), "Neuer Titel");
        EXPECT_EQ(form.lblXMB001->Caption(), "Zweite");
        EXPECT_TRUE(form.imgXMBQuestion->Visible());
        ASSERT_EQ(ButtonsOf(form).size(), 3u) << "the new buttons replace the old ones";
        EXPECT_EQ(ButtonNo(form, 3).Caption(), "C");
        // The first message's time-out is gone with it.
        platform.Wait(10000);
        EXPECT_TRUE(form.Visible());
        PressKey(form, vkReturn);
      },
      3);
  EXPECT_EQ(innerResult, 0);
  EXPECT_EQ(result, 3);
  EXPECT_TRUE(ButtonsOf(*frmXMsgBox).empty());
}

TEST_F(XMsgBoxTest, CloseRequestOfAWindowManagerEndsTheMessageAsItsTimeoutDoes) {
  int clicks = 0;
  std::string input = "vorher";
  platform.OnModal("frmXMsgBox", [&](TForm& form) {
    for (TButton* button : ButtonsOf(form))
      button->OnClick = [&clicks](TObject*) { ++clicks; };
    TypeText(form, "!");
    form.CloseRequest();
    EXPECT_FALSE(form.Visible());
  });
  EXPECT_EQ(XMsgBox("Schließen?", "Titel", 1, "+Ok|-Nein", 5, true, input), 0);
  EXPECT_EQ(clicks, 0) << "no button is pressed";
  EXPECT_TRUE(ButtonsOf(*frmXMsgBox).empty());
  EXPECT_FALSE(frmXMsgBox->tmrXMB001->Running());
  EXPECT_EQ(input, "vorher!") << "the input line hands its text back as on every closing";
  EXPECT_FALSE(Application.Terminated());
  // The window is ready for the next message.
  EXPECT_EQ(Show("Danach", "+Ok", [](TfrmXMsgBox& form) { PressKey(form, vkReturn); }), 1);
}

} // namespace
