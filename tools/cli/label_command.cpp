// trivant-cli label: each time of --at names the beat whose interval holds it (BeatAtUs),
// which gets a label; clock times count from the recording's start.
#include "label_command.h"

#include "cli_commands.h"
#include "label_edit.h"
#include "label_times.h"
#include "number_text.h"
#include "recording_io.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace trivant {

namespace {

constexpr double kMaxSeconds = 1e9;  // past any recording, within int64 µs

int fail(std::ostream& err, const std::string& msg) {
    err << "trivant-cli: " << msg << "\n";
    return kExitBadInput;
}

// The recording's length: where its last beat ends.
double durationS(const Recording& rec) {
    int64_t us = 0;
    for (int k = 1; k <= rec.beats(); ++k)
        us += rec.intervalUs(k);
    return static_cast<double>(us) / 1e6;
}

// Time t from the recording's start in µs: seconds as given, a clock time the first moment
// at or after the start (SecondsToClockOfDay). An error when the start time is not known.
std::string LabelOffsetUs(const Recording& rec, const LabelTime& t, int64_t& us) {
    if (t.secondOfDay < 0) {
        us = std::llround(t.seconds * 1e6);
        return {};
    }
    if (rec.StartClockS == kNoClock)
        return "the recording's start time is not known: give --at " + t.text + " in seconds";
    us = SecondsToClockOfDay(rec.StartClockS, t.secondOfDay) * 1000000;
    return {};
}

}  // namespace

std::string ParseLabelTimes(const std::string& value, std::vector<LabelTime>& out) {
    size_t from = 0;
    while (from <= value.size()) {
        const size_t comma = std::min(value.find(',', from), value.size());
        const std::string item = value.substr(from, comma - from);
        from = comma + 1;
        const size_t eq = item.find('=');
        LabelTime t;
        t.text = item.substr(0, eq);
        t.name = eq == std::string::npos ? std::string() : item.substr(eq + 1);
        const bool clock = t.text.find(':') != std::string::npos;
        const bool good =
            clock ? ParseClockOfDay(t.text, t.secondOfDay)
                  : ParseNumber(t.text, t.seconds) && t.seconds >= 0 && t.seconds <= kMaxSeconds;
        if (!good)
            return "--at takes seconds from the start or a clock time hh:mm[:ss], each\n"
                   "optionally =NAME, separated by commas: '" +
                   item + "'";
        out.push_back(t);
    }
    return {};
}

int RunLabel(const CliOptions& opt, const Setup& setup, std::ostream& err) {
    const std::string& in = opt.files[0];
    auto rec = std::make_unique<Recording>();
    const CoreSettings cfg = ToCoreSettings(setup);
    if (const std::string msg = LoadRecording(in, cfg, *rec); !msg.empty())
        return fail(err, msg);
    for (const LabelTime& t : opt.at) {
        int64_t us = 0;
        if (const std::string msg = LabelOffsetUs(*rec, t, us); !msg.empty())
            return fail(err, in + ": " + msg);
        const int k = BeatAtUs(*rec, us);
        if (k == 0)
            return fail(err, in + ": " + t.text + " lies past the recording's end, at " +
                                 NumberText(durationS(*rec)) + " s");
        SetLabel(*rec, k, true, t.name);
    }
    rec->PrepareLabels(cfg);  // the CSV writes the labels the series hold
    const std::string msg = SaveRecording(opt.files[1], *rec);
    return msg.empty() ? kExitOk : fail(err, msg);
}

}  // namespace trivant
