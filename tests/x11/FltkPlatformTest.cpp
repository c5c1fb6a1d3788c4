// Tests of TFltkPlatform on a real X display: clocks, program path, screen, text measuring,
// the desktop opener, the standard message dialog and waiting without spinning.
#include "FltkFixture.h"
#include "toolkit/fltk/FltkFonts.h"

#include <sys/resource.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

TEST_F(FltkBackend, MessageDialogIsModalShowsLfCrAsOneBreakAndTimersRun) {
  struct TSeen {
    std::string Title;
    std::string Button;
    int TextHeight = 0;
    bool Modal = false;
  };
  static TSeen seen;
  seen = TSeen{};
  int ticks = 0;
  TTimer timer("tmrTest");
  timer.SetInterval(50);
  timer.OnTimer = [&](TObject*) { ++ticks; };
  Fl::add_timeout(
      0.5,
      [](void*) {
        Fl_Window* dialog = Fl::modal();
        if (dialog == nullptr)
          return;
        seen.Modal = dialog->modal() != 0;
        seen.Title = dialog->label() ? dialog->label() : "";
        for (int i = 0; i < dialog->children(); ++i) {
          Fl_Widget* child = dialog->child(i);
          if (auto* button = dynamic_cast<Fl_Button*>(child))
            seen.Button = button->label() ? button->label() : "";
          else
            seen.TextHeight = child->h();
        }
        dialog->hide();
      },
      nullptr);
  Application.SetTitle("Testtitel");
  Application.MessageBox("Zeile 1\n\rZeile 2 mit @ und &");
  Application.SetTitle("Aerolern");
  EXPECT_TRUE(seen.Modal);
  EXPECT_EQ(seen.Title, "Testtitel");
  EXPECT_EQ(seen.Button, "OK");
  EXPECT_EQ(seen.TextHeight, 2 * FltkLineHeight(TFont{}));
  EXPECT_GE(ticks, 4); // the model's timers fired while the dialog was open
}

TEST_F(FltkBackend, PlatformClocksPathAndScreen) {
  const uint32_t before = platform.TickCount();
  Pump(100);
  const uint32_t elapsed = platform.TickCount() - before;
  EXPECT_GE(elapsed, 95U);
  EXPECT_LT(elapsed, 1000U);

  const int64_t dayMs = 24 * 60 * 60 * 1000;
  const int64_t expected = static_cast<int64_t>(std::time(nullptr)) % (24 * 60 * 60) * 1000;
  const int64_t difference = (platform.TimeOfDayMs() - expected + dayMs) % dayMs;
  EXPECT_TRUE(difference < 2000 || difference > dayMs - 2000) << difference;

  const std::string path = platform.ProgramPath();
  EXPECT_EQ(fs::path(path).filename(), "fltk_backend_tests");
  EXPECT_TRUE(fs::is_regular_file(path));
  EXPECT_TRUE(fs::path(path).is_absolute());

  // The runner's Xvfb screen.
  EXPECT_EQ(platform.ScreenWidth(), 1024);
  EXPECT_EQ(platform.ScreenHeight(), 768);
}

TEST_F(FltkBackend, TextIsMeasuredWithTheMappedFonts) {
  const TFont normal;
  const TTextSize one = platform.MeasureText(normal, "Ag");
  EXPECT_GE(one.Height, 11);
  EXPECT_LE(one.Height, 16);
  // Every kind of line break counts once.
  EXPECT_EQ(platform.MeasureText(normal, "Ag\n\rAg").Height, 2 * one.Height);
  EXPECT_EQ(platform.MeasureText(normal, "Ag\r\nAg").Height, 2 * one.Height);
  EXPECT_EQ(platform.MeasureText(normal, "Ag\nAg").Height, 2 * one.Height);
  EXPECT_EQ(platform.MeasureText(normal, "Ag\n\nAg").Height, 3 * one.Height);
  EXPECT_EQ(platform.MeasureText(normal, "Ag\n\rAgAg").Width,
            platform.MeasureText(normal, "AgAg").Width);
  EXPECT_GT(platform.MeasureText(normal, "MMMM").Width, platform.MeasureText(normal, "iiii").Width);

  TFont bold = normal;
  bold.Bold = true;
  EXPECT_GT(platform.MeasureText(bold, "Lernmodus Wolken").Width,
            platform.MeasureText(normal, "Lernmodus Wolken").Width);
  TFont larger = normal;
  larger.Size = 10;
  EXPECT_GT(platform.MeasureText(larger, "Ag").Height, one.Height);
  TFont black = normal;
  black.Name = "Arial Black";
  EXPECT_EQ(FltkFontOf(black).Face, FltkFontOf(bold).Face);
}

TEST_F(FltkBackend, ShellOpenReportsTheOpenersExitStatus) {
  TScratchDir dir;
  const std::string received = dir.File("received.txt");
  const auto opener = [&](const std::string& folder, int status) {
    fs::create_directories(folder);
    std::ofstream script(folder + "/xdg-open");
    script << "#!/bin/sh\necho \"$1\" > '" << received << "'\nexit " << status << "\n";
    script.close();
    fs::permissions(folder + "/xdg-open", fs::perms::owner_all);
  };
  opener(dir.File("ok"), 0);
  opener(dir.File("fails"), 4);
  fs::create_directories(dir.File("none"));
  const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";

  setenv("PATH", dir.File("ok").c_str(), 1);
  EXPECT_TRUE(platform.ShellOpen("https://example.org/hilfe.html"));
  std::ifstream in(received);
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "https://example.org/hilfe.html");

  setenv("PATH", dir.File("fails").c_str(), 1);
  EXPECT_FALSE(platform.ShellOpen("datei.unbekannt"));
  setenv("PATH", dir.File("none").c_str(), 1);
  EXPECT_FALSE(platform.ShellOpen("datei.pdf"));
  setenv("PATH", oldPath.c_str(), 1);
}

TEST_F(FltkBackend, WaitingSleepsInsteadOfSpinning) {
  const auto cpuMs = [] {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
  };
  TForm form("frmWarten");
  form.SetBounds(0, 0, 200, 100);
  ShowAndDraw(form);
  Pump(100);

  const long cpuBefore = cpuMs();
  const uint32_t before = platform.TickCount();
  platform.WaitForEvents(300);
  EXPECT_GE(platform.TickCount() - before, 290U);
  EXPECT_LT(cpuMs() - cpuBefore, 30);

  // Without a time limit (and with no window shown) the wait lasts until something happens.
  form.Hide();
  Pump(50);
  Fl::add_timeout(
      0.3, [](void*) {}, nullptr);
  const long cpuBeforeForever = cpuMs();
  const uint32_t beforeForever = platform.TickCount();
  platform.WaitForEvents(-1);
  EXPECT_GE(platform.TickCount() - beforeForever, 290U);
  EXPECT_LT(cpuMs() - cpuBeforeForever, 30);
}
