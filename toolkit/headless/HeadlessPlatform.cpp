// The headless platform's virtual clock, modal scripts and records.
#include "toolkit/headless/HeadlessPlatform.h"

#include "toolkit/Application.h"
#include "toolkit/Form.h"

#include <stdexcept>

namespace {
constexpr int32_t kMsPerDay = 24 * 60 * 60 * 1000;
}

THeadlessPlatform::THeadlessPlatform() { InstallPlatform(this); }

THeadlessPlatform::~THeadlessPlatform() { InstallPlatform(nullptr); }

void THeadlessPlatform::MessageDialog(const std::string& caption, const std::string& text) {
  messages.push_back({caption, text});
  if (OnMessage)
    OnMessage(messages.back());
}

bool THeadlessPlatform::ShellOpen(const std::string& target) {
  openedTargets.push_back(target);
  return shellResult;
}

void THeadlessPlatform::SetScreenSize(int width, int height) {
  screenWidth = width;
  screenHeight = height;
}

void THeadlessPlatform::AdvanceClock(uint32_t ms) {
  tickCount += ms;
  utcNow += ms;
  timeOfDay = static_cast<int32_t>((static_cast<int64_t>(timeOfDay) + ms) % kMsPerDay);
}

void THeadlessPlatform::WaitForEvents(int32_t timeoutMs) {
  // Nothing can arrive from outside: a wait without a time limit would never end.
  if (timeoutMs < 0)
    throw std::logic_error("Headless: Warten ohne Zeitgeber und ohne Eingabe endet nie.");
  AdvanceClock(static_cast<uint32_t>(timeoutMs));
}

void THeadlessPlatform::Wait(uint32_t ms) {
  const uint32_t end = tickCount + ms;
  Application.ProcessMessages();
  while (static_cast<int32_t>(end - tickCount) > 0) {
    const int32_t next = Application.NextTimerDue();
    const auto remaining = static_cast<int32_t>(end - tickCount);
    AdvanceClock(static_cast<uint32_t>(next < 0 || next > remaining ? remaining : next));
    Application.ProcessMessages();
  }
}

void THeadlessPlatform::OnModal(const std::string& formName, TModalScript script) {
  scripts[formName].push_back(std::move(script));
}

std::size_t THeadlessPlatform::PendingScripts() const {
  std::size_t count = 0;
  for (const auto& [name, queue] : scripts)
    count += queue.size();
  return count;
}

void THeadlessPlatform::ModalShown(TForm& form) {
  modalShowings.push_back(form.Name());
  auto it = scripts.find(form.Name());
  if (it != scripts.end() && !it->second.empty()) {
    TModalScript script = std::move(it->second.front());
    it->second.pop_front();
    script(form);
  }
  if (form.Visible())
    form.CloseRequest();
}
