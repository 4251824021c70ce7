// The 100 Hz signal of the intervals, linear from one interval's value to the next, held
// as a description rather than 8.6 million samples a day: the overview and the fragment
// compute from it exactly the samples they need, bit for bit as a stored signal would hold
// them.
#include "fragment_analysis.h"
#include "round_even.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace trivant {

namespace {

// Interval i (from 1) gives rr[i] samples rising from rr[i - 1] by equal steps; a zero
// interval gives none.
struct Segment {
    int64_t start = 0;  // first sample
    int64_t count = 0;  // samples: rr[i]
    int i = 0;
};

// Calls f(segment) for every segment in order until f returns false.
template <typename F> void forEachSegment(const uint8_t* rr, int count, F f) {
    int64_t p = 0;
    for (int i = 1; i < count; ++i) {
        if (rr[i] == 0)
            continue;
        const Segment s{p, rr[i], i};
        if (!f(s))
            return;
        p += s.count;
    }
}

// The samples of an interval of c units after one of a units: c samples from a in equal
// steps towards c.
struct Line {
    double prev, step;
    Line(int a, int c) : prev(a), step((c - prev) / c) {}
    double at(int64_t j) const { return j * step + prev; }
};

// Prefix sums of the rounded samples of every interval pair met: entry m is the sum of
// samples 0 .. m-1. An interval is fixed by its own value and the one before, and a
// recording holds few distinct pairs (about a thousand in 32 000 beats), so each pair's
// samples are rounded once instead of once per beat.
class PairSums {
public:
    PairSums() : where_(256 * 256, -1) {}

    const uint16_t* of(int a, int c) {
        int32_t& w = where_[a << 8 | c];
        if (w < 0) {
            w = static_cast<int32_t>(pool_.size());
            const Line line(a, c);
            int sum = 0;  // at most 255 * 255: the sums fit 16 bits
            pool_.push_back(0);
            for (int j = 0; j < c; ++j) {
                sum += static_cast<int>(RoundHalfEven(line.at(j)));
                pool_.push_back(static_cast<uint16_t>(sum));
            }
        }
        return pool_.data() + w;
    }

private:
    std::vector<int32_t> where_;  // offset into pool_, -1 while not met
    std::vector<uint16_t> pool_;
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
    r.length = r.total - RRSource[0];
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
        const Line line(rr[s.i - 1], rr[s.i]);
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
    o.BufLen = static_cast<int>(signal.length / 100);
    o.RRViewBuf.assign(o.BufLen + 1, 0);
    const int64_t end = 100 * int64_t(o.BufLen);
    const uint8_t* rr = buf.RRSource.data();
    int64_t sum = 0;  // of the second being summed
    PairSums sums;
    forEachSegment(rr, signal.count, [&](const Segment& s) {
        const uint16_t* prefix = sums.of(rr[s.i - 1], rr[s.i]);
        int64_t p = s.start, before = 0;  // before: the sum of the samples before p
        const int64_t segEnd = std::min(s.start + s.count, end);
        while (p < segEnd) {
            const int64_t secondEnd = (p / 100 + 1) * 100;
            const int64_t q = std::min(segEnd, secondEnd);
            const int64_t upTo = prefix[q - s.start];
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
