// Trivant's CSV recording: what a .rr file can't keep, kept, and all that it keeps. An
// optional "# comment: TEXT" line, an optional "# start: YYYY-MM-DDThh:mm:ss" line (the
// local wall-clock time of beat 1), the header RR_ms;SpO2;label, then one line per beat with
// its interval in ms to the microsecond, its SpO2 (empty when the recording has none, or for
// a labelled beat whose source gave none beside the label) and 1 for a labelled beat (its
// name instead for a named label, in double quotes where it holds ';' or '"'), then a
// "# slot: " line with the word after the last beat when it is not empty. A reviewed
// recording has two more columns, edit and original_ms, and its deleted beats as rows of
// their own (csv_edits.h). UTF-8, LF line ends. It is read back by the CSV reader
// (ParseRrList).
#pragma once

#include "atomic_file.h"
#include "recording.h"

#include <cstdint>
#include <string>

namespace trivant {

// Microseconds as ms with up to 3 decimals and no trailing zeros: 812345 -> "812.345",
// 812300 -> "812.3", 812000 -> "812".
std::string MsText(int64_t us);

// The CSV of a prepared recording: exact intervals where it has them, else its 10 ms values.
// Beats from an ECG record (rec.hasEcg()) carry their samples, and source names the record.
std::string FormatTrivantCsv(const Recording& rec, const std::string& source = {});

// How a CSV written at csvPath names the ECG record at recordPath: relative to the CSV's
// folder where one path leads to the other, else recordPath made absolute.
std::string SourceFromCsv(const std::string& csvPath, const std::string& recordPath);

IoStatus SaveTrivantCsv(const std::string& path, const Recording& rec);

}  // namespace trivant
