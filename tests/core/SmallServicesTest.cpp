// Tests of the small services: pumping messages for a while and opening documents.
#include "core/srcCommon.h"

#include "toolkit/Application.h"
#include "toolkit/Input.h"
#include "toolkit/Timer.h"
#include "toolkit/headless/HeadlessPlatform.h"
#include "windows/srcXMsgBox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Stands in for the program's main window, so that closing the message window does not end
// the run.
class TfrmTestMain : public TForm {
public:
  TfrmTestMain() : TForm("frmTestMain") {}
};

class SmallServicesTest : public ::testing::Test {
protected:
  SmallServicesTest() {
    Application.ResetTerminated();
    Application.CreateForm(mainForm);
  }

  ~SmallServicesTest() override {
    EXPECT_EQ(platform.PendingScripts(), 0u) << "a modal script never ran";
    Application.DestroyForms();
    Application.ResetTerminated();
  }

  // Thrown by a counting timer that fires far more often than any test wants: it is no error
  // of the system, so the event dispatch lets it through and a pump that never ends fails fast.
  struct TRunawayPump {};

  // A timer that counts how often it fires.
  struct TCountingTimer {
    explicit TCountingTimer(int32_t interval) {
      timer.SetInterval(interval);
      timer.OnTimer = [this](TObject*) {
        ++fired;
        firedAt.push_back(Platform().TickCount());
        if (fired > 100)
          throw TRunawayPump{};
      };
    }
    TTimer timer{"tmrZaehler"};
    int fired = 0;
    std::vector<uint32_t> firedAt;
  };

  THeadlessPlatform platform;
  TfrmTestMain* mainForm = nullptr;
};

TEST_F(SmallServicesTest, PumpProcessesAtLeastOnceAndReturnsOnceTimeHasPassed) {
  platform.SetTickCount(5000);
  TCountingTimer timer(10);
  // The timer falls due without anyone processing messages.
  platform.AdvanceClock(10);

  PumpMessagesFor(0);
  EXPECT_EQ(timer.fired, 1) << "the due timer fires in the first pass";
  EXPECT_EQ(platform.TickCount(), 5011u) << "returns as soon as the tick count has moved on";

  // A negative time has passed already: one pass, no waiting.
  platform.AdvanceClock(10);
  PumpMessagesFor(-5);
  EXPECT_EQ(timer.fired, 2);
  EXPECT_EQ(platform.TickCount(), 5021u);
}

TEST_F(SmallServicesTest, TimersFireWhilePumping) {
  platform.SetTickCount(1000);
  TCountingTimer timer(300);

  PumpMessagesFor(1000);
  EXPECT_EQ(timer.firedAt, (std::vector<uint32_t>{1300, 1600, 1900}));
  // Strictly more than the given time has passed, and no more than needed.
  EXPECT_EQ(platform.TickCount(), 2001u);
}

TEST_F(SmallServicesTest, PumpCountsAcrossTheTickCountWrap) {
  const uint32_t start = 0xFFFFFF00u;
  platform.SetTickCount(start);
  TCountingTimer timer(400);

  PumpMessagesFor(1000);
  EXPECT_EQ(platform.TickCount(), start + 1001u);
  EXPECT_EQ(timer.fired, 2);
}

TEST_F(SmallServicesTest, PumpWaitsOnWhenNoTimerRuns) {
  // With no timer at all the pump still waits out its time.
  PumpMessagesFor(200);
  EXPECT_EQ(platform.TickCount(), 201u);

  // A timer that stops itself leaves nothing due; the pump goes on to its end.
  TCountingTimer once(100);
  once.timer.OnTimer = [&](TObject*) {
    ++once.fired;
    once.timer.SetEnabled(false);
  };
  PumpMessagesFor(500);
  EXPECT_EQ(once.fired, 1);
  EXPECT_EQ(platform.TickCount(), 201u + 501u);
}

TEST_F(SmallServicesTest, OpenDocumentWithNothingToOpen) {
  platform.SetShellResult(false);
  EXPECT_TRUE(OpenDocument(""));
  EXPECT_TRUE(OpenDocument(" \t\r\n \x01 "));
  EXPECT_TRUE(platform.OpenedTargets().empty());
  EXPECT_TRUE(platform.ModalShowings().empty());
  EXPECT_EQ(frmXMsgBox, nullptr) << "nothing to say, so no message window";
}

TEST_F(SmallServicesTest, OpenDocumentPassesTheTrimmedTarget) {
  platform.SetShellResult(true);
  EXPECT_TRUE(OpenDocument("\t https://example.org/Luftrecht Teil 2.pdf \r\n"));
  EXPECT_TRUE(OpenDocument("hilfe.pdf"));
  EXPECT_EQ(platform.OpenedTargets(),
            (std::vector<std::string>{"https://example.org/Luftrecht Teil 2.pdf", "hilfe.pdf"}));
  EXPECT_TRUE(platform.ModalShowings().empty());
}

TEST_F(SmallServicesTest, OpenDocumentFailureShowsTheMessageWindow) {
  platform.SetShellResult(false);
  bool shown = false;
  platform.OnModal("frmXMsgBox", [&](TForm& form) {
    shown = true;
    ASSERT_NE(frmXMsgBox, nullptr);
    ASSERT_EQ(&form, frmXMsgBox);
    EXPECT_EQ(form.Caption(), "Fehler beim Öffnen einer Verknüpfung");
    EXPECT_EQ(frmXMsgBox->lblXMB001->Caption(),
              "Der Link ist ungültig. Vermutlich ist die Dateierweiterung keiner Anwendung "
              "zugeordnet.");
    EXPECT_TRUE(frmXMsgBox->imgXMBExclamation->Visible());
    EXPECT_FALSE(frmXMsgBox->inpXMB001->Visible());
    EXPECT_EQ(form.FindComponent("Button2"), nullptr);
    TButton& ok = ControlOf<TButton>(form, "Button1");
    EXPECT_EQ(ok.Caption(), "   &Ok    ");
    EXPECT_TRUE(ok.Default());
    // No time-out: the message waits for the user.
    platform.Wait(60000);
    EXPECT_TRUE(form.Visible());
    PressKey(form, vkReturn);
  });

  // The message window is made on demand when start-up has not made it yet.
  ASSERT_EQ(frmXMsgBox, nullptr);
  EXPECT_FALSE(OpenDocument("  aerolern.hlp  "));
  EXPECT_TRUE(shown);
  EXPECT_EQ(platform.OpenedTargets(), std::vector<std::string>{"aerolern.hlp"});
  ASSERT_NE(frmXMsgBox, nullptr);
  EXPECT_FALSE(frmXMsgBox->Visible());
  EXPECT_NE(Application.MainForm(), frmXMsgBox);
  EXPECT_TRUE(platform.Messages().empty()) << "the system's own window, not the standard dialog";

  // Closed without its button, the failure is still reported.
  EXPECT_FALSE(OpenDocument("x.unbekannt"));
  EXPECT_EQ(platform.ModalShowings().size(), 2u);
}

} // namespace
