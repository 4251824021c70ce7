// Parses trivant-sim's options with one table that also gives the help and completion.
#include "sim_options.h"

#include "number_text.h"
#include "option_table.h"

#include <cmath>

namespace trivant {

namespace {

const char* const kAbout =
    "Usage: trivant-sim [--ms FILE | --recording FILE] [OPTIONS]\n"
    "\n"
    "A simulated pulse device. It opens a pseudo-terminal, registers it so that Trivant's\n"
    "automatic port search finds it, prints the port's path as the first line of its\n"
    "output, and sends one 3-byte frame (status, RR, SpO2 + 100) per beat at the pace of\n"
    "the intervals. Beats are sent while a program has the port open.\n"
    "\n"
    "Sources:\n";

const char* const kClosing =
    "  (neither)          a built-in generator, about 70 beats/min with respiratory\n"
    "                     and slower waves and noise; SpO2 about 97.\n"
    "\n"
    "Options:\n";

const char* const kAfter =
    "\n"
    "After the last beat, without --loop, the port stays open and silent until the\n"
    "program is stopped (Ctrl+C).\n";

const OptionTable kSources = {
    {"ms", "FILE", "RR intervals in ms, one per line (optional SpO2 column).", kCompleteFiles},
    {"recording", "FILE", "a recording: .rr, .txt, a list, CSV or an ECG record.",
     kCompleteRecordings},
};

const OptionTable kOptions = {
    {"device", "1|2", "RR in 8 ms (1) or 10 ms (2, default) units.", "1 2"},
    {"speed", "X", "X times real time (default 1)."},
    {"beats", "N", "send N beats."},
    {"loop", "", "play the source again from the start."},
    {"status", "CODE@BEAT[xCOUNT]",
     "insert COUNT frames with status CODE (1..5) before that\n"
     "beat; they carry no beat. May be repeated."},
    {"garbage", "", "bytes of 6 or more between some frames."},
    {"split", "", "frames split across writes."},
    {"silence", "SECONDS@BEAT",
     "send nothing for SECONDS of real time before that beat.\nMay be repeated."},
    {"seed", "N", "seed of the generator, garbage and split choices."},
    {"h,help", "", "show this help."},
    {"version", "", "show the version."},
};

const std::pair<const char*, bool SimOptions::*> kSwitches[] = {
    {"help", &SimOptions::help},   {"version", &SimOptions::version},
    {"loop", &SimOptions::loop},   {"garbage", &SimOptions::garbage},
    {"split", &SimOptions::split},
};

OptionTable allOptions() {
    OptionTable all = kSources;
    all.insert(all.end(), kOptions.begin(), kOptions.end());
    return all;
}

// CODE@BEAT[xCOUNT]
bool parseStatus(const std::string& s, StatusInsert& st) {
    const auto at = s.find('@');
    if (at == std::string::npos)
        return false;
    const auto x = s.find('x', at);
    const std::string beat = s.substr(at + 1, x == std::string::npos ? x : x - at - 1);
    if (!ParseNumber(s.substr(0, at), st.code) || !ParseNumber(beat, st.beat))
        return false;
    if (x != std::string::npos && !ParseNumber(s.substr(x + 1), st.count))
        return false;
    return st.code >= 1 && st.code <= 5 && st.beat >= 1 && st.count >= 1 && st.count <= 100000;
}

bool parseSilence(const std::string& s, SilenceInsert& si) {
    const auto at = s.find('@');
    if (at == std::string::npos)
        return false;
    return ParseNumber(s.substr(0, at), si.seconds) && ParseNumber(s.substr(at + 1), si.beat) &&
           std::isfinite(si.seconds) && si.seconds >= 0 && si.seconds <= 86400 && si.beat >= 1;
}

// Options that take a value; returns an error or empty.
std::string takeValue(const std::string& opt, const std::string& v, SimOptions& o) {
    if (opt == "--ms")
        o.msFile = v;
    else if (opt == "--recording")
        o.recordingFile = v;
    else if (opt == "--device") {
        if (!ParseNumber(v, o.device) || (o.device != 1 && o.device != 2))
            return "--device takes 1 or 2";
    } else if (opt == "--speed") {
        if (!ParseNumber(v, o.speed) || !(o.speed >= 0.01 && o.speed <= 10000))
            return "--speed takes a number from 0.01 to 10000";
    } else if (opt == "--beats") {
        if (!ParseNumber(v, o.beats) || o.beats < 1)
            return "--beats takes a positive number";
    } else if (opt == "--seed") {
        if (!ParseNumber(v, o.seed))
            return "--seed takes a whole number";
    } else if (opt == "--status") {
        StatusInsert st;
        if (!parseStatus(v, st))
            return "--status takes CODE@BEAT[xCOUNT], CODE 1..5";
        o.statuses.push_back(st);
    } else if (opt == "--silence") {
        SilenceInsert si;
        if (!parseSilence(v, si))
            return "--silence takes SECONDS@BEAT";
        o.silences.push_back(si);
    }
    return {};
}

}  // namespace

std::string ParseSimOptions(const std::vector<std::string>& args, SimOptions& out) {
    ParsedArguments parsed;
    const std::string bad = ParseArguments(allOptions(), args, parsed);
    if (!bad.empty())
        return bad;
    if (!parsed.positional.empty())
        return "unexpected argument " + parsed.positional.front();
    for (const ParsedOption& o : parsed.options) {
        bool SimOptions::*flag = nullptr;
        for (const auto& [name, member] : kSwitches)
            flag = o.name == name ? member : flag;
        const std::string err = flag ? std::string() : takeValue("--" + o.name, o.value, out);
        if (flag)
            out.*flag = true;
        if (!err.empty())
            return err;
    }
    if (!out.msFile.empty() && !out.recordingFile.empty())
        return "--ms and --recording exclude each other";
    return {};
}

std::string SimUsage() {
    return kAbout + OptionsHelp(kSources) + kClosing + OptionsHelp(kOptions) + kAfter;
}

CompletionTool SimCompletion() {
    return {"trivant-sim", allOptions(), {}};
}

}  // namespace trivant
