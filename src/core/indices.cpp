// Running indices of one beat: SYM, PAR, SDNN and the stress index IB50.
#include "par_flank.h"
#include "recording.h"

#include <algorithm>
#include <cmath>

namespace trivant {

namespace {

constexpr int kMaxIndexByte = 255;

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
    return symFromBins(h.AMo, c);
}

uint8_t symFromBins(int amo, int bins) {
    return bins == 0 ? 0 : static_cast<uint8_t>(std::min(amo * 4 / bins, kAMoCap));
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
    if (k < 1 || k > capacity())
        return;
    BuildHisto(k, cfg.Sample);
    takeIndices(Histo, symOf(Histo), parOf(Histo), k, cfg);
}

void Recording::takeIndices(const Histogram& h, uint8_t sym, uint8_t par, int k,
                            const CoreSettings& cfg) {
    SYM = sym;
    DataSeries[kSerSYM][k] = SYM;
    PAR = par;
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
