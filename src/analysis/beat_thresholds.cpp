// Sliding order statistics and the published decision rule of the artifact classification.
#include "beat_thresholds.h"

#include <algorithm>
#include <cmath>

namespace trivant {
namespace {

constexpr double kEctopicC1 = 0.13;
constexpr double kEctopicC2 = 0.17;
constexpr double kMedianRuleLimit = 3;  // |mRR| / th2 beyond which a beat is long or short
// Thresholds stay above this share of the local median (and 1 ms): a series whose
// differences are mostly 0 (a flat or coarsely rounded one) still flags only real jumps.
constexpr double kMinThresholdShare = 0.01;
constexpr double kMinThresholdMs = 1;

double Clean(double v) {
    return std::isfinite(v) ? v : 0.0;
}

// numpy's default quantile: linear between the ranks around q * (n - 1).
double SortedQuantile(const std::vector<double>& sorted, double q) {
    const double pos = q * static_cast<double>(sorted.size() - 1);
    const size_t lo = static_cast<size_t>(pos);
    const size_t hi = std::min(lo + 1, sorted.size() - 1);
    const double frac = pos - static_cast<double>(lo);
    return sorted[lo] + (sorted[hi] - sorted[lo]) * frac;
}

// The window of width w around i in n values: centred, slid inward at the ends.
size_t WindowStart(size_t i, size_t n, size_t w) {
    const size_t half = w / 2;
    return i < half ? 0 : std::min(i - half, n - w);
}

// Sorted window with out replaced by in: the values between the two places move by one,
// usually a few, rather than the whole tail twice.
void Replace(std::vector<double>& sorted, double out, double in) {
    size_t i =
        static_cast<size_t>(std::lower_bound(sorted.begin(), sorted.end(), out) - sorted.begin());
    for (; i + 1 < sorted.size() && sorted[i + 1] < in; ++i)
        sorted[i] = sorted[i + 1];
    for (; i > 0 && sorted[i - 1] > in; --i)
        sorted[i] = sorted[i - 1];
    sorted[i] = in;
}

template <typename Stat>
std::vector<double> Sliding(const std::vector<double>& values, size_t width, Stat stat) {
    const size_t n = values.size();
    std::vector<double> out(n, 0.0);
    if (n == 0)
        return out;
    const size_t w = std::min(std::max<size_t>(width, 1), n);
    std::vector<double> window(values.begin(), values.begin() + static_cast<ptrdiff_t>(w));
    std::sort(window.begin(), window.end());
    size_t start = 0;
    for (size_t i = 0; i < n; ++i) {
        for (const size_t want = WindowStart(i, n, w); start < want; ++start)
            Replace(window, values[start], values[start + w]);
        out[i] = stat(window);
    }
    return out;
}

std::vector<double> Differences(const std::vector<double>& rr) {
    std::vector<double> d(rr.size(), 0.0);
    for (size_t i = 1; i < rr.size(); ++i)
        d[i] = rr[i] - rr[i - 1];
    if (rr.size() > 1)
        d[0] = d[1];  // the first beat has no difference of its own
    return d;
}

// Value k of rr, beyond its ends the local median there.
double Padded(const std::vector<double>& rr, const std::vector<double>& median, ptrdiff_t k) {
    if (k < 0)
        return median.front();
    return static_cast<size_t>(k) < rr.size() ? rr[static_cast<size_t>(k)] : median.back();
}

}  // namespace

std::vector<double> SlidingQuantile(const std::vector<double>& values, size_t width, double q) {
    return Sliding(values, width,
                   [q](const std::vector<double>& s) { return SortedQuantile(s, q); });
}

std::vector<double> SlidingQuartileDeviation(const std::vector<double>& values, size_t width) {
    return Sliding(values, width, [](const std::vector<double>& s) {
        return (SortedQuantile(s, 0.75) - SortedQuantile(s, 0.25)) / 2;
    });
}

BeatThresholds ComputeBeatThresholds(const std::vector<double>& rrMs) {
    std::vector<double> rr(rrMs.size());
    std::transform(rrMs.begin(), rrMs.end(), rr.begin(), Clean);
    BeatThresholds t;
    t.median = SlidingQuantile(rr, kMedianWindow, 0.5);
    std::vector<double> absD = Differences(rr);
    std::vector<double> absM(rr.size());
    for (size_t i = 0; i < rr.size(); ++i) {
        absD[i] = std::fabs(absD[i]);
        const double m = rr[i] - t.median[i];
        absM[i] = m < 0 ? -2 * m : m;
    }
    t.th1 = SlidingQuartileDeviation(absD, kThresholdWindow);
    t.th2 = SlidingQuartileDeviation(absM, kThresholdWindow);
    for (size_t i = 0; i < rr.size(); ++i) {
        const double floor = std::max(kMinThresholdMs, kMinThresholdShare * std::fabs(t.median[i]));
        t.th1[i] = std::max(kThresholdAlpha * t.th1[i], floor);
        t.th2[i] = std::max(kThresholdAlpha * t.th2[i], floor);
    }
    return t;
}

PaperRule ApplyPaperRule(const BeatFeatures& f) {
    const double s11 = f.d;
    const double s12 = f.d > 0 ? std::max(f.dPrev, f.dNext) : std::min(f.dPrev, f.dNext);
    if ((s11 > 1 && s12 < -kEctopicC1 * s11 - kEctopicC2) ||
        (s11 < -1 && s12 > -kEctopicC1 * s11 + kEctopicC2))
        return PaperRule::Ectopic;
    const double s21 = f.d;
    const double s22 = f.d >= 0 ? std::min(f.dNext, f.dNext2) : std::max(f.dNext, f.dNext2);
    if ((s21 > 1 && s22 < -1) || (s21 < -1 && s22 > 1) || std::fabs(f.m) > kMedianRuleLimit)
        return PaperRule::LongShort;
    return PaperRule::None;
}

std::vector<BeatClass> ClassifyBeatsPlain(const std::vector<double>& rrMs) {
    const size_t n = rrMs.size();
    std::vector<BeatClass> out(n, BeatClass::Normal);
    if (n < 2)
        return out;
    std::vector<double> rr(n);
    std::transform(rrMs.begin(), rrMs.end(), rr.begin(), Clean);
    const BeatThresholds t = ComputeBeatThresholds(rr);
    for (size_t i = 0; i < n; ++i) {
        const ptrdiff_t k = static_cast<ptrdiff_t>(i);
        auto d = [&](ptrdiff_t j) {
            return (Padded(rr, t.median, j) - Padded(rr, t.median, j - 1)) / t.th1[i];
        };
        const double m = rr[i] - t.median[i];
        const BeatFeatures f{d(k - 1), d(k), d(k + 1), d(k + 2), (m < 0 ? 2 * m : m) / t.th2[i]};
        const PaperRule rule = ApplyPaperRule(f);
        if (rule == PaperRule::Ectopic) {
            out[i] = BeatClass::Ectopic;
        } else if (rule == PaperRule::LongShort) {
            const double next = i + 1 < n ? rr[i + 1] : rr[i];
            if (std::fabs(rr[i] / 2 - t.median[i]) < t.th2[i])
                out[i] = BeatClass::Missed;
            else if (i + 1 < n && std::fabs(rr[i] + next - t.median[i]) < t.th2[i])
                out[i] = BeatClass::Extra;
            else
                out[i] = rr[i] > t.median[i] ? BeatClass::Long : BeatClass::Short;
        }
    }
    return out;
}

}  // namespace trivant
