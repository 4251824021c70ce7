// The tables of the fragment's numbers and their CSV.
#include "measure_csv.h"

#include "csv_quote.h"
#include "number_text.h"

namespace trivant {

const std::array<FragmentField, 24> kFragmentFields = {{
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
}};

const std::array<StandardField, 20> kStandardFields = {{
    {"mean_rr", &StandardMeasures::mean_rr}, {"sdnn", &StandardMeasures::sdnn},
    {"mean_hr", &StandardMeasures::mean_hr}, {"rmssd", &StandardMeasures::rmssd},
    {"nn50", &StandardMeasures::nn50},       {"pnn50", &StandardMeasures::pnn50},
    {"sd1", &StandardMeasures::sd1},         {"sd2", &StandardMeasures::sd2},
    {"vlf", &StandardMeasures::vlf},         {"lf", &StandardMeasures::lf},
    {"hf", &StandardMeasures::hf},           {"total", &StandardMeasures::total},
    {"lf_nu", &StandardMeasures::lf_nu},     {"hf_nu", &StandardMeasures::hf_nu},
    {"lf_hf", &StandardMeasures::lf_hf},     {"lf_peak", &StandardMeasures::lf_peak},
    {"hf_peak", &StandardMeasures::hf_peak}, {"dfa_a1", &StandardMeasures::dfa_a1},
    {"dfa_a2", &StandardMeasures::dfa_a2},   {"sampen", &StandardMeasures::sampen},
}};

const std::array<BandEdgeField, 4> kBandEdgeFields = {{
    {"vlf_lo_hz", &BandEdges::vlfLo},
    {"lf_lo_hz", &BandEdges::lfLo},
    {"hf_lo_hz", &BandEdges::hfLo},
    {"hf_hi_hz", &BandEdges::hfHi},
}};

std::string CsvField(const std::string& s) {
    return CsvQuoted(s, ",\"\r\n");
}

namespace {

// Every standard value in column order, as text; empty where undefined.
template <typename F> void forEachValue(const StandardMeasures& m, F f) {
    f("n", std::to_string(m.n));
    for (const StandardField& field : kStandardFields) {
        const std::optional<double>& v = m.*field.value;
        f(field.name, v ? NumberText(*v) : std::string());
    }
    const ArtifactReport& a = m.artifacts;
    f("threshold_ms", a.automatic ? std::string(kAutomaticName) : NumberText(a.thresholdMs));
    f("flagged", std::to_string(a.flagged));
    f("percent", NumberText(a.percent));
    f("corrected", a.corrected ? "1" : "0");
    f("edited", std::to_string(a.edited));
    f("exact_intervals", m.exact_intervals ? "1" : "0");
    for (const BandEdgeField& e : kBandEdgeFields)
        f(e.name, NumberText(m.bands.*e.value));
}

}  // namespace

std::string FragmentCsvHeader() {
    std::string out = "file";
    for (const FragmentField& f : kFragmentFields)
        out += std::string(",") + f.name;
    return out;
}

std::string FragmentCsvRow(const std::string& file, const FragmentReport& r) {
    std::string out = CsvField(file);
    for (const FragmentField& f : kFragmentFields)
        out += "," + std::to_string(r.*f.value);
    return out;
}

std::string StandardCsvHeader(const char* prefix) {
    std::string out;
    forEachValue(StandardMeasures{}, [&](const char* name, const std::string&) {
        out += std::string(",") + prefix + name;
    });
    return out;
}

std::string StandardCsvCells(const StandardMeasures& m) {
    std::string out;
    forEachValue(m, [&](const char*, const std::string& v) { out += "," + v; });
    return out;
}

std::vector<std::pair<const char*, std::optional<double>>>
LongTermValues(const LongTermMeasures& m) {
    return {{"duration_s", m.durationS}, {"n", m.n},
            {"segments", m.segments},    {"sdnn", m.sdnn},
            {"sdann", m.sdann},          {"sdnni", m.sdnni}};
}

std::string LongTermCsvHeader() {
    std::string out = "file";
    for (const auto& [name, value] : LongTermValues({}))
        out += std::string(",") + name;
    return out;
}

std::string LongTermCsvRow(const std::string& file, const LongTermMeasures& m) {
    std::string out = CsvField(file);
    for (const auto& [name, value] : LongTermValues(m))
        out += "," + (value ? NumberText(*value) : std::string());
    return out;
}

}  // namespace trivant
