// Reads and writes recordings in the format that a file name's extension names.
#pragma once

#include "core_settings.h"
#include "recording.h"

#include <string>

namespace trivant {

enum class RecordingFormat { Rr, Text, Unknown };

// ".rr" or ".txt", in any letter case.
RecordingFormat FormatOf(const std::string& path);

// Loads and prepares a recording as the application's open command does. On failure
// returns a message that names the file (and the line, where there is one).
std::string LoadRecording(const std::string& path, const CoreSettings& cfg, Recording& rec);

// Writes what the application's save command writes; text files get today's date.
std::string SaveRecording(const std::string& path, const Recording& rec);

}  // namespace trivant
