// Band powers of Welch's spectrum. Band edges are exact fractions of a hertz and bins are
// j / 256 Hz, so membership is decided on integers: f_j >= num / den <=> j * den >= 256 num.
#include "standard_parts.h"

namespace trivant::standard {

namespace {

constexpr int kBinsPerHz = 256;
constexpr double kDf = 1.0 / kBinsPerHz;  // Hz per bin

struct Edge {
    int num, den;  // num / den Hz
};

// The first bin at or above the edge.
constexpr int firstBin(Edge e) {
    return (kBinsPerHz * e.num + e.den - 1) / e.den;
}

constexpr Edge kVlfLow{3, 1000}, kLfLow{1, 25}, kHfLow{3, 20}, kHfHigh{2, 5};
static_assert(firstBin(kVlfLow) == 1 && firstBin(kLfLow) == 11 && firstBin(kHfLow) == 39 &&
              firstBin(kHfHigh) == 103);

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
    const Band vlf = band(s.power, firstBin(kVlfLow), firstBin(kLfLow));
    const Band lf = band(s.power, firstBin(kLfLow), firstBin(kHfLow));
    const Band hf = band(s.power, firstBin(kHfLow), firstBin(kHfHigh));
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
