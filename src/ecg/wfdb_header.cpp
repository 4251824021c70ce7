// The WFDB header's record and signal lines, every number guarded, locale-free.
#include "wfdb_header.h"

#include "clock_time.h"
#include "number_text.h"

#include <cmath>

namespace trivant {
namespace {

constexpr int kMaxSignals = 4096;  // far above any ECG record; bounds what a header may ask

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// Splits off the next blank-separated token; false when none is left.
bool NextToken(std::string_view& rest, std::string_view& token) {
    size_t i = 0;
    while (i < rest.size() && IsBlank(rest[i]))
        ++i;
    size_t j = i;
    while (j < rest.size() && !IsBlank(rest[j]))
        ++j;
    token = rest.substr(i, j - i);
    rest.remove_prefix(j);
    return !token.empty();
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Cuts s at the first of the marks (or its end): "360/720(0)" -> "360", rest "/720(0)".
std::string_view CutAt(std::string_view& s, std::string_view marks) {
    const size_t at = std::min(s.find_first_of(marks), s.size());
    const std::string_view head = s.substr(0, at);
    s.remove_prefix(at);
    return head;
}

bool ParseFinite(std::string_view s, double& v) {
    return ParseNumber(s, v) && std::isfinite(v);
}

bool ValidName(std::string_view name) {
    for (const char c : name) {
        const bool ok = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ||
                        (c >= 'A' && c <= 'Z') || c == '_' || c == '-' || c == '.';
        if (!ok)
            return false;
    }
    return !name.empty();
}

bool ParseRate(std::string_view s, double& rate) {
    double counter = 0, base = 0;
    if (!ParseFinite(CutAt(s, "/("), rate) || rate <= 0)
        return false;
    if (!s.empty() && s[0] == '/') {
        s.remove_prefix(1);
        if (!ParseFinite(CutAt(s, "("), counter) || counter <= 0)
            return false;
    }
    if (!s.empty() && (s.size() < 2 || s[0] != '(' || s.back() != ')' ||
                       !ParseFinite(s.substr(1, s.size() - 2), base)))
        return false;
    return true;
}

// "hh:mm:ss[.fff]" (or "mm:ss", "ss"); fractions of a second dropped.
bool ParseTimeOfDay(std::string_view s, int& second) {
    s = s.substr(0, std::min(s.find('.'), s.size()));
    int fields[3] = {0, 0, 0}, n = 0;
    while (n < 3) {
        const std::string_view part = CutAt(s, ":");
        if (part.empty() || part.size() > 2 || !ParseNumber(part, fields[n]) || fields[n] < 0)
            return false;
        ++n;
        if (s.empty())
            break;
        s.remove_prefix(1);
    }
    if (!s.empty())
        return false;
    const int h = n == 3 ? fields[0] : 0, m = n >= 2 ? fields[n - 2] : 0, sec = fields[n - 1];
    if (h > 23 || m > 59 || sec > 59)
        return false;
    second = h * 3600 + m * 60 + sec;
    return true;
}

bool ParseDate(std::string_view s, int& year, int& month, int& day) {
    static const int kMonthDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const std::string_view d = CutAt(s, "/");
    if (s.empty())
        return false;
    s.remove_prefix(1);
    const std::string_view m = CutAt(s, "/");
    if (s.empty())
        return false;
    s.remove_prefix(1);
    if (!ParseNumber(d, day) || !ParseNumber(m, month) || !ParseNumber(s, year))
        return false;
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > kMonthDays[month - 1])
        return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return !(month == 2 && day == 29 && !leap);
}

bool ParseStart(std::string_view time, std::string_view date, WfdbHeader& out, std::string& error) {
    int second = 0, year = 0, month = 0, day = 0;
    if (!time.empty() && !ParseTimeOfDay(time, second)) {
        error = "bad start time \"" + std::string(time) + "\"";
        return false;
    }
    if (!date.empty() && !ParseDate(date, year, month, day)) {
        error = "bad start date \"" + std::string(date) + "\"";
        return false;
    }
    // A time of day without a date is no wall-clock start.
    out.startClockS = date.empty() ? kNoClock : ClockOf(year, month, day, second);
    return true;
}

// "212", "16x2", "212:3+512".
bool ParseFormat(std::string_view s, WfdbSignal& sig) {
    const std::string_view format = CutAt(s, "x:+");
    if (!ParseNumber(format, sig.format) || sig.format < 0)
        return false;
    if (!s.empty() && s[0] == 'x') {
        s.remove_prefix(1);
        if (!ParseNumber(CutAt(s, ":+"), sig.framesPer) || sig.framesPer < 1)
            return false;
    }
    if (!s.empty() && s[0] == ':') {
        s.remove_prefix(1);
        if (!ParseNumber(CutAt(s, "+"), sig.skew) || sig.skew < 0)
            return false;
    }
    if (!s.empty()) {
        s.remove_prefix(1);  // the '+'
        if (!ParseNumber(s, sig.byteOffset) || sig.byteOffset < 0)
            return false;
    }
    return true;
}

// "200", "200(1024)", "200/mV", "0" (200 then), "1000(0)/uV".
bool ParseGain(std::string_view s, WfdbSignal& sig, bool& baselineGiven) {
    if (!ParseFinite(CutAt(s, "(/"), sig.gain))
        return false;
    if (sig.gain == 0)
        sig.gain = 200;
    baselineGiven = !s.empty() && s[0] == '(';
    if (baselineGiven) {
        const size_t close = s.find(')');
        if (close == std::string_view::npos || !ParseNumber(s.substr(1, close - 1), sig.baseline))
            return false;
        s.remove_prefix(close + 1);
    }
    if (!s.empty()) {
        if (s[0] != '/' || s.size() < 2)
            return false;
        sig.units = std::string(s.substr(1));
    }
    return true;
}

}  // namespace

bool NextTextLine(std::string_view& text, std::string_view& line) {
    if (text.empty())
        return false;
    const size_t lf = std::min(text.find('\n'), text.size());
    line = text.substr(0, lf);
    text.remove_prefix(std::min(lf + 1, text.size()));
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return true;
}

bool IsWfdbCommentLine(std::string_view line) {
    line = Trimmed(line);
    return line.empty() || line[0] == '#';
}

bool ParseWfdbRecordLine(std::string_view line, WfdbHeader& out, std::string& error) {
    std::string_view token;
    error = "not a WFDB record line";
    if (!NextToken(line, token))
        return false;
    if (token.find('/') != std::string_view::npos) {
        error = "multi-segment records (" + std::string(token) + ") are not read";
        return false;
    }
    if (!ValidName(token))
        return false;
    out.name = std::string(token);
    if (!NextToken(line, token) || !ParseNumber(token, out.signalCount) || out.signalCount < 0)
        return false;
    if (out.signalCount == 0 || out.signalCount > kMaxSignals) {
        error = out.signalCount == 0 ? "no signals" : "too many signals";
        return false;
    }
    if (NextToken(line, token) && !ParseRate(token, out.rate)) {
        error = "bad sample rate \"" + std::string(token) + "\"";
        return false;
    }
    if (NextToken(line, token) && (!ParseNumber(token, out.samples) || out.samples < 0)) {
        error = "bad sample count \"" + std::string(token) + "\"";
        return false;
    }
    std::string_view time, date;
    NextToken(line, time);
    NextToken(line, date);
    return ParseStart(time, date, out, error);
}

bool ParseWfdbSignalLine(std::string_view line, WfdbSignal& out, std::string& error) {
    std::string_view file, format, gain, fields[5];
    if (!NextToken(line, file) || !NextToken(line, format) || !ParseFormat(format, out)) {
        error = "not a WFDB signal line";
        return false;
    }
    out.file = std::string(file);
    bool baselineGiven = false;
    if (NextToken(line, gain) && !ParseGain(gain, out, baselineGiven)) {
        error = "bad gain \"" + std::string(gain) + "\"";
        return false;
    }
    // adcres, adczero, initval, checksum, blocksize: integers when given.
    for (std::string_view& f : fields) {
        int v = 0;
        if (NextToken(line, f) && !ParseNumber(f, v)) {
            error = "bad number \"" + std::string(f) + "\"";
            return false;
        }
    }
    if (!fields[1].empty())
        ParseNumber(fields[1], out.adcZero);
    if (!baselineGiven)
        out.baseline = out.adcZero;
    out.label = std::string(Trimmed(line));
    return true;
}

bool ParseWfdbHeader(std::string_view text, WfdbHeader& out, std::string& error) {
    out = WfdbHeader{};
    std::string_view line;
    int number = 0;
    bool haveRecord = false;
    while (NextTextLine(text, line)) {
        ++number;
        if (IsWfdbCommentLine(line))
            continue;
        std::string why;
        bool ok = true;
        if (!haveRecord) {
            ok = ParseWfdbRecordLine(line, out, why);
            haveRecord = ok;
        } else if (static_cast<int>(out.signals.size()) < out.signalCount) {
            out.signals.emplace_back();
            ok = ParseWfdbSignalLine(line, out.signals.back(), why);
        }
        if (!ok) {
            error = "line " + std::to_string(number) + ": " + why;
            return false;
        }
    }
    if (!haveRecord) {
        error = "no record line";
        return false;
    }
    if (static_cast<int>(out.signals.size()) < out.signalCount) {
        error = "the record line names " + std::to_string(out.signalCount) + " signals, " +
                std::to_string(out.signals.size()) + " signal lines follow";
        return false;
    }
    return true;
}

}  // namespace trivant
