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

// The columns after the place's: where the recording's start is known, "clock", the local
// date and time at which the row's span begins, "YYYY-MM-DDThh:mm:ss" (the second begun),
// whatever the span (a recording's start always has a date, and a night's windows read
// unambiguously past midnight); last, where a stage's label has a name, "name".
struct SpanColumns {
    bool clock = false;
    bool named = false;
};
constexpr const char* kSpanClockName = "clock";
// The clock of the row's start; startClockS known.
int64_t SpanClockS(int64_t startClockS, const SpanMeasures& r);

std::string SpanCsvHeader(const SpanPlace& place, SpanColumns columns = {});
// The clock cell is empty where startClockS is kNoClock.
std::string SpanCsvRow(const std::string& file, const SpanPlace& place, const SpanMeasures& r,
                       SpanColumns columns = {}, int64_t startClockS = kNoClock);
// Whether any row has a name: the rows' CSV then has the name column.
bool SpanNamesAny(const std::vector<SpanMeasures>& rows);
// The header and every row, each line ended; the clock column where startClockS is known,
// the name column when any row has a name.
std::string SpanCsv(const std::string& file, const SpanPlace& place,
                    const std::vector<SpanMeasures>& rows, int64_t startClockS = kNoClock);

}  // namespace trivant
