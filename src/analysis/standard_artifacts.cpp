// Artifacts: an interval that departs from the median of its neighbourhood by more than a
// threshold, replaced on request by the line between its nearest good neighbours.
#include "standard_parts.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace trivant::standard {

namespace {
constexpr size_t kHalfWindow = 5;  // 11 intervals centred on r_i
}

double LocalMedian(const std::vector<double>& rr, size_t i) {
    const size_t first = i > kHalfWindow ? i - kHalfWindow : 0;
    const size_t last = std::min(rr.size() - 1, i + kHalfWindow);
    std::array<double, 2 * kHalfWindow + 1> w{};
    const size_t count = last - first + 1;
    std::copy(rr.begin() + first, rr.begin() + last + 1, w.begin());
    std::sort(w.begin(), w.begin() + count);
    return count % 2 ? w[count / 2] : (w[count / 2 - 1] + w[count / 2]) / 2;
}

std::vector<bool> DetectArtifacts(const std::vector<double>& rr, double thresholdMs) {
    std::vector<bool> flags(rr.size());
    for (size_t i = 0; i < rr.size(); ++i)
        flags[i] = std::fabs(rr[i] - LocalMedian(rr, i)) > thresholdMs;
    return flags;
}

std::vector<bool> WindowArtifacts(const std::vector<double>& window, const std::vector<bool>& whole,
                                  size_t first, double thresholdMs) {
    std::vector<bool> flags(window.size());
    for (size_t i = 0; i < window.size(); ++i)
        flags[i] = i >= kHalfWindow && i + kHalfWindow < window.size()
                       ? whole[first + i]
                       : std::fabs(window[i] - LocalMedian(window, i)) > thresholdMs;
    return flags;
}

std::vector<double> CorrectArtifacts(const std::vector<double>& rr,
                                     const std::vector<bool>& isArtifact) {
    std::vector<double> out = rr;
    const size_t n = rr.size();
    size_t prev = n;  // the last good interval so far; n while there is none
    for (size_t i = 0; i < n; ++i) {
        if (isArtifact[i])
            continue;
        const size_t from = prev == n ? 0 : prev + 1;
        for (size_t k = from; k < i; ++k)
            out[k] = prev == n ? rr[i]
                               : rr[prev] + (rr[i] - rr[prev]) * static_cast<double>(k - prev) /
                                                static_cast<double>(i - prev);
        prev = i;
    }
    for (size_t k = prev + 1; k < n; ++k)
        out[k] = rr[prev];
    return out;
}

}  // namespace trivant::standard
