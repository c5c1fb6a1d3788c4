// The application object's event loop, timers, message and error display.
#include "toolkit/Application.h"

#include "toolkit/Form.h"
#include "toolkit/Platform.h"

#include <algorithm>
#include <limits>

TApplication Application;
TScreen Screen;

void TApplication::DestroyForms() {
  mainForm = nullptr;
  while (!forms.empty()) {
    // Nothing reaches a form through its reference while it is being destroyed.
    forms.back().ClearReference();
    forms.pop_back();
  }
}

void TApplication::Run() {
  if (mainForm != nullptr && !terminated)
    mainForm->Show();
  while (!terminated) {
    ProcessMessages();
    if (terminated)
      break;
    WaitForEvents();
  }
}

void TApplication::ProcessMessages() {
  for (const TCreatedForm& created : forms)
    created.Form->FreeReleasedControls();
  Platform().ProcessMessages();
  const uint32_t now = Platform().TickCount();
  // A handler may start or stop timers; work on a copy and recheck each one.
  const std::vector<TTimer*> snapshot = timers;
  for (TTimer* timer : snapshot)
    if (std::find(timers.begin(), timers.end(), timer) != timers.end())
      timer->FireIfDue(now);
}

int32_t TApplication::NextTimerDue() const {
  const uint32_t now = Platform().TickCount();
  int64_t next = -1;
  for (const TTimer* timer : timers) {
    if (!timer->Running())
      continue;
    const int64_t wait = std::max<int32_t>(0, static_cast<int32_t>(timer->DueAt() - now));
    if (next < 0 || wait < next)
      next = wait;
  }
  return static_cast<int32_t>(next);
}

void TApplication::WaitForEvents() { Platform().WaitForEvents(NextTimerDue()); }

void TApplication::MessageBox(const std::string& text) { Platform().MessageDialog(title, text); }

void TApplication::HandleException(const std::exception& error) { MessageBox(error.what()); }

void TApplication::Dispatch(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    HandleException(error);
  }
}

void TApplication::UnregisterTimer(TTimer* timer) {
  timers.erase(std::remove(timers.begin(), timers.end(), timer), timers.end());
}

int TScreen::Width() const { return Platform().ScreenWidth(); }
int TScreen::Height() const { return Platform().ScreenHeight(); }
