// One pass of the main window's idle work: supervision and command enabling; and the trend
// window's first picture.
#include "bench_data.h"
#include "main_window.h"
#include "paint_kit.h"
#include "qt_port_layer.h"
#include "render_command.h"
#include "trend_window.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace trivant::bench {
namespace {

void BM_IdlePass(benchmark::State& state) {
    EnsureGuiApplication();
    const auto dir = std::filesystem::temp_directory_path() / "trivant-bench-idle";
    std::filesystem::create_directories(dir);
    MainWindow form(std::make_unique<QtPortLayer>(), std::make_unique<DialogRunner>(),
                    dir.string());
    form.setup().AutoSaveSetup = false;
    for (auto _ : state)
        form.IdleHandler();
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_IdlePass)->Unit(benchmark::kMicrosecond);

// From the trend command to the trend window's first picture of a full recording (31999
// beats, windows of 300 s every 30 s): the copy, the computation on the window's thread
// and the painting, in wall-clock time.
void BM_TrendWindowFirstPicture(benchmark::State& state) {
    EnsureGuiApplication();
    const auto source = FullRecording();
    for (auto _ : state) {
        TrendWindow trend(std::make_unique<Recording>(*source));
        trend.resize(1200, 800);
        trend.WaitIdle();
        benchmark::DoNotOptimize(RenderToImage(trend).pixel(600, 400));
    }
}
BENCHMARK(BM_TrendWindowFirstPicture)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace trivant::bench
