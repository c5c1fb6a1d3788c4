// Calendar days as the learner reads them: local dates from the platform's calendar clock.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

// The calendar date and time `seconds` after 1970-01-01 00:00, read as UTC; with a local offset
// added, the local ones.
tm CivilTime(int64_t seconds);

// The local calendar day of a UTC moment as "TT.MM.JJJJ".
std::string LocalDateText(int64_t utcMs);
// The UTC moment of 00:00 local time of the day `dayOffset` days after the local day of utcMs.
int64_t LocalDayStart(int64_t utcMs, int dayOffset);
// The UTC moment of 00:00 local time of a calendar day; false for a day that does not exist.
bool LocalMidnightUtc(int year, int month, int day, int64_t& utcMs);
// The UTC moment of the local time `secondsOfDay` after midnight on the local day of utcMs (the
// clock time, also on a day whose clocks are put forward or back).
int64_t LocalTimeOfDay(int64_t utcMs, int secondsOfDay);
// The ISO 8601 week of the local day of utcMs, "2026-W50": the week belongs to the year of its
// Thursday, so the days around New Year may carry the week of the year before or after.
std::string IsoWeekText(int64_t utcMs);
