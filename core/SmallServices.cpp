// Small services: letting input and timers run for a while, and opening documents and links.
#include "core/srcCommon.h"

#include "toolkit/Application.h"
#include "toolkit/Convert.h"
#include "toolkit/Platform.h"
#include "windows/srcXMsgBox.h"

#include <algorithm>
#include <limits>

void PumpMessagesFor(int32_t milliseconds) {
  const uint32_t start = Platform().TickCount();
  for (;;) {
    Application.ProcessMessages();
    // A program asked to end waits for nothing more.
    if (Application.Terminated())
      return;
    // The unsigned difference stays right when the tick count wraps around.
    const int64_t elapsed = Platform().TickCount() - start;
    if (elapsed > milliseconds)
      return;
    // Wake up just past the end, or earlier for a timer; the real backend blocks meanwhile
    // and the headless clock moves on.
    int64_t wait = static_cast<int64_t>(milliseconds) - elapsed + 1;
    const int32_t nextTimer = Application.NextTimerDue();
    if (nextTimer >= 0)
      wait = std::min<int64_t>(wait, nextTimer);
    Platform().WaitForEvents(
        static_cast<int32_t>(std::min<int64_t>(wait, std::numeric_limits<int32_t>::max())));
  }
}

bool OpenDocument(const std::string& target) {
  const std::string trimmed = TrimControls(target);
  if (trimmed.empty())
    return true;
  if (Platform().ShellOpen(trimmed))
    return true;
  std::string unusedInput;
  XMsgBox("Der Link ist ungültig. Vermutlich ist die Dateierweiterung keiner Anwendung "
          "zugeordnet.",
          "Fehler beim Öffnen einer Verknüpfung", xmbExclamation, "+   &Ok    ", 0, false,
          unusedInput);
  return false;
}
