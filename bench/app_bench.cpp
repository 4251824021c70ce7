// One pass of the main window's idle work: supervision and command enabling.
#include "main_window.h"
#include "qt_port_layer.h"
#include "render_command.h"

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

}  // namespace
}  // namespace trivant::bench
