// The analysis as the report and the tool run it: one 5-minute recording end to end, and
// trivant-cli analyze's batch over many full recordings on one and on two threads.
#include "bench_data.h"

#include "analyze_batch.h"
#include "analyze_command.h"
#include "rr_file.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <unistd.h>

namespace trivant::bench {
namespace {

void BM_FragmentAnalysis(benchmark::State& state) {
    auto rec = MsListRecording(TRIVANT_BENCH_OWN_DATA "/five_minutes.txt");
    rec->PrepareData(CoreSettings{});
    auto buf = std::make_unique<AnalysisBuffers>();
    auto report = std::make_unique<FragmentReport>();
    std::string msg;
    for (auto _ : state) {
        if (!AnalyzeFragment(*rec, 0, PrepareAnalysis(*rec, *buf), *buf, *report, &msg)) {
            state.SkipWithError(msg.c_str());
            break;
        }
        benchmark::DoNotOptimize(report->FrLFdivHF);
    }
}
BENCHMARK(BM_FragmentAnalysis)->Unit(benchmark::kMicrosecond);

// 64 copies of the full-capacity recording as .rr files, written once, removed at exit.
class BatchFolder {
public:
    static constexpr int kCopies = 64;

    BatchFolder()
        : dir_(std::filesystem::temp_directory_path() /
               ("trivant-bench-" + std::to_string(getpid()))) {
        std::filesystem::create_directories(dir_);
        auto rec = FullRecording();
        rec->PrepareData(CoreSettings{});  // as import-ms saves it
        const std::string first = (dir_ / "rec-0.rr").string();
        if (const IoStatus st = SaveDataFile(first, *rec); !st.ok) {
            std::cerr << st.path << ": " << st.detail << "\n";
            std::exit(1);
        }
        files_.push_back(first);
        for (int i = 1; i < kCopies; ++i) {
            files_.push_back((dir_ / ("rec-" + std::to_string(i) + ".rr")).string());
            std::filesystem::copy_file(first, files_.back());
        }
    }
    ~BatchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    BatchFolder(const BatchFolder&) = delete;
    BatchFolder& operator=(const BatchFolder&) = delete;

    const std::vector<std::string>& files() const { return files_; }

private:
    std::filesystem::path dir_;
    std::vector<std::string> files_;
};

void BM_AnalyzeBatch(benchmark::State& state) {
    static const BatchFolder folder;
    Setup setup;
    ApplyDefaultValues(setup);
    std::size_t failed = 0;
    const BatchSink sink{[&](std::size_t, const FileResult& r) {
                             failed += r.ok ? 0 : 1;
                             benchmark::DoNotOptimize(r.text.data());
                         },
                         {}};
    for (auto _ : state)
        AnalyzeFiles(folder.files(), setup, 0, static_cast<int>(state.range(0)),
                     AnalyzeLine(CliOptions{}), sink);
    if (failed > 0)
        state.SkipWithError("a file of the batch failed");
    state.SetItemsProcessed(state.iterations() * BatchFolder::kCopies);
}
BENCHMARK(BM_AnalyzeBatch)
    ->Arg(1)
    ->Arg(2)
    ->ArgName("jobs")
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace trivant::bench
