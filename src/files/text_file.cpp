// Writer and reader of the text file. The reader takes back only what the packed
// recording holds (RR, SpO2, labels) and the comment, and skips lines it cannot take apart.
#include "text_file.h"

#include "codepage.h"
#include "number_text.h"
#include "path_parts.h"

#include <algorithm>
#include <string_view>

namespace trivant {
namespace {

constexpr size_t kFieldWidth = 10;  // every column is "%-10s" or "%-10d"
constexpr const char* kEol = "\r\n";
constexpr const char* kLabelPrefix = "--- Метка ";  // UTF-8; the number and "---" follow
constexpr const char* kLabelSuffix = "---";
constexpr int kTitledSeries = 6;  // the header names the first six series

constexpr int kHeaderLines = 4;
constexpr int kCommentLine = 3;
constexpr size_t kRRColumn = 10;   // 0-based start of the RR field
constexpr size_t kSpoColumn = 20;  // 0-based start of the SpO2 field
constexpr int32_t kMaxRRms = 2550;
constexpr int32_t kMaxSpo = 254;

// Left-aligned in a field of 10. The text is already Windows-1251, one byte per character,
// so padding by bytes pads by characters.
void appendField(std::string& line, const std::string& cp1251) {
    line += cp1251;
    if (cp1251.size() < kFieldWidth)
        line.append(kFieldWidth - cp1251.size(), ' ');
}

void appendLine(std::string& out, const std::string& cp1251) {
    out += cp1251;
    out += kEol;
}

// The comment may hold line breaks from the dialog; it must stay on line 3.
std::string asOneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

std::string headerLine() {
    std::string line;
    appendField(line, "N");
    for (int s = 0; s < kTitledSeries; ++s)
        appendField(line, Utf8ToCp1251(SeriesNames[static_cast<size_t>(s)]));
    return line;
}

std::string dataLine(const Recording& rec, int k) {
    const int32_t values[] = {k,
                              rec.at(kSerRR, k) * 10,
                              rec.at(kSerSPO, k),
                              rec.at(kSerSYM, k),
                              rec.at(kSerPAR, k),
                              rec.at(kSerSDNN, k),
                              rec.ibAt(k)};
    std::string line;
    for (int32_t v : values)
        appendField(line, std::to_string(v));
    return line;
}

// The last beat to write: CurrentFileLen - 1, kept inside the capacity and the series.
int lastBeat(const Recording& rec) {
    size_t shortest = rec.DataSeries[0].size();
    for (const auto& series : rec.DataSeries)
        shortest = std::min(shortest, series.size());
    const int stored = shortest == 0 ? 0 : static_cast<int>(shortest - 1);
    return std::clamp(rec.CurrentFileLen - 1, 0, std::min(kMaxBeats, stored));
}

// Splits at LF and drops a CR before it; text after the last LF is a line too.
class LineReader {
public:
    explicit LineReader(std::string_view text) : rest_(text) {}

