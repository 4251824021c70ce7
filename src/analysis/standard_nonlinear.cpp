// Detrended fluctuation analysis and sample entropy of the intervals.
#include "standard_parts.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace trivant::standard {

std::vector<double> Profile(const std::vector<double>& rr) {
    if (rr.empty())
        return {};
    const double mean = std::accumulate(rr.begin(), rr.end(), 0.0) / static_cast<double>(rr.size());
    std::vector<double> y(rr.size());
    double sum = 0;
    for (size_t i = 0; i < rr.size(); ++i) {
        sum += rr[i] - mean;
        y[i] = sum;
    }
    return y;
}

namespace {

// Squared residuals of each box y[b n .. b n + n - 1], b = 0..kBoxes-1, about its
// least-squares line over x = 0..n-1: the centred sum of squares less what the slope
// explains, in two passes over the box. The boxes' sums run side by side, each in its own
// order, so they overlap in time yet add up exactly as one box at a time would.
template <int kBoxes> void residualSquares(const double* y, int n, double* out) {
    const double xMean = (n - 1) / 2.0;
    const double sxx = n * (double(n) * n - 1) / 12;  // sum of (k - xMean)^2, exact
    double yMean[kBoxes] = {}, sxy[kBoxes] = {}, syy[kBoxes] = {};
    for (int k = 0; k < n; ++k)
        for (int b = 0; b < kBoxes; ++b)
            yMean[b] += y[b * n + k];
    for (int b = 0; b < kBoxes; ++b)
        yMean[b] /= n;
    for (int k = 0; k < n; ++k)
        for (int b = 0; b < kBoxes; ++b) {
            const double d = y[b * n + k] - yMean[b];
            sxy[b] += (k - xMean) * d;
            syy[b] += d * d;
        }
    for (int b = 0; b < kBoxes; ++b)
        out[b] = std::max(0.0, syy[b] - sxy[b] * sxy[b] / sxx);
}

}  // namespace

double Fluctuation(const std::vector<double>& profile, int n) {
    const size_t boxes = profile.size() / static_cast<size_t>(n);
    constexpr int kSide = 4;  // boxes whose sums run at once
    double ss = 0, r[kSide];
    size_t b = 0;
    for (; b + kSide <= boxes; b += kSide) {
        residualSquares<kSide>(profile.data() + b * n, n, r);
        for (double v : r)
            ss += v;
    }
    for (; b < boxes; ++b) {
        residualSquares<1>(profile.data() + b * n, n, r);
        ss += r[0];
    }
    return std::sqrt(ss / static_cast<double>(boxes * n));
}

std::optional<double> DfaAlpha(const std::vector<double>& profile, int first, int last) {
    if (profile.size() < static_cast<size_t>(2 * last))
        return std::nullopt;
    std::vector<double> x, y;
    for (int n = first; n <= last; ++n) {
        const double f = Fluctuation(profile, n);
        if (f == 0)
            return std::nullopt;
        x.push_back(std::log10(static_cast<double>(n)));
        y.push_back(std::log10(f));
    }
    const double xMean = std::accumulate(x.begin(), x.end(), 0.0) / static_cast<double>(x.size());
    const double yMean = std::accumulate(y.begin(), y.end(), 0.0) / static_cast<double>(y.size());
    double sxy = 0, sxx = 0;
    for (size_t k = 0; k < x.size(); ++k) {
        sxy += (x[k] - xMean) * (y[k] - yMean);
        sxx += (x[k] - xMean) * (x[k] - xMean);
    }
    return sxy / sxx;
}

std::optional<double> SampleEntropy(const std::vector<double>& rr, int m, double r) {
    if (rr.size() <= static_cast<size_t>(m))
        return std::nullopt;
    const size_t count = rr.size() - m;  // templates of both lengths start at 0 .. count-1
    // Sorted by first value, a template's matches in that value are a contiguous run after
    // it; the rest of each pair is checked value by value. The counts are whole numbers, so
    // neither the order of equal values nor that of the checks can change them.
    std::vector<std::pair<double, size_t>> order(count);
    for (size_t p = 0; p < count; ++p)
        order[p] = {rr[p], p};
    std::sort(order.begin(), order.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    // The templates in that order, each of its m + 1 values side by side, for the scan to
    // read straight through memory.
    const size_t width = static_cast<size_t>(m) + 1;
    std::vector<double> t(count * width);
    for (size_t p = 0; p < count; ++p)
        std::copy_n(rr.begin() + static_cast<std::ptrdiff_t>(order[p].second), width,
                    t.begin() + p * width);
    long long matchM = 0, matchM1 = 0;
    for (size_t p = 0; p < count; ++p) {
        const double* a = t.data() + p * width;
        for (size_t q = p + 1; q < count && t[q * width] - a[0] <= r; ++q) {
            const double* b = t.data() + q * width;
            // Without branches: whether a pair matches is as good as random.
            bool near = true;
            for (int k = 1; k < m; ++k)
                near &= std::fabs(a[k] - b[k]) <= r;
            matchM += near;
            matchM1 += near & (std::fabs(a[m] - b[m]) <= r);
        }
    }
    if (matchM == 0 || matchM1 == 0)
        return std::nullopt;
    return -std::log(static_cast<double>(matchM1) / static_cast<double>(matchM));
}

}  // namespace trivant::standard
