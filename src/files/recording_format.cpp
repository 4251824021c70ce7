// Content detection of the recording formats.
#include "recording_format.h"

#include "number_text.h"
#include "recording.h"
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

constexpr unsigned kMaxSpO2 = 100;  // %

struct Signature {
    std::string_view magic;
    const char* format;
};

// Signatures of files people keep beside their recordings; each begins with a byte other than
// 0, so a file Trivant wrote never matches.
constexpr std::string_view kBdf("\xFF"
                                "BIOSEMI",
                                8);
const Signature kSignatures[] = {
    {kBdf, "BDF"},
    {"%PDF-", "PDF"},
    {"\x89PNG\r\n\x1A\n", "PNG"},
    {"\xFF\xD8\xFF", "JPEG"},
    {"GIF8", "GIF"},
    {"PK\x03\x04", "ZIP"},
    {"PK\x05\x06", "ZIP"},
    {"\x1F\x8B", "gzip"},
    {"BZh", "bzip2"},
    {"\xFD"
     "7zXZ",
     "xz"},
    {"7z\xBC\xAF\x27\x1C", "7z"},
    {"\x28\xB5\x2F\xFD", "zstd"},
    {"Rar!\x1A\x07", "RAR"},
    {"\x7F"
     "ELF",
     "ELF"},
    {"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", "Microsoft Office"},
    {"SQLite format 3", "SQLite"},
    {"RIFF", "RIFF"},
    {"%!PS", "PostScript"},
};

bool digitsAt(std::string_view s, size_t at, size_t n) {
    return std::all_of(s.begin() + static_cast<long>(at), s.begin() + static_cast<long>(at + n),
                       [](char c) { return c >= '0' && c <= '9'; });
}

// An EDF (and EDF+) header: version "0" in 8 characters, printable ASCII, the start date
// dd.mm.yy at 168 and the time hh.mm.ss at 176. The date makes it no list that begins with 0.
bool isEdfHeader(std::string_view head) {
    constexpr size_t kDateAt = 168, kTimeAt = 176, kFixed = 184;
    if (head.size() < kFixed || head.substr(0, 8) != "0       ")
        return false;
    const auto text = head.substr(0, kFixed);
    if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F; }))
        return false;
    for (size_t at : {kDateAt, kTimeAt})
        if (!digitsAt(head, at, 2) || head[at + 2] != '.' || !digitsAt(head, at + 3, 2) ||
            head[at + 5] != '.' || !digitsAt(head, at + 6, 2))
            return false;
    return true;
}

const char* foreignFormat(std::string_view head) {
    if (isEdfHeader(head))
        return "EDF";
    for (const Signature& s : kSignatures)
        if (head.substr(0, s.magic.size()) == s.magic)
            return s.format;
    return nullptr;
}

}  // namespace

ContentRefusal RefuseContent(std::string_view head, RecordingFormat format) {
    ContentRefusal r;
    if (format == RecordingFormat::Text)
        return r;  // its first line is the recording's name, which may begin with anything
    r.format = foreignFormat(head);
    if (format != RecordingFormat::Rr || r.format)
        return r;
    // The words DecodeRr reads: the whole ones after the header, at most kCapacity.
    for (size_t at = 2; at + 1 < head.size() && r.words < kCapacity; at += 2, ++r.words) {
        const auto spo = static_cast<unsigned char>(head[at]);
        r.badWords += spo > kMaxSpO2 && spo != kLabelMark;
    }
    return r;
}

std::string RefusalText(const ContentRefusal& r) {
    const std::string why = r.format ? std::string("a file in ") + r.format + " format"
                                     : "SpO2 above 100 in " + std::to_string(r.badWords) + " of " +
                                           std::to_string(r.words) + " words";
    return "not a recording Trivant reads: " + why;
}

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

std::string FormatLimitText(RecordingFormat format, int beats) {
    if (beats <= kMaxBeats || (format != RecordingFormat::Rr && format != RecordingFormat::Text))
        return {};
    return std::string("a ") + (format == RecordingFormat::Rr ? ".rr" : "text") +
           " file holds at most " + std::to_string(kMaxBeats) + " beats and this recording has " +
           std::to_string(beats) + ": save it as a CSV table (.csv)";
}

}  // namespace trivant