    bool next(std::string_view& line) {
        if (rest_.empty())
            return false;
        const size_t lf = rest_.find('\n');
        line = rest_.substr(0, lf);
        rest_.remove_prefix(lf == std::string_view::npos ? rest_.size() : lf + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        ++number_;
        return true;
    }
    int number() const { return number_; }  // 1-based number of the last line returned

private:
    std::string_view rest_;
    int number_ = 0;
};

bool isBlank(std::string_view line) {
    return line.find_first_not_of(" \t\r\v\f") == std::string_view::npos;
}

// The field from column start up to the first space at or after it; that space must lie
// before the line's last character.
bool fieldAt(std::string_view line, size_t start, std::string_view& field) {
    if (start >= line.size())
        return false;
    const size_t space = line.find(' ', start);
    if (space == std::string_view::npos || space + 1 >= line.size() || space == start)
        return false;
    field = line.substr(start, space - start);
    return true;
}

// A decimal integer and nothing else: optional sign, at least one digit, no overflow.
bool parseInt(std::string_view s, int32_t& value) {
    if (!s.empty() && s.front() == '+') {
        s.remove_prefix(1);
        if (!s.empty() && s.front() == '-')
            return false;
    }
    return ParseNumber(s, value);
}

// RR in ms and SpO2 of a data line, when both can be read and fit a sample word.
bool parseBeat(std::string_view line, int32_t& rrMs, int32_t& spo) {
    std::string_view rrField, spoField;
    if (!fieldAt(line, kRRColumn, rrField) || !fieldAt(line, kSpoColumn, spoField))
        return false;
    if (!parseInt(rrField, rrMs) || !parseInt(spoField, spo))
        return false;
    return rrMs >= 0 && rrMs <= kMaxRRms && spo >= 0 && spo <= kMaxSpo;
}

void noteSkipped(TextReadReport& report, int lineNumber) {
    if (report.skippedLines++ == 0)
        report.firstSkippedLine = lineNumber;
}

}  // namespace

std::string FormatTextFile(const Recording& rec, const std::string& baseName,
                           const std::string& dateText) {
    const int last = lastBeat(rec);
    std::string out;
    out.reserve(static_cast<size_t>(last + kHeaderLines) * (7 * kFieldWidth + 2));
    appendLine(out, Utf8ToCp1251(baseName));
    appendLine(out, Utf8ToCp1251(dateText));
    appendLine(out, Utf8ToCp1251(asOneLine(rec.Comment)));
    appendLine(out, headerLine());
    const std::string labelPrefix = Utf8ToCp1251(kLabelPrefix);
    for (int k = 1; k <= last; ++k) {
        if (rec.at(kSerLbl, k) != 0)
            appendLine(out, labelPrefix + std::to_string(rec.at(kSerLbl, k)) + kLabelSuffix);
        appendLine(out, dataLine(rec, k));
    }
    return out;
}

TextReadReport ParseTextFile(const std::string& bytes, Recording& rec) {
    if (rec.DataBuf.size() < kCapacity + 1)
        rec.DataBuf.resize(kCapacity + 1, 0);
    TextReadReport report;
    LineReader lines(bytes);
    std::string_view line;
    rec.Comment.clear();
    for (int n = 1; n <= kHeaderLines && lines.next(line); ++n)
        if (n == kCommentLine)
            rec.Comment = Cp1251ToUtf8(std::string(line));

    int32_t p = 1;
    bool pending = false;  // a label line was read; the next beat carries the label
    while (lines.next(line)) {
        if (!line.empty() && line.front() == '-') {
            pending = true;
            continue;
        }
        if (isBlank(line))
            continue;
        int32_t rrMs = 0, spo = 0;
        if (!parseBeat(line, rrMs, spo)) {
            noteSkipped(report, lines.number());
            continue;
        }
        if (p >= kCapacity) {
            report.truncated = true;
            break;
        }
        const auto low = static_cast<uint8_t>(pending ? kLabelMark : spo);
        rec.DataBuf[static_cast<size_t>(p++)] = packSample(static_cast<uint8_t>(rrMs / 10), low);
        pending = false;
    }
    rec.CurrentFileLen = p;
    return report;
}

IoStatus SaveTextFile(const std::string& path, const Recording& rec, const std::string& dateText) {
    return WriteFileAtomic(path, FormatTextFile(rec, BaseNameOf(path), dateText));
}

IoStatus ReadTextFile(const std::string& path, Recording& rec, TextReadReport& report) {
    report = {};
    std::string bytes;
    IoStatus status = ReadFileBytes(path, bytes, kMaxTextFileBytes + 1);
    if (!status.ok)
        return status;
    if (bytes.size() > kMaxTextFileBytes)
        return {false, path, "not a recording: larger than 16 MiB"};
    report = ParseTextFile(bytes, rec);
    return status;
}

}  // namespace trivant
