// Civil dates without <ctime>'s time zones: days from 1970-01-01 by H. Hinnant's algorithm.
#include "clock_time.h"

#include "time_text.h"

#include <charconv>

namespace trivant {

namespace {

int64_t daysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(int64_t z, int64_t& y, int& m, int& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = yoe + era * 400 + (m <= 2);
}

int64_t floorDiv(int64_t a, int64_t b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

std::string twoDigits(int64_t v) {
    return std::string(1, static_cast<char>('0' + v / 10)) + static_cast<char>('0' + v % 10);
}

// Exactly n digits at text[at..]; advances at.
bool digits(std::string_view text, size_t& at, size_t n, int& v) {
    if (at + n > text.size())
        return false;
    for (size_t i = at; i < at + n; ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    std::from_chars(text.data() + at, text.data() + at + n, v);
    at += n;
    return true;
}

bool take(std::string_view text, size_t& at, char c) {
    if (at < text.size() && text[at] == c) {
        ++at;
        return true;
    }
    return false;
}

// "hh:mm[:ss[.fff]]" from at to the end; millis gets the fraction's first three digits.
bool clockPart(std::string_view text, size_t at, int& secondOfDay, bool fraction,
               int* millis = nullptr) {
    int h = 0, mi = 0, s = 0, ms = 0;
    if (!digits(text, at, 2, h) || !take(text, at, ':') || !digits(text, at, 2, mi))
        return false;
    if (take(text, at, ':')) {
        if (!digits(text, at, 2, s))
            return false;
        if (fraction && take(text, at, '.')) {
            int digit = 0;
            for (int scale = 100; at < text.size() && text[at] >= '0' && text[at] <= '9';
                 scale /= 10) {
                digits(text, at, 1, digit);
                ms += digit * scale;
            }
            if (text[at - 1] == '.')
                return false;
        }
    }
    if (at != text.size() || h > 23 || mi > 59 || s > 59)
        return false;
    secondOfDay = h * 3600 + mi * 60 + s;
    if (millis)
        *millis = ms;
    return true;
}

}  // namespace

std::string ClockText(int64_t clockS) {
    const int64_t s = clockS - floorDiv(clockS, kDaySeconds) * kDaySeconds;
    return twoDigits(s / 3600) + ":" + twoDigits(s / 60 % 60) + ":" + twoDigits(s % 60);
}

std::string DateTimeText(int64_t clockS) {
    int64_t y = 0;
    int m = 0, d = 0;
    civilFromDays(floorDiv(clockS, kDaySeconds), y, m, d);
    std::string year = std::to_string(y);
    year.insert(0, year.size() < 4 ? 4 - year.size() : 0, '0');
    return year + "-" + twoDigits(m) + "-" + twoDigits(d) + "T" + ClockText(clockS);
}

bool ParseDateTime(std::string_view text, int64_t& clockS) {
    int64_t ms = 0;
    if (!ParseDateTimeMs(text, ms))
        return false;
    clockS = floorDiv(ms, 1000);
    return true;
}

bool ParseDateTimeMs(std::string_view text, int64_t& clockMs) {
    size_t at = 0;
    int y = 0, m = 0, d = 0, second = 0, millis = 0;
    if (!digits(text, at, 4, y) || !take(text, at, '-') || !digits(text, at, 2, m) ||
        !take(text, at, '-') || !digits(text, at, 2, d) ||
        !(take(text, at, 'T') || take(text, at, ' ')) ||
        !clockPart(text, at, second, true, &millis))
        return false;
    static const int kMonthDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    if (m < 1 || m > 12 || d < 1 || d > kMonthDays[m - 1] || (m == 2 && d == 29 && !leap))
        return false;
    clockMs = ClockOf(y, m, d, second) * 1000 + millis;
    return true;
}

bool ParseClockOfDay(std::string_view text, int& secondOfDay) {
    return clockPart(text, 0, secondOfDay, false);
}

int64_t SecondsToClockOfDay(int64_t startClockS, int secondOfDay) {
    const int64_t startOfDay = startClockS - floorDiv(startClockS, kDaySeconds) * kDaySeconds;
    const int64_t d = secondOfDay - startOfDay;
    return d >= 0 ? d : d + kDaySeconds;
}

std::string ClockOrElapsedText(int64_t startClockS, int64_t elapsedS) {
    return startClockS == kNoClock ? TimeText(elapsedS) : ClockText(startClockS + elapsedS);
}

int64_t ClockOf(int year, int month, int day, int secondOfDay) {
    return daysFromCivil(year, month, day) * kDaySeconds + secondOfDay;
}

}  // namespace trivant
