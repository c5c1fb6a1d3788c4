// A timer that fires OnTimer every Interval milliseconds while it is enabled.
#pragma once

#include "toolkit/Types.h"

#include <cstdint>
#include <string>

class TTimer : public TObject {
public:
  explicit TTimer(std::string name);
  ~TTimer() override;
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;

  const std::string& Name() const { return name; }
  bool Enabled() const { return enabled; }
  void SetEnabled(bool value);
  int32_t Interval() const { return interval; }
  // Setting the interval restarts the count; 0 stops the timer from firing.
  void SetInterval(int32_t value);

  TNotifyEvent OnTimer;

  // Whether the timer is running and when it is next due (tick count).
  bool Running() const { return enabled && interval > 0 && OnTimer != nullptr; }
  uint32_t DueAt() const { return dueAt; }
  // Fires when due at `now`; returns whether it fired.
  bool FireIfDue(uint32_t now);

private:
  void Restart();

  std::string name;
  bool enabled = true;
  int32_t interval = 1000;
  uint32_t dueAt = 0;
};
