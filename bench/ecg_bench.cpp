// The R-peak detector over one 30-minute record (mitdb 101, channel 0, 360 Hz), read whole
// beforehand so that only the detection is timed.
#include "qrs_detector.h"
#include "wfdb_record.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace trivant::bench {
namespace {

void BM_DetectBeats(benchmark::State& state) {
    EcgOpen open = OpenWfdbRecord(TRIVANT_BENCH_DATA "/ecg/101.hea");
    std::vector<float> mv;
    std::string error;
    if (!open.source ||
        !open.source->Read(0, 0, open.source->info().channels[0].samples, mv, error)) {
        state.SkipWithError((open.error + error).c_str());
        return;
    }
    const double rate = open.source->info().rate;
    for (auto _ : state) {
        std::vector<int64_t> beats = DetectBeats(mv.data(), mv.size(), rate);
        benchmark::DoNotOptimize(beats.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(mv.size()));
}
BENCHMARK(BM_DetectBeats)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace trivant::bench
