// Preparation of a full recording, the longest synchronous step after opening a file.
#include "bench_data.h"

#include "rr_csv.h"

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

// Opening the day (102858 beats): the list read as a file reader gets it, then prepared.
void BM_OpenDay(benchmark::State& state) {
    const std::string& text = DayListText();
    int beats = 0;
    for (auto _ : state) {
        auto rec = std::make_unique<Recording>();
        MsListError err;
        if (!ParseRrList(text, *rec, err))
            state.SkipWithError(err.message.c_str());
        rec->PrepareData(CoreSettings{});
        beats = rec->beats();
        benchmark::DoNotOptimize(rec->averIB50);
    }
    state.counters["beats"] = beats;
}
BENCHMARK(BM_OpenDay)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace trivant::bench
