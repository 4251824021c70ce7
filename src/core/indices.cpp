// Running indices of one beat: SYM, PAR, SDNN and the stress index IB50.
#include "recording.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace trivant {

namespace {

constexpr int kMaxIndexByte = 255;

// Counts mostly fall away from the mode, so an insertion sort has little to move; a flank
// that is far from that order goes to std::sort before the moves grow quadratic.
void sortDescending(uint16_t* a, int n) {
    int budget = 8 * n;
    for (int d = 1; d < n; ++d) {
        const uint16_t c = a[d];
        int i = d;
        for (; i > 0 && a[i - 1] < c; --i)
            a[i] = a[i - 1];
        a[i] = c;
        budget -= d - i;
        if (budget < 0) {
            std::sort(a, a + n, std::greater<>());
            return;
        }
    }
}

// PAR contribution of one flank: the bins mode[0], mode[step], ... (size of them), the
// distance d from the mode outward. For level a the c(a) bins nearest the mode (c(a) = bins
// above a) are searched for bins at or below a. Bin d counts for every level a with
// counts[d] <= a < hs[d], hs being the counts sorted in descending order (hs[d] > a <=>
// c(a) > d), and a below moda; so each bin adds max(0, min(hs[d], moda) - counts[d]).
int64_t flankPar(const uint16_t* mode, int size, int step, int moda) {
    // Empty bins sort last and then add nothing (min(0, moda) - counts[d] <= 0), so only
    // the non-empty ones are sorted and summed.
    std::array<uint16_t, kHistoBins> hs;
    int filled = 0;
    for (int d = 0; d < size; ++d)
        if (mode[d * step] != 0)
            hs[filled++] = mode[d * step];
    sortDescending(hs.data(), filled);
    int64_t sum = 0;
    for (int d = 0; d < filled; ++d)
        sum += std::max(0, std::min<int>(hs[d], moda) - mode[d * step]);
    return sum;
}

// SDNN in ms from the exact sums of n RR values in 10 ms units (at most 500 x 255^2, well
// inside 32 bits). The variance divides by n, not n - 1.
uint8_t sdnnFromSums(int n, int32_t sum, int32_t sumSq) {
    if (n <= 0)
        return 0;
    const int64_t spread = int64_t(n) * sumSq - int64_t(sum) * sum;  // n^2 var / 100
    const double var = 100.0 * static_cast<double>(spread) / (double(n) * double(n));
    const double sd = std::nearbyint(std::sqrt(var));
    return sd >= 256.0 ? kMaxIndexByte : static_cast<uint8_t>(sd);
}

}  // namespace

uint8_t symOf(const Histogram& h) {
    int c = 0;
    // count > AMo / 5 as real numbers, kept exact in integers
    for (int j = h.XMin; j <= h.XMax; ++j)
        if (h.HistoBuf[j] * 5 > h.AMo)
            ++c;
    if (c == 0)
        return 0;
    return static_cast<uint8_t>(std::min(h.AMo * 4 / c, kAMoCap));
}

uint8_t parOf(const Histogram& h) {
    if (h.Moda == 0)
        return 0;
    const uint16_t* mode = &h.HistoBuf[h.Moda];
    int64_t sum = 0;
    if (h.Moda >= h.XMin)
        sum += flankPar(mode, h.Moda - h.XMin + 1, -1, h.Moda);
    if (h.Moda <= h.XMax)
        sum += flankPar(mode, h.XMax - h.Moda + 1, 1, h.Moda);
    // A sum past the byte saturates rather than wrapping to a small, wrong value.
    return static_cast<uint8_t>(std::min<int64_t>(sum, kMaxIndexByte));
}

uint8_t sdnnOf(const Histogram& h) {
    return sdnnFromSums(h.windowLen, h.windowSum, h.windowSumSq);
}

int32_t ib50Of(const Histogram& h, int k, const CoreSettings& cfg) {
    if (h.Moda50 == 0 || h.DeltaX50 == 0)
        return 0;
    // AMo50 / (2 Mo dX), Mo and dX of the 50 ms histogram in seconds.
    double x = h.AMo50 * 1000000.0 / (2.0 * (h.Moda50 * 50) * (h.DeltaX50 * 50));
    if (cfg.IbCompensation)
        x = x * 100.0 / std::max(1, std::min(k, ClampSample(cfg.Sample)));
    return static_cast<int32_t>(std::nearbyint(x));
}

uint8_t Recording::CalcSYM() const {
    return symOf(Histo);
}

uint8_t Recording::CalcPAR() const {
    return parOf(Histo);
}

uint8_t Recording::CalcSDNN(int k, int sample) const {
    const int n = std::max(0, std::min(k, ClampSample(sample)));
    int32_t sum = 0, sumSq = 0;
    const uint8_t* rr = DataSeries[kSerRR].data();
    for (int j = k - n + 1; j <= k; ++j) {
        sum += rr[j];
        sumSq += rr[j] * rr[j];
    }
    return sdnnFromSums(n, sum, sumSq);
}

int32_t Recording::CalcIB50(int k, const CoreSettings& cfg) const {
    return ib50Of(Histo, k, cfg);
}

void Recording::CalcIndices(int k, const CoreSettings& cfg) {
    if (k < 1 || k > kCapacity)
        return;
    BuildHisto(k, cfg.Sample);
    takeIndices(Histo, k, cfg);
}

void Recording::takeIndices(const Histogram& h, int k, const CoreSettings& cfg) {
    SYM = symOf(h);
    DataSeries[kSerSYM][k] = SYM;
    PAR = parOf(h);
    DataSeries[kSerPAR][k] = PAR;
    SDNN = sdnnOf(h);
    DataSeries[kSerSDNN][k] = SDNN;
    IB50 = ib50Of(h, k, cfg);
    DataSeries[kSerIBHi][k] = static_cast<uint8_t>((IB50 >> 8) & 0xFF);
    DataSeries[kSerIBLo][k] = static_cast<uint8_t>(IB50 & 0xFF);
    if (RREventEnabled)
        return;  // ranges grow only while a recording is prepared
    sSYM.update(SYM);
    sPAR.update(PAR);
    sSDNN.update(SDNN);
    if (k > ClampSample(cfg.Sample))
        sIB.update(IB50);
}

}  // namespace trivant
