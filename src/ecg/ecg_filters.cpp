// Coefficients by the bilinear transform with the cutoff prewarped (RBJ's cookbook forms,
// Q = 1/sqrt(2) for Butterworth).
#include "ecg_filters.h"

#include <cmath>

namespace trivant {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kButterworthQ = 0.70710678118654752;

size_t PowerOfTwoAtLeast(size_t n) {
    size_t p = 1;
    while (p < n)
        p <<= 1;
    return p;
}

}  // namespace

Biquad Biquad::LowPass(double cutoffHz, double rate) {
    const double w = 2 * kPi * cutoffHz / rate;
    const double alpha = std::sin(w) / (2 * kButterworthQ);
    const double c = std::cos(w);
    const double a0 = 1 + alpha;
    Biquad f;
    f.b0_ = (1 - c) / 2 / a0;
    f.b1_ = (1 - c) / a0;
    f.b2_ = f.b0_;
    f.a1_ = -2 * c / a0;
    f.a2_ = (1 - alpha) / a0;
    return f;
}

Biquad Biquad::HighPass(double cutoffHz, double rate) {
    const double w = 2 * kPi * cutoffHz / rate;
    const double alpha = std::sin(w) / (2 * kButterworthQ);
    const double c = std::cos(w);
    const double a0 = 1 + alpha;
    Biquad f;
    f.b0_ = (1 + c) / 2 / a0;
    f.b1_ = -(1 + c) / a0;
    f.b2_ = f.b0_;
    f.a1_ = -2 * c / a0;
    f.a2_ = (1 - alpha) / a0;
    return f;
}

SampleRing::SampleRing(size_t length)
    : data_(PowerOfTwoAtLeast(length), 0.0f), mask_(data_.size() - 1) {}

RunningSum::RunningSum(size_t length) : values_(length < 1 ? 1 : length, 0.0) {}

double RunningSum::Step(double x) {
    sum_ += x - values_[pos_];
    values_[pos_] = x;
    if (++pos_ == values_.size()) {
        pos_ = 0;
        double s = 0;
        for (double v : values_)
            s += v;
        sum_ = s;
    }
    return sum_;
}

}  // namespace trivant
