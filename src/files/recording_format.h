// Which of the formats Trivant reads a file holds: told by its content, since lists and
// exports of other tools come with any name.
#pragma once

#include <string>
#include <string_view>

namespace trivant {

// Csv is another tool's export; TrivantCsv is Trivant's own lossless CSV recording.
enum class RecordingFormat { Rr, Text, MsList, Csv, TrivantCsv, Unknown };

// Bytes of a file's beginning that DetectRecordingFormat needs.
constexpr size_t kFormatHeadBytes = 64u << 10;

// By the extension alone, for files to write: ".rr" Rr, ".txt" Text, ".csv" TrivantCsv, in
// any letter case; anything else Unknown.
RecordingFormat FormatOf(const std::string& path);

// The format of a file to read from its first bytes (head) and name, in this order:
// 1. a name ending in .rr, or control bytes (NUL and the like) in head: the .rr binary,
//    unless head begins with a UTF-16 byte order mark (Unknown: text we don't read);
// 2. a fourth line whose first field is the column title N: Trivant's text file (its first
//    three lines are free: name, date, comment; a list or CSV has no N there);
// 3. a first line (past blank lines and # comments) naming an RR column: CSV, TrivantCsv
//    when it is Trivant's own header row;
// 4. a first line beginning with a number, or no data line at all: a plain ms list;
// 5. anything else: Trivant's text file when the name ends in .txt (its reader then names
//    the lines it can't read), else Unknown.
// An empty or comment-only .txt file stays Trivant text, as it always was.
RecordingFormat DetectRecordingFormat(std::string_view head, const std::string& path);

// Why a file that could pass for a recording is none: another format's signature at its start
// (no .rr file Trivant writes begins with one: its header is two zero bytes), or .rr words
// whose SpO2 no recording holds, above 100 in most of them.
struct ContentRefusal {
    const char* format = nullptr;  // "EDF", "PDF", "PNG", ...; nullptr when none
    int badWords = 0;              // .rr words with SpO2 101..254
    int words = 0;                 // .rr words looked at
    bool refused() const { return format != nullptr || badWords * 2 > words; }
};

// The refusal of a file whose first bytes are head and whose format detected is format (the
// SpO2 of the words is looked at for Rr only).
ContentRefusal RefuseContent(std::string_view head, RecordingFormat format);

// "not a recording Trivant reads: ..." for a refusal.
std::string RefusalText(const ContentRefusal& r);

// Why a recording of this many beats can't be written in format, or an empty string: the .rr
// and text formats hold kMaxBeats beats at most.
std::string FormatLimitText(RecordingFormat format, int beats);

}  // namespace trivant
