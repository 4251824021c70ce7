// The device link's hot paths: decoding with per-beat indices, a strap notification, and
// one supervision pass.
#include "bench_data.h"

#include "connection_supervisor.h"
#include "heart_rate_decoder.h"
#include "qt_port_layer.h"
#include "recorder.h"

#include <benchmark/benchmark.h>

namespace trivant::bench {
namespace {

// A full recording's worth of frames, decoded at S = 500: time per beat.
void BM_DecodeWithIndices(benchmark::State& state) {
    const auto source = FullRecording();
    std::vector<uint8_t> stream;
    for (int k = 1; k <= source->beats(); ++k)
        stream.insert(stream.end(), {0, sampleRR(source->DataBuf[k]), 197});
    RecorderSettings settings;
    settings.AutoStop = false;
    settings.core.Sample = 500;
    RecordingEvents quiet;
    for (auto _ : state) {
        auto rec = std::make_unique<Recording>();
        Recorder recorder(*rec, quiet);
        recorder.Start();
        for (size_t i = 0; i < stream.size(); i += 300)  // about a second of data per tick
            recorder.Tick(stream.data() + i, std::min<size_t>(300, stream.size() - i), settings);
        benchmark::DoNotOptimize(rec->SDNN);
    }
    state.SetItemsProcessed(state.iterations() * source->beats());
}
BENCHMARK(BM_DecodeWithIndices)->Unit(benchmark::kMillisecond);

// One strap notification: flags, uint8 heart rate and three RR values.
void BM_HeartRateDecode(benchmark::State& state) {
    const uint8_t payload[] = {0x16, 75, 0x34, 0x03, 0x35, 0x03, 0x01, 0x02};
    for (auto _ : state) {
        benchmark::DoNotOptimize(payload);
        const HeartRateMeasurement m = DecodeHeartRate(payload, sizeof payload);
        benchmark::DoNotOptimize(m.rrUs[2]);
    }
}
BENCHMARK(BM_HeartRateDecode);

void BM_SupervisionPass(benchmark::State& state) {
    QtPortLayer ports;
    ConnectionSupervisor sup(ports);
    for (auto _ : state)
        sup.Pass(0);
    state.counters["ports"] = static_cast<double>(sup.PortList().size());
}
BENCHMARK(BM_SupervisionPass)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace trivant::bench
