// A synthetic ECG for the tests: R waves about 1.2 mV high (each its own), 8 ms wide, with a
// T wave 280 ms later and baseline wander, at known samples.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

namespace trivant::test {

inline std::vector<float> Train(const std::vector<int64_t>& rPeaks, double rate, size_t n) {
    constexpr double kPi = 3.14159265358979323846;
    std::vector<float> mv(n);
    for (size_t i = 0; i < n; ++i) {
        double v = 0.4 * std::sin(2 * kPi * 0.3 * static_cast<double>(i) / rate);
        for (size_t k = 0; k < rPeaks.size(); ++k) {
            const double s = (static_cast<double>(i) - static_cast<double>(rPeaks[k])) / rate;
            const double t = s - 0.28;
            if (std::fabs(s) < 1)
                v += 1.2 * (1 + 0.15 * std::sin(2.3 * static_cast<double>(k))) *
                         std::exp(-s * s / 1.28e-4) +
                     0.5 * std::exp(-t * t / 3.2e-3);
        }
        mv[i] = static_cast<float>(v);
    }
    return mv;
}

}  // namespace trivant::test
