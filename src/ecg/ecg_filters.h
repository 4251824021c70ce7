// Small recursive filters for ECG, designed from the sample rate: second-order Butterworth
// sections and a running sum, one sample at a time with no allocation after construction.
#pragma once

#include <cstddef>
#include <vector>

namespace trivant {

// One biquad section (direct form II transposed); the state is double so that low cutoffs at
// high rates (5 Hz at 2000 Hz) stay stable and quiet.
class Biquad {
public:
    static Biquad LowPass(double cutoffHz, double rate);
    static Biquad HighPass(double cutoffHz, double rate);

    double Step(double x) {
        const double y = b0_ * x + z1_;
        z1_ = b1_ * x - a1_ * y + z2_;
        z2_ = b2_ * x - a2_ * y;
        return y;
    }

private:
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double z1_ = 0, z2_ = 0;
};

// The last `length` values kept in a ring, readable by absolute sample number.
class SampleRing {
public:
    explicit SampleRing(size_t length);
    void Push(float v) {
        data_[next_ & mask_] = v;
        ++next_;
    }
    // Sample number i, which must be one of the last capacity() pushed.
    float At(long long i) const { return data_[static_cast<size_t>(i) & mask_]; }
    size_t capacity() const { return data_.size(); }

private:
    std::vector<float> data_;
    size_t mask_;
    size_t next_ = 0;
};

// Sum of the last `length` values; exact in the sense that it is recomputed from the ring
// every `length` steps, so rounding never piles up over a day.
class RunningSum {
public:
    explicit RunningSum(size_t length);
    double Step(double x);

private:
    std::vector<double> values_;
    size_t pos_ = 0;
    double sum_ = 0;
};

}  // namespace trivant
