#include "whole_recording.h"

#include "beat_edit.h"
#include "standard_parts.h"

#include <algorithm>
#include <cmath>

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

namespace {

// The measures of one span of a series that is flagged, or corrected, once as a whole.
class SpanMeter {
public:
    SpanMeter(const std::vector<int64_t>& rrUs, const ArtifactOptions& options,
              const BandEdges& bands)
        : options_(options), bands_(bands), threshold_(ArtifactThreshold(options)),
          start_(startTimes(rrUs)) {
        all_.resize(rrUs.size());
        for (std::size_t i = 0; i < rrUs.size(); ++i)
            all_[i] = static_cast<double>(rrUs[i]) / 1000.0;
        if (!options.automatic) {
            // A span recomputes only its ends' flags.
            flags_ = standard::DetectArtifacts(all_, threshold_);
            return;
        }
        whole_ = CorrectAuto(all_);
        std::vector<int64_t> fixedUs(whole_.rr.size());
        for (std::size_t i = 0; i < fixedUs.size(); ++i)
            fixedUs[i] = std::llround(whole_.rr[i] * 1000);
        fixedStart_ = startTimes(fixedUs);
    }

    StandardMeasures operator()(const IntervalSpan& span) const {
        const auto at = [](std::size_t i) { return static_cast<std::ptrdiff_t>(i); };
        const std::vector<double> ms(all_.begin() + at(span.first), all_.begin() + at(span.last));
        if (!options_.automatic)
            return ComputeStandardMeasures(
                ms, standard::WindowArtifacts(ms, flags_, span.first, threshold_), options_,
                bands_);
        // The corrected intervals that begin within the span's time, so that a window
        // agrees with the whole.
        const auto from =
            std::lower_bound(fixedStart_.begin(), fixedStart_.end() - 1, start_[span.first]);
        const auto to = std::lower_bound(from, fixedStart_.end() - 1, start_[span.last]);
        AutoCorrection cut;
        cut.rr.assign(whole_.rr.begin() + (from - fixedStart_.begin()),
                      whole_.rr.begin() + (to - fixedStart_.begin()));
        cut.classes.assign(whole_.classes.begin() + at(span.first),
                           whole_.classes.begin() + at(span.last));
        cut.flagged =
            static_cast<int>(std::count_if(cut.classes.begin(), cut.classes.end(),
                                           [](BeatClass c) { return c != BeatClass::Normal; }));
        return ComputeCorrectedMeasures(ms, std::move(cut), bands_);
    }

private:
    const ArtifactOptions options_;
    const BandEdges bands_;
    const double threshold_;
    const std::vector<int64_t> start_;  // of the intervals as recorded, µs
    std::vector<double> all_;           // ms
    std::vector<bool> flags_;           // by the threshold
    AutoCorrection whole_;              // automatic
    std::vector<int64_t> fixedStart_;   // of whole_.rr, µs
};

}  // namespace

std::vector<SpanMeasures> MeasureSpans(const std::vector<int64_t>& rrUs, bool exact,
                                       const std::vector<IntervalSpan>& spans,
                                       const ArtifactOptions& options, const BandEdges& bands,
                                       std::atomic<std::size_t>* done,
                                       const std::atomic<bool>* cancel) {
    std::vector<SpanMeasures> out;
    out.reserve(spans.size());
    const SpanMeter meter(rrUs, options, bands);
    for (const IntervalSpan& span : spans) {
        if (cancel && *cancel)
            break;
        SpanMeasures row{span, 0, meter(span), {}};
        row.m.exact_intervals = exact;
        row.m.rr.clear();  // the series is the recording's: rows need only their numbers
        row.m.welch = {};
        row.m.artifacts.isArtifact.clear();
        row.m.artifacts.kinds.clear();
        out.push_back(std::move(row));
        if (done)
            ++*done;
    }
    return out;
}

void MarkEdited(std::vector<SpanMeasures>& rows, const Recording& rec) {
    const int edited = EditedBeats(rec);
    for (SpanMeasures& row : rows)
        row.m.artifacts.edited = edited;
}

std::vector<IntervalSpan> RecordingTrendSpans(const Recording& rec, int windowS, int stepS) {
    return TrendSpans(LocatingIntervalsUs(rec), int64_t{windowS} * 1000000,
                      int64_t{stepS} * 1000000);
}

std::vector<SpanMeasures> RecordingTrend(const Recording& rec, int windowS, int stepS,
                                         const ArtifactOptions& options, const BandEdges& bands) {
    std::vector<SpanMeasures> out =
        MeasureSpans(RecordingIntervalsUs(rec), rec.hasExact(),
                     RecordingTrendSpans(rec, windowS, stepS), options, bands);
    MarkEdited(out, rec);
    return out;
}

std::vector<SpanMeasures> RecordingStages(const Recording& rec, const ArtifactOptions& options,
                                          const BandEdges& bands, std::atomic<std::size_t>* done,
                                          const std::atomic<bool>* cancel) {
    const std::vector<int64_t> us = RecordingIntervalsUs(rec);
    const std::vector<StageSpan> stages = StageSpans(us, RecordingLabels(rec));
    std::vector<SpanMeasures> out = MeasureSpans(us, rec.hasExact(), {stages.begin(), stages.end()},
                                                 options, bands, done, cancel);
    MarkEdited(out, rec);
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i].stage = stages[i].stage;
        // Stage j > 0 begins at its label, at interval first (beat first + 1).
        if (stages[i].stage > 0)
            out[i].name = rec.labelName(static_cast<int>(stages[i].first) + 1);
    }
    return out;
}

}  // namespace trivant
