// Preparation of a full recording, the longest synchronous step after opening a file.
#include "bench_data.h"

#include <benchmark/benchmark.h>

namespace trivant::bench {
namespace {

void BM_PrepareData(benchmark::State& state) {
    auto rec = FullRecording();
    CoreSettings cfg;
    cfg.Sample = static_cast<int>(state.range(0));
    for (auto _ : state) {
        rec->LabNum = 0;
        rec->PrepareData(cfg);
        benchmark::DoNotOptimize(rec->averIB50);
    }
}
BENCHMARK(BM_PrepareData)->Arg(20)->Arg(100)->Arg(500)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace trivant::bench
