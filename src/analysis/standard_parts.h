// The pieces ComputeStandardMeasures is made of, each over a plain series of intervals in
// ms; exposed so that the tests can check each one on its own.
#pragma once

#include "standard_measures.h"

#include <optional>
#include <vector>

namespace trivant::standard {

// m_i: the median of r[i-5 .. i+5] clipped to the series; an even count gives the mean of
// the two middle values.
double LocalMedian(const std::vector<double>& rr, size_t i);

// Flags |r_i - m_i| > thresholdMs.
std::vector<bool> DetectArtifacts(const std::vector<double>& rr, double thresholdMs);

// DetectArtifacts of window, the intervals first.. of a series whose own flags whole holds:
// an interval with its 11 neighbours inside the window has the series' median, so only the
// five at each end are computed again.
std::vector<bool> WindowArtifacts(const std::vector<double>& window, const std::vector<bool>& whole,
                                  size_t first, double thresholdMs);

// Each flagged interval replaced by the line between its nearest unflagged neighbours by
// index, or the nearest one's value beyond the first or last. Needs one unflagged interval.
std::vector<double> CorrectArtifacts(const std::vector<double>& rr,
                                     const std::vector<bool>& isArtifact);

// Sample variance (N - 1); empty below two values.
std::optional<double> SampleVariance(const std::vector<double>& x);

// Mean RR, SDNN, mean HR, RMSSD, NN50, pNN50, SD1 and SD2 into m.
void FillTimeDomain(const std::vector<double>& rr, StandardMeasures& m);

// The natural cubic spline through (t_i, rr_i), beat times t_i in s, sampled at 4 Hz from
// t_1; empty when the times are not strictly increasing.
std::vector<double> ResampleAt4Hz(const std::vector<double>& rr);

// Welch's averaged periodogram of the 4 Hz series (256-sample Hann segments, half overlap,
// 1024-point transform); empty below 256 samples.
WelchSpectrum Welch(const std::vector<double>& samples);

// Band powers, ratios and peaks from the spectrum into m, within m.bands.
void FillBands(const WelchSpectrum& s, StandardMeasures& m);
// The first line of the spectrum at or above hz.
int FirstBin(double hz);

// F(n) of detrended fluctuation analysis with boxes of n intervals.
double Fluctuation(const std::vector<double>& profile, int n);
// The cumulative sum of r_i - mean RR.
std::vector<double> Profile(const std::vector<double>& rr);
// The slope of log10 F(n) against log10 n over n = first..last; empty when N < 2 * last or
// when some F(n) is 0.
std::optional<double> DfaAlpha(const std::vector<double>& profile, int first, int last);

// Sample entropy with templates of m and m + 1 intervals and Chebyshev tolerance r.
std::optional<double> SampleEntropy(const std::vector<double>& rr, int m, double r);

}  // namespace trivant::standard
