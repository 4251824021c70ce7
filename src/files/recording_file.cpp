// Extension-driven reading of recordings.
#include "recording_file.h"

#include "rr_file.h"
#include "text_file.h"

#include <algorithm>
#include <cctype>

namespace trivant {

namespace {

bool endsWith(std::string s, const std::string& tail) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

std::string textReportMessage(const std::string& path, const TextReadReport& r) {
    if (r.skippedLines > 0)
        return path + ":" + std::to_string(r.firstSkippedLine) + ": line can't be read (" +
               std::to_string(r.skippedLines) + " line(s) in all)";
    if (r.truncated)
        return path + ": more than " + std::to_string(kMaxBeats) + " beats";
    return {};
}

}  // namespace

RecordingFormat FormatOf(const std::string& path) {
    if (endsWith(path, ".rr"))
        return RecordingFormat::Rr;
    if (endsWith(path, ".txt"))
        return RecordingFormat::Text;
    return RecordingFormat::Unknown;
}

std::string ReadRecordingFile(const std::string& path, Recording& rec) {
    IoStatus st;
    TextReadReport report;
    if (FormatOf(path) == RecordingFormat::Rr)
        st = ReadDataFile(path, rec);
    else
        st = ReadTextFile(path, rec, report);
    if (!st.ok)
        return st.path + ": " + st.detail;
    return textReportMessage(path, report);
}

}  // namespace trivant
