// The wall-clock start of a list or CSV recording: Trivant's "# start: " line, or the first
// row's time in a column of date-times, as exports that time their rows give it.
#pragma once

#include "recording.h"
#include "rr_csv.h"

#include <cstdint>
#include <string>

namespace trivant {

// The line of Trivant's CSV recording after the comment line, when the start is known:
// local date and time, "YYYY-MM-DDThh:mm:ss" (seconds optional when read).
constexpr const char* kCsvStartPrefix = "# start: ";

// The lines of Trivant's CSV of an ECG record after the start line: the record (relative to
// the CSV) and the label of the channel its beats were detected on.
constexpr const char* kCsvSourcePrefix = "# source: ";
constexpr const char* kCsvChannelPrefix = "# channel: ";

// What follows prefix on the first # line among those before the first data line, trimmed;
// empty when there is none.
std::string CsvHeadLine(const std::string& text, const char* prefix);

// "# start: YYYY-MM-DDThh:mm:ss\n" for a recording whose start is known, else empty.
std::string CsvStartLine(const Recording& rec);

// The start of beat 1 of a list, kNoClock when it is not known: a "# start: " line among the
// # lines before the first data line, else, for a CSV export (header not null), the first
// data row's date-time (ISO, "YYYY-MM-DDThh:mm[:ss[.fff]]") in the first column holding one.
// Polar Sensor Logger's "Phone timestamp" is when the beat arrived, the end of its interval:
// firstMs, the first interval, is taken off it. The start is rounded to the second.
int64_t ListStartClock(const std::string& text, const RrCsvHeader* header, double firstMs);

}  // namespace trivant
