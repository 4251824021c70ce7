// The resonance table: each paced segment's LF peak power, amplitude at its own rate and
// coherence, and the rate whose heart rate swings most.
#include "biofeedback.h"

#include "recording.h"
#include "standard_measures.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace trivant {

namespace {

constexpr double kPeakHalfWidth = 0.015;  // Hz
constexpr double kWelchDf = 1.0 / 256;    // Hz per line of Welch's spectrum

// Welch's power within 0.015 Hz of the LF peak of the intervals, or empty when the
// segment is too short for the spectrum.
std::optional<double> lfPeakPower(const std::vector<double>& rrMs) {
    const StandardMeasures m = ComputeStandardMeasures(rrMs, ArtifactOptions{});
    if (!m.ok || !m.lf_peak || m.welch.power.empty())
        return std::nullopt;
    double sum = 0;
    for (size_t j = 0; j < m.welch.freq.size(); ++j)
        if (std::abs(m.welch.freq[j] - *m.lf_peak) <= kPeakHalfWidth)
            sum += m.welch.power[j] * kWelchDf;
    return sum;
}

ResonanceRow rowOf(const RecordingBeats& beats, const PacedSegment& seg) {
    ResonanceRow row{seg, {}, {}, {}, false};
    const double end = seg.startS + seg.durationS;
    std::vector<double> rr;
    for (size_t i = 0; i < beats.tS.size(); ++i)
        if (beats.tS[i] > seg.startS && beats.tS[i] <= end)
            rr.push_back(beats.rrMs[i]);
    row.lfPeakPower = lfPeakPower(rr);
    const BeatSeries s = beats.until(end);
    if (seg.rateBpm > 0)
        row.amplitudeBpm = Amplitude(s, 60 / seg.rateBpm);
    if (const auto c = CoherenceRatio(s))
        row.coherence = c->ratio;
    return row;
}

// Whether a is the better resonance row than b.
bool better(const ResonanceRow& a, const ResonanceRow& b) {
    if (*a.amplitudeBpm != *b.amplitudeBpm)
        return *a.amplitudeBpm > *b.amplitudeBpm;
    return a.lfPeakPower.value_or(0) > b.lfPeakPower.value_or(0);
}

}  // namespace

BeatSeries RecordingBeats::until(double timeS) const {
    const auto n = static_cast<size_t>(std::upper_bound(tS.begin(), tS.end(), timeS) - tS.begin());
    return {tS.data(), rrMs.data(), n};
}

RecordingBeats BeatsOf(const Recording& rec) {
    RecordingBeats b;
    b.rrMs = RecordingIntervalsMs(rec);
    b.tS.reserve(b.rrMs.size());
    double sumMs = 0;
    for (double rr : b.rrMs) {
        sumMs += rr;
        b.tS.push_back(sumMs / 1000);
    }
    return b;
}

std::vector<ResonanceRow> ResonanceTable(const RecordingBeats& beats,
                                         const std::vector<PacedSegment>& segments) {
    std::vector<ResonanceRow> rows;
    ResonanceRow* best = nullptr;
    rows.reserve(segments.size());
    for (const PacedSegment& seg : segments) {
        rows.push_back(rowOf(beats, seg));
        ResonanceRow& r = rows.back();
        if (r.amplitudeBpm && (!best || better(r, *best)))
            best = &r;
    }
    if (best)
        best->resonance = true;
    return rows;
}

std::optional<double> LabelRate(const std::string& name) {
    for (const std::string prefix : {"темп ", "rate "}) {
        if (name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const char* first = name.data() + prefix.size();
        const char* last = name.data() + name.size();
        double v = 0;
        const auto [p, ec] = std::from_chars(first, last, v);
        if (ec == std::errc() && p == last && std::isfinite(v) && v > 0)
            return v;
    }
    return std::nullopt;
}

std::vector<PacedSegment> LabelledSegments(const Recording& rec, const RecordingBeats& beats) {
    std::vector<PacedSegment> segs;
    const double endS = beats.tS.empty() ? 0 : beats.tS.back();
    for (int k = 1; k <= rec.beats() && static_cast<size_t>(k) <= beats.tS.size(); ++k) {
        const auto rate = LabelRate(rec.labelName(k));
        if (!rate)
            continue;
        const double startS = beats.tS[static_cast<size_t>(k) - 1];
        if (!segs.empty())
            segs.back().durationS = startS - segs.back().startS;
        segs.push_back({*rate, startS, endS - startS});
    }
    return segs;
}

std::vector<PacedSegment> PlannedSegments(const std::vector<double>& ratesBpm, double minutes,
                                          double startS) {
    std::vector<PacedSegment> segs;
    for (size_t i = 0; i < ratesBpm.size(); ++i)
        segs.push_back({ratesBpm[i], startS + static_cast<double>(i) * minutes * 60, minutes * 60});
    return segs;
}

}  // namespace trivant
