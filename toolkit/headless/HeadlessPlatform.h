// The headless platform: no display, a virtual clock, and a record of what was shown.
// Tests create one on the stack; it installs itself and uninstalls when it goes.
#pragma once

#include "toolkit/Platform.h"

#include <vector>

struct TShownMessage {
  std::string Caption;
  std::string Text;
};

class THeadlessPlatform : public TPlatform {
public:
  THeadlessPlatform();
  ~THeadlessPlatform() override;
  THeadlessPlatform(const THeadlessPlatform&) = delete;
  THeadlessPlatform& operator=(const THeadlessPlatform&) = delete;

  uint32_t TickCount() override { return tickCount; }
  int32_t TimeOfDayMs() override { return timeOfDay; }
  std::string ProgramPath() override { return programPath; }
  void MessageDialog(const std::string& caption, const std::string& text) override;

  void SetTimeOfDay(int ms) { timeOfDay = ms; }
  void SetTickCount(uint32_t ms) { tickCount = ms; }
  void SetProgramPath(std::string path) { programPath = std::move(path); }
  // Moves both clocks on; the time of day wraps at midnight.
  void AdvanceClock(uint32_t ms);

  // The standard message dialogs shown so far, oldest first.
  const std::vector<TShownMessage>& Messages() const { return messages; }
  void ClearMessages() { messages.clear(); }

private:
  uint32_t tickCount = 0;
  int32_t timeOfDay = 0;
  std::string programPath = "/opt/aerolern/aerolern";
  std::vector<TShownMessage> messages;
};
