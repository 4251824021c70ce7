// Finds the start of a list in its # lines or in the date-times of its first row.
#include "csv_start.h"

#include "clock_time.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace trivant {

namespace {

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// The "# start: " line among the lines before the first data line.
int64_t startLineClock(const std::string& text) {
    int64_t clock = 0;
    return ParseDateTime(CsvHeadLine(text, kCsvStartPrefix), clock) ? clock : kNoClock;
}

// The first data line after line skip (1-based), as ReadMsEntries finds it.
bool lineAfter(const std::string& text, int skip, std::string& line) {
    std::vector<MsEntry> none;
    MsListError at;
    ReadMsEntries(
        text, skip,
        [&](const std::string& l, MsEntry&) {
            line = l;
            return std::string("stop");
        },
        none, at, 1);
    return at.line > 0;
}

int64_t firstRowClock(const std::string& text, const RrCsvHeader& h, double firstMs) {
    std::string head, row;
    int headLine = 0;
    if (!FirstDataLine(text, head, headLine) || !lineAfter(text, h.line, row))
        return kNoClock;
    const std::vector<std::string> names = CsvRowFields(head, h);
    const std::vector<std::string> fields = CsvRowFields(row, h);
    for (size_t c = 0; c < fields.size(); ++c) {
        int64_t ms = 0;
        if (c == h.rrColumn || !ParseDateTimeMs(fields[c], ms))
            continue;
        const bool arrival = c < names.size() && lower(names[c]) == "phone timestamp";
        return std::llround((static_cast<double>(ms) - (arrival ? firstMs : 0)) / 1000);
    }
    return kNoClock;
}

}  // namespace

std::string CsvHeadLine(const std::string& text, const char* prefix) {
    const size_t length = std::char_traits<char>::length(prefix);
    size_t pos = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (pos < text.size()) {
        const size_t eol = std::min(text.find('\n', pos), text.size());
        const std::string line = CsvTrimmed(text.substr(pos, eol - pos));
        pos = eol + 1;
        if (line.empty())
            continue;
        if (line[0] != '#')
            break;
        if (line.compare(0, length, prefix) == 0)
            return CsvTrimmed(line.substr(length));
    }
    return {};
}

std::string CsvStartLine(const Recording& rec) {
    if (rec.StartClockS == kNoClock)
        return {};
    return kCsvStartPrefix + DateTimeText(rec.StartClockS) + "\n";
}

int64_t ListStartClock(const std::string& text, const RrCsvHeader* header, double firstMs) {
    const int64_t written = startLineClock(text);
    if (written != kNoClock || !header)
        return written;
    return firstRowClock(text, *header, firstMs);
}

}  // namespace trivant
