// Parses trivant-cli's arguments; options may stand before or after the file names.
#include "cli_options.h"

#include "number_text.h"
#include "recording.h"

namespace trivant {

const char* const kCliUsage =
    "Usage: trivant-cli COMMAND [OPTIONS] FILE...\n"
    "\n"
    "Commands:\n"
    "  convert IN OUT     Convert a recording; the format of each file follows its\n"
    "                     extension (.rr binary, .txt text).\n"
    "  import-ms IN OUT   Import RR intervals in ms, one per line, with an optional\n"
    "                     second column of SpO2 in %. Blank lines and lines starting\n"
    "                     with # are ignored. Intervals are rounded to 10 ms.\n"
    "  summary IN         Print the recording's summary as one JSON object.\n"
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
    "  -h, --help         Show this help.\n"
    "\n"
    "Without --sample and --ib-compensation the settings file tv3cfg.cfg of the\n"
    "current directory applies, or the defaults when there is none.\n"
    "\n"
    "Exit status: 0 success, 1 bad input, 2 wrong usage.\n";

namespace {

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
        return "unknown option " + name;
    }
    return {};
}

}  // namespace

std::string ParseCliOptions(const std::vector<std::string>& args, CliOptions& out) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-h" || a == "--help") {
            out.help = true;
        } else if (a == "--ib-compensation") {
            out.ibCompensation = true;
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
