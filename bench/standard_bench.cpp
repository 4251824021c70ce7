// The standard measures of one 5-minute fragment, sample entropy included, as the report's
// second page and trivant-cli --standard compute them: without correction and corrected at
// the medium level. The fragment's intervals are taken once, outside the timing.
#include "bench_data.h"

#include "standard_measures.h"

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

}  // namespace
}  // namespace trivant::bench
