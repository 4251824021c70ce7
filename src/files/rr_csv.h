// Reader of CSV exports of HRV tools (Polar, Kubios, Elite HRV, HRV Logger): a header row
// names the RR column, the rows below hold one interval each. Rows become the same entries
// as a plain ms list, so rounding, limits and messages are those of the ms list.
#pragma once

#include "csv_edits.h"
#include "ms_list.h"

#include <map>
#include <string>
#include <vector>

namespace trivant {

struct RrCsvHeader {
    int line = 0;           // 1-based line of the header row
    char separator = 0;     // ',', ';' or '\t'; 0 for a single column
    size_t rrColumn = 0;    // 0-based
    int spoColumn = -1;     // 0-based, or -1 when no SpO2 column is named
    int labelColumn = -1;   // 0-based, or -1 when no label column is named (0, 1 or a name)
    bool trivant = false;   // the header of Trivant's own CSV recording: RR in ms, always
    int sampleColumn = -1;  // Trivant's CSV of an ECG record: each beat's R peak sample
    int editColumn = -1;    // Trivant's CSV of a reviewed recording: edit, then original_ms
};

// The header row of Trivant's CSV recording, and the line before it that holds a comment.
constexpr const char* kTrivantCsvHeader = "RR_ms;SpO2;label";
// The same for beats detected in an ECG record, with the sample of each beat's R peak; the
// record is named by kCsvSourcePrefix and kCsvChannelPrefix lines before it.
constexpr const char* kTrivantEcgCsvHeader = "RR_ms;SpO2;label;sample";
constexpr const char* kCsvCommentPrefix = "# comment: ";
// The last line of Trivant's CSV recording when the word after its last beat is not empty:
// that word as a row, RR_ms;SpO2;label.
constexpr const char* kCsvSlotPrefix = "# slot: ";

// The comment of a CSV recording or list: its first line when it begins with
// kCsvCommentPrefix (after a UTF-8 byte order mark), else empty.
std::string CsvComment(const std::string& text);

// s without the blanks (spaces, tabs, CR) at either end.
std::string CsvTrimmed(const std::string& s);

// The fields of a row, quotes dropped, with a decimal comma made a point where commas don't
// separate (not in a label's name).
std::vector<std::string> CsvRowFields(const std::string& line, const RrCsvHeader& h);

// True when the first line that is neither blank nor a # comment is a header row naming an
// RR column: RR, RRI, NN, NNI, IBI or "RR interval", in any letter case, quoted or not,
// with or without a unit (rr_ms, "RR-interval [ms]", RRI (s)).
bool FindRrCsvHeader(const std::string& text, RrCsvHeader& header);

// Milliseconds per unit of the RR column: 1000 (seconds) when the median of its numbers is
// below 10, else 1. An interval of 10 ms or less is no heartbeat, one of 10 s or more is a
// pause no recording can hold (2.55 s at most), so the median, which a few artifacts can't
// move, falls far from 10 in either unit.
double CsvMsPerUnit(const std::string& text, const RrCsvHeader& header);

// The rows below the header, at most maxEntries. Fields may be quoted; with ';', a tab or
// no separator a decimal comma is read as a point. Returns false on the first row it can't
// take, as the ms list does. A label cell other than empty, 0 or 1 names its label: names,
// when given, gets it by row (1-based). samples, when given and the header has a sample
// column, gets each row's sample, -1 where it is no whole number >= 0; edits, when given and
// the header has the edit columns, each row's edit (a row with an edit they can't take is
// one the reader can't take).
bool ParseRrCsv(const std::string& text, std::vector<MsEntry>& out, MsListError& err,
                size_t maxEntries, std::map<int, std::string>* names = nullptr,
                std::vector<int64_t>* samples = nullptr, std::vector<CsvRowEdit>* edits = nullptr);

// A CSV export when the text has an RR header row, else a plain ms list: fills DataBuf,
// CurrentFileLen, the exact intervals, the SpO2 beside labels, the label names, the comment,
// the start (see ListStartClock) and, for Trivant's CSV, the slot after the last beat of a
// fresh recording, and the ECG record its beats came from (BeatSamples, EcgSource as written,
// EcgChannel) when every row has its sample, ascending, and the review's edits (csv_edits.h).
bool ParseRrList(const std::string& text, Recording& rec, MsListError& err);

}  // namespace trivant
