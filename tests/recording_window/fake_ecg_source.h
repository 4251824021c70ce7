// An ECG record in memory: a flat line at an offset with a narrow 1.5 mV R wave every rrS
// seconds from the first R peak on, counting the samples it was asked for.
#pragma once

#include "ecg_source.h"
#include "recording.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace trivant::test {

class FakeEcgSource : public EcgSource {
public:
    static constexpr double kRate = 360;
    static constexpr float kOffsetMv = 0.3f;  // the record's own baseline, which the strip drops
    static constexpr float kPeakMv = 1.5f;

    FakeEcgSource(int64_t samples, int64_t firstR, int64_t rrSamples)
        : firstR_(firstR), rr_(rrSamples) {
        info_.format = "WFDB";
        info_.rate = kRate;
        info_.channels.push_back({"MLII", "mV", kRate, samples});
        info_.channels.push_back({"V1", "mV", kRate, samples});
    }
    const EcgInfo& info() const override { return info_; }
    bool Read(int, int64_t first, int64_t count, std::vector<float>& out, std::string&) override {
        const int64_t n = std::clamp<int64_t>(info_.channels[0].samples - first, 0, count);
        out.resize(static_cast<size_t>(n));
        for (int64_t i = 0; i < n; ++i)
            out[i] = at(first + i);
        read += n;
        return true;
    }
    // A triangle 4 samples wide either side of each R peak.
    float at(int64_t s) const {
        const int64_t d = (s - firstR_) % rr_;
        const int64_t off = s < firstR_ ? firstR_ - s : std::min(d, rr_ - d);
        return kOffsetMv + (off < 4 ? kPeakMv * float(4 - off) / 4 : 0.f);
    }
    int64_t read = 0;

private:
    EcgInfo info_;
    int64_t firstR_, rr_;
};

// The beats of a recording of n intervals of rrSamples each, from an R peak at firstR.
inline void SetBeatSamples(Recording& rec, int n, int64_t firstR, int64_t rrSamples) {
    rec.BeatSamples.resize(static_cast<size_t>(n) + 1);
    for (int k = 0; k <= n; ++k)
        rec.BeatSamples[k] = firstR + k * rrSamples;
    rec.EcgSource = "fake.hea";
    rec.EcgChannel = "MLII";
    rec.EcgRate = FakeEcgSource::kRate;
}

}  // namespace trivant::test
