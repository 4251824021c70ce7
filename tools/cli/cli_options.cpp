// Parses trivant-cli's arguments with one option table per command; options may stand
// before or after the file names.
#include "cli_options.h"

#include "graph_layout.h"
#include "number_text.h"
#include "recording.h"
#include "standard_measures.h"
#include "whole_recording.h"

#include <algorithm>
#include <set>

namespace trivant {

namespace {

constexpr int kMaxJobs = 256;
// The longest signal there can be: kMaxRecordingBeats intervals of 2.55 s.
constexpr int kMaxStartS = 2550000;

// "1", "2", "4", "1/2" .. "1/128" or "whole", as the window's zoom menu lists them.
bool parseZoom(std::string_view v, int& level) {
    const bool whole = v == "whole", out = v.substr(0, 2) == "1/";
    int n = kZoomWhole;
    if (!whole && (!ParseNumber(out ? v.substr(2) : v, n) || n < (out ? 2 : 1)))
        return false;
    n = out ? -n : n;
    if (std::find(kZoomLevels.begin(), kZoomLevels.end(), n) == kZoomLevels.end())
        return false;
    level = n;
    return true;
}

const char* const kAbout = "Usage: trivant-cli COMMAND [OPTIONS] FILE...\n";

const char* const kClosing =
    "Every IN may be a .rr file, a text file, an RR list in ms or a CSV export whose\n"
    "header names an RR column (RR, rr_ms, RRI, NN, ...); its content tells which.\n"
    "It may also be an ECG record: a WFDB header (.hea, its signal files beside\n"
    "it), EDF, EDF+, BDF or GDF; its beats are detected as it is read.\n"
    "\n"
    "Without --sample and --ib-compensation the settings file tv3cfg.cfg of the\n"
    "current directory applies, or the defaults when there is none.\n"
    "\n"
    "Exit status: 0 success, 1 bad input, 2 wrong usage.\n";

const OptionTable kCommon = {
    {"h,help", "", "Show this help."},
    {"version", "", "Show the version."},
    {"sample", "N", "Sample size for the histogram and indices (20..500 beats)."},
    {"ib-compensation", "", "Compensate the sample size when computing the stress index."},
    {"channel", "N|LABEL",
     "ECG records: the channel to find the beats in, by number from 0\n"
     "or label (default: the first ECG-like one: MLII, II, ECG, ...)."},
    {"annotations", "EXT",
     "WFDB records: take the beats of the annotator EXT (atr, qrs, ...)\n"
     "instead of detecting them."},
};

const OptionRow kStart{"start", "SECONDS", "The fragment's start (default 0)."};
const OptionRow kLandscape{"landscape", "", "Landscape instead of portrait."};
const OptionRow kSize{"size", "WxH", "The window's size in pixels (default 1000x700)."};
const OptionRow kXpos{"xpos", "N", "The first beat shown is N + 1."};
const OptionRow kZoom{"zoom", "LEVEL",
                      "Pixels per beat (1, 2, 4), beats per pixel column (1/2 to 1/128),\n"
                      "or whole: the recording in the window's width (default 1).",
                      "1 2 4 1/2 1/4 1/8 1/16 1/32 1/64 1/128 whole"};

const OptionRow kJobs{"jobs", "N",
                      "Files analysed at once (1..256; default: the cores).\n"
                      "The output keeps the order of the files."};
// The choices --artifacts takes, as completion offers them.
const char* const kArtifactWords = "auto verylow low medium strong verystrong";
const OptionRow kRowArtifacts{"artifacts", "auto|LEVEL",
                              "Correct artifacts in each row first: auto classifies and\n"
                              "corrects ectopic, long, short, missed and extra beats over\n"
                              "the whole recording (Lipponen & Tarvainen); LEVEL is verylow,\n"
                              "low, medium, strong, verystrong (450, 350, 250, 150, 50 ms) or\n"
                              "a threshold in ms.",
                              kArtifactWords};
const OptionRow kReviewArtifacts{"artifacts", "LEVEL",
                                 "LEVEL is auto, the automatic classification and correction\n"
                                 "(Lipponen and Tarvainen 2019; the default), or a threshold:\n"
                                 "verylow, low, medium, strong, verystrong (450, 350, 250, 150,\n"
                                 "50 ms) or a number of ms.",
                                 "auto verylow low medium strong verystrong"};
// The columns trend and stages write after their own, with the units they hold.
const char* const kClockColumn =
    "clock: the local date and time at which the row begins,\n"
    "YYYY-MM-DDThh:mm:ss, present only when some IN tells when it\n"
    "began (a '# start:' line of Trivant's CSV, the first date-time of\n"
    "an export such as Polar's phone timestamp); empty for an IN that\n"
    "tells none. JSON has the key only where the start is known.\n";
const char* const kRowColumns = "Columns after those (CSV; the same keys in JSON, where the\n"
                                "artifact fields sit in an \"artifacts\" object):\n"
                                "  n               intervals in the row\n"
                                "  mean_rr, sdnn, rmssd, sd1, sd2  ms\n"
                                "  mean_hr         mean heart rate, beats/min\n"
                                "  nn50            count; pnn50 % of the intervals\n"
                                "  vlf, lf, hf, total  ms^2 (Welch)\n"
                                "  lf_nu, hf_nu    % of LF + HF; lf_hf the ratio\n"
                                "  lf_peak, hf_peak  Hz\n"
                                "  dfa_a1, dfa_a2, sampen  no unit\n"
                                "  threshold_ms    ms, or auto; flagged count; percent % of the\n"
                                "                  intervals\n"
                                "  corrected, exact_intervals  1 or 0 (JSON: true or false)\n"
                                "  edited          beats changed by the recording's review\n"
                                "  vlf_lo_hz, lf_lo_hz, hf_lo_hz, hf_hi_hz  the bands' edges, Hz\n"
                                "                  (JSON: a \"bands\" object)\n"
                                "Empty (JSON: null) where a row is too short for a measure.";
const OptionRow kBands{"bands", "VLF_LO,LF_LO,HF_LO,HF_HI",
                       "The spectral bands' edges in Hz, increasing, HF_HI at most\n"
                       "2 (default 0.0033,0.04,0.15,0.4)."};
const OptionRow kRowsCsv{"csv", "", "CSV rows under a header line (the default)."};
const OptionRow kRowsJson{"json", "", "JSON lines, one object per row."};

std::vector<CliCommand> makeCommands() {
    return {
        {"convert",
         "IN OUT",
         "iw",
         "Convert a recording; OUT's format follows its extension\n"
         "(.rr binary, .txt text, .csv Trivant's CSV). Only .csv keeps\n"
         "intervals finer than 10 ms; a .rr or .txt OUT that rounds\n"
         "some says how many on stderr.",
         {}},
        {"import-ms",
         "IN OUT",
         "mr",
         "Import RR intervals in ms, one per line, with an optional\n"
         "second column of SpO2 in %. Blank lines and lines starting\n"
         "with # are ignored. Intervals are rounded to 10 ms. A CSV\n"
         "export with an RR column is taken too.",
         {}},
        {"summary", "IN", "i", "Print the recording's summary as one JSON object.", {}},
        {"beats",
         "RECORD",
         "i",
         "Print the beats of an ECG record (or of Trivant's CSV made from\n"
         "one), one a line after the header sample,time_s: the R peak's\n"
         "sample number and its time in seconds from the record's start.",
         {}},
        {"analyze",
         "IN...",
         "i+",
         "Analyse the 5-minute fragment from --start in each recording:\n"
         "time-domain statistics and the power spectrum, as JSON lines\n"
         "(--json, the default) or CSV rows (--csv).\n"
         "Fields, as the report keeps them (JSON keys and CSV columns):\n"
         "  FrPos, FrEnd    beat numbers; the fragment is beats FrPos+1..FrEnd\n"
         "  FrSDNN, FrRMSSD, FrTINN  ms\n"
         "  FrNN50          count; FrpNN50 % of the intervals\n"
         "  FrBPM           mean heart rate, beats/min\n"
         "  FrIB50          stress index (50 ms histogram)\n"
         "  FrHRV           HRV triangular index in tenths (117 = 11.7)\n"
         "  FrModa, FrDX    10 ms units (73 = 730 ms); FrAMo beats\n"
         "  FrAMo_pr        mode amplitude, % of the intervals\n"
         "  FrModa50, FrDX50  50 ms units; FrAMo50 beats\n"
         "  FrVLF, FrLF, FrHF, FrTotalPower  ms^2 (the report's own scale)\n"
         "  FrLFnorm, FrHFnorm  %; FrLFdivHF hundredths (298 = 2.98)\n"
         "  spectrum        JSON only: 150 powers at k/300 Hz, k = 1..150",
         {kStart,
          {"json", "", "JSON lines, one object per file (the default)."},
          {"csv", "", "CSV rows under a header line."},
          {"standard", "",
           "The standard HRV measures too (time domain,\n"
           "Poincare, Welch spectrum, DFA, sample entropy, artifacts):\n"
           "a \"standard\" object in JSON, std_ columns in CSV."},
          {"artifacts", "auto|LEVEL",
           "Correct artifacts before the standard measures\n"
           "(implies --standard): auto classifies and corrects ectopic,\n"
           "long, short, missed and extra beats (Lipponen & Tarvainen);\n"
           "LEVEL is verylow, low, medium, strong, verystrong (450, 350,\n"
           "250, 150, 50 ms) or a threshold in ms.",
           kArtifactWords},
          kBands,
          {"long", "",
           "Instead of the fragment, the whole recording's long-term\n"
           "measures, one row or object per file: file, duration_s (s), n,\n"
           "segments (complete 5-minute segments), sdnn, sdann (SD of the\n"
           "segments' means), sdnni (mean of their SDNNs), in ms; empty\n"
           "(JSON: null) where undefined. --start and --standard don't apply."},
          kJobs}},
        {"trend",
         "IN...",
         "i+",
         "The standard measures in windows sliding along each whole\n"
         "recording, each the fragment the report's picker gives at its\n"
         "start: window k starts k*step seconds after the first interval\n"
         "and holds the intervals after the first beat there, for window\n"
         "seconds. CSV columns: file, start_s, end_s (s), clock, then those\n"
         "of analyze --standard without their std_. A recording shorter than\n"
         "one window gives no row, and a message on stderr.\n" +
             std::string(kClockColumn) + std::string(kRowColumns),
         {{"window", "S", "The window in seconds (30..3600; default 300)."},
          {"step", "S", "From one window to the next in seconds (1..window;\ndefault 30)."},
          {"png", "OUT.png",
           "Draw heart rate, RMSSD, SDNN and LF/HF along the recording\n"
           "into a PNG instead of the rows (one IN)."},
          kSize,
          kRowArtifacts,
          kBands,
          kRowsCsv,
          kRowsJson,
          kJobs}},
        {"stages",
         "IN...",
         "i+",
         "The standard measures of each stage the labels mark (stage 0\n"
         "before the first label, stage j from the j-th). CSV columns: file,\n"
         "stage, start_s, duration_s (s), clock, then those of analyze\n"
         "--standard without their std_, then name, the stage's label name,\n"
         "when a label of the files has one (JSON: a \"name\" key where it\n"
         "has one).\n" +
             std::string(kClockColumn) + std::string(kRowColumns),
         {kRowArtifacts, kBands, kRowsCsv, kRowsJson, kJobs}},
        {"coherence",
         "IN",
         "i",
         "Biofeedback figures every 5 s once 64 s of beats exist, from the\n"
         "latest beat at or before each time. CSV columns: time_s (s),\n"
         "hr_bpm (beats/min), rmssd_60s (ms, of the intervals ending in the\n"
         "last 60 s), amplitude_bpm (the mean max - min heart rate of the\n"
         "last 4 cycles of the coherence peak), coherence (the peak's power\n"
         "over the rest, 0.0033..0.4 Hz, in the last 64 s).",
         {kRowsCsv}},
        {"resonance",
         "IN",
         "i",
         "The resonance table of paced breathing: one row per rate, from\n"
         "the labels named \"rate 6.5\" or \"темп 6.5\" (each until the next one or\n"
         "the end), or from --rates. CSV columns: rate_bpm, start_s,\n"
         "duration_s, lf_peak_power (ms^2, Welch's within 0.015 Hz of the LF\n"
         "peak), amplitude_bpm (the mean max - min heart rate of the last 4\n"
         "breaths), coherence (at the segment's end), resonance (1 on the\n"
         "rate with the largest amplitude, ties broken by LF peak power).",
         {kRowsCsv,
          {"rates", "R,R,...",
           "Breaths per minute of consecutive segments instead of the\nlabels."},
          {"minutes", "M", "Minutes of each rate of --rates (default 2)."},
          {"start", "SECONDS", "Where the first rate of --rates begins (default 0)."}}},
        {"label",
         "IN OUT.csv",
         "ic",
         "Put labels on a recording and write it as Trivant's CSV, which\n"
         "keeps them with their names. A time T labels the beat whose\n"
         "interval holds it: beat 1 begins at 0 s, each next one where the\n"
         "one before ends. A labelled beat keeps its label; a NAME given\n"
         "names it anew.",
         {{"at", "T[=NAME],...",
           "Where to put labels: T is seconds from the start (600, 12.5) or\n"
           "a clock time hh:mm[:ss], counted from the recording's start time;\n"
           "=NAME names the label (no commas). May be given more than once."}}},
        {"artifacts",
         "IN",
         "i",
         "List the beats the artifact correction flags, one a row: beat\n"
         "(the interval's position, from 1), time_s (its start, s from the\n"
         "recording's start), type (ectopic, long, short, missed, extra;\n"
         "threshold for a threshold's flag) and rr_ms (the interval, ms):\n"
         "a table with the count below it, or CSV with --csv.",
         {kReviewArtifacts, {"csv", "", "CSV rows under a header line instead of the table."}}},
        {"correct",
         "IN OUT.csv",
         "ic",
         "Correct the recording's artifacts and write it as Trivant's CSV\n"
         "with its edits marked: the edit column (interpolated, inserted,\n"
         "moved, deleted), original_ms (the interval as recorded), and each\n"
         "deleted beat as a row of its own, which the analysis skips.\n"
         "Prints how many beats are edited.",
         {kReviewArtifacts}},
        {"report",
         "IN OUT.pdf",
         "if",
         "Print the fragment report from --start into a PDF file: the\n"
         "report, then the standard measures. Pictures and PDFs follow the\n"
         "interface language (TRIVANT_LANG, then the locale), as Trivant does.",
         {kStart,
          kLandscape,
          {"artifacts", "auto|LEVEL",
           "Correct artifacts on the standard measures' page: auto\n"
           "classifies and corrects the beats (Lipponen & Tarvainen);\n"
           "LEVEL is verylow, low, medium, strong, verystrong (450, 350,\n"
           "250, 150, 50 ms) or a threshold in ms.",
           kArtifactWords},
          kBands}},
        {"print",
         "IN OUT.pdf",
         "if",
         "Print the recording window's page into a PDF file.",
         {kLandscape, kSize, kXpos, kZoom}},
        {"render",
         "IN OUT.png",
         "ip",
         "Draw the recording window as it would show IN, into a PNG.\nNeeds no display.",
         {kSize, kXpos, kZoom, {"point", "BEAT", "Show the histogram and values of that beat."}}},
        {"record",
         "OUT",
         "w",
         "Record from the pulse device into OUT (.rr, .txt or .csv), on\n"
         "100 ms ticks as the application does. Ctrl+C stops and saves.\n"
         "The settings' five-minute limit applies unless --beats or\n"
         "--seconds is given. A strap's intervals are exact: .csv keeps\n"
         "them, .rr and .txt round them to 10 ms. A .csv OUT keeps the\n"
         "clock time of the start too (# start:), but for --ble-replay.",
         {{"port", "NAME", "The serial port; searched for automatically if absent."},
          {"ble", "ADDRESS",
           "Record from the Bluetooth heart-rate strap at ADDRESS\n"
           "(trivant-cli ble-scan lists them)."},
          {"ble-replay", "LOG",
           "Record from a strap's notification log instead of the radio,\n"
           "without waiting: one notification a line, SECONDS HEX."},
          {"beats", "N", "Stop after N beats, not at five minutes."},
          {"seconds", "T",
           "Stop after T seconds (of the log, with --ble-replay), not at\n"
           "five minutes."}}},
        {"ble-scan",
         "",
         "",
         "List the Bluetooth heart-rate straps in reach, one a line:\n"
         "address, name and signal (dBm), with tabs between.",
         {{"seconds", "T", "Scan for T seconds (default 5)."}}},
        {"recover",
         "JOURNAL OUT",
         "jw",
         "Turn the journal a recording left behind (OUT.part of record,\n"
         ".NAME.rr.part in the application's Data folder) into OUT\n"
         "(.rr, .txt or .csv; text and CSV get the comment; a strap's\n"
         "exact intervals stay exact in .csv), then remove the journal.\n"
         "With --list, list the journals of a folder instead.",
         {{"list", "",
           "recover --list [FOLDER]: the journals of FOLDER (default: the\n"
           "current one) that no running recording writes, one a line:\n"
           "path, beats, start time, with tabs between."}}},
    };
}

// "6.5,6,5.5": breaths per minute, 1 to 30 each.
std::string parseRates(const std::string& v, std::vector<double>& out) {
    out.clear();
    for (size_t from = 0; from <= v.size();) {
        const size_t comma = std::min(v.find(',', from), v.size());
        double r = 0;
        if (!ParseNumber(std::string_view(v).substr(from, comma - from), r) || !(r >= 1 && r <= 30))
            return "--rates takes breaths per minute from 1 to 30, with commas between";
        out.push_back(r);
        from = comma + 1;
    }
    return {};
}

std::string takeRenderValue(const std::string& name, const std::string& v, CliOptions& out) {
    int n = 0;
    if (name == "--size") {
        const auto x = v.find('x');
        if (x == std::string::npos || !ParseNumber(v.substr(0, x), out.width) ||
            !ParseNumber(v.substr(x + 1), out.height) || out.width < 200 || out.height < 150 ||
            out.width > 10000 || out.height > 10000)
            return "--size takes WIDTHxHEIGHT, from 200x150 to 10000x10000";
    } else if (name == "--xpos") {
        if (!ParseNumber(v, n) || n < 0 || n > kMaxRecordingBeats)
            return "--xpos takes 0 to 1000000";
        out.xpos = n;
    } else if (name == "--zoom") {
        if (!parseZoom(v, out.zoom))
            return "--zoom takes 1, 2, 4, 1/2, 1/4 .. 1/128 or whole";
    } else if (name == "--start") {
        if (!ParseNumber(v, out.start) || out.start < 0 || out.start > kMaxStartS)
            return "--start takes seconds from 0 to " + std::to_string(kMaxStartS);
    } else if (name == "--jobs") {
        if (!ParseNumber(v, n) || n < 1 || n > kMaxJobs)
            return "--jobs takes a whole number from 1 to 256";
        out.jobs = n;
    } else if (name == "--artifacts") {
        ArtifactOptions a;
        if (!ParseArtifactChoice(v, a))
            return "--artifacts takes auto, verylow, low, medium, strong, verystrong or a number "
                   "of ms";
        out.artifacts = a;
        out.standard = true;
    } else if (name == "--bands") {
        std::string error;
        if (!ParseBandEdges(v, out.bands, error))
            return "--bands: " + error;
        out.standard = true;
    } else if (name == "--png") {
        if (v.size() <= 4 || v.compare(v.size() - 4, 4, ".png") != 0)
            return "--png takes the name of a .png file";
        out.png = v;
    } else if (name == "--window") {
        if (!ParseNumber(v, out.window) || out.window < kMinTrendWindowS ||
            out.window > kMaxTrendWindowS)
            return "--window takes whole seconds from 30 to 3600";
    } else if (name == "--step") {
        if (!ParseNumber(v, n) || n < kMinTrendStepS || n > kMaxTrendWindowS)
            return "--step takes whole seconds from 1 to the window";
        out.step = n;
    } else if (name == "--at") {
        return ParseLabelTimes(v, out.at);
    } else if (name == "--rates") {
        return parseRates(v, out.rates);
    } else if (name == "--minutes") {
        if (!ParseNumber(v, out.minutes) || !(out.minutes >= 0.5 && out.minutes <= 60))
            return "--minutes takes a number from 0.5 to 60";
    } else if (name == "--point") {
        if (!ParseNumber(v, n) || n < 1 || n > kMaxRecordingBeats)
            return "--point takes a beat number";
        out.point = n;
    }
    return {};
}

// An option with a value, as "--name value" or "--name=value"; empty means success.
std::string takeValue(const std::string& name, const std::string& v, CliOptions& out) {
    if (name == "--artifacts" && (out.command == "artifacts" || out.command == "correct"))
        return ParseArtifactChoice(v, out.review) ? std::string()
                                                  : "--artifacts takes auto, verylow, low, medium, "
                                                    "strong, verystrong or a number of ms";
    if (name == "--sample") {
        int n = 0;
        if (!ParseNumber(v, n) || n < kMinSample || n > kMaxSample)
            return "--sample takes a whole number from 20 to 500";
        out.sample = n;
    } else if (name == "--port") {
        if (v.empty())
            return "--port needs a name";
        out.port = v;
    } else if (name == "--ble" || name == "--ble-replay") {
        if (v.empty())
            return name + " needs a value";
        (name == "--ble" ? out.ble : out.bleReplay) = v;
    } else if (name == "--beats") {
        long n = 0;
        if (!ParseNumber(v, n) || n < 1 || n > kMaxBeats)
            return "--beats takes a whole number from 1 to 31999";
        out.beats = n;
    } else if (name == "--channel" || name == "--annotations") {
        if (v.empty())
            return name + " needs a value";
        (name == "--channel" ? out.channel : out.annotations) = v;
    } else if (name == "--seconds") {
        double t = 0;
        if (!ParseNumber(v, t) || !(t > 0 && t <= 1e7))
            return "--seconds takes a positive number";
        out.seconds = t;
    } else {
        return takeRenderValue(name, v, out);
    }
    return {};
}

// Switches; "--json" clears what "--csv" sets, so the last of the two wins.
const std::pair<const char*, bool CliOptions::*> kSwitches[] = {
    {"help", &CliOptions::help},
    {"version", &CliOptions::version},
    {"landscape", &CliOptions::landscape},
    {"list", &CliOptions::list},
    {"ib-compensation", &CliOptions::ibCompensation},
    {"standard", &CliOptions::standard},
    {"long", &CliOptions::longTerm},
    {"csv", &CliOptions::csv},
    {"json", &CliOptions::csv},
};

// False when the option takes a value.
bool takeSwitch(const std::string& name, CliOptions& out) {
    for (const auto& [switchName, flag] : kSwitches)
        if (name == switchName) {
            out.*flag = name != "json";
            if (name == "json" || name == "csv")
                out.json = name == "json";
            return true;
        }
    return false;
}

// The names of every option that takes a value, whatever the command.
std::set<std::string> valueNames() {
    std::set<std::string> out;
    for (const CliCommand& c : CliCommands())
        for (const OptionRow& o : CliCommandOptions(c))
            if (*o.valueName != '\0')
                out.insert(LongName(o));
    return out;
}

// The first argument that is neither an option nor an option's value. Like the parser, it
// takes "-name" for "--name".
std::string commandWord(const std::vector<std::string>& args) {
    static const std::set<std::string> values = valueNames();
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--")
            return i + 1 < args.size() ? args[i + 1] : std::string();
        if (a.size() < 2 || a[0] != '-')
            return a;
        if (values.count(a.substr(a[1] == '-' ? 2 : 1)))
            ++i;  // its value follows; "--name=value" holds its own
    }
    return {};
}

}  // namespace

