// The fragment's power spectrum: mean removal, Blackman window, and the transform at
// k/300 Hz, which is bin k of the 30000-point real DFT.
#include "fragment_analysis.h"
#include "real_fft.h"

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

const std::vector<double>& blackman() {
    static const std::vector<double> window = [] {
        std::vector<double> w(kN);
        for (int t = 0; t < kN; ++t)
            w[t] = (42 - 50 * std::cos(2 * kPi * t / (kN - 1)) +
                    8 * std::cos(4 * kPi * t / (kN - 1))) /
                   100;
        return w;
    }();
    return window;
}

}  // namespace

BandResults CountBands(const std::array<double, kSpectrumBins + 1>& spectrum) {
    BandResults b;  // guarded results stay 0, never a value of an earlier analysis
    b.VLF = bandPower(spectrum, kVlfFirst, kLfFirst - 1);
    b.LF = bandPower(spectrum, kLfFirst, kHfFirst - 1);
    b.HF = bandPower(spectrum, kHfFirst, kTopBin);
    b.TP = bandPower(spectrum, kVlfFirst, kTopBin);
    if (b.TP - b.VLF != 0) {
        b.LFnorm = b.LF * 100 / (b.TP - b.VLF);
        b.HFnorm = b.HF * 100 / (b.TP - b.VLF);
    }
    if (b.HF != 0)
        b.LFdivHF = b.LF / b.HF;
    for (double* v : {&b.TP, &b.VLF, &b.LF, &b.HF})
        *v *= 1000;  // to ms^2
    return b;
}

AnalysisBuffers::AnalysisBuffers()
    : RRSource(kCapacity, 0), FragmentBuf(kFragmentSamples + 1, 0),
      fft_(std::make_unique<RealFft>(kN)) {}

AnalysisBuffers::~AnalysisBuffers() = default;

void AnalysisBuffers::CountSpectrum() {
    const std::vector<double>& window = blackman();
    // Four running sums, so that the additions don't wait for each other.
    static_assert(kN % 4 == 0);
    double sums[4] = {0, 0, 0, 0};
    for (int t = 0; t < kN; t += 4)
        for (int j = 0; j < 4; ++j)
            sums[j] += FragmentBuf[t + j];
    const double mean = ((sums[0] + sums[1]) + (sums[2] + sums[3])) / kN;
    double* s = fft_->input();
    for (int t = 0; t < kN; ++t)
        s[t] = (FragmentBuf[t] - mean) * window[t];
    fft_->run();
    for (int k = 1; k <= kSpectrumBins; ++k) {
        const double x = fft_->re(k), y = fft_->im(k);
        Spectrum[k] = (x * x + y * y) * (2 * kDt) / kN;
    }
    Bands = CountBands(Spectrum);
}

}  // namespace trivant
