// Tests of the info and splash windows.
#include "support/UiFixture.h"

#include "core/Edition.h"
#include "windows/srcInfo.h"
#include "windows/srcSplash.h"

namespace {

class InfoSplashTest : public UiTest {
protected:
  void SetUp() override { WriteCatalogue(Questions(2, 1, 1)); }
};

TEST_F(InfoSplashTest, SplashPlacement) {
  Start();
  EXPECT_EQ(frmSplash->Left(), 188);
  EXPECT_EQ(frmSplash->Top(), 16);
  EXPECT_EQ(frmSplash->Width(), 640);
  EXPECT_EQ(frmSplash->Height(), 480);
  EXPECT_EQ(frmSplash->lblDHV->Caption(), "Enthält die Prüfungskataloge des DHV");
  EXPECT_EQ(frmSplash->lblDHV->Cursor(), crHandPoint) << "the link shows the hand";
  frmSplash->Show();
  ClickControl(*frmSplash, "lblDHV");
  EXPECT_EQ(platform.OpenedTargets(), std::vector<std::string>{DhvWebAddress});
}

TEST_F(InfoSplashTest, InfoWindowPlacementTextsAndLinks) {
  Start();
  Main().SetBounds(100, 50, 525, 450);
  std::string firstText;
  platform.OnModal("frmInfo", [&](TForm& window) {
    EXPECT_EQ(window.Top(), 106);
    EXPECT_EQ(window.Left(), 183);
    EXPECT_EQ(window.Caption(), "Talwinder Flugschule Ost & Shop - Info");
    EXPECT_EQ(window.Width(), 539);
    EXPECT_EQ(frmInfo->Label1->Caption(), "Talwinder Flugschule Ost...");
    EXPECT_EQ(frmInfo->btnOk->Caption(), "OkiDoki");
    EXPECT_EQ(frmInfo->btnOk->Left(), 210);
    EXPECT_EQ(frmInfo->btnOk->Width(), 89);
    // Each link lies on the empty line after the text it completes.
    const TFont& font = frmInfo->txtInfoText01->Font();
    const auto lines = WrapLines(frmInfo->txtInfoText01->Caption(), 245, [&](const std::string& t) {
      return Platform().MeasureText(font, t).Width;
    });
    const int lineHeight = Platform().MeasureText(font, "X").Height;
    auto lineOf = [&](const TLabel* link) {
      return static_cast<std::size_t>((link->Top() - 32) / lineHeight);
    };
    const std::size_t dhvLine = lineOf(frmInfo->txtInfoText03);
    const std::size_t ownerLine = lineOf(frmInfo->txtInfoText04);
    ASSERT_TRUE(dhvLine > 0 && dhvLine < lines.size() && ownerLine < lines.size());
    EXPECT_EQ((frmInfo->txtInfoText03->Top() - 32) % lineHeight, 0);
    EXPECT_TRUE(lines[dhvLine].empty());
    EXPECT_EQ(lines[dhvLine - 1].substr(lines[dhvLine - 1].size() - 4), " des");
    EXPECT_TRUE(lines[ownerLine].empty());
    EXPECT_EQ(lines[ownerLine - 1].substr(lines[ownerLine - 1].size() - 9), "Homepage:");
    EXPECT_EQ(frmInfo->txtInfoText03->Left(), 280);
    EXPECT_EQ(frmInfo->txtInfoText04->Left(), 280);
    // Only the links show the hand.
    EXPECT_EQ(frmInfo->txtInfoText03->Cursor(), crHandPoint);
    EXPECT_EQ(frmInfo->txtInfoText04->Cursor(), crHandPoint);
    EXPECT_EQ(frmInfo->txtInfoText01->Cursor(), crDefault);
    firstText = frmInfo->txtInfoText01->Caption();
    ClickControl(window, "txtInfoText03");
    ClickControl(window, "txtInfoText04");
    ClickControl(window, "btnOk");
  });
  PressKey(Main(), vkF1, ssShift | ssCtrl);
  EXPECT_EQ(firstText.rfind("Schluss mit Geiz - Fliegen ist GEIL!!!\n\rSie lernen", 0), 0u);
  EXPECT_NE(firstText.find("infiziert.Ob motorlos"), std::string::npos);
  EXPECT_NE(firstText.find("Theorieprüfungen des\n\r\n\rFür den Praxis"), std::string::npos);
  EXPECT_NE(firstText.find("Homepage:\n\r\n\roder bei:\n\r"), std::string::npos);
  EXPECT_EQ(firstText.substr(firstText.size() - 8 - std::string(EditionOwnerEmail).size()),
            std::string("e-Mail: ") + EditionOwnerEmail);
  for (std::size_t i = 0; i < firstText.size(); ++i) {
    if (firstText[i] == '\n') {
      EXPECT_EQ(firstText[i + 1], '\r') << "line breaks are LF CR, at " << i;
    }
  }
  EXPECT_EQ(frmInfo->txtInfoText03->Caption(), std::string("DHV (") + DhvWebAddress + ").");
  EXPECT_EQ(platform.OpenedTargets(),
            (std::vector<std::string>{DhvWebAddress, EditionOwnerWebAddress}));
  // A second opening shows the same text, nothing appended.
  std::string secondText;
  platform.OnModal("frmInfo", [&](TForm&) { secondText = frmInfo->txtInfoText01->Caption(); });
  ChooseMenu(Main(), "btnInfosUeber");
  EXPECT_EQ(secondText, firstText);
}

TEST_F(InfoSplashTest, CloseRequestOfAWindowManagerClosesTheInfoWindowAsOkiDokiDoes) {
  Start();
  const std::string counter = CounterLine();
  platform.OnModal("frmInfo", [](TForm& window) {
    window.CloseRequest();
    EXPECT_FALSE(window.Visible());
  });
  ChooseMenu(Main(), "btnInfosUeber");
  EXPECT_FALSE(frmInfo->Visible());
  EXPECT_TRUE(Main().Visible());
  EXPECT_FALSE(Application.Terminated());
  EXPECT_TRUE(platform.OpenedTargets().empty()) << "no link was opened";
  EXPECT_TRUE(platform.Messages().empty());
  EXPECT_EQ(CounterLine(), counter);
  // It opens again as before.
  platform.OnModal("frmInfo", [](TForm& window) { ClickControl(window, "btnOk"); });
  ChooseMenu(Main(), "btnInfosUeber");
  EXPECT_FALSE(frmInfo->Visible());
  EXPECT_EQ(platform.PendingScripts(), 0U);
}

} // namespace
