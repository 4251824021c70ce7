// The corrections each artifact class calls for, and the passes of classification and
// correction while the count of flagged beats falls.
#include "beat_classes.h"

#include "beat_thresholds.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace trivant {
namespace {

constexpr int kMaxPasses = 10;
// Its correction keeps the pair's sum (moves the beat) when the sum fits the neighbours'
// trend within this share; otherwise (a reset rhythm) both are interpolated.
constexpr double kKeptSumShare = 0.1;
constexpr size_t kReach = 8;  // intervals a correction looks for good neighbours over

// Intervals the corrections may interpolate from: not flagged, and not the second interval
// of an ectopic or extra beat.
std::vector<bool> GoodIntervals(const std::vector<BeatClass>& classes) {
    const size_t n = classes.size();
    std::vector<bool> good(n, true);
    for (size_t i = 0; i < n; ++i) {
        if (!Flagged(classes[i]))
            continue;
        good[i] = false;
        const bool paired = classes[i] == BeatClass::Ectopic || classes[i] == BeatClass::Extra;
        if (paired && i + 1 < n && !Flagged(classes[i + 1]))
            good[i + 1] = false;
    }
    return good;
}

// Intervals first..first + count - 1 interpolated linearly between the nearest good ones on
// either side within reach; empty when there is none on either (a run of artifacts that
// long has nothing near to be corrected from).
std::vector<double> Interpolated(const std::vector<double>& rr, const std::vector<bool>& good,
                                 size_t first, size_t count) {
    std::optional<size_t> left, right;
    for (size_t j = first; j-- > 0 && j + kReach >= first;)
        if (good[j]) {
            left = j;
            break;
        }
    const size_t end = first + count;
    for (size_t j = end; j < rr.size() && j < end + kReach; ++j)
        if (good[j]) {
            right = j;
            break;
        }
    if (!left && !right)
        return {};
    std::vector<double> out;
    for (size_t i = first; i < first + count; ++i) {
        if (!left || !right) {
            out.push_back(rr[left ? *left : *right]);
            continue;
        }
        const double share = static_cast<double>(i - *left) / static_cast<double>(*right - *left);
        out.push_back(rr[*left] + (rr[*right] - rr[*left]) * share);
    }
    return out;
}

// The intervals around a displaced beat, interpolated, and when their sum fits the trend,
// scaled to keep it: the beat moved, the beats before and after it left where they are.
std::vector<double> Rebalanced(const std::vector<double>& rr, const std::vector<bool>& good,
                               size_t first) {
    std::vector<double> v = Interpolated(rr, good, first, 2);
    const double sum = rr[first] + rr[first + 1];
    if (v.size() != 2 || !(v[0] > 0 && v[1] > 0))
        return {sum / 2, sum / 2};
    const double trend = v[0] + v[1];
    if (std::fabs(sum - trend) < kKeptSumShare * trend)
        return {v[0] * sum / trend, v[1] * sum / trend};
    return v;
}

bool Usable(const std::vector<double>& values) {
    return std::all_of(values.begin(), values.end(),
                       [](double v) { return std::isfinite(v) && v > 0; });
}

}  // namespace

std::vector<SeriesFix> ProposeSeriesFixes(const std::vector<double>& rrMs,
                                          const std::vector<BeatClass>& classes) {
    const size_t n = std::min(rrMs.size(), classes.size());
    const std::vector<bool> good = GoodIntervals(classes);
    std::vector<SeriesFix> fixes;
    for (size_t i = 0; i < n; ++i) {
        const BeatClass kind = classes[i];
        if (!Flagged(kind))
            continue;
        const bool paired = i + 1 < n && !Flagged(classes[i + 1]);
        SeriesFix fix{i, 1, {}, kind};
        if (kind == BeatClass::Extra && paired) {
            fix.count = 2;
            fix.values = {rrMs[i] + rrMs[i + 1]};
        } else if (kind == BeatClass::Missed) {
            fix.values = {rrMs[i] / 2, rrMs[i] / 2};
        } else if (kind == BeatClass::Ectopic && paired) {
            fix.count = 2;
            fix.values = Rebalanced(rrMs, good, i);
        } else {
            fix.values = Interpolated(rrMs, good, i, 1);
        }
        if (fix.values.empty() || !Usable(fix.values))
            continue;
        i += fix.count - 1;
        fixes.push_back(std::move(fix));
    }
    return fixes;
}

std::vector<double> ApplySeriesFixes(const std::vector<double>& rrMs,
                                     const std::vector<SeriesFix>& fixes) {
    std::vector<double> out;
    out.reserve(rrMs.size() + fixes.size());
    size_t next = 0;  // the first interval not yet copied or replaced
    for (const SeriesFix& fix : fixes) {
        if (fix.first < next || fix.count == 0 || fix.first + fix.count > rrMs.size())
            continue;  // out of order, overlapping or out of range: not this series' fix
        out.insert(out.end(), rrMs.begin() + static_cast<ptrdiff_t>(next),
                   rrMs.begin() + static_cast<ptrdiff_t>(fix.first));
        out.insert(out.end(), fix.values.begin(), fix.values.end());
        next = fix.first + fix.count;
    }
    out.insert(out.end(), rrMs.begin() + static_cast<ptrdiff_t>(next), rrMs.end());
    return out;
}

AutoCorrection CorrectAuto(const std::vector<double>& rrMs) {
    AutoCorrection a;
    a.rr = rrMs;
    a.classes = ClassifyBeats(rrMs);
    a.flagged = CountFlagged(a.classes);
    std::vector<BeatClass> classes = a.classes;
    int flagged = a.flagged;
    for (int pass = 0; pass < kMaxPasses && flagged > 0; ++pass) {
        const std::vector<SeriesFix> fixes = ProposeSeriesFixes(a.rr, classes);
        if (fixes.empty())
            break;
        a.rr = ApplySeriesFixes(a.rr, fixes);
        a.corrected += static_cast<int>(fixes.size());
        classes = ClassifyBeats(a.rr);
        const int now = CountFlagged(classes);
        if (now >= flagged)
            break;
        flagged = now;
    }
    return a;
}

}  // namespace trivant
