// Time-domain indices of a fragment: histograms in 10 and 50 ms classes, SDNN, RMSSD,
// NN50, heart rate and the stress index.
#include "fragment_analysis.h"

#include <cmath>
#include <cstdlib>

namespace trivant {

namespace {

constexpr int kClasses = 256;

struct HistoIndices {
    int left, right, amo, moda;
};

// Lowest and highest occupied class (250 and 0 when none) and the mode; of equal counts
// the lowest class wins.
HistoIndices indicesOf(const std::array<int, kClasses>& h) {
    HistoIndices r{250, 0, 0, 0};
    for (int i = 0; i < kClasses; ++i)
        if (h[i] != 0) {
            r.left = i;
            break;
        }
    for (int i = 0; i < kClasses; ++i)
        if (h[i] > r.amo) {
            r.amo = h[i];
            r.moda = i;
        }
    for (int i = kClasses - 1; i >= 0; --i)
        if (h[i] != 0) {
            r.right = i;
            break;
        }
    return r;
}

int rounded(double v) {
    return static_cast<int>(std::nearbyint(v));
}

}  // namespace

void FrHisto(FragmentReport& r) {
    const int n = r.intervals();
    for (int k = 1; k <= n - 1; ++k)
        ++r.FrHistoBuf[r.FrRRBuf[k]];  // the last one is left out
    const HistoIndices h = indicesOf(r.FrHistoBuf);
    r.FrHistoLeft = h.left;
    r.FrHistoRight = h.right;
    r.FrAMo = h.amo;
    r.FrModa = h.moda;
    r.FrHRV = h.amo > 0 ? 10 * n / h.amo : 0;
    r.FrTINN = 2 * r.FrHRV;
    r.FrAMo_pr = n > 0 ? 100 * h.amo / n : 0;
    r.FrDX = h.right - h.left;
}

void FrHisto50(FragmentReport& r) {
    const int n = r.intervals();
    for (int k = 1; k <= n - 1; ++k)
        ++r.FrHistoBuf50[(r.FrRRBuf[k] + 2) / 5];  // rk / 5 rounded
    const HistoIndices h = indicesOf(r.FrHistoBuf50);
    r.FrHistoLeft50 = h.left;
    r.FrHistoRight50 = h.right;
    r.FrAMo50 = h.amo;
    r.FrModa50 = h.moda;
    r.FrDX50 = h.right - h.left + 1;
    // AMo% / (2 Mo dX), Mo and dX in seconds; the products are exact in 64 bits.
    const int64_t num = int64_t(h.amo) * 1000000;
    const int64_t den = int64_t(2) * (50 * r.FrModa50) * (50 * r.FrDX50);
    r.FrIB50 = den > 0 && n > 0 ? rounded(double(num) / double(den) * 100 / n) : 0;
}

void CountSDNN(FragmentReport& r) {
    const int n = r.intervals();
    if (n <= 0)
        return;
    double sum = 0;
    for (int k = 1; k <= n; ++k)
        sum += 10.0 * r.FrRRBuf[k];
    const double mean = sum / n;
    double sq = 0;
    for (int k = 1; k <= n; ++k)
        sq += (10.0 * r.FrRRBuf[k] - mean) * (10.0 * r.FrRRBuf[k] - mean);
    r.FrSDNN = rounded(std::sqrt(sq / n));
    const int meanMs = rounded(mean);
    r.FrBPM = meanMs > 0 ? 60000 / meanMs : 0;
}

void CountRMSSD(FragmentReport& r) {
    const int n = r.intervals();
    if (n <= 1)
        return;
    double sq = 0;
    for (int k = 1; k <= n - 1; ++k) {
        const double d = 10.0 * r.FrRRBuf[k] - 10.0 * r.FrRRBuf[k + 1];
        sq += d * d;
    }
    r.FrRMSSD = rounded(std::sqrt(sq / (n - 1)));
}

void CountNN50(FragmentReport& r) {
    const int n = r.intervals();
    int count = 0;
    for (int k = 1; k <= n - 1; ++k)
        count += std::abs(10 * r.FrRRBuf[k] - 10 * r.FrRRBuf[k + 1]) > 50;  // 50 ms itself not
    r.FrNN50 = count;
    r.FrpNN50 = n > 0 ? 100 * count / n : 0;
}

}  // namespace trivant
