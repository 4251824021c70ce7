// Band powers of Welch's spectrum. Band edges are exact fractions of a hertz and bins are
// j / 256 Hz, so membership is decided on integers: f_j >= num / den <=> j * den >= 256 num.
#include "standard_parts.h"

namespace trivant::standard {

namespace {

constexpr int kBinsPerHz = 256;
constexpr double kDf = 1.0 / kBinsPerHz;  // Hz per bin

// The first bin at or above the edge.
constexpr int firstBin(HzFraction e) {
    return (kBinsPerHz * e.num + e.den - 1) / e.den;
}

constexpr const SpectralBand &kVlf = kSpectralBands[0], &kLf = kSpectralBands[1],
                             &kHf = kSpectralBands[2];
static_assert(firstBin(kVlf.lo) == 1 && firstBin(kLf.lo) == 11 && firstBin(kHf.lo) == 39 &&
              firstBin(kHf.hi) == 103);
static_assert(kVlf.hi.hz() == kLf.lo.hz() && kLf.hi.hz() == kHf.lo.hz());

struct Band {
    double power = 0;  // ms^2
    double peakHz = 0;
};

// Bins first .. last - 1.
Band band(const std::vector<double>& p, int first, int last) {
    Band b;
    int peak = first;
    for (int j = first; j < last; ++j) {
        b.power += p[j] * kDf;
        if (p[j] > p[peak])
            peak = j;
    }
    b.peakHz = peak * kDf;
    return b;
}

}  // namespace

void FillBands(const WelchSpectrum& s, StandardMeasures& m) {
    if (s.power.empty())
        return;
    const Band vlf = band(s.power, firstBin(kVlf.lo), firstBin(kVlf.hi));
    const Band lf = band(s.power, firstBin(kLf.lo), firstBin(kLf.hi));
    const Band hf = band(s.power, firstBin(kHf.lo), firstBin(kHf.hi));
    m.vlf = vlf.power;
    m.lf = lf.power;
    m.hf = hf.power;
    m.total = vlf.power + lf.power + hf.power;
    m.lf_peak = lf.peakHz;
    m.hf_peak = hf.peakHz;
    if (lf.power + hf.power > 0) {
        m.lf_nu = 100 * lf.power / (lf.power + hf.power);
        m.hf_nu = 100 * hf.power / (lf.power + hf.power);
    }
    if (hf.power > 0)
        m.lf_hf = lf.power / hf.power;
}

}  // namespace trivant::standard
