// Tests of the sketch lookup, the sketch window's size and its arrangement on the screen.
#include "support/UiFixture.h"

#include "windows/srcSkizzen.h"

#include <algorithm>
#include <cstdlib>

namespace {

class SketchWindowTest : public UiTest {
protected:
  // The program lies in the source tree, so its pictures are the real assets.
  void SetUp() override {
    const char* source = std::getenv("AEROLERN_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    platform.SetProgramPath(std::string(source) + "/aerolern");
  }
  // Puts a question with the sketch on display in Vertiefungsmodus.
  void ShowQuestionWithSketch(int licence, int area, int imageNo) {
    QuestionRecord record = MakeQuestion(licence, area);
    record.ImageNo = imageNo;
    WriteCatalogue({record});
    Start();
    ChooseMenu(Main(), "mnuVertifungsmode");
    ASSERT_TRUE(Main().btnSkizzen->Visible());
  }
  std::vector<std::string> VisibleImages() {
    std::vector<std::string> names;
    for (TControl* control : frmSkizzen->AllControls())
      if (dynamic_cast<TImage*>(control) && control->Visible())
        names.push_back(control->Name());
    return names;
  }
};

TEST_F(SketchWindowTest, TableHasItsKeysAndNoOthers) {
  WriteCatalogue(Questions(1, 1, 1));
  Start();
  int keys = 0, notices = 0;
  for (int category : {11, 12, 13, 14, 21, 22, 23, 31, 62, 74, 77, 710})
    for (int number = -1; number <= 30; ++number) {
      const std::string key = std::to_string(category) + "_" + std::to_string(number);
      if (TImage* image = frmSkizzen->SketchFor(key)) {
        ++keys;
        notices += image == frmSkizzen->img_noICAO;
      }
    }
  EXPECT_EQ(keys, 98);
  EXPECT_EQ(notices, 11);
  EXPECT_NE(frmSkizzen->SketchFor("11_11"), nullptr);
  EXPECT_EQ(frmSkizzen->SketchFor("11_7"), nullptr);
  EXPECT_EQ(frmSkizzen->SketchFor("22_2"), frmSkizzen->img_noICAO);
  EXPECT_EQ(frmSkizzen->SketchFor("13_12")->Name(), "img13_12");
  EXPECT_EQ(frmSkizzen->Caption(), "Skizzen");
}

TEST_F(SketchWindowTest, SideBySideOnAWideScreen) {
  platform.SetScreenSize(1280, 1024);
  ShowQuestionWithSketch(1, 1, 1);
  Main().SetBounds(100, 50, 525, 450);
  bool shown = false;
  platform.OnModal("frmSkizzen", [&](TForm& window) {
    shown = true;
    EXPECT_EQ(VisibleImages(), std::vector<std::string>{"img11_1"});
    EXPECT_EQ(window.Width(), 573);
    EXPECT_EQ(window.Height(), 438);
    EXPECT_EQ(window.Left(), 625);
    EXPECT_EQ(window.Top(), 50);
    EXPECT_EQ(frmSkizzen->btnZurueck->Left(), 573 - 65);
    EXPECT_EQ(frmSkizzen->btnZurueck->Top(), 438 - 65);
    EXPECT_FALSE(frmSkizzen->SketchFor("11_1")->Picture().Empty()) << "decoded when shown";
    ClickControl(window, "btnZurueck");
  });
  ClickControl(Main(), "btnSkizzen");
  EXPECT_TRUE(shown);
  EXPECT_EQ(Main().Left(), 92);
  EXPECT_EQ(Main().Top(), 50);
  // The next lookup frees the pixels of the picture shown before.
  platform.OnModal("frmSkizzen", [&](TForm&) {
    EXPECT_EQ(VisibleImages(), std::vector<std::string>{"img11_2"});
  });
  frmSkizzen->ShowSketch(Main(), "11_2");
  EXPECT_TRUE(frmSkizzen->SketchFor("11_1")->Picture().Empty());
  EXPECT_FALSE(frmSkizzen->SketchFor("11_2")->Picture().Empty());
}

TEST_F(SketchWindowTest, CentredWhenNeitherFitsAndStackedWhenHeightFits) {
  ShowQuestionWithSketch(1, 1, 1);
  Main().SetBounds(100, 50, 525, 450);
  int shown = 0;
  platform.OnModal("frmSkizzen", [&](TForm& window) {
    ++shown;
    EXPECT_EQ(window.Left(), 226);
    EXPECT_EQ(window.Top(), 165);
  });
  ClickControl(Main(), "btnSkizzen");
  EXPECT_EQ(Main().Left(), 100) << "the main window stays";
  // 1098 is not less than 1098: the strict test sends the windows on to stacking.
  platform.SetScreenSize(1098, 1000);
  Main().SetBounds(100, 50, 525, 450);
  platform.OnModal("frmSkizzen", [&](TForm& window) {
    EXPECT_EQ(Main().Top(), 500 - (225 + 219));
    EXPECT_EQ(Main().Left(), 549 - 262);
    EXPECT_EQ(window.Top(), Main().Top() + 450 + 8);
    EXPECT_EQ(window.Left(), 549 - 286);
    ++shown;
  });
  ClickControl(Main(), "btnSkizzen");
  EXPECT_EQ(shown, 2);
}

TEST_F(SketchWindowTest, ChartExcerptsShowTheNotice) {
  ShowQuestionWithSketch(2, 2, 2);
  platform.OnModal("frmSkizzen", [&](TForm& window) {
    EXPECT_EQ(VisibleImages(), std::vector<std::string>{"img_noICAO"});
    EXPECT_EQ(window.Width(), 328);
    EXPECT_EQ(window.Height(), 320);
    EXPECT_EQ(frmSkizzen->img_noICAO->Left(), 0);
    EXPECT_EQ(frmSkizzen->img_noICAO->Top(), 0);
  });
  ClickControl(Main(), "btnSkizzen");
  EXPECT_EQ(platform.ModalShowings().back(), "frmSkizzen");
}

TEST_F(SketchWindowTest, KeysWithoutPictureAreToldNotShown) {
  for (int imageNo : {4, 9}) {
    ShowQuestionWithSketch(2, 3, imageNo);
    ClickControl(Main(), "btnSkizzen");
    ASSERT_EQ(platform.Messages().size(), 1u) << imageNo;
    EXPECT_EQ(platform.Messages()[0].Text, "Zu dieser Frage ist keine Abbildung vorhanden.");
    EXPECT_EQ(
        std::count(platform.ModalShowings().begin(), platform.ModalShowings().end(), "frmSkizzen"),
        0);
    platform.ClearMessages();
    Application.DestroyForms();
  }
}

} // namespace
