// Lists the flagged beats of a recording, and writes it corrected.
#include "artifacts_command.h"

#include "cli_commands.h"
#include "recording_io.h"
#include "trivant_csv.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>

namespace trivant {

namespace {

int fail(std::ostream& err, const std::string& msg) {
    err << "trivant-cli: " << msg << "\n";
    return kExitBadInput;
}

std::string secondsText(int64_t us) {
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, static_cast<double>(us) / 1e6,
                                   std::chars_format::fixed, 3);
    return std::string(buf, end.ptr);
}

const char* typeName(BeatClass kind) {
    return kind == BeatClass::Normal ? "threshold" : BeatClassName(kind);
}

std::string padded(const std::string& s, size_t width, bool right) {
    const std::string fill(s.size() < width ? width - s.size() : 0, ' ');
    return right ? fill + s : s + fill;
}

std::string choiceText(const ArtifactOptions& o) {
    return o.automatic ? "automatic"
                       : "threshold " + MsText(std::llround(o.thresholdMs * 1000)) + " ms";
}

}  // namespace

std::string FlaggedBeatsText(const Recording& rec, const std::vector<FlaggedBeat>& flagged,
                             bool csv) {
    const std::string sep = csv ? "," : "  ";
    auto row = [&](const std::string& beat, const std::string& time, const std::string& type,
                   const std::string& rr) {
        return csv ? beat + sep + time + sep + type + sep + rr + "\n"
                   : padded(beat, 8, true) + sep + padded(time, 12, true) + sep +
                         padded(type, 9, false) + sep + padded(rr, 10, true) + "\n";
    };
    std::string text = row("beat", "time_s", "type", "rr_ms");
    int64_t startUs = 0;  // of beat k's interval
    int k = 1;
    for (const FlaggedBeat& f : flagged) {
        if (f.beat < k || f.beat > rec.beats())
            continue;  // listed once, in order, within the recording
        for (; k < f.beat; ++k)
            startUs += rec.intervalUs(k);
        text += row(std::to_string(f.beat), secondsText(startUs), typeName(f.kind),
                    MsText(rec.intervalUs(f.beat)));
    }
    if (!csv)
        text += std::to_string(flagged.size()) + " of " + std::to_string(rec.beats()) +
                " beats flagged\n";
    return text;
}

int RunArtifacts(const CliOptions& opt, const Setup& setup, std::ostream& out, std::ostream& err) {
    auto rec = std::make_unique<Recording>();
    if (const std::string msg = LoadRecording(opt.files[0], ToCoreSettings(setup), *rec);
        !msg.empty())
        return fail(err, msg);
    std::vector<FlaggedBeat> flagged = FlagBeats(*rec, opt.review);
    std::sort(flagged.begin(), flagged.end(),
              [](const FlaggedBeat& a, const FlaggedBeat& b) { return a.beat < b.beat; });
    out << FlaggedBeatsText(*rec, flagged, opt.csv);
    return kExitOk;
}

int RunCorrect(const CliOptions& opt, const Setup& setup, std::ostream& out, std::ostream& err) {
    auto rec = std::make_unique<Recording>();
    const CoreSettings cfg = ToCoreSettings(setup);
    if (const std::string msg = LoadRecording(opt.files[0], cfg, *rec); !msg.empty())
        return fail(err, msg);
    const size_t changes = CorrectRecording(*rec, cfg, opt.review).size();
    const std::string& path = opt.files[1];
    if (const std::string msg = SaveRecording(path, *rec); !msg.empty())
        return fail(err, msg);
    out << path << ": " << EditedBeats(*rec) << " beats edited (" << changes << " corrections, "
        << choiceText(opt.review) << ")\n";
    return kExitOk;
}

}  // namespace trivant
