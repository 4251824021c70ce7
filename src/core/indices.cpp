// Running indices of one beat: SYM, PAR, SDNN and the stress index IB50.
#include "recording.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace trivant {

namespace {

constexpr int kMaxIndexByte = 255;

// PAR contribution of one flank. counts[d] is the bin at distance d from the mode.
// For level a the c(a) bins nearest the mode (c(a) = bins above a) are searched for
// bins at or below a. Bin d counts for every level a with counts[d] <= a < hs[d],
// hs being the counts sorted in descending order (hs[d] > a <=> c(a) > d), and a
// below moda; so each bin adds max(0, min(hs[d], moda) - counts[d]).
int64_t flankPar(const uint16_t* counts, int size, int moda) {
    // Counting sort: counts are at most the window size (kMaxSample).
    std::array<uint16_t, kMaxSample + 2> ofValue{};
    int top = 0;
    for (int d = 0; d < size; ++d) {
        ++ofValue[counts[d]];
        top = std::max<int>(top, counts[d]);
    }
    int64_t sum = 0;
    int value = top;
    for (int d = 0; d < size; ++d) {
        while (ofValue[value] == 0)
            --value;
        --ofValue[value];  // value is now hs[d]
        sum += std::max(0, std::min(value, moda) - counts[d]);
    }
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

uint8_t Recording::CalcSYM() const {
    int c = 0;
    // count > AMo / 5 as real numbers, kept exact in integers
    for (int j = Histo.XMin; j <= Histo.XMax; ++j)
        if (Histo.HistoBuf[j] * 5 > Histo.AMo)
            ++c;
    if (c == 0)
        return 0;
    return static_cast<uint8_t>(std::min(Histo.AMo * 4 / c, kAMoCap));
}

uint8_t Recording::CalcPAR() const {
    if (Histo.Moda == 0)
        return 0;
    std::array<uint16_t, kHistoBins> flank;
    int64_t sum = 0;
    if (Histo.Moda >= Histo.XMin) {
        int n = 0;
        for (int j = Histo.Moda; j >= Histo.XMin; --j)
            flank[n++] = Histo.HistoBuf[j];
        sum += flankPar(flank.data(), n, Histo.Moda);
    }
    if (Histo.Moda <= Histo.XMax) {
        int n = 0;
        for (int j = Histo.Moda; j <= Histo.XMax; ++j)
            flank[n++] = Histo.HistoBuf[j];
        sum += flankPar(flank.data(), n, Histo.Moda);
    }
    // A sum past the byte saturates rather than wrapping to a small, wrong value.
    return static_cast<uint8_t>(std::min<int64_t>(sum, kMaxIndexByte));
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
    if (Histo.Moda50 == 0 || Histo.DeltaX50 == 0)
        return 0;
    // AMo50 / (2 Mo dX), Mo and dX of the 50 ms histogram in seconds.
    double x = Histo.AMo50 * 1000000.0 / (2.0 * (Histo.Moda50 * 50) * (Histo.DeltaX50 * 50));
    if (cfg.IbCompensation)
        x = x * 100.0 / std::max(1, std::min(k, ClampSample(cfg.Sample)));
    return static_cast<int32_t>(std::nearbyint(x));
}

void Recording::CalcIndices(int k, const CoreSettings& cfg) {
    if (k < 1 || k > kCapacity)
        return;
    const int sample = ClampSample(cfg.Sample);
    BuildHisto(k, sample);
    SYM = CalcSYM();
    DataSeries[kSerSYM][k] = SYM;
    PAR = CalcPAR();
    DataSeries[kSerPAR][k] = PAR;
    SDNN = sdnnFromSums(Histo.windowLen, Histo.windowSum,
                        Histo.windowSumSq);  // the window just counted
    DataSeries[kSerSDNN][k] = SDNN;
    IB50 = CalcIB50(k, cfg);
    DataSeries[kSerIBHi][k] = static_cast<uint8_t>((IB50 >> 8) & 0xFF);
    DataSeries[kSerIBLo][k] = static_cast<uint8_t>(IB50 & 0xFF);
    if (RREventEnabled)
        return;  // ranges grow only while a recording is prepared
    sSYM.update(SYM);
    sPAR.update(PAR);
    sSDNN.update(SDNN);
    if (k > sample)
        sIB.update(IB50);
}

}  // namespace trivant
