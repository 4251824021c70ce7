// Loads recordings for the command-line tool by their content, and saves them by the
// extension of the name to write.
#pragma once

#include "core_settings.h"
#include "recording.h"
#include "open_recording.h"
#include "recording_file.h"

#include <string>

namespace trivant {

// How every command turns ECG records into beats (--channel, --annotations): set once,
// before the commands read.
void SetCliEcgChoice(const EcgChoice& choice);
const EcgChoice& CliEcgChoice();

// Reads a recording as the application's open command does, ECG records too. On failure
// returns a message that names the file (and the line, where there is one).
std::string ReadCliRecording(const std::string& path, Recording& rec);
// The same, prepared.
std::string LoadRecording(const std::string& path, const CoreSettings& cfg, Recording& rec);

// Writes what the application's save command writes; text files get today's date.
std::string SaveRecording(const std::string& path, const Recording& rec);

// "OUT: N interval(s) rounded to 10 ms" when writing rec to path rounds exact intervals;
// empty when it rounds none.
std::string RoundingNote(const std::string& path, const Recording& rec);

// What writing rec to path leaves out, one "trivant-cli: ..." line each: the rounding
// (RoundingNote), for a .rr file, which has none, the comment, and but for a .csv file the
// label names.
std::string SaveNotes(const std::string& path, const Recording& rec);

}  // namespace trivant
