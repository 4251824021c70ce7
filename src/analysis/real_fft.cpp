#include "real_fft.h"

#include <fftw3.h>

#include <map>
#include <mutex>
#include <new>

namespace trivant {

namespace {

template <typename T> T* fftwArray(size_t n, T* (*alloc)(size_t)) {
    T* p = alloc(n);
    if (!p)
        throw std::bad_alloc();
    return p;
}

// The plans made so far, kept until the process ends.
class Plans {
public:
    fftw_plan of(int n) {
        const std::lock_guard<std::mutex> lock(mutex_);
        fftw_plan& p = plans_[n];
        if (!p) {
            // Made on arrays of FFTW's alignment, so that every RealFft's buffers fit it.
            double* in = fftwArray<double>(n, fftw_alloc_real);
            fftw_complex* out = fftwArray<fftw_complex>(n / 2 + 1, fftw_alloc_complex);
            p = fftw_plan_dft_r2c_1d(n, in, out, FFTW_ESTIMATE);
            fftw_free(in);
            fftw_free(out);
        }
        return p;
    }
    ~Plans() {
        for (auto& [n, p] : plans_)
            fftw_destroy_plan(p);
    }

private:
    std::mutex mutex_;
    std::map<int, fftw_plan> plans_;
};

fftw_plan planOf(int n) {
    static Plans plans;
    return plans.of(n);
}

}  // namespace

void RealFft::Free::operator()(double* p) const {
    fftw_free(p);
}

RealFft::RealFft(int n)
    : plan_(planOf(n)), in_(fftwArray<double>(n, fftw_alloc_real)),
      out_(fftwArray<double>(2 * (n / 2 + 1), fftw_alloc_real)) {}

void RealFft::run() {
    fftw_execute_dft_r2c(static_cast<fftw_plan>(plan_), in_.get(),
                         reinterpret_cast<fftw_complex*>(out_.get()));
}

}  // namespace trivant
