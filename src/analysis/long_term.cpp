// SDANN and SDNN index over the consecutive five-minute segments of the whole recording.
#include "long_term.h"

#include "standard_parts.h"
#include "whole_recording.h"

#include <cmath>

namespace trivant {

namespace {

std::optional<double> sd(const std::vector<double>& x) {
    const std::optional<double> var = standard::SampleVariance(x);
    return var ? std::optional<double>(std::sqrt(*var)) : std::nullopt;
}

double mean(const std::vector<double>& x) {
    double sum = 0;
    for (double v : x)
        sum += v;
    return sum / static_cast<double>(x.size());
}

}  // namespace

LongTermMeasures ComputeLongTerm(const std::vector<int64_t>& rrUs) {
    LongTermMeasures m;
    int64_t totalUs = 0;
    for (int64_t us : rrUs)
        totalUs += us;
    m.durationS = static_cast<double>(totalUs) / 1e6;
    m.n = static_cast<int>(rrUs.size());
    const int64_t complete = totalUs / kLongSegmentUs;  // segments 0 .. complete - 1
    std::vector<double> all, segment, means, sdnns;
    all.reserve(rrUs.size());
    int64_t startUs = 0, k = 0;  // the interval's start and the segment it starts in
    auto close = [&] {
        if (k < complete && segment.size() >= 2) {
            means.push_back(mean(segment));
            sdnns.push_back(*sd(segment));
        }
        segment.clear();
    };
    for (int64_t us : rrUs) {
        if (startUs / kLongSegmentUs != k) {
            close();
            k = startUs / kLongSegmentUs;
        }
        const double ms = static_cast<double>(us) / 1000.0;
        all.push_back(ms);
        segment.push_back(ms);
        startUs += us;
    }
    close();
    m.segments = static_cast<int>(means.size());
    m.sdnn = sd(all);
    m.sdann = sd(means);
    if (!sdnns.empty())
        m.sdnni = mean(sdnns);
    return m;
}

LongTermMeasures RecordingLongTerm(const Recording& rec) {
    return ComputeLongTerm(RecordingIntervalsUs(rec));
}

}  // namespace trivant
