// Test tool: the standard measures of fragments of a recording (an RR list in ms: exact
// intervals), one JSON object a line, for standard_oracle.py to check.
// Usage: standard_dump RECORDING START_S...
// Each start is measured without correction and with correction at medium and verystrong;
// a start where no fragment fits prints {"start": S, "fits": false}.
#include "fragment_analysis.h"
#include "recording_file.h"
#include "standard_measures.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace trivant {
namespace {

void printNumber(const char* name, std::optional<double> v) {
    if (v)
        std::printf(", \"%s\": %.17g", name, *v);
    else
        std::printf(", \"%s\": null", name);
}

void printSeries(const char* name, const std::vector<double>& v) {
    std::printf(", \"%s\": [", name);
    for (size_t i = 0; i < v.size(); ++i)
        std::printf("%s%.17g", i ? ", " : "", v[i]);
    std::printf("]");
}

void printMeasures(int start, const char* level, const std::vector<double>& input,
                   const StandardMeasures& m) {
    std::printf("{\"start\": %d, \"fits\": true, \"level\": \"%s\", \"ok\": %s, \"exact\": %s",
                start, level, m.ok ? "true" : "false", m.exact_intervals ? "true" : "false");
    printSeries("input", input);
    printSeries("rr", m.rr);
    const std::pair<const char*, std::optional<double>> numbers[] = {
        {"mean_rr", m.mean_rr}, {"sdnn", m.sdnn},       {"mean_hr", m.mean_hr},
        {"rmssd", m.rmssd},     {"nn50", m.nn50},       {"pnn50", m.pnn50},
        {"sd1", m.sd1},         {"sd2", m.sd2},         {"vlf", m.vlf},
        {"lf", m.lf},           {"hf", m.hf},           {"total", m.total},
        {"lf_nu", m.lf_nu},     {"hf_nu", m.hf_nu},     {"lf_hf", m.lf_hf},
        {"lf_peak", m.lf_peak}, {"hf_peak", m.hf_peak}, {"dfa_a1", m.dfa_a1},
        {"dfa_a2", m.dfa_a2},   {"sampen", m.sampen}};
    for (const auto& [name, value] : numbers)
        printNumber(name, value);
    printNumber("threshold", m.artifacts.thresholdMs);
    printNumber("flagged", m.artifacts.flagged);
    printSeries("welch", m.welch.power);
    std::printf("}\n");
}

int run(int argc, char** argv) {
    auto rec = std::make_unique<Recording>();
    if (const std::string msg = ReadRecordingFile(argv[1], *rec); !msg.empty()) {
        std::fprintf(stderr, "%s\n", msg.c_str());
        return 1;
    }
    rec->PrepareData(CoreSettings{});
    auto buf = std::make_unique<AnalysisBuffers>();
    auto report = std::make_unique<FragmentReport>();
    const ResampleResult signal = PrepareAnalysis(*rec, *buf);
    for (int a = 2; a < argc; ++a) {
        const int start = std::atoi(argv[a]);
        std::string msg;
        if (!AnalyzeFragment(*rec, start, signal, *buf, *report, &msg)) {
            std::printf("{\"start\": %d, \"fits\": false}\n", start);
            continue;
        }
        const std::vector<double> input = FragmentIntervalsMs(*report);
        printMeasures(start, "none", input, ComputeFragmentMeasures(*report, {}));
        for (const char* level : {"medium", "verystrong"}) {
            ArtifactOptions options{true, 0};
            ParseArtifactLevel(level, options.thresholdMs);
            printMeasures(start, level, input, ComputeFragmentMeasures(*report, options));
        }
    }
    return 0;
}

}  // namespace
}  // namespace trivant

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: standard_dump RECORDING START_S...\n");
        return 2;
    }
    return trivant::run(argc, argv);
}
