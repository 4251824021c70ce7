// The standard measures of one 5-minute fragment, sample entropy included, as the report's
// second page and trivant-cli --standard compute them: without correction and corrected at
// the medium level. The fragment's intervals are taken once, outside the timing. Then the
// same measures along a whole recording.
#include "bench_data.h"

#include "rr_csv.h"

#include "standard_measures.h"
#include "whole_recording.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>

namespace trivant::bench {
namespace {

std::vector<double> fiveMinuteIntervals() {
    auto rec = MsListRecording(TRIVANT_BENCH_OWN_DATA "/five_minutes.txt");
    rec->PrepareData(CoreSettings{});
    auto buf = std::make_unique<AnalysisBuffers>();
    auto report = std::make_unique<FragmentReport>();
    std::string msg;
    if (!AnalyzeFragment(*rec, 0, PrepareAnalysis(*rec, *buf), *buf, *report, &msg)) {
        std::cerr << "five_minutes.txt: " << msg << "\n";
        std::exit(1);
    }
    return FragmentIntervalsMs(*report);
}

void BM_StandardMeasures(benchmark::State& state, ArtifactOptions options) {
    const std::vector<double> rr = fiveMinuteIntervals();
    for (auto _ : state) {
        const StandardMeasures m = ComputeStandardMeasures(rr, options);
        benchmark::DoNotOptimize(m.sampen);
    }
    state.counters["intervals"] = static_cast<double>(rr.size());
}
BENCHMARK_CAPTURE(BM_StandardMeasures, raw, ArtifactOptions{})->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_StandardMeasures, corrected_medium, ArtifactOptions{true, 250})
    ->Unit(benchmark::kMicrosecond);

// Windows of 300 s every 30 s over a prepared recording, every measure, one thread.
void trendOf(benchmark::State& state, const Recording& rec) {
    size_t windows = 0;
    for (auto _ : state) {
        const std::vector<SpanMeasures> rows = RecordingTrend(rec, 300, 30, {});
        windows = rows.size();
        benchmark::DoNotOptimize(rows.back().m.sampen);
    }
    state.counters["windows"] = static_cast<double>(windows);
}

// The trend of a full recording (31999 beats, about 7 hours).
void BM_Trend(benchmark::State& state) {
    const auto rec = FullRecording();
    rec->PrepareData(CoreSettings{});  // the windows are located by series 1
    trendOf(state, *rec);
}
BENCHMARK(BM_Trend)->Unit(benchmark::kMillisecond);

// The same over the whole day (102858 beats, 24 h, about 2860 windows).
void BM_TrendDay(benchmark::State& state) {
    trendOf(state, *DayRecording());
}
BENCHMARK(BM_TrendDay)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace trivant::bench
