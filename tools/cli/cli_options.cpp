// Parses trivant-cli's arguments; options may stand before or after the file names.
#include "cli_options.h"

#include "number_text.h"
#include "recording.h"
#include "standard_measures.h"

namespace trivant {

const char* const kCliUsage =
    "Usage: trivant-cli COMMAND [OPTIONS] FILE...\n"
    "\n"
    "Commands:\n"
    "  convert IN OUT     Convert a recording; OUT's format follows its extension\n"
    "                     (.rr binary, .txt text).\n"
    "  import-ms IN OUT   Import RR intervals in ms, one per line, with an optional\n"
    "                     second column of SpO2 in %. Blank lines and lines starting\n"
    "                     with # are ignored. Intervals are rounded to 10 ms. A CSV\n"
    "                     export with an RR column is taken too.\n"
    "  summary IN         Print the recording's summary as one JSON object.\n"
    "  analyze IN...      Analyse the 5-minute fragment from --start in each recording:\n"
    "                     time-domain statistics and the power spectrum, as JSON lines\n"
    "                     (--json, the default) or CSV rows (--csv).\n"
    "  report IN OUT.pdf  Print the fragment report from --start into a PDF file.\n"
    "  print IN OUT.pdf   Print the recording window's page into a PDF file.\n"
    "  render IN OUT.png  Draw the recording window as it would show IN, into a PNG.\n"
    "                     Needs no display.\n"
    "  record OUT         Record from the pulse device into OUT (.rr or .txt), on\n"
    "                     100 ms ticks as the application does. Ctrl+C stops and saves.\n"
    "                     The settings' five-minute limit applies.\n"
    "\n"
    "Options:\n"
    "  --sample N         Sample size for the histogram and indices (20..500 beats).\n"
    "  --ib-compensation  Compensate the sample size when computing the stress index.\n"
    "  --port NAME        record: the serial port; searched for automatically if absent.\n"
    "  --beats N          record: stop after N beats.\n"
    "  --seconds T        record: stop after T seconds.\n"
    "  --start SECONDS    analyze, report: the fragment's start (default 0).\n"
    "  --json, --csv      analyze: the output format.\n"
    "  --standard         analyze: the standard HRV measures too (time domain,\n"
    "                     Poincare, Welch spectrum, DFA, sample entropy, artifacts):\n"
    "                     a \"standard\" object in JSON, std_ columns in CSV.\n"
    "  --artifacts LEVEL  analyze: correct artifacts before the standard measures\n"
    "                     (implies --standard); LEVEL is verylow, low, medium, strong,\n"
    "                     verystrong (450, 350, 250, 150, 50 ms) or a threshold in ms.\n"
    "  --jobs N           analyze: files analysed at once (1..256; default: the cores).\n"
    "                     The output keeps the order of the files.\n"
    "  --landscape        print: landscape instead of portrait.\n"
    "  --size WxH         render: the window's size in pixels (default 1000x700).\n"
    "  --xpos N           render: the first beat shown is N + 1.\n"
    "  --zoom 1|2|4       render: pixels per beat.\n"
    "  --point BEAT       render: show the histogram and values of that beat.\n"
    "  -h, --help         Show this help.\n"
    "  --version          Show the version.\n"
    "\n"
    "Every IN may be a .rr file, a text file, an RR list in ms or a CSV export whose\n"
    "header names an RR column (RR, rr_ms, RRI, NN, ...); its content tells which.\n"
    "\n"
    "Without --sample and --ib-compensation the settings file tv3cfg.cfg of the\n"
    "current directory applies, or the defaults when there is none.\n"
    "\n"
    "Exit status: 0 success, 1 bad input, 2 wrong usage.\n";

namespace {

constexpr int kMaxJobs = 256;

std::string takeRenderValue(const std::string& name, const std::string& v, CliOptions& out) {
    int n = 0;
    if (name == "--size") {
        const auto x = v.find('x');
        if (x == std::string::npos || !ParseNumber(v.substr(0, x), out.width) ||
            !ParseNumber(v.substr(x + 1), out.height) || out.width < 200 || out.height < 150 ||
            out.width > 10000 || out.height > 10000)
            return "--size takes WIDTHxHEIGHT, from 200x150 to 10000x10000";
    } else if (name == "--xpos") {
        if (!ParseNumber(v, n) || n < 0 || n > kCapacity)
            return "--xpos takes 0 to 32000";
        out.xpos = n;
    } else if (name == "--zoom") {
        if (!ParseNumber(v, out.zoom) || (out.zoom != 1 && out.zoom != 2 && out.zoom != 4))
            return "--zoom takes 1, 2 or 4";
    } else if (name == "--start") {
        if (!ParseNumber(v, out.start) || out.start < 0 || out.start > 30000)
            return "--start takes seconds from 0 to 30000";
    } else if (name == "--jobs") {
        if (!ParseNumber(v, n) || n < 1 || n > kMaxJobs)
            return "--jobs takes a whole number from 1 to 256";
        out.jobs = n;
    } else if (name == "--artifacts") {
        double ms = 0;
        if (!ParseArtifactLevel(v, ms))
            return "--artifacts takes verylow, low, medium, strong, verystrong or a number of ms";
        out.artifactsMs = ms;
        out.standard = true;
    } else if (name == "--point") {
        if (!ParseNumber(v, n) || n < 1 || n > kMaxBeats)
            return "--point takes a beat number";
        out.point = n;
    } else {
        return "unknown option " + name;
    }
    return {};
}

// An option with a value, as "--name value" or "--name=value"; empty means success.
std::string takeValue(const std::string& name, const std::string& v, CliOptions& out) {
    if (name == "--sample") {
        int n = 0;
        if (!ParseNumber(v, n) || n < kMinSample || n > kMaxSample)
            return "--sample takes a whole number from 20 to 500";
        out.sample = n;
    } else if (name == "--port") {
        if (v.empty())
            return "--port needs a name";
        out.port = v;
    } else if (name == "--beats") {
        long n = 0;
        if (!ParseNumber(v, n) || n < 1 || n > kMaxBeats)
            return "--beats takes a whole number from 1 to 31999";
        out.beats = n;
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

}  // namespace

std::string ParseCliOptions(const std::vector<std::string>& args, CliOptions& out) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-h" || a == "--help") {
            out.help = true;
        } else if (a == "--version") {
            out.version = true;
        } else if (a == "--ib-compensation") {
            out.ibCompensation = true;
        } else if (a == "--landscape") {
            out.landscape = true;
        } else if (a == "--json" || a == "--csv") {
            out.csv = a == "--csv";
        } else if (a == "--standard") {
            out.standard = true;
        } else if (a.rfind("--", 0) == 0 && a.size() > 2) {
            const size_t eq = a.find('=');
            std::string value;
            if (eq != std::string::npos) {
                value = a.substr(eq + 1);
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                return a + " needs a value";
            }
            const std::string bad = takeValue(a.substr(0, eq), value, out);
            if (!bad.empty())
                return bad;
        } else if (a.size() > 1 && a[0] == '-') {
            return "unknown option " + a;
        } else if (out.command.empty()) {
            out.command = a;
        } else {
            out.files.push_back(a);
        }
    }
    if (!out.help && out.command.empty())
        return "no command given";
    return {};
}

}  // namespace trivant