const std::vector<CliCommand>& CliCommands() {
    static const std::vector<CliCommand> table = makeCommands();
    return table;
}

const CliCommand* FindCliCommand(const std::string& name) {
    for (const CliCommand& c : CliCommands())
        if (name == c.name)
            return &c;
    return nullptr;
}

OptionTable CliCommandOptions(const CliCommand& cmd) {
    OptionTable all = kCommon;
    all.insert(all.end(), cmd.options.begin(), cmd.options.end());
    return all;
}

std::string ParseCliOptions(const std::vector<std::string>& args, CliOptions& out) {
    out.command = commandWord(args);
    const CliCommand* cmd = FindCliCommand(out.command);
    ParsedArguments parsed;
    const std::string bad = ParseArguments(cmd ? CliCommandOptions(*cmd) : kCommon, args, parsed);
    const std::string unknown = "unknown command '" + out.command + "'";
    if (!bad.empty())
        return out.command.empty() || cmd ? bad : unknown;
    if (!parsed.positional.empty())
        out.files.assign(parsed.positional.begin() + 1, parsed.positional.end());
    std::vector<const ParsedOption*> values;
    for (const ParsedOption& o : parsed.options)
        if (!takeSwitch(o.name, out))
            values.push_back(&o);
    // After the switches, so that --help anywhere wins over a wrong value.
    for (const ParsedOption* o : values) {
        const std::string wrong = takeValue("--" + o->name, o->value, out);
        if (!wrong.empty() && !out.help)
            return wrong;
    }
    if (out.help || out.version)
        return {};
    if (out.command.empty())
        return "no command given";
    if (!out.png.empty() && out.files.size() != 1)
        return "--png draws one recording: give one IN";
    if (out.command == "label" && out.at.empty())
        return "label needs --at T[,T...]";
    if (out.step && *out.step > out.window)
        return "--step takes whole seconds from 1 to the window";
    if (int(!out.port.empty()) + int(!out.ble.empty()) + int(!out.bleReplay.empty()) > 1)
        return "--port, --ble and --ble-replay choose one device: give one of them";
    return cmd ? std::string() : unknown;
}

std::string CliUsage() {
    std::string out = std::string(kAbout) + "\nCommands:\n";
    for (const CliCommand& c : CliCommands())
        out += HelpRow(std::string(c.name) + " " + c.args, c.help.c_str());
    out += "\nOptions of every command:\n" + OptionsHelp(kCommon) +
           "\n\"trivant-cli COMMAND --help\" lists the options of that command.\n\n";
    return out + kClosing;
}

std::string CliCommandUsage(const CliCommand& cmd) {
    return "Usage: trivant-cli " + std::string(cmd.name) + " [OPTIONS] " + cmd.args + "\n\n" +
           cmd.help + "\n\nOptions:\n" + OptionsHelp(CliCommandOptions(cmd)) + "\n" + kClosing;
}

CompletionTool CliCompletion() {
    CompletionTool tool{"trivant-cli", kCommon, {}};
    for (const CliCommand& c : CliCommands())
        tool.commands.push_back({c.name, c.files, CliCommandOptions(c)});
    return tool;
}

}  // namespace trivant
