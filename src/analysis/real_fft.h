// A real-to-complex transform through FFTW. The plan of each size is made once per process
// (the planner is not thread-safe, so under a lock); every RealFft owns aligned buffers and
// runs the shared plan on them, which FFTW allows from any thread.
#pragma once

#include <memory>

namespace trivant {

class RealFft {
public:
    explicit RealFft(int n);
    RealFft(const RealFft&) = delete;
    RealFft& operator=(const RealFft&) = delete;

    double* input() { return in_.get(); }  // n values
    void run();
    // Bin k = 0..n/2 of the last run: X_k = sum x_t e^(-2 pi i k t / n).
    double re(int k) const { return out_.get()[2 * k]; }
    double im(int k) const { return out_.get()[2 * k + 1]; }

private:
    struct Free {
        void operator()(double* p) const;
    };
    void* plan_;
    std::unique_ptr<double, Free> in_;
    std::unique_ptr<double, Free> out_;  // n/2 + 1 complex values, interleaved
};

}  // namespace trivant
