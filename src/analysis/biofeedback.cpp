// The coherence ratio, amplitude and RMSSD of the latest beats, and the meter that keeps
// them beat by beat: a per-beat figure scans at most the last 100 s, the spectrum runs
// once every 5 s of beat time.
#include "biofeedback.h"

#include "real_fft.h"

#include <algorithm>
#include <cmath>

namespace trivant {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kSamples = 128;        // 64 s at 2 Hz
constexpr double kStepS = 0.5;       // between samples
constexpr int kNfft = 1024;          // the samples zero-padded
constexpr double kDf = 2.0 / kNfft;  // Hz per bin
constexpr double kPeakLo = 0.04, kPeakHi = 0.26, kPeakHalfWidth = 0.015;
constexpr double kTotalLo = 0.0033, kTotalHi = 0.4;
constexpr int kCycles = 4;
constexpr double kRmssdS = 60;
// A meter keeps this much beyond what the amplitude's cycles need: a coherence peak down at
// 0.04 Hz makes 4 cycles 100 s.
constexpr double kKeepS = 100;

struct Hann128 {
    double w[kSamples];
    Hann128() {
        for (int k = 0; k < kSamples; ++k)
            w[k] = 0.5 - 0.5 * std::cos(2 * kPi * k / (kSamples - 1));
    }
};

// The series linearly interpolated at end - 63.5 .. end s, into out; false when no beat
// reaches back to the first sample.
bool interpolate(const BeatSeries& s, double* out) {
    const double end = s.tS[s.n - 1];
    const double first = end - kStepS * (kSamples - 1);
    const double* j = std::upper_bound(s.tS, s.tS + s.n, first);
    if (j == s.tS)
        return false;
    size_t i = static_cast<size_t>(j - s.tS) - 1;  // t_i <= sample time
    for (int k = 0; k < kSamples; ++k) {
        const double u = end - kStepS * (kSamples - 1 - k);  // the last one exactly end
        while (i + 1 < s.n && s.tS[i + 1] <= u)
            ++i;
        if (i + 1 == s.n) {
            out[k] = s.rrMs[i];
            continue;
        }
        const double a = (u - s.tS[i]) / (s.tS[i + 1] - s.tS[i]);
        out[k] = s.rrMs[i] + a * (s.rrMs[i + 1] - s.rrMs[i]);
    }
    return true;
}

}  // namespace

std::optional<Coherence> CoherenceRatio(const BeatSeries& s) {
    if (s.n < 2)
        return std::nullopt;
    double x[kSamples];
    if (!interpolate(s, x))
        return std::nullopt;
    double mean = 0;
    for (double v : x)
        mean += v;
    mean /= kSamples;
    static const Hann128 hann;
    thread_local RealFft fft(kNfft);
    double* in = fft.input();
    for (int k = 0; k < kNfft; ++k)
        in[k] = k < kSamples ? (x[k] - mean) * hann.w[k] : 0;
    fft.run();
    // Only ratios of P are used, so it needs no scale.
    const auto power = [&](int k) { return fft.re(k) * fft.re(k) + fft.im(k) * fft.im(k); };
    int peak = -1;
    for (int k = 0; k <= kNfft / 2; ++k) {
        const double f = k * kDf;
        if (f >= kPeakLo && f <= kPeakHi && (peak < 0 || power(k) > power(peak)))
            peak = k;
    }
    const double peakHz = peak * kDf;
    double total = 0, inPeak = 0;
    for (int k = 0; k <= kNfft / 2; ++k) {
        const double f = k * kDf;
        if (f < kTotalLo || f > kTotalHi)
            continue;
        total += power(k);
        if (std::abs(f - peakHz) <= kPeakHalfWidth)
            inPeak += power(k);
    }
    if (!(total - inPeak > 0))
        return std::nullopt;
    return Coherence{inPeak / (total - inPeak), peakHz};
}

std::optional<double> Amplitude(const BeatSeries& s, double cycleS) {
    if (s.n == 0 || !(cycleS > 0))
        return std::nullopt;
    const double end = s.tS[s.n - 1];
    if (s.tS[0] > end - kCycles * cycleS)
        return std::nullopt;
    double sum = 0;
    size_t i = s.n;  // beats i.. are in later cycles
    for (int c = 0; c < kCycles; ++c) {
        const double lo = end - (c + 1) * cycleS;  // the cycle is (lo, lo + cycleS]
        double hrMin = 0, hrMax = 0;
        bool any = false;
        for (; i > 0 && s.tS[i - 1] > lo; --i) {
            const double hr = 60000 / s.rrMs[i - 1];
            hrMin = any ? std::min(hrMin, hr) : hr;
            hrMax = any ? std::max(hrMax, hr) : hr;
            any = true;
        }
        if (!any)
            return std::nullopt;
        sum += hrMax - hrMin;
    }
    return sum / kCycles;
}

std::optional<double> Rmssd60(const BeatSeries& s) {
    if (s.n < 2)
        return std::nullopt;
    const double* first = std::upper_bound(s.tS, s.tS + s.n, s.tS[s.n - 1] - kRmssdS);
    const auto i0 = static_cast<size_t>(first - s.tS);
    if (s.n - i0 < 2)
        return std::nullopt;
    double ss = 0;
    for (size_t i = i0 + 1; i < s.n; ++i)
        ss += (s.rrMs[i] - s.rrMs[i - 1]) * (s.rrMs[i] - s.rrMs[i - 1]);
    return std::sqrt(ss / static_cast<double>(s.n - i0 - 1));
}

BeatSeries BiofeedbackMeter::series() const {
    return {t_.data() + first_, rr_.data() + first_, t_.size() - first_};
}

void BiofeedbackMeter::trim() {
    const double cycles = pacerRate_ > 0 ? kCycles * 60 / pacerRate_ : 0;
    const double keep = std::max(kKeepS, cycles) + kStepS;
    const double from = t_.back() - keep;
    while (first_ + 1 < t_.size() && t_[first_ + 1] <= from)
        ++first_;
    // Dropped in blocks, so that a beat costs a constant time on average.
    if (first_ > 1024 && first_ * 2 > t_.size()) {
        t_.erase(t_.begin(), t_.begin() + static_cast<std::ptrdiff_t>(first_));
        rr_.erase(rr_.begin(), rr_.begin() + static_cast<std::ptrdiff_t>(first_));
        first_ = 0;
    }
}

const BiofeedbackFigures& BiofeedbackMeter::addBeat(double rrMs, double endS) {
    t_.push_back(endS);
    rr_.push_back(rrMs);
    trim();
    const BeatSeries s = series();
    figures_.hrBpm = 60000 / rrMs;
    figures_.rmssdMs = Rmssd60(s);
    if (!coherent_ && endS - t_.front() >= kStepS * (kSamples - 1)) {
        coherent_ = true;
        nextCoherenceS_ = endS;
    }
    if (coherent_ && endS >= nextCoherenceS_) {
        figures_.coherence = CoherenceRatio(s);
        while (nextCoherenceS_ <= endS)
            nextCoherenceS_ += kCoherenceStepS;
    }
    double cycleS = 0;
    if (pacerRate_ > 0)
        cycleS = 60 / pacerRate_;
    else if (figures_.coherence)
        cycleS = 1 / figures_.coherence->peakHz;
    figures_.amplitudeBpm = Amplitude(s, cycleS);
    return figures_;
}

}  // namespace trivant
