// Reader of plain RR lists in milliseconds, as chest straps and HRV tools export them:
// one interval per line, an optional SpO2 column, blank lines and # comments ignored.
#pragma once

#include "recording.h"

#include <functional>
#include <string>
#include <vector>

namespace trivant {

struct MsEntry {
    double ms = 0;  // the interval as written, >= 0
    int spo = -1;   // SpO2 % (0..254), or -1 when the line has no second column
    bool label = false;
};

struct MsListError {
    int line = 0;  // 1-based; 0 when the error is not tied to a line
    std::string message;
};

// RR in ms to 10 ms units as RoundUsTo10Ms rounds its µs (805 -> 81); -1 when it does not
// fit a byte.
int RoundMsTo10(double ms);

// One interval in the given unit (1 for ms, 1000 for s) and an optional SpO2 (spo empty when
// absent), checked against the recording's limits. Returns an empty string on success, else
// why the line can't be taken; rrText and spoText are quoted as written.
std::string TakeMsFields(const std::string& rrText, const std::string& spoText, double msPerUnit,
                         MsEntry& entry);

// Reads one data line into entry; returns why it can't, or an empty string.
using MsLineReader = std::function<std::string(const std::string& line, MsEntry& entry)>;

// The data lines after line skipLines (1-based numbering from the text's start), at most
// maxEntries: blank lines and # comments are skipped, a UTF-8 byte order mark ignored. Returns
// false on the first line read refuses (or the first past maxEntries).
bool ReadMsEntries(const std::string& text, int skipLines, const MsLineReader& read,
                   std::vector<MsEntry>& out, MsListError& err, size_t maxEntries);

// The first line that is neither blank nor a # comment, and its 1-based number; false when
// there is none.
bool FirstDataLine(const std::string& text, std::string& line, int& lineNo);

// The interval of an entry in microseconds, as the recording keeps it exactly.
int32_t EntryUs(const MsEntry& entry);

// The sample word of an entry: a labelled one carries the label mark.
SampleWord EntryWord(const MsEntry& entry);

// DataBuf, CurrentFileLen, the exact intervals and the SpO2 beside labels of a fresh recording
// from entries (at most kMaxRecordingBeats).
void FillFromMsEntries(const std::vector<MsEntry>& entries, Recording& rec);

// Every data line of the list, at most maxEntries. Returns false on the first line it can't
// take (or the first past maxEntries).
bool ParseMsLines(const std::string& text, std::vector<MsEntry>& out, MsListError& err,
                  size_t maxEntries);

// Fills DataBuf and CurrentFileLen of a fresh recording. Returns false on the first line
// it can't take, or when the list holds more beats than a recording can.
bool ParseMsList(const std::string& text, Recording& rec, MsListError& err);

}  // namespace trivant
