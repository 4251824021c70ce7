// Wall-clock time of a recording: local time as the clock on the wall showed it, kept as
// seconds since 1970-01-01T00:00:00 of that clock, with no time zone, so that a recording
// made at 22:15 reads 22:15 wherever it is opened.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace trivant {

constexpr int64_t kNoClock = INT64_MIN;  // the start of the recording is not known
constexpr int kDaySeconds = 86400;

// "hh:mm:ss" of the day.
std::string ClockText(int64_t clockS);
// "YYYY-MM-DDThh:mm:ss".
std::string DateTimeText(int64_t clockS);
// "YYYY-MM-DDThh:mm[:ss[.fff]]", a space allowed for the T; fractions of a second are dropped.
// False, leaving clockS, on anything else or an impossible date.
bool ParseDateTime(std::string_view text, int64_t& clockS);
// The same to the millisecond (digits past the third dropped), as exports time their rows.
bool ParseDateTimeMs(std::string_view text, int64_t& clockMs);
// "hh:mm[:ss]" within a day (hours 0..23).
bool ParseClockOfDay(std::string_view text, int& secondOfDay);
// Seconds from startClockS to the first moment at or after it whose time of day is
// secondOfDay: a recording started at 22:00 reaches 01:00 after 3 hours.
int64_t SecondsToClockOfDay(int64_t startClockS, int secondOfDay);
// Where startClockS is known, the clock time elapsedS after it ("hh:mm:ss"), else the
// elapsed time itself (TimeText): the read-outs of a recording.
std::string ClockOrElapsedText(int64_t startClockS, int64_t elapsedS);
// The clock value of a civil date (month 1..12) and a second of the day.
int64_t ClockOf(int year, int month, int day, int secondOfDay);

}  // namespace trivant
