// Runs the fragment analysis per file, on several threads; a file that fails is reported and
// the batch goes on. Lines and messages keep the order of the files.
#include "analyze_command.h"

#include "analyze_batch.h"
#include "cli_commands.h"
#include "progress_line.h"
#include "standard_json.h"
#include "summary_json.h"
#include "terminal.h"

#include <QJsonArray>

#include <iostream>

namespace trivant {

namespace {

// Fewer files are done before a count would be worth reading.
constexpr std::size_t kProgressFromFiles = 4;

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

FragmentLine AnalyzeLine(const CliOptions& opt) {
    ArtifactOptions artifacts;
    if (opt.artifactsMs) {
        artifacts.correct = true;
        artifacts.thresholdMs = *opt.artifactsMs;
    }
    return [csv = opt.csv, standard = opt.standard, artifacts](const std::string& file,
                                                               const FragmentReport& r) {
        if (!standard)
            return FileResult{true, csv ? FragmentCsvRow(file, r) : FragmentJson(file, r)};
        const StandardMeasures m = ComputeFragmentMeasures(r, artifacts);
        if (!m.ok)
            return FileResult{false, file + ": " + m.error};
        if (csv)
            return FileResult{true, FragmentCsvRow(file, r) + StandardCsvCells(m)};
        QJsonObject o = FragmentObject(file, r);
        o.insert("standard", StandardJsonObject(m));
        return FileResult{true, JsonLine(o)};
    };
}

QJsonObject FragmentObject(const std::string& file, const FragmentReport& r) {
    QJsonObject o{{"file", QString::fromStdString(file)}};
    for (const Field& f : kFields)
        o.insert(f.name, r.*f.value);
    QJsonArray spectrum;
    for (int k = 1; k <= kSpectrumBins; ++k)
        spectrum.append(r.FrSpecBuf[k]);
    o.insert("spectrum", spectrum);
    return o;
}

std::string FragmentJson(const std::string& file, const FragmentReport& r) {
    return JsonLine(FragmentObject(file, r));
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
    if (opt.csv)
        out << FragmentCsvHeader() << (opt.standard ? StandardCsvHeader() : "") << "\n";
    // The count is for a person watching this process's stderr, never for a caller's stream.
    const bool watched =
        &err == &std::cerr && StderrIsTerminal() && opt.files.size() > kProgressFromFiles;
    const bool outOnTerminal = watched && &out == &std::cout && StdoutIsTerminal();
    ProgressLine progress(err, opt.files.size(), watched);
    int status = kExitOk;
    BatchSink sink;
    sink.result = [&](std::size_t, const FileResult& r) {
        if (!r.ok) {
            status = kExitBadInput;
            progress.message(err, "trivant-cli: " + r.text);
        } else if (outOnTerminal) {
            progress.message(out, r.text);
        } else {
            out << r.text << "\n" << std::flush;  // a long batch shows its lines early
        }
    };
    sink.progress = [&](std::size_t done) { progress.show(done, ProgressLine::Clock::now()); };
    AnalyzeFiles(opt.files, setup, opt.start, opt.jobs.value_or(DefaultJobs()), AnalyzeLine(opt),
                 sink);
    progress.finish();
    return status;
}

}  // namespace trivant
