// The wall-clock kit: date-times written and read back, leap days, refusals, and the
// seconds to a time of day across midnight.
#include "clock_time.h"

#include <gtest/gtest.h>

namespace trivant {
namespace {

TEST(ClockTime, DateTimesReadAndWriteBack) {
    struct Case {
        const char* text;
        int64_t ms;
        const char* written;  // empty: refused
    };
    const int64_t day = int64_t{kDaySeconds} * 1000;
    const Case cases[] = {
        {"1970-01-01T00:00:00", 0, "1970-01-01T00:00:00"},
        {"1970-01-01 00:00", 0, "1970-01-01T00:00:00"},
        {"1969-12-31T23:59:59", -1000, "1969-12-31T23:59:59"},
        {"2024-02-29T12:00:00", (19782 * day) + 12 * 3600000, "2024-02-29T12:00:00"},
        {"2000-02-29T00:00:00", 11016 * day, "2000-02-29T00:00:00"},
        {"2026-12-09T22:15:00", 20796 * day + 80100000, "2026-12-09T22:15:00"},
        {"2022-05-10T10:32:48.577", 19122 * day + 37968577, "2022-05-10T10:32:48"},
        {"2022-05-10T10:32:48.5", 19122 * day + 37968500, "2022-05-10T10:32:48"},
        {"2022-05-10T10:32:48.12345", 19122 * day + 37968123, "2022-05-10T10:32:48"},
        {"2023-02-29T00:00:00", -1, ""},  // no leap year
        {"1900-02-29T00:00:00", -1, ""},
        {"2024-13-01T00:00:00", -1, ""},
        {"2024-04-31T00:00:00", -1, ""},
        {"2024-01-01T24:00:00", -1, ""},
        {"2024-01-01T10:60", -1, ""},
        {"2024-01-01T10:00:00.", -1, ""},
        {"2024-01-01T10:00:00Z", -1, ""},
        {"2024-1-01T10:00", -1, ""},
        {"2024-01-01", -1, ""},
        {"", -1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const bool ok = c.written[0] != 0;
        int64_t ms = 7, s = 7;
        ASSERT_EQ(ParseDateTimeMs(c.text, ms), ok);
        ASSERT_EQ(ParseDateTime(c.text, s), ok);
        if (!ok) {
            EXPECT_EQ(ms, 7);
            continue;
        }
        EXPECT_EQ(ms, c.ms);
        EXPECT_EQ(DateTimeText(s), c.written);
        int64_t back = 0;
        ASSERT_TRUE(ParseDateTime(DateTimeText(s), back));
        EXPECT_EQ(back, s);
    }
}

TEST(ClockTime, TimesOfDayAndTheWayToThem) {
    const int64_t start = ClockOf(2026, 12, 9, 23 * 3600 + 50 * 60);  // 23:50
    struct Case {
        const char* text;
        int secondOfDay;  // -1: refused
        int64_t fromStart;
    };
    const Case cases[] = {
        {"23:50", 85800, 0},      {"23:55:30", 86130, 330},   {"00:00", 0, 600},
        {"01:00:00", 3600, 4200}, {"23:49:59", 85799, 86399}, {"24:00", -1, 0},
        {"7:00", -1, 0},          {"07:00:", -1, 0},          {"07:00:00.5", -1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        int second = -1;
        ASSERT_EQ(ParseClockOfDay(c.text, second), c.secondOfDay >= 0);
        if (c.secondOfDay < 0)
            continue;
        EXPECT_EQ(second, c.secondOfDay);
        EXPECT_EQ(SecondsToClockOfDay(start, second), c.fromStart);
    }
    EXPECT_EQ(ClockText(start + 600), "00:00:00");
    EXPECT_EQ(DateTimeText(start + 600), "2026-12-10T00:00:00");
    EXPECT_EQ(ClockOrElapsedText(start, 615), "00:00:15");
    EXPECT_EQ(ClockOrElapsedText(kNoClock, 615), "00:10:15");
}

}  // namespace
}  // namespace trivant
