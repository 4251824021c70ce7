// Parses trivant-cli's arguments; options may stand before or after the file names.
#include "cli_options.h"

#include "core_settings.h"

#include <charconv>

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
    "\n"
    "Options:\n"
    "  --sample N         Sample size for the histogram and indices (20..500 beats).\n"
    "  --ib-compensation  Compensate the sample size when computing the stress index.\n"
    "  -h, --help         Show this help.\n"
    "\n"
    "Without --sample and --ib-compensation the settings file tv3cfg.cfg of the\n"
    "current directory applies, or the defaults when there is none.\n"
    "\n"
    "Exit status: 0 success, 1 bad input, 2 wrong usage.\n";

namespace {

bool parseSample(const std::string& s, int& v) {
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    return r.ec == std::errc() && r.ptr == s.data() + s.size() && v >= kMinSample &&
           v <= kMaxSample;
}

}  // namespace

std::string ParseCliOptions(const std::vector<std::string>& args, CliOptions& out) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-h" || a == "--help") {
            out.help = true;
        } else if (a == "--ib-compensation") {
            out.ibCompensation = true;
        } else if (a == "--sample" || a.rfind("--sample=", 0) == 0) {
            std::string v;
            if (a == "--sample") {
                if (i + 1 >= args.size())
                    return "--sample needs a value";
                v = args[++i];
            } else {
                v = a.substr(9);
            }
            int n = 0;
            if (!parseSample(v, n))
                return "--sample takes a whole number from 20 to 500";
            out.sample = n;
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
