// Recordings read in whichever format their content shows (see DetectRecordingFormat): one
// loader for the application and the tools, so that they read every file alike.
#pragma once

#include "atomic_file.h"
#include "ms_list.h"
#include "recording.h"
#include "recording_format.h"
#include "text_file.h"

#include <string>

namespace trivant {

// Plain lists and CSV exports are read whole, up to this size, as import-ms reads them.
constexpr size_t kMaxListFileBytes = 64u << 20;

struct RecordingLoad {
    RecordingFormat format = RecordingFormat::Unknown;
    IoStatus status;            // on failure detail says why (without the path or line)
    int line = 0;               // lists: the 1-based line that could not be taken, 0 if none
    TextReadReport textReport;  // Trivant text: what was skipped or cut
    ContentRefusal refusal;     // why the content is no recording, when it is none
};

// Fills DataBuf, CurrentFileLen, the exact intervals (lists and CSV files) and the comment
// (Trivant text and CSV); the caller prepares. On
// failure rec is left as it was. A list is taken whole or not at all: its first bad line,
// or more beats than fit, fail it, as import-ms does.
RecordingLoad LoadRecordingFile(const std::string& path, Recording& rec);

// LoadRecordingFile's outcome as a message naming the file and the line where there is one,
// or an empty string. A text file with lines that can't be read, or with more beats than
// fit, counts as a failure.
std::string ReadRecordingFile(const std::string& path, Recording& rec);
// The same message for a load already made.
std::string RecordingLoadMessage(const std::string& path, const RecordingLoad& load);

// Whether the file, read as LoadRecordingFile reads it, tells when the recording began (a list
// or CSV file whose start shows in its first kFormatHeadBytes): what a batch needs to know
// before the files are read. False when it can't be read.
bool RecordingStartKnown(const std::string& path);

// Writes a prepared recording in format (Rr, Text or TrivantCsv; any other writes .rr);
// dateText is the text file's date line.
IoStatus SaveRecordingFile(const std::string& path, const Recording& rec, RecordingFormat format,
                           const std::string& dateText);

}  // namespace trivant
