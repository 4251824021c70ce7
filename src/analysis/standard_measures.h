// The fragment's measures in their standard, published definitions, beside the report's
// own: artifact detection and correction, time domain, Poincaré, Welch spectrum, DFA and
// sample entropy. Intervals in ms; variances over N - 1. Plain C++ on plain arrays.
#pragma once

#include "beat_classes.h"
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

// The spectral bands' edges in Hz, each band [lo, hi): VLF vlfLo..lfLo, LF lfLo..hfLo, HF
// hfLo..hfHi. Exercise moves HF up to 0.6 Hz and beyond, so they are a choice.
struct BandEdges {
    double vlfLo = 0.0033, lfLo = 0.04, hfLo = 0.15, hfHi = 0.4;
    bool operator==(const BandEdges& o) const {
        return vlfLo == o.vlfLo && lfLo == o.lfLo && hfLo == o.hfLo && hfHi == o.hfHi;
    }
    bool operator!=(const BandEdges& o) const { return !(*this == o); }
};
constexpr double kResampleHz = 4;  // the spline's rate: the spectrum ends at half of it
// Empty when the edges can be measured: 0 <= VLF_LO < LF_LO < HF_LO < HF_HI <= 2 Hz and
// every band holds a line of the spectrum (1/256 Hz apart); else what is wrong, in English.
std::string BandEdgesError(const BandEdges& b);
// "VLF_LO,LF_LO,HF_LO,HF_HI" in Hz, as trivant-cli --bands takes them; false when the text
// is not four numbers or BandEdgesError refuses them (error says why).
bool ParseBandEdges(const std::string& text, BandEdges& out, std::string& error);

// No correction (thresholdMs ignored; detection is reported at the medium level), or
// correction at thresholdMs.
// With automatic, the classification and correction of beat_classes.h (correct is then
// true and thresholdMs unused).
struct ArtifactOptions {
    bool correct = false;
    double thresholdMs = kDefaultArtifactMs;
    bool automatic = false;
};

struct ArtifactReport {
    double thresholdMs = kDefaultArtifactMs;
    int flagged = 0;
    double percent = 0;  // of N
    bool corrected = false;
    std::vector<bool> isArtifact;  // per interval
    bool automatic = false;        // classified and corrected as beat_classes.h does
    std::vector<BeatClass> kinds;  // automatic: the class of each interval as recorded
    int edited = 0;                // beats the recording's review changed before measuring
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
    BandEdges bands;               // the band powers' edges
    WelchSpectrum welch;           // empty below 256 samples
};

// The standard measures of r_1..r_N (ms).
StandardMeasures ComputeStandardMeasures(const std::vector<double>& rrMs,
                                         const ArtifactOptions& options,
                                         const BandEdges& bands = {});
// The same with the series' artifacts already flagged at ArtifactThreshold(options), as the
// trend's windows take them from the whole recording (unused when automatic).
StandardMeasures ComputeStandardMeasures(const std::vector<double>& rrMs,
                                         std::vector<bool> isArtifact,
                                         const ArtifactOptions& options, const BandEdges& bands);
// The measures of rrMs corrected automatically beforehand: fix.rr is measured, fix.classes
// and fix.flagged are reported (a window of a corrected whole cuts them from the whole's).
StandardMeasures ComputeCorrectedMeasures(const std::vector<double>& rrMs, AutoCorrection fix,
                                          const BandEdges& bands);
// The threshold artifacts are flagged at: the correction's, else kDefaultArtifactMs.
double ArtifactThreshold(const ArtifactOptions& options);

// The fragment's intervals in ms: FrExactUs[1 .. FrEnd - FrPos] / 1000 where the recording
// has exact intervals, else FrRRBuf[1 .. FrEnd - FrPos] times 10.
std::vector<double> FragmentIntervalsMs(const FragmentReport& r);

// The whole recording's intervals in ms, beats 1..beats: exact where it has them.
std::vector<double> RecordingIntervalsMs(const Recording& rec);

// The standard measures of the fragment's intervals, saying whether they were exact.
StandardMeasures ComputeFragmentMeasures(const FragmentReport& r, const ArtifactOptions& options,
                                         const BandEdges& bands = {});

// "verylow".."verystrong" or a number of ms (> 0); false when it is neither.
bool ParseArtifactLevel(const std::string& text, double& thresholdMs);
// "auto", a level or a number of ms as ParseArtifactLevel takes them, as correcting options;
// false when it is none of them.
bool ParseArtifactChoice(const std::string& text, ArtifactOptions& out);

}  // namespace trivant
