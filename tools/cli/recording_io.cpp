// Content-driven load and extension-driven save for the command-line tool.
#include "recording_io.h"

#include "short_date.h"

#include <ctime>

namespace trivant {

namespace {

EcgChoice& ecgChoice() {
    static EcgChoice choice;
    return choice;
}

}  // namespace

void SetCliEcgChoice(const EcgChoice& choice) {
    ecgChoice() = choice;
}

const EcgChoice& CliEcgChoice() {
    return ecgChoice();
}

std::string ReadCliRecording(const std::string& path, Recording& rec) {
    return ReadAnyRecording(path, ecgChoice(), rec);
}

std::string LoadRecording(const std::string& path, const CoreSettings& cfg, Recording& rec) {
    const std::string msg = ReadCliRecording(path, rec);
    if (msg.empty())
        rec.PrepareData(cfg);
    return msg;
}

std::string SaveRecording(const std::string& path, const Recording& rec) {
    const IoStatus st =
        SaveRecordingFile(path, rec, FormatOf(path), ShortDateText(std::time(nullptr)));
    return st.ok ? std::string() : st.path + ": " + st.detail;
}

std::string RoundingNote(const std::string& path, const Recording& rec) {
    const int n = FormatOf(path) == RecordingFormat::TrivantCsv ? 0 : rec.RoundedIntervals();
    return n > 0 ? path + ": " + std::to_string(n) + " interval(s) rounded to 10 ms"
                 : std::string();
}

std::string SaveNotes(const std::string& path, const Recording& rec) {
    std::string notes;
    if (const std::string rounded = RoundingNote(path, rec); !rounded.empty())
        notes += "trivant-cli: " + rounded + "\n";
    if (FormatOf(path) == RecordingFormat::Rr && !rec.Comment.empty())
        notes += "trivant-cli: " + path + ": the comment was not kept: a .rr file has none\n";
    if (FormatOf(path) != RecordingFormat::TrivantCsv && !rec.LabelNames.empty())
        notes += "trivant-cli: " + path + ": the label names were not kept: only .csv keeps them\n";
    return notes;
}

}  // namespace trivant
