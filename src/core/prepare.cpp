// Preparation of a packed recording for drawing and analysis: series, ranges, axis
// ranges and means. Serves both a stopped recording and a loaded file.
#include "recording.h"
#include "scale_ranges.h"
#include "sliding_histo.h"

#include <algorithm>

namespace trivant {

void Recording::PrepareData(const CoreSettings& cfg) {
    CurrentFileLen = std::clamp(CurrentFileLen, 0, capacity());
    for (auto& s : DataSeries)
        std::fill(s.begin(), s.end(), uint8_t{0});  // a byte value makes it a memset
    unpackWithSpO2Range();
    sRR = {0, 255};
    const int last = CurrentFileLen - 1;
    for (int k = 1; k <= last; ++k)
        sRR.update(DataSeries[kSerRR][k]);
    if (last >= 1) {
        // Same indices as CalcIndices beat by beat, without recounting every window.
        SlidingHisto window(cfg.Sample);
        for (int k = 1; k <= last; ++k) {
            window.slide(DataSeries[kSerRR].data(), k);
            takeIndices(window.histo(), window.sym(), window.par(), k, cfg);
        }
        Histo = window.histo();
    }
    SetScales(cfg);
    CalcAverages(1, last, cfg.Sample);
}

void Recording::PrepareLabels(const CoreSettings& cfg) {
    auto& labels = DataSeries[kSerLbl];
    std::fill(labels.begin(), labels.end(), uint8_t{0});
    unpackWithSpO2Range();
    CalcAverages(1, CurrentFileLen - 1, cfg.Sample);
}

void Recording::unpackWithSpO2Range() {
    LabNum = 0;  // the labels are numbered from 1 however often it is prepared
    Unpack();
    sSPO = {0, 255};
    for (int k = 1; k < CurrentFileLen; ++k)
        sSPO.update(DataSeries[kSerSPO][k]);
}

void Recording::SetScales(const CoreSettings& cfg) {
    using R = ScaleRanges;
    ScSPO = R::kSpoRows - 1;
    while (ScSPO > 0 && R::SPO[ScSPO].lower > sSPO.Min)
        --ScSPO;

    ScRR = 0;
    while (ScRR < R::kRows - 1 && R::RR[ScRR].upper < sRR.Max)
        ++ScRR;

    int32_t m = 0;
    if (cfg.Shown[kSerSYM])
        m = std::max(m, sSYM.Max);
    if (cfg.Shown[kSerPAR])
        m = std::max(m, sPAR.Max);
    if (cfg.Shown[kSerSDNN])
        m = std::max(m, sSDNN.Max);
    ScHRV = R::NarrowestHolding(R::HRV, m);
    ScIB = R::NarrowestHolding(R::IB, sIB.Max);
}

void Recording::CalcAverages(int first, int last, int sample) {
    sample = ClampSample(sample);
    if (sample > last || last < 1)
        return;  // no full window: the means stay as they were
    first = std::max(first, sample);
    last = std::min(last, capacity());
    const int64_t count = last - first + 1;
    if (count <= 0)
        return;
    int64_t sums[kSeriesCount] = {};
    int64_t ib = 0;
    for (int k = first; k <= last; ++k) {
        for (int s = kSerRR; s <= kSerSDNN; ++s)
            sums[s] += DataSeries[s][k];
        ib += ibAt(k);
    }
    averRR = static_cast<int32_t>(sums[kSerRR] * 10 / count);
    averSPO = static_cast<int32_t>(sums[kSerSPO] / count);
    averSYM = static_cast<int32_t>(sums[kSerSYM] / count);
    averPAR = static_cast<int32_t>(sums[kSerPAR] / count);
    averSDNN = static_cast<int32_t>(sums[kSerSDNN] / count);
    averIB50 = static_cast<int32_t>(ib / count);
    AveragesValid = true;
}

}  // namespace trivant
