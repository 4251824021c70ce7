// The wall-clock kit: date-times read and written back, leap days, refusals, and the
// seconds to a time of day across midnight.
#include "clock_time.h"

#include <gtest/gtest.h>

namespace trivant {
namespace {

TEST(ClockTime, DateTimesReadAndWriteBack) {
    const int64_t day = int64_t{kDaySeconds} * 1000;
    const std::tuple<const char*, int64_t, const char*> cases[] = {
        // text, ms, written
        {"1970-01-01 00:00", 0, "1970-01-01T00:00:00"},
        {"1969-12-31T23:59:59", -1000, "1969-12-31T23:59:59"},
        {"2024-02-29T12:00:00", 19782 * day + 43200000, "2024-02-29T12:00:00"},
        {"2000-02-29T00:00:00", 11016 * day, "2000-02-29T00:00:00"},
        {"2022-05-10T10:32:48.577", 19122 * day + 37968577, "2022-05-10T10:32:48"},
        {"2022-05-10T10:32:48.12345", 19122 * day + 37968123, "2022-05-10T10:32:48"},
        {"2023-02-29T00:00", 0, ""},
        {"1900-02-29T00:00", 0, ""},
        {"2024-13-01T00:00", 0, ""},
        {"2024-04-31T00:00", 0, ""},
        {"2024-01-01T24:00", 0, ""},
        {"2024-01-01T10:60", 0, ""},
        {"2024-01-01T10:00:00.", 0, ""},
        {"2024-01-01T10:00Z", 0, ""},
        {"2024-1-01T10:00", 0, ""},
        {"2024-01-01", 0, ""},
    };
    for (const auto& [text, wantMs, written] : cases) {
        int64_t ms = 7, s = 7;
        ASSERT_EQ(ParseDateTimeMs(text, ms), *written != 0) << text;
        ASSERT_EQ(ParseDateTime(text, s), *written != 0) << text;
        EXPECT_EQ(ms, *written ? wantMs : 7) << text;
        EXPECT_EQ(*written ? DateTimeText(s) : "", written);
    }
}

TEST(ClockTime, TimesOfDayAndTheWayToThem) {
    const int64_t start = ClockOf(2026, 12, 9, 23 * 3600 + 50 * 60);  // 23:50
    const std::pair<const char*, int64_t> cases[] = {
        // text, seconds from the start
        {"23:50", 0},  {"23:55:30", 330}, {"00:00", 600}, {"01:00:00", 4200}, {"23:49:59", 86399},
        {"24:00", -1}, {"7:00", -1},      {"07:00:", -1}, {"07:00:00.5", -1},
    };
    for (const auto& [text, fromStart] : cases) {
        int second = -1;
        ASSERT_EQ(ParseClockOfDay(text, second), fromStart >= 0) << text;
        EXPECT_EQ(fromStart >= 0 ? SecondsToClockOfDay(start, second) : -1, fromStart) << text;
    }
    EXPECT_EQ(DateTimeText(start + 600), "2026-12-10T00:00:00");
    EXPECT_EQ(ClockOrElapsedText(start, 615), "00:00:15");
    EXPECT_EQ(ClockOrElapsedText(kNoClock, 615), "00:10:15");
}

}  // namespace
}  // namespace trivant
