// The live biofeedback figures of one beat: the real intervals of nsr009 fed to the meter one
// at a time, without and with a pacer, the coherence's 5-second spectra included on average.
#include "bench_data.h"

#include "biofeedback.h"
#include "standard_measures.h"

#include <benchmark/benchmark.h>

namespace trivant::bench {
namespace {

void BM_BiofeedbackBeat(benchmark::State& state) {
    auto rec = FullRecording();
    rec->PrepareData(CoreSettings{});
    const std::vector<double> rr = RecordingIntervalsMs(*rec);
    BiofeedbackMeter meter;
    meter.setPacerRate(static_cast<double>(state.range(0)));
    double t = 0;
    size_t i = 0;
    for (auto _ : state) {
        t += rr[i] / 1000;
        benchmark::DoNotOptimize(meter.addBeat(rr[i], t).amplitudeBpm);
        i = i + 1 < rr.size() ? i + 1 : 0;
    }
}
BENCHMARK(BM_BiofeedbackBeat)->Arg(0)->Arg(6)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace trivant::bench
