// Parses RR lists in ms into packed sample words.
#include "ms_list.h"

#include "number_text.h"

#include <algorithm>
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
    return ParseNumber(s, v) && std::isfinite(v);
}

// One data line of a plain list; an empty message means success.
std::string parseLine(const std::string& line, MsEntry& entry) {
    const auto fields = splitFields(line);
    if (fields.empty())
        return "no RR interval";
    if (fields.size() > 2)
        return "expected an RR interval and an optional SpO2";
    return TakeMsFields(fields[0], fields.size() == 2 ? fields[1] : std::string(), 1, entry);
}

}  // namespace

int RoundMsTo10(double ms) {
    // A list may hold RR 0: a .rr file's words come back through Trivant's CSV as they were.
    if (!std::isfinite(ms) || ms < 0 || ms > 1e9)
        return -1;
    return RoundUsTo10Ms(std::llround(ms * 1000));
}

std::string TakeMsFields(const std::string& rrText, const std::string& spoText, double msPerUnit,
                         MsEntry& entry) {
    double value = 0;
    if (!parseNumber(rrText, value))
        return "not a number: '" + rrText + "'";
    // Taken to the microsecond, as the recording keeps it, so that 0.815 s is exactly 815 ms
    // and the 10 ms value is the one a CSV recording of it reads back.
    entry.ms = std::round(value * msPerUnit * 1000) / 1000;
    if (RoundMsTo10(entry.ms) < 0)
        return "RR interval out of range 0..2550 ms: " + rrText + (msPerUnit == 1 ? "" : " s");
    entry.spo = -1;
    if (spoText.empty())
        return {};
    double spo = 0;
    if (!parseNumber(spoText, spo))
        return "not a number: '" + spoText + "'";
    spo = std::floor(spo + 0.5);
    if (spo < 0 || spo > kMaxSpo)
        return "SpO2 out of range 0..254: " + spoText;
    entry.spo = static_cast<int>(spo);
    return {};
}

bool ReadMsEntries(const std::string& text, int skipLines, const MsLineReader& read,
                   std::vector<MsEntry>& out, MsListError& err, size_t maxEntries) {
    out.clear();
    size_t pos = 0;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        pos = 3;  // UTF-8 byte order mark
    int lineNo = 0;
    while (pos < text.size()) {
        size_t eol = text.find('\n', pos);
        if (eol == std::string::npos)
            eol = text.size();
        const std::string line = text.substr(pos, eol - pos);
        pos = eol + 1;
        const auto first = line.find_first_not_of(" \t\r");
        if (++lineNo <= skipLines || first == std::string::npos || line[first] == '#')
            continue;
        if (out.size() >= maxEntries) {
            err = {lineNo, "more than " + std::to_string(maxEntries) + " beats"};
            return false;
        }
        MsEntry entry;
        const std::string msg = read(line, entry);
        if (!msg.empty()) {
            err = {lineNo, msg};
            return false;
        }
        out.push_back(entry);
    }
    return true;
}

bool FirstDataLine(const std::string& text, std::string& line, int& lineNo) {
    std::vector<MsEntry> none;
    MsListError at;
    // The first data line stops the reading; at.line is then its number.
    auto stop = [&](const std::string& l, MsEntry&) {
        line = l;
        return std::string("stop");
    };
    ReadMsEntries(text, 0, stop, none, at, 1);
    lineNo = at.line;
    return at.line > 0;
}

int32_t EntryUs(const MsEntry& entry) {
    return static_cast<int32_t>(std::llround(entry.ms * 1000));
}

SampleWord EntryWord(const MsEntry& entry) {
    const auto low = static_cast<uint8_t>(entry.label ? kLabelMark : std::max(0, entry.spo));
    return packSample(static_cast<uint8_t>(RoundMsTo10(entry.ms)), low);
}

void FillFromMsEntries(const std::vector<MsEntry>& entries, Recording& rec) {
    const size_t n = std::min(entries.size(), static_cast<size_t>(kMaxRecordingBeats));
    rec.Reserve(static_cast<int>(n) + 1);
    rec.ExactUs.assign(n + 1, 0);
    rec.LabelSpO2.clear();
    for (size_t i = 0; i < n; ++i) {
        const MsEntry& e = entries[i];
        rec.DataBuf[i + 1] = EntryWord(e);
        rec.ExactUs[i + 1] = EntryUs(e);
        if (e.label && e.spo >= 0) {
            rec.LabelSpO2.resize(n + 1, kLabelMark);
            rec.LabelSpO2[i + 1] = static_cast<uint8_t>(e.spo);
        }
    }
    rec.DataBuf[n + 1] = 0;  // the slot after the last beat holds nothing
    rec.CurrentFileLen = static_cast<int32_t>(n) + 1;
}

bool ParseMsLines(const std::string& text, std::vector<MsEntry>& out, MsListError& err,
                  size_t maxEntries) {
    return ReadMsEntries(text, 0, parseLine, out, err, maxEntries);
}

bool ParseMsList(const std::string& text, Recording& rec, MsListError& err) {
    std::vector<MsEntry> entries;
    if (!ParseMsLines(text, entries, err, kMaxRecordingBeats))
        return false;
    FillFromMsEntries(entries, rec);
    return true;
}

}  // namespace trivant
