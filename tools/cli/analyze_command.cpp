// Runs the fragment analysis per file; a file that fails is reported and the batch goes on.
#include "analyze_command.h"

#include "cli_commands.h"
#include "recording_io.h"
#include "summary_json.h"

#include <cstdio>
#include <memory>

namespace trivant {

namespace {

struct Field {
    const char* name;
    int FragmentReport::*value;
};

const Field kFields[] = {
    {"FrPos", &FragmentReport::FrPos},
    {"FrEnd", &FragmentReport::FrEnd},
    {"FrSDNN", &FragmentReport::FrSDNN},
    {"FrRMSSD", &FragmentReport::FrRMSSD},
    {"FrNN50", &FragmentReport::FrNN50},
    {"FrpNN50", &FragmentReport::FrpNN50},
    {"FrBPM", &FragmentReport::FrBPM},
    {"FrIB50", &FragmentReport::FrIB50},
    {"FrHRV", &FragmentReport::FrHRV},
    {"FrTINN", &FragmentReport::FrTINN},
    {"FrModa", &FragmentReport::FrModa},
    {"FrAMo", &FragmentReport::FrAMo},
    {"FrAMo_pr", &FragmentReport::FrAMo_pr},
    {"FrDX", &FragmentReport::FrDX},
    {"FrModa50", &FragmentReport::FrModa50},
    {"FrAMo50", &FragmentReport::FrAMo50},
    {"FrDX50", &FragmentReport::FrDX50},
    {"FrVLF", &FragmentReport::FrVLF},
    {"FrLF", &FragmentReport::FrLF},
    {"FrHF", &FragmentReport::FrHF},
    {"FrTotalPower", &FragmentReport::FrTotalPower},
    {"FrLFnorm", &FragmentReport::FrLFnorm},
    {"FrHFnorm", &FragmentReport::FrHFnorm},
    {"FrLFdivHF", &FragmentReport::FrLFdivHF},
};

// A CSV field: quoted when it holds a separator, a quote or a line break.
std::string csvText(const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos)
        return s;
    std::string out = "\"";
    for (char c : s)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

}  // namespace

std::string FragmentJson(const std::string& file, const FragmentReport& r) {
    std::string out = "{\"file\": " + JsonString(file);
    for (const Field& f : kFields)
        out += ", \"" + std::string(f.name) + "\": " + std::to_string(r.*f.value);
    out += ", \"spectrum\": [";
    for (int k = 1; k <= kSpectrumBins; ++k) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.17g", r.FrSpecBuf[k]);
        out += (k > 1 ? ", " : "") + std::string(buf);
    }
    return out + "]}";
}

std::string FragmentCsvHeader() {
    std::string out = "file";
    for (const Field& f : kFields)
        out += std::string(",") + f.name;
    return out;
}

std::string FragmentCsvRow(const std::string& file, const FragmentReport& r) {
    std::string out = csvText(file);
    for (const Field& f : kFields)
        out += "," + std::to_string(r.*f.value);
    return out;
}

int RunAnalyze(const CliOptions& opt, const Setup& setup, std::ostream& out, std::ostream& err) {
    auto buf = std::make_unique<AnalysisBuffers>();
    auto report = std::make_unique<FragmentReport>();
    int status = kExitOk;
    if (opt.csv)
        out << FragmentCsvHeader() << "\n";
    for (const std::string& file : opt.files) {
        auto rec = std::make_unique<Recording>();
        std::string msg = LoadRecording(file, ToCoreSettings(setup), *rec);
        if (msg.empty() &&
            !AnalyzeFragment(*rec, opt.start, PrepareAnalysis(*rec, *buf), *buf, *report, &msg))
            msg = file + ": " + msg;
        if (!msg.empty()) {
            err << "trivant-cli: " << msg << "\n";
            status = kExitBadInput;
            continue;
        }
        out << (opt.csv ? FragmentCsvRow(file, *report) : FragmentJson(file, *report)) << "\n";
    }
    return status;
}

}  // namespace trivant
