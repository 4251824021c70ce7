// Names and captions of recording files, as the open and save commands make them.
#pragma once

#include <string>

namespace trivant {

// Spaces in the file name (after the last separator) become "_"; the folder keeps them.
std::string SaveNameWithUnderscores(const std::string& path);

// The caption of a window showing a file: its date, a space, and its base name.
std::string FileCaption(const std::string& shortDate, const std::string& path);

// The name a save dialog proposes for a recording read from or saved to source: its base
// name with suffix (".csv"); empty when source is no file's path (a new recording's title).
std::string ProposedFileName(const std::string& source, const std::string& suffix);

// File type of the dialogs: 1 ".rr", 2 text. A stored index outside that gives 1.
int FilterIndexOrDefault(int stored);

}  // namespace trivant
