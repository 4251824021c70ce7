// The 100 Hz signal of the intervals, linear from one interval's value to the next, held
// as a description rather than 3 million samples: the overview and the fragment compute
// from it exactly the samples they need, bit for bit as a stored signal would hold them.
#include "fragment_analysis.h"
#include "round_even.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace trivant {

namespace {

// Interval i (from 1) gives rr[i] samples rising from rr[i - 1] by equal steps; a zero
// interval gives none. The signal ends at kResampleCapacity samples.
struct Segment {
    int64_t start = 0;  // first sample
    int64_t count = 0;  // samples, at most rr[i]
    int i = 0;
};

// Calls f(segment) for every segment in order until f returns false.
template <typename F> void forEachSegment(const uint8_t* rr, int count, F f) {
    int64_t p = 0;
    for (int i = 1; i < count && p < kResampleCapacity; ++i) {
        if (rr[i] == 0)
            continue;
        const Segment s{p, std::min<int64_t>(rr[i], kResampleCapacity - p), i};
        if (!f(s))
            return;
        p += s.count;
    }
}

struct Line {
    double prev, step;
    explicit Line(const uint8_t* rr, int i) : prev(rr[i - 1]), step((rr[i] - prev) / rr[i]) {}
    double at(int64_t j) const { return j * step + prev; }
    int64_t rounded(int64_t j) const { return static_cast<int64_t>(RoundHalfEven(at(j))); }
};

// 1 / n for every n = 2|d| there can be.
const std::array<double, 512> kReciprocals = [] {
    std::array<double, 512> r{};
    for (size_t n = 1; n < r.size(); ++n)
        r[n] = 1.0 / n;
    return r;
}();

// Sums of the rounded samples of one interval. Sample j is a + j d / c within 1e-13 (a, d
// and c are small integers), and that value is either a half-integer or at least 1/(2c)
// from one; so it rounds as the exact fraction does, except at a half, where the sample
// itself decides. The value steps by one as j crosses (2k + 1) c / (2|d|), k < |d|: a
// handful of steps per interval instead of a hundred samples.
class RoundedSums {
public:
    RoundedSums(const uint8_t* rr, int i) : a_(rr[i - 1]), dir_(rr[i] >= rr[i - 1] ? 1 : -1) {
        const int c = rr[i], d = std::abs(rr[i] - rr[i - 1]);
        steps_ = d;
        const int den = 2 * d;
        const double perDen = kReciprocals[den];
        for (int k = 0; k < d; ++k) {
            const int n = (2 * k + 1) * c;
            // n / den from a product: off by at most one, which the checks mend.
            int q = static_cast<int>(n * perDen);
            q -= q * den > n;
            q += (q + 1) * den <= n;
            const bool half = q * den == n;
            at_[k] = half ? q : q + 1;
            if (half && q < c && Line(rr, i).rounded(q) == a_ + dir_ * k)
                ++at_[k];  // the half rounded back
        }
    }
    // The sum over samples 0 .. m-1.
    int64_t prefix(int64_t m) const {
        int64_t sum = a_ * m;
        for (int k = 0; k < steps_; ++k)
            sum += dir_ * std::max<int64_t>(0, m - at_[k]);
        return sum;
    }

private:
    int64_t a_;
    int dir_;
    int steps_ = 0;
    std::array<int64_t, 256> at_;  // the first sample past step k
};

}  // namespace

ResampleResult AnalysisBuffers::MeasureSignal(int count) const {
    ResampleResult r;
    count = std::clamp(count, 0, static_cast<int>(RRSource.size()));
    for (int i = 0; i < count; ++i)
        r.total += RRSource[i];
    if (r.total < kFragmentSamples)
        return r;
    r.enough = true;
    r.count = count;
    // The first interval gives no samples: time 0 is its end.
    r.length = std::min<int64_t>(r.total - RRSource[0], kResampleCapacity);
    return r;
}

void AnalysisBuffers::CutFragment(int startS, const ResampleResult& signal) {
    const int64_t from = int64_t(startS) * 100, to = from + kFragmentSamples + 1;
    const uint8_t* rr = RRSource.data();
    double last = 0;  // the last sample of the signal, repeated past its end
    forEachSegment(rr, signal.count, [&](const Segment& s) {
        const int64_t end = s.start + s.count;
        const bool final = end >= signal.length;
        if (end <= from && !final)
            return true;
        const Line line(rr, s.i);
        for (int64_t p = std::max(from, s.start); p < std::min(to, end); ++p)
            FragmentBuf[p - from] = line.at(p - s.start);
        if (final)
            last = line.at(signal.length - 1 - s.start);
        return !final && end < to;
    });
    for (int64_t p = std::max(from, signal.length); p < to; ++p)
        FragmentBuf[p - from] = last;
}

Overview MakeOverview(const AnalysisBuffers& buf, const ResampleResult& signal) {
    Overview o;
    o.BufLen = static_cast<int>(std::min<int64_t>(signal.length / 100, kMaxOverviewSeconds));
    o.RRViewBuf.assign(o.BufLen + 1, 0);
    const int64_t end = 100 * int64_t(o.BufLen);
    const uint8_t* rr = buf.RRSource.data();
    int64_t sum = 0;  // of the second being summed
    forEachSegment(rr, signal.count, [&](const Segment& s) {
        const RoundedSums sums(rr, s.i);
        int64_t p = s.start, before = 0;  // before: the sum of the samples before p
        const int64_t segEnd = std::min(s.start + s.count, end);
        while (p < segEnd) {
            const int64_t secondEnd = (p / 100 + 1) * 100;
            const int64_t q = std::min(segEnd, secondEnd);
            const int64_t upTo = sums.prefix(q - s.start);
            sum += upTo - before;
            before = upTo;
            p = q;
            if (p == secondEnd) {
                o.RRViewBuf[p / 100] = static_cast<uint8_t>(std::clamp<int64_t>(sum / 100, 0, 255));
                sum = 0;
            }
        }
        return segEnd < end;
    });
    return o;
}

}  // namespace trivant
