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

// Squared residuals of y[0 .. n-1] about its least-squares line over x = 0..n-1: the
// centred sum of squares less what the slope explains, in two passes over the box.
double residualSquares(const double* y, int n) {
    const double xMean = (n - 1) / 2.0;
    const double sxx = n * (double(n) * n - 1) / 12;  // sum of (k - xMean)^2, exact
    double yMean = 0;
    for (int k = 0; k < n; ++k)
        yMean += y[k];
    yMean /= n;
    double sxy = 0, syy = 0;
    for (int k = 0; k < n; ++k) {
        const double d = y[k] - yMean;
        sxy += (k - xMean) * d;
        syy += d * d;
    }
    return std::max(0.0, syy - sxy * sxy / sxx);
}

}  // namespace

double Fluctuation(const std::vector<double>& profile, int n) {
    const size_t boxes = profile.size() / static_cast<size_t>(n);
    double ss = 0;
    for (size_t b = 0; b < boxes; ++b)
        ss += residualSquares(profile.data() + b * n, n);
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
    // it; the rest of each pair is checked value by value.
    std::vector<size_t> order(count);
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return rr[a] < rr[b]; });
    // The templates in that order, each of its m + 1 values side by side, for the scan to
    // read straight through memory.
    const size_t width = static_cast<size_t>(m) + 1;
    std::vector<double> t(count * width);
    for (size_t p = 0; p < count; ++p)
        std::copy_n(rr.begin() + static_cast<std::ptrdiff_t>(order[p]), width,
                    t.begin() + p * width);
    long long matchM = 0, matchM1 = 0;
    for (size_t p = 0; p < count; ++p) {
        const double* a = t.data() + p * width;
        for (size_t q = p + 1; q < count && t[q * width] - a[0] <= r; ++q) {
            const double* b = t.data() + q * width;
            int k = 1;
            while (k < m && std::fabs(a[k] - b[k]) <= r)
                ++k;
            if (k < m)
                continue;
            ++matchM;
            matchM1 += std::fabs(a[m] - b[m]) <= r;
        }
    }
    if (matchM == 0 || matchM1 == 0)
        return std::nullopt;
    return -std::log(static_cast<double>(matchM1) / static_cast<double>(matchM));
}

}  // namespace trivant::standard
