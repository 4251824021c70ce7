// R peak search and hit tests of the ECG strip's hand edits.
#include "ecg_strip_edit.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace trivant {

int64_t NearestRPeak(const float* mv, int64_t first, int64_t n, int64_t at, double rateHz,
                     double searchS) {
    const auto reach = static_cast<int64_t>(std::lround(searchS * rateHz));
    const int64_t lo = std::max(first, at - reach), hi = std::min(first + n - 1, at + reach);
    if (!mv || lo > hi)
        return at;
    const int64_t blo = std::max(first, at - 2 * reach),
                  bhi = std::min(first + n - 1, at + 2 * reach);
    std::vector<float> around(mv + (blo - first), mv + (bhi - first) + 1);
    std::nth_element(around.begin(), around.begin() + around.size() / 2, around.end());
    const float baseline = around[around.size() / 2];
    // Of equal deviations the one nearest at wins: a flat stretch leaves the click in place.
    int64_t best = std::clamp(at, lo, hi);
    double bestDev = std::fabs(mv[best - first] - baseline);
    for (int64_t s = lo; s <= hi; ++s) {
        const double dev = std::fabs(mv[s - first] - baseline);
        if (dev > bestDev || (dev == bestDev && std::llabs(s - at) < std::llabs(best - at))) {
            best = s;
            bestDev = dev;
        }
    }
    return best;
}

int EcgMarkAt(const std::vector<int64_t>& beats, const EcgStripLayout& L, double x, double maxPx) {
    int found = -1;
    double nearest = maxPx;
    // Only the marks on the paper can be under the pointer.
    auto from = std::lower_bound(beats.begin(), beats.end(), L.first);
    auto to = std::lower_bound(from, beats.end(), L.first + L.count);
    for (auto it = from; it != to; ++it) {
        const double d = std::fabs(L.sampleToX(*it) - x);
        if (d <= nearest) {
            nearest = d;
            found = static_cast<int>(it - beats.begin());
        }
    }
    return found;
}

int EcgIntervalAt(const std::vector<int64_t>& beats, int64_t sample) {
    auto it = std::lower_bound(beats.begin(), beats.end(), sample);
    if (it == beats.begin() || it == beats.end() || *it == sample)
        return 0;
    return static_cast<int>(it - beats.begin());
}

}  // namespace trivant
