// The window test fixture: start-up on the headless platform and small helpers.
#include "support/UiFixture.h"

#include "core/QuestionData.h"
#include "dialogs/srcKategorieWahl.h"
#include "dialogs/srcNew.h"
#include "dialogs/srcPruefungsKatWahl.h"
#include "mainwindow/Startup.h"
#include "windows/srcInfo.h"
#include "windows/srcSkizzen.h"
#include "windows/srcSplash.h"
#include "windows/srcXMsgBox.h"

UiTest::UiTest() {
  platform.SetProgramPath(dir.File("aerolern"));
  platform.SetTimeOfDay(36000000);
  Application.ResetTerminated();
  ResetQuestionData();
  WriteSettings("AnzPrfFragenGSA=30\nAnzMuendlichGSA=5\nAnzNichtBestGSA=7\n");
}

void UiTest::TearDown() {
  EXPECT_EQ(platform.PendingScripts(), 0u) << "a scripted dialog was never shown";
}

UiTest::~UiTest() {
  EndProgram();
  Application.ResetTerminated();
}

void UiTest::EndProgram() {
  Application.DestroyForms();
  ResetQuestionData();
}

void UiTest::WriteSettings(const std::string& content) {
  WriteFileBytes(dir.File("aerolern.ini"), content);
}

void UiTest::TickAllLicences(TForm& dialog) {
  for (int licence = 1; licence <= 6; ++licence)
    ClickControl(dialog, "chkKat0" + std::to_string(licence));
}

void UiTest::Start(std::function<void(TForm&)> chooseCategories) {
  StartProgram();
  if (!recordHistory)
    QuestionData().SetLearningListener(eventListener);
  platform.OnModal("frmKategorieWahl", std::move(chooseCategories));
  Main().Show();
}

QuestionRecord UiTest::Current() {
  QuestionRecord record;
  ReadQuestion(CurrentQuestionNo(), record);
  return record;
}

void UiTest::TickAnswer(bool right) {
  const QuestionRecord record = Current();
  bool ticks[4] = {record.CorrectA, record.CorrectB, record.CorrectC, record.CorrectD};
  if (!right)
    ticks[0] = !ticks[0];
  TCheckBox* boxes[4] = {Main().chkAntwortA, Main().chkAntwortB, Main().chkAntwortC,
                         Main().chkAntwortD};
  for (int i = 0; i < 4; ++i)
    boxes[i]->SetChecked(ticks[i]);
}

int UiTest::OpenEntries() const {
  int open = 0;
  for (const PoolEntry& entry : QuestionPool())
    open += entry.Open != 0;
  return open;
}
