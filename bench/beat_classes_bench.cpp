// The artifact classification over a million beats: the real day of nsr009 repeated, as a
// week-long recording would give it.
#include "bench_data.h"

#include "beat_classes.h"
#include "beat_review.h"

#include <benchmark/benchmark.h>

#include <charconv>

namespace trivant::bench {
namespace {

constexpr size_t kBeats = 1000000;

const std::vector<double>& MillionBeats() {
    static const std::vector<double> rr = [] {
        std::vector<double> day;
        const std::string& text = DayListText();
        const char* p = text.data();
        const char* end = p + text.size();
        while (p < end) {
            double v = 0;
            const auto r = std::from_chars(p, end, v);
            if (r.ec == std::errc())
                day.push_back(v);
            p = r.ptr;
            while (p < end && (*p == '\n' || *p == '\r'))
                ++p;
        }
        std::vector<double> out;
        out.reserve(kBeats);
        while (!day.empty() && out.size() < kBeats)
            out.push_back(day[out.size() % day.size()]);
        return out;
    }();
    return rr;
}

void BM_ClassifyBeats(benchmark::State& state) {
    const std::vector<double>& rr = MillionBeats();
    for (auto _ : state) {
        const std::vector<BeatClass> classes = ClassifyBeats(rr);
        benchmark::DoNotOptimize(classes.data());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * rr.size()));
}
BENCHMARK(BM_ClassifyBeats)->Unit(benchmark::kMillisecond);

void BM_CorrectAuto(benchmark::State& state) {
    const std::vector<double>& rr = MillionBeats();
    for (auto _ : state) {
        const AutoCorrection fixed = CorrectAuto(rr);
        benchmark::DoNotOptimize(fixed.rr.data());
    }
}
BENCHMARK(BM_CorrectAuto)->Unit(benchmark::kMillisecond);

// "Исправить все" on the week: every fix an edit of the recording, then the undo.
void BM_CorrectRecording(benchmark::State& state) {
    const std::vector<double>& rr = MillionBeats();
    Recording week;
    week.Reserve(static_cast<int>(rr.size()) + 1);
    week.ExactUs.assign(1, 0);
    for (size_t i = 0; i < rr.size(); ++i) {
        const auto us = static_cast<int32_t>(rr[i] * 1000);
        week.ExactUs.push_back(us);
        week.DataBuf[i + 1] = packSample(static_cast<uint8_t>(RoundUsTo10Ms(us)), 0);
    }
    week.CurrentFileLen = static_cast<int>(rr.size()) + 1;
    week.PrepareData(CoreSettings{});
    size_t edits = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Recording rec = week;
        state.ResumeTiming();
        const std::vector<BeatChange> changes = CorrectRecording(rec, CoreSettings{});
        RevertChanges(rec, changes);
        edits = changes.size();
    }
    state.counters["edits"] = static_cast<double>(edits);
}
BENCHMARK(BM_CorrectRecording)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace trivant::bench
