// The text file: four header lines (base name, date, comment, column titles), then one
// line per beat with its RR, SpO2 and indices, and a label line before a labelled beat.
// Bytes are Windows-1251, lines end in CR LF.
#pragma once

#include "atomic_file.h"
#include "recording.h"

#include <string>

namespace trivant {

// A longer line keeps only its beginning; a data line needs its first 31 characters.
constexpr size_t kMaxTextLineBytes = 16u << 20;

struct TextReadReport {
    int skippedLines = 0;         // data lines that could not be taken apart
    int firstSkippedLine = 0;     // 1-based file line number of the first of them
    int movedLabels = 0;          // labels whose beat was skipped: the next beat carries them
    int firstMovedLabelFrom = 0;  // the skipped line of the first of them
    int firstMovedLabelTo = 0;    // the line of the beat that carries it instead
    int lostLabelLine = 0;        // the skipped last beat line of a label no later beat could carry
    bool truncated = false;       // more beats than the capacity; the rest was not read
};

// baseName, dateText, the comment and SeriesNames are UTF-8 and written in Windows-1251.
std::string FormatTextFile(const Recording& rec, const std::string& baseName,
                           const std::string& dateText);
// Fills DataBuf, CurrentFileLen and Comment. Only RR and SpO2 are read; the indices are
// recomputed by PrepareData, which the caller runs afterwards.
TextReadReport ParseTextFile(const std::string& bytes, Recording& rec);

// Line 1 is the base name of path.
IoStatus SaveTextFile(const std::string& path, const Recording& rec, const std::string& dateText);
// Reads only as far as the first beat past the capacity. On failure rec is left as it was.
IoStatus ReadTextFile(const std::string& path, Recording& rec, TextReadReport& report);

}  // namespace trivant
