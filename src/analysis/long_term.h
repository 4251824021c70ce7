// The measures of a long recording as a whole: SDNN of every interval, and the five-minute
// segments' SDANN (the SD of their means) and SDNN index (the mean of their SDNNs).
#pragma once

#include "recording.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace trivant {

constexpr int64_t kLongSegmentUs = 300000000;  // 5 minutes

// Beat 1 starts at 0 and beat j at the sum of intervals 1..j-1. Segment k holds the
// intervals that start in [300k, 300k + 300) s and counts only when it is complete, the
// recording lasting (its intervals adding up to) at least 300(k + 1) s, and holds two
// intervals or more. SDs are over N - 1; every value is in ms, empty where undefined (SDANN
// below two segments, SDNN and SDNN index below two intervals or one segment).
struct LongTermMeasures {
    double durationS = 0;  // the intervals added up
    int n = 0;             // intervals
    int segments = 0;      // segments counted
    std::optional<double> sdnn, sdann, sdnni;
};

LongTermMeasures ComputeLongTerm(const std::vector<int64_t>& rrUs);
// Of the recording's intervals, exact where it has them.
LongTermMeasures RecordingLongTerm(const Recording& rec);

}  // namespace trivant
