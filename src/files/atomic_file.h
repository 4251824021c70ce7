// Whole-file reads and writes for the recording and settings files. A write replaces the
// target only once the new content is safely on disk, so a failed save never destroys
// the previous file.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace trivant {

struct IoStatus {
    bool ok = true;
    std::string path;    // the file the operation was about
    std::string detail;  // English, what failed and why; empty on success
};

// Writes bytes to a temporary file in the target's folder, flushes it to disk and renames
// it over the target. On failure the temporary file is gone and the old target is intact.
// The target keeps its permission bits; a new file gets 0666 less the umask.
// Symbolic links are followed (a dangling one creates the file it names, when that folder
// exists), so the link stays and its target gets the content. A file with several hard
// links is written in place once the temporary file is complete, so all its names keep
// sharing it; only if that in-place write fails half way is the temporary file kept, and
// the message names it.
IoStatus WriteFileAtomic(const std::string& path, const std::string& bytes);

// Reads at most maxBytes of a file as they are; out is empty on failure.
IoStatus ReadFileBytes(const std::string& path, std::string& out, size_t maxBytes);

// Hands a file to take block by block, in order, until the file ends or take returns false,
// so that a reader that has seen enough reads no further.
IoStatus ReadFileBlocks(const std::string& path, const std::function<bool(std::string_view)>& take);

}  // namespace trivant
