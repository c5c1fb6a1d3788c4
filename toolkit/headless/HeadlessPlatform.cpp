// The headless platform's clocks and message record.
#include "toolkit/headless/HeadlessPlatform.h"

namespace {
constexpr int32_t kMsPerDay = 24 * 60 * 60 * 1000;
}

THeadlessPlatform::THeadlessPlatform() { InstallPlatform(this); }

THeadlessPlatform::~THeadlessPlatform() { InstallPlatform(nullptr); }

void THeadlessPlatform::MessageDialog(const std::string& caption, const std::string& text) {
  messages.push_back({caption, text});
}

void THeadlessPlatform::AdvanceClock(uint32_t ms) {
  tickCount += ms;
  timeOfDay = static_cast<int32_t>((static_cast<int64_t>(timeOfDay) + ms) % kMsPerDay);
}
