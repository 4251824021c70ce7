// A 24-hour two-channel Holter record, read in blocks and detected: record 101 repeated 48
// times into a WFDB record of the benchmark's own.
#include "ecg_read.h"
#include "source_beats.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace trivant::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kCopies = 48;  // of a 30-minute record

std::string dayRecord() {
    static const std::string header = [] {
        const fs::path dir = fs::temp_directory_path() / "trivant-bench-ecg";
        fs::create_directories(dir);
        std::ifstream in(std::string(TRIVANT_BENCH_DATA) + "/ecg/101.dat", std::ios::binary);
        const std::string dat{std::istreambuf_iterator<char>(in), {}};
        std::ofstream out(dir / "day.dat", std::ios::binary);
        for (int i = 0; i < kCopies; ++i)
            out << dat;
        const int64_t frames = static_cast<int64_t>(dat.size()) / 3 * kCopies;
        std::ofstream(dir / "day.hea") << "day 2 360 " << frames << " 08:00:00 10/12/2026\n"
                                       << "day.dat 212 200 11 1024 955 0 0 MLII\n"
                                       << "day.dat 212 200 11 1024 992 0 0 V1\n";
        return (dir / "day.hea").string();
    }();
    return header;
}

void BM_DetectDay(benchmark::State& state) {
    const std::string path = dayRecord();
    size_t beats = 0;
    for (auto _ : state) {
        EcgOpen opened = OpenEcgRecord(path);
        if (!opened.source) {
            state.SkipWithError(opened.error.c_str());
            return;
        }
        std::string error;
        const int ch = EcgChannelIndex(opened.source->info(), "", error);
        beats = DetectSourceBeats(*opened.source, ch).samples.size();
    }
    state.counters["beats"] = static_cast<double>(beats);
}
BENCHMARK(BM_DetectDay)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace trivant::bench
