// Lines are read leniently where that is unambiguous (spaces or tabs anywhere in the hex,
// CR line ends) and refused where a byte would have to be guessed.
#include "strap_log.h"

#include "number_text.h"

#include <cctype>
#include <cmath>

namespace trivant {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// Why line can't be taken, or empty with entry filled.
std::string parseLine(const std::string& line, StrapLogEntry& entry) {
    size_t at = 0;
    while (at < line.size() && blank(line[at]))
        ++at;
    const size_t timeEnd = line.find_first_of(" \t", at);
    if (timeEnd == std::string::npos)
        return "no payload after the time";
    const std::string time = line.substr(at, timeEnd - at);
    if (!ParseNumber(time, entry.seconds) || !std::isfinite(entry.seconds) || entry.seconds < 0)
        return "not a time in seconds: '" + time + "'";
    int high = -1;
    for (size_t i = timeEnd; i < line.size(); ++i) {
        if (blank(line[i]))
            continue;
        const int d = hexDigit(line[i]);
        if (d < 0)
            return std::string("not a hex digit: '") + line[i] + "'";
        if (high < 0) {
            high = d;
        } else {
            entry.payload.push_back(static_cast<uint8_t>(high << 4 | d));
            high = -1;
        }
    }
    if (high >= 0)
        return "an odd number of hex digits";
    if (entry.payload.empty())
        return "no payload after the time";
    return {};
}

}  // namespace

void ParseStrapLog(const std::string& text, std::vector<StrapLogEntry>& entries,
                   std::vector<StrapLogProblem>& problems) {
    int lineNo = 0;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        ++lineNo;
        const size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#')
            continue;
        StrapLogEntry entry;
        entry.line = lineNo;
        const std::string why = parseLine(line, entry);
        if (why.empty())
            entries.push_back(std::move(entry));
        else
            problems.push_back({lineNo, why});
    }
}

}  // namespace trivant
