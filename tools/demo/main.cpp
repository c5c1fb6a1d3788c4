// The toolkit demo: every kind of control on a real window through the FLTK backend. With
// "--pump-test" it instead waits five seconds as the program's pauses do and prints the CPU
// time that took ("cpu_ms=... wall_ms=...").
#include "core/srcCommon.h"
#include "toolkit/Application.h"
#include "toolkit/fltk/FltkPlatform.h"
#include "tools/demo/DemoForm.h"
#include "tools/demo/DemoPicture.h"
#include "windows/srcInfo.h"

#include <sys/resource.h>

#include <chrono>
#include <iostream>
#include <string>

namespace {

constexpr int32_t kPumpTestMs = 5000;

int64_t CpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto ms = [](const timeval& time) {
    return static_cast<int64_t>(time.tv_sec) * 1000 + time.tv_usec / 1000;
  };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Waits as the program's pauses do, with the window shown and its clock timer running.
void PumpTest() {
  const int64_t cpuBefore = CpuMs();
  const auto wallBefore = std::chrono::steady_clock::now();
  PumpMessagesFor(kPumpTestMs);
  const auto wallMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                          std::chrono::steady_clock::now() - wallBefore)
                          .count();
  DemoReport("cpu_ms=" + std::to_string(CpuMs() - cpuBefore) +
             " wall_ms=" + std::to_string(wallMs));
}

} // namespace

int main(int argc, char** argv) {
  const bool pumpTest = argc == 2 && std::string(argv[1]) == "--pump-test";
  if (argc > 1 && !pumpTest) {
    std::cerr << "Aufruf: toolkit-demo [--pump-test]\n";
    return 2;
  }
  TFltkPlatform platform;
  TDemoPicture picture(160, 100);
  Application.SetTitle("Toolkit-Demo");
  TfrmDemo* frmDemo = nullptr;
  Application.CreateForm(frmDemo);
  Application.CreateForm(frmInfo);
  // The info window lays its links out when it is activated; a test finds them by this report.
  const TNotifyEvent layInfoOut = frmInfo->OnActivate;
  frmInfo->OnActivate = [layInfoOut](TObject* sender) {
    layInfoOut(sender);
    PrintFormLayout(*frmInfo, "frmInfo.");
  };
  frmDemo->SetPictureFile(picture.Path());
  frmDemo->PrintLayout();
  if (pumpTest) {
    frmDemo->Show();
    PumpTest();
  } else {
    Application.Run();
  }
  // The windows go before the platform that realises them.
  Application.DestroyForms();
  return 0;
}
