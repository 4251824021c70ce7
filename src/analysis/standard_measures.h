// The fragment's measures in their standard, published definitions, beside the report's
// own: artifact detection and correction, time domain, Poincaré, Welch spectrum, DFA and
// sample entropy. Intervals in ms; variances over N - 1. Plain C++ on plain arrays.
#pragma once

#include "fragment_analysis.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace trivant {

// Artifact thresholds by name, in ms.
struct ArtifactLevel {
    const char* name;  // verylow, low, medium, strong, verystrong
    double thresholdMs;
};
extern const std::array<ArtifactLevel, 5> kArtifactLevels;
constexpr double kDefaultArtifactMs = 250;  // medium: the level reported without correction

// A band edge, an exact fraction of a hertz: bins are compared with it in integers.
struct HzFraction {
    int num, den;
    constexpr double hz() const { return static_cast<double>(num) / den; }
};
// The spectral bands, [lo, hi): VLF 0.003..0.04 Hz, LF 0.04..0.15 Hz, HF 0.15..0.4 Hz.
struct SpectralBand {
    const char* name;
    HzFraction lo, hi;
};
constexpr SpectralBand kSpectralBands[3] = {
    {"VLF", {3, 1000}, {1, 25}}, {"LF", {1, 25}, {3, 20}}, {"HF", {3, 20}, {2, 5}}};

// No correction (thresholdMs ignored; detection is reported at the medium level), or
// correction at thresholdMs.
struct ArtifactOptions {
    bool correct = false;
    double thresholdMs = kDefaultArtifactMs;
};

struct ArtifactReport {
    double thresholdMs = kDefaultArtifactMs;
    int flagged = 0;
    double percent = 0;  // of N
    bool corrected = false;
    std::vector<bool> isArtifact;  // per interval
};

// Welch's spectrum: P_j at f_j = j / 256 Hz, j = 0..512 (ms^2/Hz).
struct WelchSpectrum {
    std::vector<double> freq, power;
};

// Every measure is empty where it is undefined (too few intervals, a zero denominator).
struct StandardMeasures {
    bool ok = false;    // false: refused, error says why (e.g. every interval an artifact)
    std::string error;  // English; the application words its own message
    int n = 0;
    std::optional<double> mean_rr, sdnn, mean_hr, rmssd, nn50, pnn50, sd1, sd2;
    std::optional<double> vlf, lf, hf, total, lf_nu, hf_nu, lf_hf, lf_peak, hf_peak;
    std::optional<double> dfa_a1, dfa_a2, sampen;
    ArtifactReport artifacts;
    std::vector<double> rr;        // the series measured: corrected when correction is on
    bool exact_intervals = false;  // measured on exact intervals, not on 10 ms steps
    WelchSpectrum welch;           // empty below 256 samples
};

// The standard measures of r_1..r_N (ms).
StandardMeasures ComputeStandardMeasures(const std::vector<double>& rrMs,
                                         const ArtifactOptions& options);

// The fragment's intervals in ms: FrExactUs[1 .. FrEnd - FrPos] / 1000 where the recording
// has exact intervals, else FrRRBuf[1 .. FrEnd - FrPos] times 10.
std::vector<double> FragmentIntervalsMs(const FragmentReport& r);

// The whole recording's intervals in ms, beats 1..beats: exact where it has them.
std::vector<double> RecordingIntervalsMs(const Recording& rec);

// The standard measures of the fragment's intervals, saying whether they were exact.
StandardMeasures ComputeFragmentMeasures(const FragmentReport& r, const ArtifactOptions& options);

// "verylow".."verystrong" or a number of ms (> 0); false when it is neither.
bool ParseArtifactLevel(const std::string& text, double& thresholdMs);

}  // namespace trivant
