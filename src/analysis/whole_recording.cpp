#include "whole_recording.h"

#include "standard_parts.h"

#include <algorithm>

namespace trivant {

namespace {

// The start time of each interval, then the total duration last.
std::vector<int64_t> startTimes(const std::vector<int64_t>& rrUs) {
    std::vector<int64_t> s(rrUs.size() + 1, 0);
    for (std::size_t i = 0; i < rrUs.size(); ++i)
        s[i + 1] = s[i] + rrUs[i];
    return s;
}

}  // namespace

std::vector<IntervalSpan> TrendSpans(const std::vector<int64_t>& locUs, int64_t windowUs,
                                     int64_t stepUs) {
    std::vector<IntervalSpan> out;
    const std::size_t n = locUs.size();
    if (windowUs <= 0 || stepUs <= 0 || n == 0)
        return out;
    const std::vector<int64_t> s = startTimes(locUs);  // s[i]: the start of beat i + 1
    // Beats FrPos = i + 1 and FrEnd = j + 1; both only grow from one window to the next.
    std::size_t i = 0, j = 0;
    const int64_t timeUs = TrendTimeUs(locUs);
    for (int64_t a = 0; a + windowUs <= timeUs; a += stepUs) {
        while (i + 1 < n && s[i] < a)
            ++i;
        j = std::min(std::max(j, i + 1), n - 1);
        while (j + 1 < n && s[j] - s[i] < windowUs)
            ++j;
        out.push_back({i + 1, j + 1, a, a + windowUs});
    }
    return out;
}

int64_t TrendTimeUs(const std::vector<int64_t>& locUs) {
    int64_t total = 0;
    for (std::size_t i = 1; i < locUs.size(); ++i)
        total += locUs[i];
    return total;
}

std::vector<StageSpan> StageSpans(const std::vector<int64_t>& rrUs,
                                  const std::vector<bool>& labelled) {
    const std::vector<int64_t> s = startTimes(rrUs);
    std::vector<StageSpan> out;
    int stage = 0;
    std::size_t first = 0;
    auto close = [&](std::size_t last) {
        if (last > first) {
            StageSpan span;
            span.first = first;
            span.last = last;
            span.startUs = s[first];
            span.endUs = s[last];
            span.stage = stage;
            out.push_back(span);
        }
    };
    for (std::size_t i = 0; i < rrUs.size(); ++i)
        if (i < labelled.size() && labelled[i]) {
            close(i);
            first = i;
            ++stage;
        }
    close(rrUs.size());
    return out;
}

std::vector<int64_t> RecordingIntervalsUs(const Recording& rec) {
    std::vector<int64_t> us;
    us.reserve(static_cast<std::size_t>(rec.beats()));
    for (int k = 1; k <= rec.beats(); ++k)
        us.push_back(rec.intervalUs(k));
    return us;
}

std::vector<bool> RecordingLabels(const Recording& rec) {
    std::vector<bool> labelled;
    labelled.reserve(static_cast<std::size_t>(rec.beats()));
    for (int k = 1; k <= rec.beats(); ++k)
        labelled.push_back(rec.at(kSerLbl, k) != 0);
    return labelled;
}

std::vector<int64_t> LocatingIntervalsUs(const Recording& rec) {
    std::vector<int64_t> us;
    us.reserve(static_cast<std::size_t>(rec.beats()));
    for (int k = 1; k <= rec.beats(); ++k)
        us.push_back(int64_t{rec.at(kSerRR, k)} * 10000);
    return us;
}

double TrendDurationS(const Recording& rec) {
    return static_cast<double>(TrendTimeUs(LocatingIntervalsUs(rec))) / 1e6;
}

std::vector<SpanMeasures> MeasureSpans(const std::vector<int64_t>& rrUs, bool exact,
                                       const std::vector<IntervalSpan>& spans,
                                       const ArtifactOptions& options, const BandEdges& bands,
                                       std::atomic<std::size_t>* done,
                                       const std::atomic<bool>* cancel) {
    std::vector<SpanMeasures> out;
    out.reserve(spans.size());
    std::vector<double> all(rrUs.size());
    for (std::size_t i = 0; i < rrUs.size(); ++i)
        all[i] = static_cast<double>(rrUs[i]) / 1000.0;
    // Flagged once for the recording: a span recomputes only its ends' flags.
    const double threshold = ArtifactThreshold(options);
    const std::vector<bool> flags = standard::DetectArtifacts(all, threshold);
    std::vector<double> ms;
    for (const IntervalSpan& span : spans) {
        if (cancel && *cancel)
            break;
        ms.assign(all.begin() + static_cast<std::ptrdiff_t>(span.first),
                  all.begin() + static_cast<std::ptrdiff_t>(span.last));
        SpanMeasures row{
            span,
            0,
            ComputeStandardMeasures(ms, standard::WindowArtifacts(ms, flags, span.first, threshold),
                                    options, bands),
            {}};
        row.m.exact_intervals = exact;
        row.m.rr.clear();  // the series is the recording's: rows need only their numbers
        row.m.welch = {};
        row.m.artifacts.isArtifact.clear();
        out.push_back(std::move(row));
        if (done)
            ++*done;
    }
    return out;
}

std::vector<IntervalSpan> RecordingTrendSpans(const Recording& rec, int windowS, int stepS) {
    return TrendSpans(LocatingIntervalsUs(rec), int64_t{windowS} * 1000000,
                      int64_t{stepS} * 1000000);
}

std::vector<SpanMeasures> RecordingTrend(const Recording& rec, int windowS, int stepS,
                                         const ArtifactOptions& options, const BandEdges& bands) {
    return MeasureSpans(RecordingIntervalsUs(rec), rec.hasExact(),
                        RecordingTrendSpans(rec, windowS, stepS), options, bands);
}

std::vector<SpanMeasures> RecordingStages(const Recording& rec, const ArtifactOptions& options,
                                          const BandEdges& bands, std::atomic<std::size_t>* done,
                                          const std::atomic<bool>* cancel) {
    const std::vector<int64_t> us = RecordingIntervalsUs(rec);
    const std::vector<StageSpan> stages = StageSpans(us, RecordingLabels(rec));
    std::vector<SpanMeasures> out = MeasureSpans(us, rec.hasExact(), {stages.begin(), stages.end()},
                                                 options, bands, done, cancel);
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i].stage = stages[i].stage;
        // Stage j > 0 begins at its label, at interval first (beat first + 1).
        if (stages[i].stage > 0)
            out[i].name = rec.labelName(static_cast<int>(stages[i].first) + 1);
    }
    return out;
}

}  // namespace trivant
