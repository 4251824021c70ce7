// Folder and base name of a file path, for window captions and the text file's first
// line. Both "\" and "/" separate folders, so Windows paths read the same everywhere.
#pragma once

#include <string>

namespace trivant {

// The text before the last separator; empty when there is none.
std::string FolderOf(const std::string& path);
// The text between the last separator and the last "." after it; to the end without one.
std::string BaseNameOf(const std::string& path);

}  // namespace trivant
