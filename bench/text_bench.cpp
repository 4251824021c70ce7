// Text export and import of a full recording, in memory and through files.
#include "bench_data.h"

#include "text_file.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace trivant::bench {
namespace {

void BM_TextFormatAndParse(benchmark::State& state) {
    auto rec = FullRecording();
    rec->PrepareData(CoreSettings{});
    auto back = std::make_unique<Recording>();
    for (auto _ : state) {
        const std::string bytes = FormatTextFile(*rec, "nsr009", "09.12.2026");
        back->CurrentFileLen = 0;
        const TextReadReport report = ParseTextFile(bytes, *back);
        benchmark::DoNotOptimize(report);
    }
}
BENCHMARK(BM_TextFormatAndParse)->Unit(benchmark::kMillisecond);

void BM_TextSaveAndRead(benchmark::State& state) {
    auto rec = FullRecording();
    rec->PrepareData(CoreSettings{});
    auto back = std::make_unique<Recording>();
    const std::string path =
        (std::filesystem::temp_directory_path() / "trivant-bench-text.txt").string();
    for (auto _ : state) {
        SaveTextFile(path, *rec, "09.12.2026");
        TextReadReport report;
        ReadTextFile(path, *back, report);
        benchmark::DoNotOptimize(report);
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_TextSaveAndRead)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace trivant::bench
