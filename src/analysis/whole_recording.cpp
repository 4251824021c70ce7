#include "whole_recording.h"

#include "beat_edit.h"
#include "standard_parts.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

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

std::vector<double> intervalsMs(const std::vector<int64_t>& rrUs) {
    std::vector<double> ms(rrUs.size());
    for (std::size_t i = 0; i < rrUs.size(); ++i)
        ms[i] = static_cast<double>(rrUs[i]) / 1000.0;
    return ms;
}

// sums[i]: the sum of x[0 .. i - 1].
std::vector<double> prefixSums(const std::vector<double>& x) {
    std::vector<double> sums(x.size() + 1, 0);
    for (std::size_t i = 0; i < x.size(); ++i)
        sums[i + 1] = sums[i] + x[i];
    return sums;
}

// Values that must agree after a corrected run before it counts as over, and how far either
// series is searched for them: a run joins, splits or replaces a few intervals.
constexpr std::size_t kResyncLength = 3, kResyncReach = 8;

// Whether kResyncLength intervals agree from rec[i] and fixed[k], or both series end first.
bool agreeFrom(const std::vector<double>& rec, std::size_t i, const std::vector<double>& fixed,
               std::size_t k) {
    for (std::size_t t = 0; t < kResyncLength; ++t, ++i, ++k) {
        if (i == rec.size() || k == fixed.size())
            return i == rec.size() && k == fixed.size();
        if (rec[i] != fixed[k])
            return false;
    }
    return true;
}

}  // namespace

CorrectedWhole::CorrectedWhole(const std::vector<int64_t>& rrUs, AutoCorrection whole)
    : whole_(std::move(whole)), recordedStart_(startTimes(rrUs)) {
    const std::vector<double> rec = intervalsMs(rrUs);
    const std::vector<double>& fixed = whole_.rr;
    const std::vector<double> recSum = prefixSums(rec), fixedSum = prefixSums(fixed);
    start_.assign(fixed.size(), 0);
    std::size_t i = 0, k = 0;
    while (k < fixed.size()) {
        if (i < rec.size() && rec[i] == fixed[k]) {  // copied as recorded
            start_[k++] = recordedStart_[i++];
            continue;
        }
        // A corrected run: to the place both agree again whose intervals last as long on
        // either side (joined and split ones exactly, replaced ones nearly), the nearest of
        // those alike; to the ends when they agree nowhere near.
        std::size_t i2 = rec.size(), k2 = fixed.size();
        double best = -1;
        for (std::size_t di = 0; di <= kResyncReach && i + di <= rec.size(); ++di)
            for (std::size_t dk = 0; dk <= kResyncReach && k + dk <= fixed.size(); ++dk) {
                if (di + dk == 0 || !agreeFrom(rec, i + di, fixed, k + dk))
                    continue;
                const double gap =
                    std::fabs((recSum[i + di] - recSum[i]) - (fixedSum[k + dk] - fixedSum[k]));
                if (best < 0 || gap < best || (gap == best && di + dk < i2 - i + k2 - k)) {
                    best = gap;
                    i2 = i + di;
                    k2 = k + dk;
                }
            }
        // Its intervals one after another from the run's recorded start, inside its time.
        const int64_t from = recordedStart_[i];
        const int64_t last = std::max(from, recordedStart_[i2] - 1);
        double us = 0;
        for (; k < k2; ++k) {
            start_[k] = std::min(last, from + static_cast<int64_t>(std::llround(us)));
            us += fixed[k] * 1000;
        }
        i = i2;
    }
}

CorrectedWhole::CorrectedWhole(const std::vector<int64_t>& rrUs)
    : CorrectedWhole(rrUs, CorrectAuto(intervalsMs(rrUs))) {}

AutoCorrection CorrectedWhole::Cut(const IntervalSpan& within) const {
    IntervalSpan span = within;  // of this series, however it was asked
    span.last = std::min(span.last, recordedStart_.size() - 1);
    span.first = std::min(span.first, span.last);
    const auto at = [](std::size_t i) { return static_cast<std::ptrdiff_t>(i); };
    const auto from =
        std::lower_bound(start_.begin(), start_.end(), recordedStart_[span.first]) - start_.begin();
    const auto to =
        std::lower_bound(start_.begin(), start_.end(), recordedStart_[span.last]) - start_.begin();
    AutoCorrection cut;
    cut.rr.assign(whole_.rr.begin() + from, whole_.rr.begin() + to);
    if (whole_.classes.size() + 1 == recordedStart_.size())
        cut.classes.assign(whole_.classes.begin() + at(span.first),
                           whole_.classes.begin() + at(span.last));
    cut.flagged =
        static_cast<int>(std::count_if(cut.classes.begin(), cut.classes.end(),
                                       [](BeatClass c) { return c != BeatClass::Normal; }));
    return cut;
}

namespace {

// The measures of one span of a series that is flagged, or corrected, once as a whole.
class SpanMeter {
public:
    SpanMeter(const std::vector<int64_t>& rrUs, const ArtifactOptions& options,
              const BandEdges& bands)
        : options_(options), bands_(bands), threshold_(ArtifactThreshold(options)),
          all_(intervalsMs(rrUs)) {
        if (options.automatic)
            whole_.emplace(rrUs);
        else  // a span recomputes only its ends' flags
            flags_ = standard::DetectArtifacts(all_, threshold_);
    }

    StandardMeasures operator()(const IntervalSpan& span) const {
        const auto at = [](std::size_t i) { return static_cast<std::ptrdiff_t>(i); };
        const std::vector<double> ms(all_.begin() + at(span.first), all_.begin() + at(span.last));
        if (whole_)
            return ComputeCorrectedMeasures(ms, whole_->Cut(span), bands_);
        return ComputeStandardMeasures(
            ms, standard::WindowArtifacts(ms, flags_, span.first, threshold_), options_, bands_);
    }

private:
    const ArtifactOptions options_;
    const BandEdges bands_;
    const double threshold_;
    const std::vector<double> all_;        // ms
    std::vector<bool> flags_;              // by the threshold
    std::optional<CorrectedWhole> whole_;  // automatic
};

}  // namespace

StandardMeasures ComputeFragmentMeasures(const FragmentReport& r, const ArtifactOptions& options,
                                         const BandEdges& bands, const CorrectedWhole* whole) {
    if (!options.automatic || !whole)
        return ComputeFragmentMeasures(r, options, bands);
    IntervalSpan span;
    span.first = static_cast<size_t>(r.FrPos);
    span.last = static_cast<size_t>(r.FrEnd);
    StandardMeasures m = ComputeCorrectedMeasures(FragmentIntervalsMs(r), whole->Cut(span), bands);
    m.exact_intervals = !r.FrExactUs.empty();
    return m;
}

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
