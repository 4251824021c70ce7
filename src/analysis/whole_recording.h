// The whole recording at once: the standard measures in windows sliding along it (the
// trend), and in the stages its labels mark. Timing is kept in whole µs, so that a beat
// exactly on a window's edge falls on the same side every time.
#pragma once

#include "recording.h"
#include "standard_measures.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace trivant {

constexpr int kMinTrendWindowS = 30, kMaxTrendWindowS = 3600, kDefaultTrendWindowS = 300;
constexpr int kMinTrendStepS = 1, kDefaultTrendStepS = 30;

// Intervals [first, last) of a series, from startUs to endUs.
struct IntervalSpan {
    std::size_t first = 0, last = 0;
    int64_t startUs = 0, endUs = 0;
};

// Windows [k·step, k·step + window) while they end within the total duration; a window
// holds the intervals that start in it. Empty when either length is not positive.
std::vector<IntervalSpan> TrendSpans(const std::vector<int64_t>& rrUs, int64_t windowUs,
                                     int64_t stepUs);

// Stage 0 holds the intervals before the first labelled one; stage j begins at the j-th
// labelled interval. Stages without intervals are left out. endUs is the stage's end.
struct StageSpan : IntervalSpan {
    int stage = 0;
};
std::vector<StageSpan> StageSpans(const std::vector<int64_t>& rrUs,
                                  const std::vector<bool>& labelled);

// The recording's intervals in µs (exact where it has them) and which carry a label.
std::vector<int64_t> RecordingIntervalsUs(const Recording& rec);
std::vector<bool> RecordingLabels(const Recording& rec);
// The sum of the recording's intervals (exact where it has them).
int64_t RecordingDurationUs(const Recording& rec);

// One row of the trend or the stages: where it is and its measures. For the trend, endUs
// is the window's end; for a stage, its last interval's.
struct SpanMeasures {
    IntervalSpan span;
    int stage = 0;
    StandardMeasures m;
};

// The measures of each span on its own, artifacts handled as options say. done, when
// given, counts the spans measured; a set cancel stops early with the rows so far.
std::vector<SpanMeasures> MeasureSpans(const std::vector<int64_t>& rrUs, bool exact,
                                       const std::vector<IntervalSpan>& spans,
                                       const ArtifactOptions& options,
                                       std::atomic<std::size_t>* done = nullptr,
                                       const std::atomic<bool>* cancel = nullptr);

std::vector<SpanMeasures> RecordingTrend(const Recording& rec, int windowS, int stepS,
                                         const ArtifactOptions& options);
std::vector<SpanMeasures> RecordingStages(const Recording& rec, const ArtifactOptions& options);

}  // namespace trivant
