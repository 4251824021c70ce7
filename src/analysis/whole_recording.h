// The whole recording at once: the standard measures in windows sliding along it (the
// trend), and in the stages its labels mark. Timing is kept in whole µs, so that a beat
// exactly on a window's edge falls on the same side every time.
#pragma once

#include "beat_classes.h"
#include "recording.h"
#include "standard_measures.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace trivant {

constexpr int kMinTrendWindowS = 30, kMaxTrendWindowS = 3600, kDefaultTrendWindowS = 300;
constexpr int kMinTrendStepS = 1, kDefaultTrendStepS = 30;

// Intervals [first, last) of a series, from startUs to endUs.
struct IntervalSpan {
    std::size_t first = 0, last = 0;
    int64_t startUs = 0, endUs = 0;
};

// The trend's windows, located as the fragment picker locates its fragment, so that a
// window's row and the fragment opened at its start hold the same intervals. locUs are the
// intervals as the picker counts them (the 10 ms values, in µs), and its time 0 is the end
// of the first interval. The window at a = k·step takes FrPos, the first beat that starts
// at or after a (beat 1 starting at 0), and FrEnd, the first beat a window or more after
// FrPos (or the last beat), and holds the intervals of beats FrPos+1 .. FrEnd; windows go on
// while a + window lies within the picker's time. Empty when either length is not positive.
std::vector<IntervalSpan> TrendSpans(const std::vector<int64_t>& locUs, int64_t windowUs,
                                     int64_t stepUs);
// The picker's time of a recording, which the trend's time axis spans: its intervals after
// the first, as locUs has them.
int64_t TrendTimeUs(const std::vector<int64_t>& locUs);

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
// The recording's 10 ms values in µs: the intervals the trend's windows are located by.
std::vector<int64_t> LocatingIntervalsUs(const Recording& rec);
// TrendTimeUs of the recording, in seconds: the trend window and trend --png draw this.
double TrendDurationS(const Recording& rec);

// One row of the trend or the stages: where it is and its measures. For the trend, endUs
// is the window's end; for a stage, its last interval's.
struct SpanMeasures {
    IntervalSpan span;
    int stage = 0;
    StandardMeasures m;
    std::string name;  // a stage's: the name of the label it begins at, if any
};

// A series corrected as a whole (CorrectAuto of its intervals in ms), placed in the time of
// the series as recorded, so that a window cut from it agrees with the whole. An interval
// copied as recorded keeps its recorded start; a corrected run (intervals joined, split or
// replaced) lies from the start of the intervals it replaced, within their time. Time does
// not drift however many intervals were interpolated before.
class CorrectedWhole {
public:
    CorrectedWhole(const std::vector<int64_t>& rrUs, AutoCorrection whole);
    // The series corrected here, by CorrectAuto.
    explicit CorrectedWhole(const std::vector<int64_t>& rrUs);
    // Where each corrected interval begins, µs from the recording's start.
    const std::vector<int64_t>& startsUs() const { return start_; }
    // The corrected intervals that begin within the span's recorded time, with the classes
    // and the flagged count of the span's own intervals.
    AutoCorrection Cut(const IntervalSpan& within) const;

private:
    AutoCorrection whole_;
    std::vector<int64_t> recordedStart_, start_;
};

// The fragment's standard measures (ComputeFragmentMeasures); with the automatic choice and
// the whole recording corrected (whole), the fragment's part of that correction, as a trend
// window is.
StandardMeasures ComputeFragmentMeasures(const FragmentReport& r, const ArtifactOptions& options,
                                         const BandEdges& bands, const CorrectedWhole* whole);

// The measures of each span on its own, artifacts handled as options say: automatic
// correction corrects the whole series once and cuts each span from it by time. done, when
// given, counts the spans measured; a set cancel stops early with the rows so far.
std::vector<SpanMeasures> MeasureSpans(const std::vector<int64_t>& rrUs, bool exact,
                                       const std::vector<IntervalSpan>& spans,
                                       const ArtifactOptions& options, const BandEdges& bands,
                                       std::atomic<std::size_t>* done = nullptr,
                                       const std::atomic<bool>* cancel = nullptr);

// Each row's artifacts say how many beats the review of rec changed (EditedBeats).
void MarkEdited(std::vector<SpanMeasures>& rows, const Recording& rec);

// The windows of the trend of rec, its exact intervals measured.
std::vector<IntervalSpan> RecordingTrendSpans(const Recording& rec, int windowS, int stepS);
std::vector<SpanMeasures> RecordingTrend(const Recording& rec, int windowS, int stepS,
                                         const ArtifactOptions& options,
                                         const BandEdges& bands = {});
std::vector<SpanMeasures> RecordingStages(const Recording& rec, const ArtifactOptions& options,
                                          const BandEdges& bands = {},
                                          std::atomic<std::size_t>* done = nullptr,
                                          const std::atomic<bool>* cancel = nullptr);

}  // namespace trivant
