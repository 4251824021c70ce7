// The fragment's power spectrum: mean removal, Blackman window, and a direct transform at
// k/300 Hz. The angles 2 pi k t / 30000 repeat over 30000 steps, so cos and sin come from
// one exact table instead of 9 million library calls.
#include "fragment_analysis.h"

#include <cmath>

namespace trivant {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kN = kFragmentSamples;
constexpr double kDt = 0.01;
constexpr double kDf = 1.0 / 300;
// Bins by frequency: VLF 0.003..0.04 Hz, LF 0.04..0.15 Hz, HF 0.15..0.4 Hz, upper limits
// excluded. Kept as bin numbers so that rounding can't move 0.04, 0.15 or 0.4 across.
constexpr int kVlfFirst = 1, kLfFirst = 12, kHfFirst = 45, kTopBin = 119;

double bandPower(const std::array<double, kSpectrumBins + 1>& p, int first, int last) {
    double sum = 0;
    for (int k = first; k <= last; ++k)
        sum += p[k] * kDf;
    return sum;
}

// X and Y of bin k: four partial sums keep the additions independent.
void transformBin(const double* s, const double* cosT, const double* sinT, int k, double& x,
                  double& y) {
    double xs[4] = {0, 0, 0, 0}, ys[4] = {0, 0, 0, 0};
    int m = 0;  // k t mod N; the tables run to 2N so that m + 3k needs no wrap
    for (int t = 0; t < kN; t += 4) {
        for (int j = 0; j < 4; ++j) {
            xs[j] += s[t + j] * cosT[m + j * k];
            ys[j] += s[t + j] * sinT[m + j * k];
        }
        m += 4 * k;
        if (m >= kN)
            m -= kN;
    }
    x = (xs[0] + xs[1]) + (xs[2] + xs[3]);
    y = (ys[0] + ys[1]) + (ys[2] + ys[3]);
}

}  // namespace

void InitSpectrumTables(std::vector<double>& cosT, std::vector<double>& sinT,
                        std::vector<double>& window) {
    cosT.resize(2 * kN);
    sinT.resize(2 * kN);
    for (int m = 0; m < 2 * kN; ++m) {
        const double a = 2 * kPi * (m % kN) / kN;
        cosT[m] = std::cos(a);
        sinT[m] = std::sin(a);
    }
    window.resize(kN);
    for (int t = 0; t < kN; ++t)
        window[t] =
            (42 - 50 * std::cos(2 * kPi * t / (kN - 1)) + 8 * std::cos(4 * kPi * t / (kN - 1))) /
            100;
}

void AnalysisBuffers::CountSpectrum() {
    std::vector<double> s(ResampleBuf.begin(), ResampleBuf.begin() + kN);
    double mean = 0;
    for (double v : s)
        mean += v;
    mean /= kN;
    for (int t = 0; t < kN; ++t)
        s[t] = (s[t] - mean) * window_[t];
    for (int k = 1; k <= kSpectrumBins; ++k) {
        double x = 0, y = 0;
        transformBin(s.data(), cosTable_.data(), sinTable_.data(), k, x, y);
        Spectrum[k] = (x * x + y * y) * (2 * kDt) / kN;
    }
    BandResults b;  // guarded results stay 0, never a value of an earlier analysis
    b.VLF = bandPower(Spectrum, kVlfFirst, kLfFirst - 1);
    b.LF = bandPower(Spectrum, kLfFirst, kHfFirst - 1);
    b.HF = bandPower(Spectrum, kHfFirst, kTopBin);
    b.TP = bandPower(Spectrum, kVlfFirst, kTopBin);
    if (b.TP - b.VLF != 0) {
        b.LFnorm = b.LF * 100 / (b.TP - b.VLF);
        b.HFnorm = b.HF * 100 / (b.TP - b.VLF);
    }
    if (b.HF != 0)
        b.LFdivHF = b.LF / b.HF;
    for (double* v : {&b.TP, &b.VLF, &b.LF, &b.HF})
        *v *= 1000;  // to ms^2
    Bands = b;
}

}  // namespace trivant
