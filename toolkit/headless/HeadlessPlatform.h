// The headless platform: no display, a virtual clock that moves only while the program waits,
// scripted modal showings, and a record of what was shown and opened. Tests create one on the
// stack; it installs itself and uninstalls when it goes.
#pragma once

#include "toolkit/Platform.h"

#include <deque>
#include <functional>
#include <map>
#include <vector>

struct TShownMessage {
  std::string Caption;
  std::string Text;
};

class THeadlessPlatform : public TPlatform {
public:
  using TModalScript = std::function<void(TForm& form)>;

  THeadlessPlatform();
  ~THeadlessPlatform() override;
  THeadlessPlatform(const THeadlessPlatform&) = delete;
  THeadlessPlatform& operator=(const THeadlessPlatform&) = delete;

  uint32_t TickCount() override { return tickCount; }
  int32_t TimeOfDayMs() override { return timeOfDay; }
  int64_t UtcNowMs() override { return utcNow; }
  int32_t UtcOffsetSeconds(int64_t utcMs) override {
    return offsetRule ? offsetRule(utcMs) : utcOffset;
  }
  std::string ProgramPath() override { return programPath; }
  void MessageDialog(const std::string& caption, const std::string& text) override;
  int ScreenWidth() override { return screenWidth; }
  int ScreenHeight() override { return screenHeight; }
  bool ShellOpen(const std::string& target) override;
  void WaitForEvents(int32_t timeoutMs) override;
  void ModalShown(TForm& form) override;

  void SetTimeOfDay(int ms) { timeOfDay = ms; }
  // The calendar clock and the local time zone's offset; the clock moves with AdvanceClock.
  void SetUtcNow(int64_t ms) { utcNow = ms; }
  void SetUtcOffset(int32_t seconds) { utcOffset = seconds; }
  // A zone whose offset depends on the moment (daylight saving); an empty rule restores the
  // fixed offset.
  void SetUtcOffsetRule(std::function<int32_t(int64_t utcMs)> rule) {
    offsetRule = std::move(rule);
  }
  void SetTickCount(uint32_t ms) { tickCount = ms; }
  void SetProgramPath(std::string path) { programPath = std::move(path); }
  void SetScreenSize(int width, int height);
  // Moves the clocks on; the time of day wraps at midnight.
  void AdvanceClock(uint32_t ms);
  // Lets the program run for ms milliseconds of virtual time: timers fire as they fall due.
  void Wait(uint32_t ms);

  // The standard message dialogs shown so far, oldest first.
  const std::vector<TShownMessage>& Messages() const { return messages; }
  void ClearMessages() { messages.clear(); }

  // What ShellOpen answers, and the targets it was asked to open.
  void SetShellResult(bool success) { shellResult = success; }
  const std::vector<std::string>& OpenedTargets() const { return openedTargets; }

  // Queues a script for the next modal showing of the form of that name. The script drives the
  // form; if it leaves the form open, the form closes as by its close box.
  void OnModal(const std::string& formName, TModalScript script);
  // Scripts queued and not yet used.
  std::size_t PendingScripts() const;
  // Names of the forms shown modally so far, in order.
  const std::vector<std::string>& ModalShowings() const { return modalShowings; }
  // Called for each standard message dialog; may be used to check state at that moment.
  std::function<void(const TShownMessage&)> OnMessage;

private:
  uint32_t tickCount = 0;
  int32_t timeOfDay = 0;
  // 2026-12-08 10:00 UTC, in Central European Time.
  int64_t utcNow = 1796724000000;
  int32_t utcOffset = 3600;
  std::function<int32_t(int64_t)> offsetRule;
  std::string programPath = "/opt/aerolern/aerolern";
  int screenWidth = 1024;
  int screenHeight = 768;
  bool shellResult = true;
  std::vector<TShownMessage> messages;
  std::vector<std::string> openedTargets;
  std::map<std::string, std::deque<TModalScript>> scripts;
  std::vector<std::string> modalShowings;
};
