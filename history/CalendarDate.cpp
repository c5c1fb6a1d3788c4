// Conversion between UTC moments and local calendar days.
#include "history/CalendarDate.h"

#include "toolkit/Platform.h"

#include <cstdio>

namespace {

constexpr int64_t kMsPerSecond = 1000;
constexpr int64_t kSecondsPerDay = 86400;

// Days since 1970-01-01 of a civil date (proleptic Gregorian calendar).
int64_t DaysFromCivil(int year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

bool IsRealDay(int year, int month, int day) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12 || day < 1)
    return false;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

// The UTC moment of a local time given in seconds: the offset is first guessed from the local
// time read as UTC, then corrected by the offset at the guess.
int64_t UtcOfLocal(int64_t localSeconds) {
  int64_t utc = localSeconds - Platform().UtcOffsetSeconds(localSeconds * kMsPerSecond);
  utc = localSeconds - Platform().UtcOffsetSeconds(utc * kMsPerSecond);
  return utc * kMsPerSecond;
}

int64_t FloorDiv(int64_t value, int64_t divisor) {
  return value / divisor - (value % divisor < 0 ? 1 : 0);
}

// The local day of a UTC moment, counted in days since 1970-01-01.
int64_t LocalDayNumber(int64_t utcMs) {
  return FloorDiv(FloorDiv(utcMs, kMsPerSecond) + Platform().UtcOffsetSeconds(utcMs),
                  kSecondsPerDay);
}

// Monday 0 to Sunday 6 of a day number; 1970-01-01 was a Thursday.
int64_t WeekdayOf(int64_t dayNumber) { return (dayNumber % 7 + 7 + 3) % 7; }

} // namespace

tm CivilTime(int64_t seconds) {
  const auto time = static_cast<time_t>(seconds);
  tm civil{};
#ifdef _WIN32
  gmtime_s(&civil, &time);
#else
  gmtime_r(&time, &civil);
#endif
  return civil;
}

std::string LocalDateText(int64_t utcMs) {
  const tm civil = CivilTime(utcMs / kMsPerSecond + Platform().UtcOffsetSeconds(utcMs));
  char text[40];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d", civil.tm_mday, civil.tm_mon + 1,
                civil.tm_year + 1900);
  return text;
}

int64_t LocalDayStart(int64_t utcMs, int dayOffset) {
  const int64_t local = FloorDiv(utcMs, kMsPerSecond) + Platform().UtcOffsetSeconds(utcMs);
  return UtcOfLocal((FloorDiv(local, kSecondsPerDay) + dayOffset) * kSecondsPerDay);
}

bool LocalMidnightUtc(int year, int month, int day, int64_t& utcMs) {
  if (!IsRealDay(year, month, day))
    return false;
  utcMs = UtcOfLocal(DaysFromCivil(year, month, day) * kSecondsPerDay);
  return true;
}

int64_t LocalTimeOfDay(int64_t utcMs, int secondsOfDay) {
  const int64_t local = FloorDiv(utcMs, kMsPerSecond) + Platform().UtcOffsetSeconds(utcMs);
  return UtcOfLocal(FloorDiv(local, kSecondsPerDay) * kSecondsPerDay + secondsOfDay);
}

std::string IsoWeekText(int64_t utcMs) {
  const int64_t day = LocalDayNumber(utcMs);
  const tm thursday = CivilTime((day - WeekdayOf(day) + 3) * kSecondsPerDay);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-W%02d", thursday.tm_year + 1900, thursday.tm_yday / 7 + 1);
  return text;
}
