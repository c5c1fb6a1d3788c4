// Tests of the category selection dialog.
#include "support/UiFixture.h"

#include "dialogs/srcKategorieWahl.h"

namespace {

class CategoryDialogTest : public UiTest {
protected:
  void SetUp() override { WriteCatalogue(Questions(4, 1, 1)); }
  TCheckBox& Box(const std::string& name) { return ControlOf<TCheckBox>(*frmKategorieWahl, name); }
};

TEST_F(CategoryDialogTest, FirstShowing) {
  bool checked = false;
  Start([&](TForm& dialog) {
    checked = true;
    EXPECT_EQ(dialog.Caption(), "Auswahl der zu lernenden Kategorien");
    EXPECT_EQ(dialog.Height(), 380);
    EXPECT_EQ(dialog.Top(), Main().Top() + 44);
    EXPECT_EQ(dialog.Left(), Main().Left() + 44);
    EXPECT_EQ(ControlOf<TButton>(dialog, "btnOk").Top(), 312);
    EXPECT_TRUE(ControlOf<TButton>(dialog, "btnOk").Default());
    for (TControl* control : dialog.AllControls())
      if (auto* box = dynamic_cast<TCheckBox*>(control)) {
        EXPECT_FALSE(box->Checked()) << box->Name();
        const bool seventh = box->Name() == "chkKat07" || box->Name().rfind("chkUKat07", 0) == 0;
        EXPECT_EQ(box->Visible(), !seventh) << box->Name();
      }
    EXPECT_EQ(Box("chkKat01").Caption(), "Beschränkter Luftfahrerschein (vormals A-Lizenz)");
    EXPECT_EQ(Box("chkUKat0301").Caption(), "Flugfunk für Luftsportgeräteführer");
    EXPECT_EQ(Box("chkUKat0104").Caption(), "Technik");
    EXPECT_EQ(Box("chkKat01").Font().Name, "Arial");
    PressKey(dialog, vkReturn);
    EXPECT_FALSE(dialog.Visible()) << "Enter presses Ok";
  });
  EXPECT_TRUE(checked);
}

TEST_F(CategoryDialogTest, LicenceBoxesTickTheirAreas) {
  Start([&](TForm& dialog) {
    ClickControl(dialog, "chkUKat0102");
    ClickControl(dialog, "chkKat01");
    for (const char* name : {"chkUKat0101", "chkUKat0102", "chkUKat0103", "chkUKat0104"})
      EXPECT_TRUE(Box(name).Checked()) << name;
    ClickControl(dialog, "chkKat01");
    for (const char* name : {"chkUKat0101", "chkUKat0102", "chkUKat0103", "chkUKat0104"})
      EXPECT_FALSE(Box(name).Checked()) << name;
    ClickControl(dialog, "chkKat03");
    EXPECT_TRUE(Box("chkUKat0301").Checked());
    EXPECT_FALSE(Box("chkUKat0201").Checked());
    ClickControl(dialog, "chkKat02");
    ClickControl(dialog, "chkUKat0202");
    EXPECT_TRUE(Box("chkKat02").Checked()) << "unticking an area leaves its licence box";
  });
  EXPECT_TRUE(IsAreaChecked(2, 1));
  EXPECT_FALSE(IsAreaChecked(2, 2));
  EXPECT_TRUE(IsAreaChecked(2, 3));
  EXPECT_TRUE(IsAreaChecked(3, 1));
  EXPECT_TRUE(IsAreaChecked(2, 0));
  EXPECT_FALSE(IsAreaChecked(1, 0));
  EXPECT_FALSE(IsAreaChecked(9, 1)) << "a pair without a box is not ticked";
  EXPECT_FALSE(IsAreaChecked(71, 1));
  // The selection follows the boxes.
  EXPECT_TRUE(SlotSelected(CategorySlot(2, 3)));
  EXPECT_FALSE(SlotSelected(CategorySlot(2, 2)));
  EXPECT_TRUE(SlotSelected(0));
}

TEST_F(CategoryDialogTest, SeventhLicenceRuleOnTheHiddenRow) {
  Start();
  TCheckBox& licence = Box("chkKat07");
  licence.SetChecked(true);
  frmKategorieWahl->LicenceBoxClick(7);
  for (int area = 1; area <= 10; ++area) {
    const std::string name = "chkUKat07" + std::string(area < 10 ? "0" : "") + std::to_string(area);
    EXPECT_EQ(Box(name).Checked(), area != 8) << name;
  }
  licence.SetChecked(false);
  frmKategorieWahl->LicenceBoxClick(7);
  for (int area = 1; area <= 10; ++area)
    EXPECT_FALSE(IsAreaChecked(7, area)) << area;
}

TEST_F(CategoryDialogTest, TicksSurviveReopeningAndTheCloseBoxActsAsOk) {
  Start([](TForm& dialog) { ClickControl(dialog, "chkUKat0101"); });
  const int firstTop = frmKategorieWahl->Top();
  Main().SetTop(Main().Top() + 100);
  bool reopened = false;
  platform.OnModal("frmKategorieWahl", [&](TForm& dialog) {
    reopened = true;
    EXPECT_TRUE(Box("chkUKat0101").Checked());
    EXPECT_EQ(dialog.Top(), firstTop) << "the dialog keeps its first position";
    ClickControl(dialog, "chkUKat0102");
    dialog.CloseRequest();
  });
  ChooseMenu(Main(), "mnuFragenKategorieWaehlen");
  EXPECT_TRUE(reopened);
  EXPECT_TRUE(SlotSelected(CategorySlot(1, 2)));
  EXPECT_TRUE(SlotSelected(CategorySlot(1, 1)));
}

} // namespace
