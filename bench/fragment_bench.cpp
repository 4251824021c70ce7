// The fragment analysis: the spectrum alone, the plain direct sum it replaces, and the whole
// analysis of a full recording.
#include "bench_data.h"

#include "fragment_analysis.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace trivant::bench {
namespace {

void fillSignal(AnalysisBuffers& buf) {
    for (int t = 0; t < kFragmentSamples; ++t)
        buf.FragmentBuf[t] = 80 + 5 * std::sin(0.002 * t) + 3 * std::cos(0.021 * t);
}

void BM_CountSpectrum(benchmark::State& state) {
    auto buf = std::make_unique<AnalysisBuffers>();
    fillSignal(*buf);
    for (auto _ : state) {
        buf->CountSpectrum();
        benchmark::DoNotOptimize(buf->Bands.TP);
    }
}
BENCHMARK(BM_CountSpectrum)->Unit(benchmark::kMillisecond);

// The transform as written out: a cosine and a sine per sample and frequency.
void BM_DirectSumWithCosSin(benchmark::State& state) {
    std::vector<double> s(kFragmentSamples);
    for (int t = 0; t < kFragmentSamples; ++t)
        s[t] = 5 * std::sin(0.002 * t);
    for (auto _ : state) {
        double total = 0;
        for (int k = 1; k <= kSpectrumBins; ++k) {
            double x = 0, y = 0;
            for (int t = 0; t < kFragmentSamples; ++t) {
                const double a = 2 * 3.14159265358979323846 * k * (1.0 / 300) * t * 0.01;
                x += s[t] * std::cos(a);
                y += s[t] * std::sin(a);
            }
            total += x * x + y * y;
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_DirectSumWithCosSin)->Unit(benchmark::kMillisecond);

void BM_WholeAnalysis(benchmark::State& state) {
    auto rec = FullRecording();
    rec->PrepareData(CoreSettings{});
    auto buf = std::make_unique<AnalysisBuffers>();
    auto report = std::make_unique<FragmentReport>();
    for (auto _ : state) {
        const ResampleResult r = PrepareAnalysis(*rec, *buf);
        const Overview o = MakeOverview(*buf, r);
        AnalyzeFragment(*rec, 600, r, *buf, *report, nullptr);
        benchmark::DoNotOptimize(o.BufLen);
    }
}
BENCHMARK(BM_WholeAnalysis)->Unit(benchmark::kMillisecond);

// The selection dialog's overview of a full recording, one value a second.
void BM_Overview(benchmark::State& state) {
    auto rec = FullRecording();
    rec->PrepareData(CoreSettings{});
    auto buf = std::make_unique<AnalysisBuffers>();
    const ResampleResult r = PrepareAnalysis(*rec, *buf);
    for (auto _ : state) {
        const Overview o = MakeOverview(*buf, r);
        benchmark::DoNotOptimize(o.RRViewBuf.data());
    }
}
BENCHMARK(BM_Overview)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace trivant::bench
