#include "training_summary.h"

#include <algorithm>
#include <charconv>

namespace trivant {

namespace {

struct Mean {
    double sum = 0, weight = 0;
    void add(const std::optional<double>& v, double w = 1) {
        if (v) {
            sum += *v * w;
            weight += w;
        }
    }
    std::optional<double> value() const {
        return weight > 0 ? std::optional<double>(sum / weight) : std::nullopt;
    }
};

void appendNumber(std::string& out, const std::optional<double>& v) {
    if (!v)
        return;
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, *v, std::chars_format::fixed, 3);
    out.append(buf, r.ptr);
}

}  // namespace

TrainingSummary SummarizeTraining(const std::vector<TrainingSample>& samples, double durationS) {
    TrainingSummary s;
    s.durationS = durationS;
    Mean hr, rmssd, amp, coherence, high;
    for (size_t i = 0; i < samples.size(); ++i) {
        const TrainingSample& b = samples[i];
        hr.add(b.hrBpm);
        rmssd.add(b.rmssdMs);
        amp.add(b.amplitudeBpm);
        if (!b.coherence)
            continue;
        s.maxCoherence = std::max(s.maxCoherence.value_or(*b.coherence), *b.coherence);
        const double until = i + 1 < samples.size() ? samples[i + 1].tS : durationS;
        const double held = std::max(0.0, until - b.tS);
        coherence.add(b.coherence, held);
        high.add(*b.coherence >= kHighCoherence ? 1.0 : 0.0, held);
    }
    s.meanHrBpm = hr.value().value_or(0);
    s.meanRmssdMs = rmssd.value();
    s.meanAmplitudeBpm = amp.value();
    s.meanCoherence = coherence.value();
    if (s.maxCoherence && !s.meanCoherence)
        s.meanCoherence = s.maxCoherence;  // held for no time: the ratio there was is its mean
    s.highCoherenceShare = high.value();
    return s;
}

std::string TrainingSummaryCsv(const TrainingSummary& s) {
    std::string out =
        "duration_s,hr_bpm,rmssd_ms,coherence_mean,coherence_max,coherence_high_share,"
        "amplitude_bpm\n";
    const std::optional<double> values[] = {s.durationS,       s.meanHrBpm,    s.meanRmssdMs,
                                            s.meanCoherence,   s.maxCoherence, s.highCoherenceShare,
                                            s.meanAmplitudeBpm};
    for (size_t i = 0; i < std::size(values); ++i) {
        if (i)
            out += ',';
        appendNumber(out, values[i]);
    }
    out += '\n';
    return out;
}

}  // namespace trivant
