// Parses RR lists in ms into packed sample words.
#include "ms_list.h"

#include <charconv>
#include <cmath>
#include <vector>

namespace trivant {

namespace {

constexpr int kMaxSpo = 254;  // 255 would read as a label mark

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}
bool isSeparator(char c) {
    return isBlank(c) || c == ',' || c == ';';
}

std::vector<std::string> splitFields(const std::string& line) {
    std::vector<std::string> fields;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isSeparator(line[i]))
            ++i;
        size_t j = i;
        while (j < line.size() && !isSeparator(line[j]))
            ++j;
        if (j > i)
            fields.push_back(line.substr(i, j - i));
        i = j;
    }
    return fields;
}

bool parseNumber(const std::string& s, double& v) {
    const char* end = s.data() + s.size();
    const auto r = std::from_chars(s.data(), end, v);
    return r.ec == std::errc() && r.ptr == end && std::isfinite(v);
}

// One data line into a sample word; an empty message means success.
std::string parseLine(const std::string& line, SampleWord& word) {
    const auto fields = splitFields(line);
    if (fields.size() > 2)
        return "expected an RR interval and an optional SpO2";
    double ms = 0, spo = 0;
    if (!parseNumber(fields[0], ms))
        return "not a number: '" + fields[0] + "'";
    const int rr = RoundMsTo10(ms);
    if (rr < 0)
        return "RR interval out of range 0..2550 ms: " + fields[0];
    if (fields.size() == 2) {
        if (!parseNumber(fields[1], spo))
            return "not a number: '" + fields[1] + "'";
        spo = std::floor(spo + 0.5);
        if (spo < 0 || spo > kMaxSpo)
            return "SpO2 out of range 0..254: " + fields[1];
    }
    word = packSample(static_cast<uint8_t>(rr), static_cast<uint8_t>(spo));
    return {};
}

}  // namespace

int RoundMsTo10(double ms) {
    if (!std::isfinite(ms) || ms < 0)
        return -1;
    const double units = std::floor(ms / 10.0 + 0.5);
    return units > 255 ? -1 : static_cast<int>(units);
}

bool ParseMsList(const std::string& text, Recording& rec, MsListError& err) {
    size_t pos = 0;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        pos = 3;  // UTF-8 byte order mark
    int p = 1, lineNo = 0;
    while (pos < text.size()) {
        size_t eol = text.find('\n', pos);
        if (eol == std::string::npos)
            eol = text.size();
        const std::string line = text.substr(pos, eol - pos);
        pos = eol + 1;
        ++lineNo;
        const auto first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#')
            continue;
        if (p > kMaxBeats) {
            err = {lineNo, "more than " + std::to_string(kMaxBeats) + " beats"};
            return false;
        }
        SampleWord w = 0;
        const std::string msg = parseLine(line, w);
        if (!msg.empty()) {
            err = {lineNo, msg};
            return false;
        }
        rec.DataBuf[p++] = w;
    }
    rec.CurrentFileLen = p;
    return true;
}

}  // namespace trivant
