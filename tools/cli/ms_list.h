// Reader of plain RR lists in milliseconds, as chest straps and HRV tools export them:
// one interval per line, an optional SpO2 column, blank lines and # comments ignored.
#pragma once

#include "recording.h"

#include <string>

namespace trivant {

struct MsListError {
    int line = 0;  // 1-based; 0 when the error is not tied to a line
    std::string message;
};

// RR in ms to 10 ms units, halves rounded up (805 -> 81); -1 when it does not fit a byte.
int RoundMsTo10(double ms);

// Fills DataBuf and CurrentFileLen of a fresh recording. Returns false on the first line
// it can't take, or when the list holds more beats than a recording can.
bool ParseMsList(const std::string& text, Recording& rec, MsListError& err);

}  // namespace trivant
