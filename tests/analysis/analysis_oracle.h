// The analysis as it was first written, kept to check the fast one against: the whole
// signal resampled into memory, the overview and the fragment taken from it, and the
// spectrum as a direct sum over every sample (its bands summed as the product sums them).
#pragma once

#include "fragment_analysis.h"

#include <vector>

namespace trivant::oracle {

struct Signal {
    ResampleResult result;
    std::vector<double> samples;  // result.length of them
};

Signal Resample(const std::vector<uint8_t>& rr, int count);
Overview MakeOverview(const Signal& s);
// Samples startS * 100 .. + 30000, the last one repeated past the end.
std::vector<double> Cut(const Signal& s, int startS);

struct Spectrum {
    std::array<double, kSpectrumBins + 1> bins{};  // 1-based
    BandResults bands;
};
Spectrum DirectSpectrum(const double* samples);

}  // namespace trivant::oracle
