// Recordings read by the format their file name's extension names (.rr or .txt), for the
// tools; the application chooses by the open dialog's filter instead.
#pragma once

#include "recording.h"

#include <string>

namespace trivant {

enum class RecordingFormat { Rr, Text, Unknown };

// ".rr" or ".txt", in any letter case.
RecordingFormat FormatOf(const std::string& path);

// Fills DataBuf, CurrentFileLen and (from text files) Comment; the caller prepares. On
// failure returns a message that names the file, and the line where there is one. A text
// file with lines that can't be read, or with more beats than fit, counts as a failure.
std::string ReadRecordingFile(const std::string& path, Recording& rec);

}  // namespace trivant
