// One table of the measures' names serves both formats, so their columns can't drift apart.
// The CSV cells keep 17 digits; JSON goes through QJsonObject.
#include "standard_json.h"

#include <cstdio>
#include <optional>

namespace trivant {

namespace {

struct Field {
    const char* name;
    std::optional<double> StandardMeasures::*value;
};

const Field kFields[] = {
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
};

std::string number(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

// Every value in order, as text; empty where undefined.
template <typename F> void forEachValue(const StandardMeasures& m, F f) {
    f("n", number(m.n));
    for (const Field& field : kFields) {
        const std::optional<double>& v = m.*field.value;
        f(field.name, v ? number(*v) : std::string());
    }
    const ArtifactReport& a = m.artifacts;
    f("threshold_ms", number(a.thresholdMs));
    f("flagged", number(a.flagged));
    f("percent", number(a.percent));
    f("corrected", a.corrected ? "true" : "false");
    f("exact_intervals", m.exact_intervals ? "1" : "0");
}

}  // namespace

QJsonObject StandardJsonObject(const StandardMeasures& m) {
    QJsonObject o{{"n", m.n}};
    for (const Field& field : kFields) {
        const std::optional<double>& v = m.*field.value;
        o.insert(field.name, v ? QJsonValue(*v) : QJsonValue());
    }
    const ArtifactReport& a = m.artifacts;
    o.insert("artifacts", QJsonObject{{"threshold_ms", a.thresholdMs},
                                      {"flagged", a.flagged},
                                      {"percent", a.percent},
                                      {"corrected", a.corrected}});
    o.insert("exact_intervals", m.exact_intervals);
    return o;
}

std::string StandardCsvHeader() {
    std::string out;
    forEachValue(StandardMeasures{},
                 [&](const char* name, const std::string&) { out += std::string(",std_") + name; });
    return out;
}

std::string StandardCsvCells(const StandardMeasures& m) {
    std::string out;
    forEachValue(m, [&](const char*, const std::string& v) { out += "," + v; });
    return out;
}

}  // namespace trivant
