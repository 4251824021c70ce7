// The standard measures of a series of intervals: artifacts first, then the time domain,
// Poincaré, the Welch spectrum, DFA and sample entropy on the series as measured.
#include "number_text.h"
#include "standard_parts.h"

#include <cmath>
#include <utility>

namespace trivant {

const std::array<ArtifactLevel, 5> kArtifactLevels = {{
    {"verylow", 450},
    {"low", 350},
    {"medium", 250},
    {"strong", 150},
    {"verystrong", 50},
}};

namespace standard {

std::optional<double> SampleVariance(const std::vector<double>& x) {
    if (x.size() < 2)
        return std::nullopt;
    double mean = 0;
    for (double v : x)
        mean += v;
    mean /= static_cast<double>(x.size());
    double ss = 0;
    for (double v : x)
        ss += (v - mean) * (v - mean);
    return ss / static_cast<double>(x.size() - 1);
}

namespace {

std::optional<double> root(std::optional<double> v) {
    if (!v || *v < 0)
        return std::nullopt;
    return std::sqrt(*v);
}

// RMSSD, NN50 and pNN50 from the successive differences.
void fillDifferences(const std::vector<double>& diffs, StandardMeasures& m) {
    if (diffs.empty())
        return;
    double ss = 0;
    int nn50 = 0;
    for (double d : diffs) {
        ss += d * d;
        nn50 += std::fabs(d) > 50;
    }
    const auto count = static_cast<double>(diffs.size());
    m.rmssd = std::sqrt(ss / count);
    m.nn50 = nn50;
    m.pnn50 = 100 * nn50 / count;
}

}  // namespace

void FillTimeDomain(const std::vector<double>& rr, StandardMeasures& m) {
    if (rr.empty())
        return;
    double sum = 0;
    for (double v : rr)
        sum += v;
    m.mean_rr = sum / static_cast<double>(rr.size());
    if (*m.mean_rr != 0)
        m.mean_hr = 60000 / *m.mean_rr;
    const std::optional<double> var = SampleVariance(rr);
    m.sdnn = root(var);
    std::vector<double> diffs;
    for (size_t i = 1; i < rr.size(); ++i)
        diffs.push_back(rr[i] - rr[i - 1]);
    fillDifferences(diffs, m);
    const std::optional<double> varDiff = SampleVariance(diffs);
    if (!var || !varDiff)
        return;
    m.sd1 = root(*varDiff / 2);
    m.sd2 = root(2 * *var - *varDiff / 2);
}

namespace {

void fillPercent(size_t n, ArtifactReport& a) {
    if (n > 0)
        a.percent = 100.0 * a.flagged / static_cast<double>(n);
}

// Flags the series and, when asked, corrects it into m.rr; false when nothing is left.
bool handleArtifacts(const std::vector<double>& rrMs, std::vector<bool> isArtifact,
                     const ArtifactOptions& options, StandardMeasures& m) {
    ArtifactReport& a = m.artifacts;
    a.thresholdMs = ArtifactThreshold(options);
    a.isArtifact = std::move(isArtifact);
    for (bool f : a.isArtifact)
        a.flagged += f;
    fillPercent(rrMs.size(), a);
    if (!options.correct) {
        m.rr = rrMs;
        return true;
    }
    if (!rrMs.empty() && a.flagged == static_cast<int>(rrMs.size())) {
        m.error = "every interval is an artifact at " + NumberText(a.thresholdMs) + " ms";
        return false;
    }
    a.corrected = true;
    m.rr = CorrectArtifacts(rrMs, a.isArtifact);
    return true;
}

// Everything measured on m.rr, the series as the artifacts left it.
void measure(StandardMeasures& m) {
    m.ok = true;
    FillTimeDomain(m.rr, m);
    m.welch = Welch(ResampleAt4Hz(m.rr));
    FillBands(m.welch, m);
    const std::vector<double> profile = Profile(m.rr);
    m.dfa_a1 = DfaAlpha(profile, 4, 16);
    m.dfa_a2 = DfaAlpha(profile, 16, 64);
    if (m.sdnn)
        m.sampen = SampleEntropy(m.rr, 2, 0.2 * *m.sdnn);
}

}  // namespace
}  // namespace standard

double ArtifactThreshold(const ArtifactOptions& options) {
    return options.correct ? options.thresholdMs : kDefaultArtifactMs;
}

StandardMeasures ComputeStandardMeasures(const std::vector<double>& rrMs,
                                         const ArtifactOptions& options, const BandEdges& bands) {
    if (options.automatic)
        return ComputeCorrectedMeasures(rrMs, CorrectAuto(rrMs), bands);
    return ComputeStandardMeasures(
        rrMs, standard::DetectArtifacts(rrMs, ArtifactThreshold(options)), options, bands);
}

StandardMeasures ComputeStandardMeasures(const std::vector<double>& rrMs,
                                         std::vector<bool> isArtifact,
                                         const ArtifactOptions& options, const BandEdges& bands) {
    if (options.automatic)
        return ComputeCorrectedMeasures(rrMs, CorrectAuto(rrMs), bands);
    StandardMeasures m;
    m.bands = bands;
    m.n = static_cast<int>(rrMs.size());
    if (standard::handleArtifacts(rrMs, std::move(isArtifact), options, m))
        standard::measure(m);
    return m;
}

StandardMeasures ComputeCorrectedMeasures(const std::vector<double>& rrMs, AutoCorrection fix,
                                          const BandEdges& bands) {
    StandardMeasures m;
    m.bands = bands;
    m.n = static_cast<int>(rrMs.size());
    ArtifactReport& a = m.artifacts;
    a.automatic = true;
    a.corrected = true;
    a.flagged = fix.flagged;
    standard::fillPercent(rrMs.size(), a);
    a.kinds = std::move(fix.classes);
    a.isArtifact.resize(a.kinds.size());
    for (size_t i = 0; i < a.kinds.size(); ++i)
        a.isArtifact[i] = a.kinds[i] != BeatClass::Normal;
    m.rr = std::move(fix.rr);
    if (m.rr.empty() && !rrMs.empty()) {
        m.error = "the automatic correction left no interval";
        return m;
    }
    standard::measure(m);
    return m;
}

std::vector<double> FragmentIntervalsMs(const FragmentReport& r) {
    std::vector<double> ms;
    const bool exact = !r.FrExactUs.empty();
    for (int i = 1; i <= r.intervals(); ++i)
        ms.push_back(exact ? r.FrExactUs[static_cast<size_t>(i)] / 1000.0 : r.FrRRBuf[i] * 10.0);
    return ms;
}

std::vector<double> RecordingIntervalsMs(const Recording& rec) {
    std::vector<double> ms;
    for (int k = 1; k <= rec.beats(); ++k)
        ms.push_back(static_cast<double>(rec.intervalUs(k)) / 1000.0);
    return ms;
}

StandardMeasures ComputeFragmentMeasures(const FragmentReport& r, const ArtifactOptions& options,
                                         const BandEdges& bands) {
    StandardMeasures m = ComputeStandardMeasures(FragmentIntervalsMs(r), options, bands);
    m.exact_intervals = !r.FrExactUs.empty();
    return m;
}

bool ParseArtifactLevel(const std::string& text, double& thresholdMs) {
    for (const ArtifactLevel& level : kArtifactLevels)
        if (text == level.name) {
            thresholdMs = level.thresholdMs;
            return true;
        }
    double v = 0;
    if (!ParseNumber(text, v) || !std::isfinite(v) || v <= 0)
        return false;
    thresholdMs = v;
    return true;
}

bool ParseArtifactChoice(const std::string& text, ArtifactOptions& out) {
    if (text == "auto") {
        out = ArtifactOptions{true, kDefaultArtifactMs, true};
        return true;
    }
    double ms = 0;
    if (!ParseArtifactLevel(text, ms))
        return false;
    out = ArtifactOptions{true, ms, false};
    return true;
}

}  // namespace trivant
