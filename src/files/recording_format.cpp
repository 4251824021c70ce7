// Content detection of the recording formats.
#include "recording_format.h"

#include "number_text.h"
#include "rr_csv.h"

#include <algorithm>
#include <cctype>

namespace trivant {

namespace {

bool endsWith(std::string s, const std::string& tail) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// Text never holds these; a .rr file's header and any SpO2 of 0 are NUL bytes.
bool hasControlBytes(std::string_view head) {
    return std::any_of(head.begin(), head.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != '\v';
    });
}

// The 1-based line n of head without its line end; empty past the end.
std::string_view lineOf(std::string_view head, int n) {
    size_t pos = 0;
    for (int i = 1; i < n && pos != std::string_view::npos; ++i) {
        pos = head.find('\n', pos);
        pos = pos == std::string_view::npos ? pos : pos + 1;
    }
    if (pos == std::string_view::npos || pos >= head.size())
        return {};
    std::string_view line = head.substr(pos, head.find('\n', pos) - pos);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

// The column titles of Trivant's text file begin with the beat number's title, N.
bool isTextTitleLine(std::string_view line) {
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos || line[first] != 'N')
        return false;
    return first + 1 == line.size() || line[first + 1] == ' ' || line[first + 1] == '\t';
}

bool beginsWithNumber(const std::string& line) {
    const size_t from = line.find_first_not_of(" \t");
    const size_t to = line.find_first_of(" \t\r,;", from);
    double v = 0;
    return ParseNumber(std::string_view(line).substr(from, to - from), v);
}

}  // namespace

RecordingFormat FormatOf(const std::string& path) {
    if (endsWith(path, ".rr"))
        return RecordingFormat::Rr;
    if (endsWith(path, ".txt"))
        return RecordingFormat::Text;
    if (endsWith(path, ".csv"))
        return RecordingFormat::TrivantCsv;
    return RecordingFormat::Unknown;
}

RecordingFormat DetectRecordingFormat(std::string_view head, const std::string& path) {
    const bool txt = FormatOf(path) == RecordingFormat::Text;
    if (FormatOf(path) == RecordingFormat::Rr)
        return RecordingFormat::Rr;
    // UTF-16 text, as spreadsheets save "Unicode text": its NUL bytes make no .rr file.
    if (head.substr(0, 2) == "\xFF\xFE" || head.substr(0, 2) == "\xFE\xFF")
        return RecordingFormat::Unknown;
    if (hasControlBytes(head))
        return RecordingFormat::Rr;
    if (isTextTitleLine(lineOf(head, 4)))
        return RecordingFormat::Text;
    const std::string text(head);
    RrCsvHeader header;
    if (FindRrCsvHeader(text, header))
        return header.trivant ? RecordingFormat::TrivantCsv : RecordingFormat::Csv;
    std::string first;
    int lineNo = 0;
    if (!FirstDataLine(text, first, lineNo))
        return txt ? RecordingFormat::Text : RecordingFormat::MsList;
    if (beginsWithNumber(first))
        return RecordingFormat::MsList;
    return txt ? RecordingFormat::Text : RecordingFormat::Unknown;
}

}  // namespace trivant
