// Writer and reader of the text file. The reader takes back only what the packed
// recording holds (RR, SpO2, labels) and the comment, skips lines it cannot take apart, and
// reads a file only as far as the recording's capacity.
#include "text_file.h"

#include "codepage.h"
#include "number_text.h"
#include "path_parts.h"
#include "recording_format.h"

#include <algorithm>
#include <functional>
#include <string_view>
#include <vector>

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

// Splits text that arrives block by block at LF and drops a CR before it; text after the
// last LF is a line too. A line that spans blocks is kept up to kMaxTextLineBytes.
class LineSplitter {
public:
    using Take = std::function<bool(std::string_view line, int number)>;

    // Hands every line completed by block to take; false once take asked to stop.
    bool feed(std::string_view block, const Take& take) {
        while (!block.empty()) {
            const size_t lf = block.find('\n');
            if (lf == std::string_view::npos) {
                keep(block);
                return true;
            }
            std::string_view line = block.substr(0, lf);
            block.remove_prefix(lf + 1);
            if (!carry_.empty()) {
                keep(line);
                line = carry_;
            }
            const bool more = hand(line, take);
            carry_.clear();
            if (!more)
                return false;
        }
        return true;
    }
    // The text after the last LF, at the end of the input.
    void finish(const Take& take) {
        if (!carry_.empty())
            hand(carry_, take);
        carry_.clear();
    }

private:
    void keep(std::string_view part) {
        carry_.append(
            part.substr(0, kMaxTextLineBytes - std::min(carry_.size(), kMaxTextLineBytes)));
    }
    bool hand(std::string_view line, const Take& take) {
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return take(line, ++number_);
    }

    std::string carry_;
    int number_ = 0;  // 1-based number of the last line handed on
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

// The reader's state between lines, so that it can take a file block by block and stop once
// it has seen enough. It fills a buffer of its own, which commit hands to a recording.
class TextParser {
public:
    TextParser() : buf_(kCapacity + 1, 0) {}

    // False once the recording is full and a further beat came: the rest is not needed.
    bool take(std::string_view line, int number) {
        if (number <= kHeaderLines) {
            if (number == kCommentLine)
                comment_ = Cp1251ToUtf8(std::string(line));
            return true;
        }
        if (!line.empty() && line.front() == '-') {
            pending_ = true;
            return true;
        }
        if (isBlank(line))
            return true;
        int32_t rrMs = 0, spo = 0;
        if (!parseBeat(line, rrMs, spo)) {
            noteSkipped(number);
            return true;
        }
        if (p_ >= kCapacity) {
            report_.truncated = true;
            return false;
        }
        if (pending_ && labelSkipped_ != 0)
            noteMovedLabel(number);
        const auto low = static_cast<uint8_t>(pending_ ? kLabelMark : spo);
        buf_[static_cast<size_t>(p_++)] = packSample(static_cast<uint8_t>(rrMs / 10), low);
        pending_ = false;
        labelSkipped_ = 0;
        return true;
    }

    // Positions past the last beat read keep what rec held.
    TextReadReport commit(Recording& rec) const {
        if (rec.DataBuf.size() < kCapacity + 1)
            rec.DataBuf.resize(kCapacity + 1, 0);
        std::copy(buf_.begin() + 1, buf_.begin() + p_, rec.DataBuf.begin() + 1);
        rec.CurrentFileLen = p_;
        rec.ExactUs.clear();  // the text file keeps 10 ms steps only
        rec.LabelSpO2.clear();
        rec.Comment = comment_;
        TextReadReport report = report_;
        if (pending_ && labelSkipped_ != 0 && !report.truncated)
            report.lostLabelLine = labelSkipped_;  // no beat came after it to carry the label
        return report;
    }

private:
    void noteSkipped(int number) {
        if (report_.skippedLines++ == 0)
            report_.firstSkippedLine = number;
        if (pending_ && labelSkipped_ == 0)
            labelSkipped_ = number;  // the label now goes to the next beat read
    }
    void noteMovedLabel(int number) {
        if (report_.movedLabels++ > 0)
            return;
        report_.firstMovedLabelFrom = labelSkipped_;
        report_.firstMovedLabelTo = number;
    }

    std::vector<SampleWord> buf_;
    std::string comment_;
    TextReadReport report_;
    int32_t p_ = 1;
    bool pending_ = false;  // a label line was read; the next beat carries the label
    int labelSkipped_ = 0;  // the first line skipped while the label was pending
};

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
    TextParser parser;
    LineSplitter lines;
    const auto take = [&parser](std::string_view line, int n) { return parser.take(line, n); };
    if (lines.feed(bytes, take))
        lines.finish(take);
    return parser.commit(rec);
}

IoStatus SaveTextFile(const std::string& path, const Recording& rec, const std::string& dateText) {
    const std::string limit = FormatLimitText(RecordingFormat::Text, rec.beats());
    if (!limit.empty())
        return {false, path, limit};
    return WriteFileAtomic(path, FormatTextFile(rec, BaseNameOf(path), dateText));
}

IoStatus ReadTextFile(const std::string& path, Recording& rec, TextReadReport& report) {
    report = {};
    TextParser parser;
    LineSplitter lines;
    const auto take = [&parser](std::string_view line, int n) { return parser.take(line, n); };
    bool more = true;
    const IoStatus status = ReadFileBlocks(path, [&](std::string_view block) {
        more = lines.feed(block, take);
        return more;
    });
    if (!status.ok)
        return status;
    if (more)
        lines.finish(take);
    report = parser.commit(rec);
    return status;
}

}  // namespace trivant
