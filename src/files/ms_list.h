// Reader of plain RR lists in milliseconds, as chest straps and HRV tools export them:
// one interval per line, an optional SpO2 column, blank lines and # comments ignored.
#pragma once

#include "recording.h"

#include <string>
#include <vector>

namespace trivant {

struct MsEntry {
    double ms = 0;  // the interval as written, >= 0
    int spo = -1;   // SpO2 % (0..254), or -1 when the line has no second column
};

struct MsListError {
    int line = 0;  // 1-based; 0 when the error is not tied to a line
    std::string message;
};

// RR in ms to 10 ms units, halves rounded up (805 -> 81); -1 when it does not fit a byte.
int RoundMsTo10(double ms);

// Every data line of the list, at most maxEntries. Returns false on the first line it can't
// take (or the first past maxEntries).
bool ParseMsLines(const std::string& text, std::vector<MsEntry>& out, MsListError& err,
                  size_t maxEntries);

// Fills DataBuf and CurrentFileLen of a fresh recording. Returns false on the first line
// it can't take, or when the list holds more beats than a recording can.
bool ParseMsList(const std::string& text, Recording& rec, MsListError& err);

}  // namespace trivant
