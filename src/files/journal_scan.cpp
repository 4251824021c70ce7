// Finding the journals a folder holds. A journal's start time is its name when the name is
// a start time ("YYYYMMDD-HHMMSS", local time, as the application names them); otherwise
// the time of its last write less the sum of its RR intervals, since each write comes at
// the end of a beat.
#include "journal.h"

#include "journal_file.h"
#include "rr_file.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace trivant {
namespace fs = std::filesystem;

namespace {

bool endsWithNoCase(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() &&
           std::equal(tail.rbegin(), tail.rend(), s.rbegin(), [](char t, char c) {
               return std::tolower(static_cast<unsigned char>(c)) == t;
           });
}

// Only recordings' journals: other programs leave ".part" files too (partial downloads).
bool isJournalName(const std::string& name) {
    return endsWithNoCase(name, ".rr.part") || endsWithNoCase(name, ".txt.part");
}

// "YYYYMMDD-HHMMSS" as local time; 0 when stem is not one.
std::time_t timeFromStem(const std::string& stem) {
    if (stem.size() != 15 || stem[8] != '-')
        return 0;
    for (size_t i = 0; i < stem.size(); ++i)
        if (i != 8 && !std::isdigit(static_cast<unsigned char>(stem[i])))
            return 0;
    const auto num = [&](size_t at, size_t len) { return std::stoi(stem.substr(at, len)); };
    std::tm t{};
    t.tm_year = num(0, 4) - 1900;
    t.tm_mon = num(4, 2) - 1;
    t.tm_mday = num(6, 2);
    t.tm_hour = num(9, 2);
    t.tm_min = num(11, 2);
    t.tm_sec = num(13, 2);
    t.tm_isdst = -1;
    const std::time_t when = std::mktime(&t);
    return when == static_cast<std::time_t>(-1) ? 0 : when;
}

std::time_t startFromName(const std::string& name) {
    if (name.empty() || name[0] != '.' || !endsWithNoCase(name, ".rr.part"))
        return 0;
    return timeFromStem(name.substr(1, name.size() - 1 - std::string(".rr.part").size()));
}

// Sum of the RR bytes, 10 ms each, in seconds.
std::time_t recordedSeconds(const std::string& path) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes, kRrHeaderBytes + 2 * size_t{kMaxRecordingBeats}).ok)
        return 0;
    long long tenMs = 0;
    for (size_t i = kRrHeaderBytes + 1; i < bytes.size(); i += 2)
        tenMs += static_cast<unsigned char>(bytes[i]);
    return static_cast<std::time_t>(tenMs / 100);
}

}  // namespace

bool JournalInUse(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::u8path(path), ec) && !JournalProbe(path).free();
}

std::vector<JournalInfo> FindJournals(const std::string& folder) {
    std::vector<JournalInfo> found;
    std::error_code ec;
    for (fs::directory_iterator it(fs::u8path(folder), ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().u8string();
        if (!isJournalName(name) || !it->is_regular_file(ec))
            continue;
        const std::string path = it->path().u8string();
        const JournalProbe probe(path);
        if (!probe.free() || !probe.zeroHeader())
            continue;
        const int64_t words = (probe.size() - static_cast<int64_t>(kRrHeaderBytes)) / 2;
        if (words <= 0) {
            RemoveJournal(path);  // a start that never reached its first beat
            continue;
        }
        JournalInfo info{path, static_cast<int>(std::min<int64_t>(words, kMaxRecordingBeats)),
                         startFromName(name)};
        if (info.started == 0)
            info.started = static_cast<std::time_t>(probe.modifiedTime()) - recordedSeconds(path);
        found.push_back(info);
    }
    std::sort(found.begin(), found.end(),
              [](const JournalInfo& a, const JournalInfo& b) { return a.path < b.path; });
    return found;
}

}  // namespace trivant
