// Band powers of Welch's spectrum, and the band edges a user may choose. Bins are j / 256 Hz,
// exact in binary, so a bin on an edge belongs to the band above it every time.
#include "standard_parts.h"

#include <charconv>
#include <cmath>

namespace trivant::standard {

namespace {

constexpr int kBinsPerHz = 256;
constexpr double kDf = 1.0 / kBinsPerHz;  // Hz per bin

struct Band {
    double power = 0;  // ms^2
    double peakHz = 0;
};

// Bins first .. last - 1.
Band band(const std::vector<double>& p, int first, int last) {
    Band b;
    int peak = first;
    for (int j = first; j < last && j < int(p.size()); ++j) {
        b.power += p[j] * kDf;
        if (p[j] > p[peak])
            peak = j;
    }
    b.peakHz = peak * kDf;
    return b;
}

}  // namespace

int FirstBin(double hz) {
    return static_cast<int>(std::ceil(hz * kBinsPerHz));
}

void FillBands(const WelchSpectrum& s, StandardMeasures& m) {
    if (s.power.empty())
        return;
    const BandEdges& e = m.bands;
    const Band vlf = band(s.power, FirstBin(e.vlfLo), FirstBin(e.lfLo));
    const Band lf = band(s.power, FirstBin(e.lfLo), FirstBin(e.hfLo));
    const Band hf = band(s.power, FirstBin(e.hfLo), FirstBin(e.hfHi));
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

namespace trivant {

std::string BandEdgesError(const BandEdges& b) {
    const double e[] = {b.vlfLo, b.lfLo, b.hfLo, b.hfHi};
    for (double v : e)
        if (!std::isfinite(v) || v < 0)
            return "band edges are frequencies in Hz, 0 or more";
    for (int i = 0; i < 3; ++i)
        if (!(e[i] < e[i + 1]))
            return "band edges must increase: VLF_LO < LF_LO < HF_LO < HF_HI";
    if (b.hfHi > kResampleHz / 2)
        return "HF_HI is at most 2 Hz, half the 4 Hz resampling rate";
    for (int i = 0; i < 3; ++i)
        if (standard::FirstBin(e[i]) >= standard::FirstBin(e[i + 1]))
            return "every band must hold a line of the spectrum (they are 1/256 Hz apart)";
    return {};
}

bool ParseBandEdges(const std::string& text, BandEdges& out, std::string& error) {
    double e[4] = {};
    const char* at = text.data();
    const char* const end = text.data() + text.size();
    for (int i = 0; i < 4; ++i) {
        const auto r = std::from_chars(at, end, e[i]);  // never the locale's decimal sign
        at = r.ptr + 1;
        if (r.ec != std::errc() || (i < 3 ? r.ptr == end || *r.ptr != ',' : r.ptr != end)) {
            error = "four frequencies in Hz are needed: VLF_LO,LF_LO,HF_LO,HF_HI";
            return false;
        }
    }
    const BandEdges b{e[0], e[1], e[2], e[3]};
    error = BandEdgesError(b);
    if (!error.empty())
        return false;
    out = b;
    return true;
}

}  // namespace trivant
