// The rows of the whole-recording measures as CSV: each led by its file and where it lies
// (the trend's window or the stage), then the standard measures' columns.
#pragma once

#include "whole_recording.h"

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

// With named, a last column "name" holds a stage's label name.
std::string SpanCsvHeader(const SpanPlace& place, bool named = false);
std::string SpanCsvRow(const std::string& file, const SpanPlace& place, const SpanMeasures& r,
                       bool named = false);
// Whether any row has a name: the rows' CSV then has the name column.
bool SpanNamesAny(const std::vector<SpanMeasures>& rows);
// The header and every row, each line ended; the name column when any row has a name.
std::string SpanCsv(const std::string& file, const SpanPlace& place,
                    const std::vector<SpanMeasures>& rows);

}  // namespace trivant
