// Welch's spectrum of the intervals: a natural cubic spline through the beats sampled at
// 4 Hz, 256-sample Hann segments overlapping by half, each transformed on 1024 points.
// FFTW plans that transform once per process; each call executes it on its own buffers.
#include "standard_parts.h"

#include <fftw3.h>

#include <cmath>
#include <new>

namespace trivant::standard {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kFs = 4;         // Hz
constexpr int kSegment = 256;     // samples
constexpr int kStep = 128;        // samples between segment starts
constexpr int kNfft = 1024;       // points of the transform, the segment zero-padded
constexpr int kBins = kNfft / 2;  // f_j = j * kFs / kNfft = j / 256 Hz, j = 0..kBins

// Second derivatives of the natural spline through (t, y): M_0 = M_last = 0 and a
// tridiagonal system for the rest, solved by forward elimination and back substitution.
std::vector<double> splineMoments(const std::vector<double>& t, const std::vector<double>& y) {
    const size_t n = t.size();
    std::vector<double> m(n, 0), diag(n, 0), rhs(n, 0);
    for (size_t i = 1; i + 1 < n; ++i) {
        const double h0 = t[i] - t[i - 1], h1 = t[i + 1] - t[i];
        diag[i] = 2 * (h0 + h1);
        rhs[i] = 6 * ((y[i + 1] - y[i]) / h1 - (y[i] - y[i - 1]) / h0);
        if (i > 1) {
            const double f = h0 / diag[i - 1];  // the sub-diagonal entry h0 eliminated
            diag[i] -= f * h0;
            rhs[i] -= f * rhs[i - 1];
        }
    }
    for (size_t i = n - 1; i-- > 1;)
        m[i] = (rhs[i] - (t[i + 1] - t[i]) * m[i + 1]) / diag[i];
    return m;
}

}  // namespace

std::vector<double> ResampleAt4Hz(const std::vector<double>& rr) {
    const size_t n = rr.size();
    if (n < 2)
        return {};
    std::vector<double> t(n);
    double sum = 0;
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && rr[i] <= 0)
            return {};  // a beat time repeats: no spline
        sum += rr[i];
        t[i] = sum / 1000;
    }
    // From the intervals' sum rather than t_N - t_1, so that a whole number of quarter
    // seconds is not lost to rounding.
    const auto count = static_cast<size_t>(std::floor(kFs * (sum - rr[0]) / 1000)) + 1;
    const std::vector<double> m = splineMoments(t, rr);
    std::vector<double> out(count);
    size_t i = 0;  // the knot interval [t_i, t_i+1] of the sample
    for (size_t k = 0; k < count; ++k) {
        const double u = t[0] + static_cast<double>(k) / kFs;
        while (i + 2 < n && u > t[i + 1])
            ++i;
        const double h = t[i + 1] - t[i];
        const double a = (t[i + 1] - u) / h, b = (u - t[i]) / h;
        out[k] = a * rr[i] + b * rr[i + 1] +
                 ((a * a * a - a) * m[i] + (b * b * b - b) * m[i + 1]) * h * h / 6;
    }
    return out;
}

namespace {

template <typename T> T* fftwArray(size_t n, T* (*alloc)(size_t)) {
    T* p = alloc(n);
    if (!p)
        throw std::bad_alloc();
    return p;
}

// The planner is not thread-safe: a function-local static is made exactly once.
fftw_plan sharedPlan() {
    struct Plan {
        fftw_plan plan = nullptr;
        Plan() {
            double* in = fftwArray<double>(kNfft, fftw_alloc_real);
            fftw_complex* out = fftwArray<fftw_complex>(kBins + 1, fftw_alloc_complex);
            plan = fftw_plan_dft_r2c_1d(kNfft, in, out, FFTW_ESTIMATE);
            fftw_free(in);
            fftw_free(out);
        }
        ~Plan() { fftw_destroy_plan(plan); }
    };
    static const Plan p;
    return p.plan;
}

struct Buffers {
    double* in = fftwArray<double>(kNfft, fftw_alloc_real);
    fftw_complex* out = fftwArray<fftw_complex>(kBins + 1, fftw_alloc_complex);
    Buffers() = default;
    Buffers(const Buffers&) = delete;
    Buffers& operator=(const Buffers&) = delete;
    ~Buffers() {
        fftw_free(in);
        fftw_free(out);
    }
};

// The periodic Hann window and the density scale 1 / (fs * sum w^2).
struct Hann {
    double w[kSegment];
    double scale = 0;
    Hann() {
        double ss = 0;
        for (int k = 0; k < kSegment; ++k) {
            w[k] = 0.5 - 0.5 * std::cos(2 * kPi * k / kSegment);
            ss += w[k] * w[k];
        }
        scale = 1 / (kFs * ss);
    }
};

// Adds the one-sided periodogram of samples[start .. start + 255] to power.
void addSegment(const double* x, const Hann& hann, fftw_plan plan, Buffers& buf,
                std::vector<double>& power) {
    double mean = 0;
    for (int k = 0; k < kSegment; ++k)
        mean += x[k];
    mean /= kSegment;
    for (int k = 0; k < kSegment; ++k)
        buf.in[k] = (x[k] - mean) * hann.w[k];
    for (int k = kSegment; k < kNfft; ++k)
        buf.in[k] = 0;
    fftw_execute_dft_r2c(plan, buf.in, buf.out);
    for (int j = 0; j <= kBins; ++j) {
        const double re = buf.out[j][0], im = buf.out[j][1];
        const double c = j == 0 || j == kBins ? 1 : 2;  // one-sided: both halves but 0, fs/2
        power[j] += c * (re * re + im * im) * hann.scale;
    }
}

}  // namespace

WelchSpectrum Welch(const std::vector<double>& samples) {
    WelchSpectrum s;
    if (samples.size() < static_cast<size_t>(kSegment))
        return s;
    static const Hann hann;
    const fftw_plan plan = sharedPlan();
    Buffers buf;
    s.power.assign(kBins + 1, 0);
    int segments = 0;
    for (size_t start = 0; start + kSegment <= samples.size(); start += kStep, ++segments)
        addSegment(samples.data() + start, hann, plan, buf, s.power);
    for (int j = 0; j <= kBins; ++j) {
        s.power[j] /= segments;
        s.freq.push_back(j * kFs / kNfft);
    }
    return s;
}

}  // namespace trivant::standard
