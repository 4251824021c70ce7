// Extension-driven load and save for the command-line tool.
#include "recording_io.h"

#include "rr_file.h"
#include "short_date.h"
#include "text_file.h"

#include <algorithm>
#include <cctype>
#include <ctime>

namespace trivant {

namespace {

bool endsWith(std::string s, const std::string& tail) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

std::string ioMessage(const IoStatus& st) {
    return st.path + ": " + st.detail;
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

std::string LoadRecording(const std::string& path, const CoreSettings& cfg, Recording& rec) {
    if (FormatOf(path) == RecordingFormat::Rr) {
        const IoStatus st = ReadDataFile(path, rec);
        if (!st.ok)
            return ioMessage(st);
    } else {
        TextReadReport report;
        const IoStatus st = ReadTextFile(path, rec, report);
        if (!st.ok)
            return ioMessage(st);
        std::string msg = textReportMessage(path, report);
        if (!msg.empty())
            return msg;
    }
    rec.PrepareData(cfg);
    return {};
}

std::string SaveRecording(const std::string& path, const Recording& rec) {
    const IoStatus st = FormatOf(path) == RecordingFormat::Rr
                            ? SaveDataFile(path, rec)
                            : SaveTextFile(path, rec, ShortDateText(std::time(nullptr)));
    return st.ok ? std::string() : ioMessage(st);
}

}  // namespace trivant
