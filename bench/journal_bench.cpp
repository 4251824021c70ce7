// One beat's journal write, as the recording tick pays it: a real file in the temporary
// folder, with the flushing worker running beside it.
#include "journal.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace trivant::bench {
namespace {

void BM_JournalAppend(benchmark::State& state) {
    const std::string path =
        (std::filesystem::temp_directory_path() / "trivant-bench-journal.rr.part").string();
    RemoveJournal(path);
    JournalWriter journal;
    if (!journal.Open(path).ok) {
        state.SkipWithError("cannot create the journal");
        return;
    }
    uint8_t rr = 60;
    for (auto _ : state)
        journal.Append(packSample(++rr, 97));
    journal.Finish();
    journal.Remove();
}
BENCHMARK(BM_JournalAppend)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace trivant::bench
