// The rows of the whole-recording measures as CSV: each led by its file and where it lies
// (the trend's window or the stage), then, where the recording's start is known, the clock
// column, then the standard measures' columns.
#pragma once

#include "clock_time.h"
#include "whole_recording.h"

#include <cstdint>
#include <string>
#include <vector>

namespace trivant {

// The columns that place a row, and their values for a row (times in seconds).
struct SpanPlace {
    const char* names[3];  // nullptr past the last
    std::vector<double> (*values)(const SpanMeasures& row);
};
extern const SpanPlace kTrendPlace;  // start_s, end_s
extern const SpanPlace kStagePlace;  // stage, start_s, duration_s

// The clock column after the place's: the local date and time at which the row's span begins,
// "YYYY-MM-DDThh:mm:ss" (the second begun), whatever the span; a recording's start always
// has a date, and a night's windows read unambiguously past midnight.
constexpr const char* kSpanClockName = "clock";
// The clock of the row's start; startClockS known.
int64_t SpanClockS(int64_t startClockS, const SpanMeasures& r);

std::string SpanCsvHeader(const SpanPlace& place, bool clockColumn = false);
// With clockColumn, the clock cell: empty where startClockS is kNoClock.
std::string SpanCsvRow(const std::string& file, const SpanPlace& place, const SpanMeasures& r,
                       bool clockColumn = false, int64_t startClockS = kNoClock);
// The header and every row, each line ended; the clock column where startClockS is known.
std::string SpanCsv(const std::string& file, const SpanPlace& place,
                    const std::vector<SpanMeasures>& rows, int64_t startClockS = kNoClock);

}  // namespace trivant
