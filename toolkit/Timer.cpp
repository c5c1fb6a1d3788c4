// Timers are kept by the application, which fires them while it processes messages.
#include "toolkit/Timer.h"

#include "toolkit/Application.h"
#include "toolkit/Platform.h"

TTimer::TTimer(std::string timerName) : name(std::move(timerName)) {
  Application.RegisterTimer(this);
  Restart();
}

TTimer::~TTimer() { Application.UnregisterTimer(this); }

void TTimer::Restart() {
  if (HasPlatform())
    dueAt = Platform().TickCount() + static_cast<uint32_t>(interval);
}

void TTimer::SetEnabled(bool value) {
  if (enabled == value)
    return;
  enabled = value;
  Restart();
}

void TTimer::SetInterval(int32_t value) {
  interval = value;
  Restart();
}

bool TTimer::FireIfDue(uint32_t now) {
  if (!Running() || static_cast<int32_t>(now - dueAt) < 0)
    return false;
  dueAt = now + static_cast<uint32_t>(interval);
  Application.Dispatch([&] { OnTimer(this); });
  return true;
}
