// The first version of the analysis, unchanged but for its buffers.
#include "analysis_oracle.h"

#include <algorithm>
#include <cmath>

namespace trivant::oracle {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kN = kFragmentSamples;

}  // namespace

Signal Resample(const std::vector<uint8_t>& rr, int count) {
    Signal s;
    ResampleResult& r = s.result;
    count = std::min(count, static_cast<int>(rr.size()));
    for (int i = 0; i < count; ++i)
        r.total += rr[i];
    if (r.total < kN)
        return s;
    r.enough = true;
    r.count = count;
    s.samples.assign(static_cast<size_t>(r.total), 0);  // the whole signal, every sample
    int64_t p = 0;
    for (int i = 1; i < count; ++i) {
        const int c = rr[i];
        if (c == 0)
            continue;
        const double prev = rr[i - 1];
        const double step = (rr[i] - prev) / c;
        for (int64_t j = 0; j < c; ++j)
            s.samples[p + j] = j * step + prev;
        p += c;
    }
    r.length = p;
    s.samples.resize(p);
    return s;
}

Overview MakeOverview(const Signal& s) {
    Overview o;
    o.BufLen = static_cast<int>(s.result.length / 100);
    o.RRViewBuf.assign(o.BufLen + 1, 0);
    for (int sec = 1; sec <= o.BufLen; ++sec) {
        int64_t sum = 0;
        for (int64_t i = 100 * int64_t(sec - 1); i < 100 * int64_t(sec); ++i)
            sum += static_cast<int64_t>(std::nearbyint(s.samples[i]));
        o.RRViewBuf[sec] = static_cast<uint8_t>(std::clamp<int64_t>(sum / 100, 0, 255));
    }
    return o;
}

std::vector<double> Cut(const Signal& s, int startS) {
    const int64_t from = int64_t(startS) * 100, length = s.result.length;
    const double last = length > 0 ? s.samples[length - 1] : 0;
    std::vector<double> out(kN + 1);
    for (int64_t t = 0; t <= kN; ++t)
        out[t] = from + t < length ? s.samples[from + t] : last;
    return out;
}

Spectrum DirectSpectrum(const double* samples) {
    std::vector<double> s(samples, samples + kN);
    double mean = 0;
    for (double v : s)
        mean += v;
    mean /= kN;
    for (int t = 0; t < kN; ++t)
        s[t] =
            (s[t] - mean) *
            ((42 - 50 * std::cos(2 * kPi * t / (kN - 1)) + 8 * std::cos(4 * kPi * t / (kN - 1))) /
             100);
    // cos and sin of 2 pi m / N; the tables run to 2N so that m + 3k needs no wrap.
    std::vector<double> cosT(2 * kN), sinT(2 * kN);
    for (int m = 0; m < 2 * kN; ++m) {
        cosT[m] = std::cos(2 * kPi * (m % kN) / kN);
        sinT[m] = std::sin(2 * kPi * (m % kN) / kN);
    }
    Spectrum out;
    for (int k = 1; k <= kSpectrumBins; ++k) {
        double xs[4] = {0, 0, 0, 0}, ys[4] = {0, 0, 0, 0};
        int m = 0;  // k t mod N
        for (int t = 0; t < kN; t += 4) {
            for (int j = 0; j < 4; ++j) {
                xs[j] += s[t + j] * cosT[m + j * k];
                ys[j] += s[t + j] * sinT[m + j * k];
            }
            m += 4 * k;
            if (m >= kN)
                m -= kN;
        }
        const double x = (xs[0] + xs[1]) + (xs[2] + xs[3]);
        const double y = (ys[0] + ys[1]) + (ys[2] + ys[3]);
        out.bins[k] = (x * x + y * y) * (2 * 0.01) / kN;
    }
    out.bands = CountBands(out.bins);  // the band sums are not what changed
    return out;
}

}  // namespace trivant::oracle
