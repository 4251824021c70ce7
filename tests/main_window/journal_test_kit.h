// Helpers for the journal tests: journals written as a recording would leave them, and the
// journal files of a folder.
#pragma once

#include "file_size_limit.h"
#include "journal.h"
#include "rr_file.h"

#include <filesystem>
#include <string>
#include <vector>

namespace trivant::test {

// The journals in folder, whoever holds them.
inline std::vector<std::string> journalFiles(const std::string& folder) {
    std::vector<std::string> out;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(folder, ec)) {
        const std::string name = e.path().filename().string();
        if (name.size() > 8 && name.front() == '.' && name.rfind(".rr.part") == name.size() - 8)
            out.push_back(e.path().string());
    }
    return out;
}

inline std::string fileBytes(const std::string& path) {
    std::string bytes;
    ReadFileBytes(path, bytes, 1 << 22);
    return bytes;
}

// A journal left by a recording of words rr (10 ms units, SpO2 96) that never ended.
inline std::string leaveJournal(const std::string& folder, const std::string& name,
                                const std::vector<int>& rr, const std::string& comment = {}) {
    const std::string path = JournalPathIn(folder, name);
    JournalWriter w;
    if (!w.Open(path).ok)
        return {};
    for (int r : rr)
        w.Append(packSample(uint8_t(r), 96));
    w.SetComment(comment);
    w.Finish();
    return path;
}

}  // namespace trivant::test
