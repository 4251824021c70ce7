// Loads the benchmark recording once from the test data.
#include "bench_data.h"

#include "atomic_file.h"
#include "ms_list.h"

#include <cstdlib>
#include <iostream>

namespace trivant::bench {

std::unique_ptr<Recording> FullRecording() {
    static const std::string text = [] {
        std::string t;
        const auto st =
            ReadFileBytes(TRIVANT_BENCH_DATA "/rr/nsr2db-nsr009-31999.txt", t, 1u << 24);
        if (!st.ok) {
            std::cerr << st.path << ": " << st.detail << "\n";
            std::exit(1);
        }
        return t;
    }();
    auto rec = std::make_unique<Recording>();
    MsListError err;
    if (!ParseMsList(text, *rec, err) || rec->beats() != kMaxBeats) {
        std::cerr << "bench data: line " << err.line << ": " << err.message << "\n";
        std::exit(1);
    }
    return rec;
}

const std::string& DayListText() {
    static const std::string text = [] {
        std::string t;
        const auto st = ReadFileBytes(TRIVANT_BENCH_DATA "/rr/nsr2db-nsr009.txt", t, 1u << 24);
        if (!st.ok) {
            std::cerr << st.path << ": " << st.detail << "\n";
            std::exit(1);
        }
        return t;
    }();
    return text;
}

std::unique_ptr<Recording> DayRecording() {
    auto rec = MsListRecording(TRIVANT_BENCH_DATA "/rr/nsr2db-nsr009.txt");
    rec->PrepareData(CoreSettings{});
    return rec;
}

std::unique_ptr<Recording> MsListRecording(const std::string& path) {
    std::string text;
    if (const auto st = ReadFileBytes(path, text, 1u << 24); !st.ok) {
        std::cerr << st.path << ": " << st.detail << "\n";
        std::exit(1);
    }
    auto rec = std::make_unique<Recording>();
    MsListError err;
    if (!ParseMsList(text, *rec, err)) {
        std::cerr << path << ": line " << err.line << ": " << err.message << "\n";
        std::exit(1);
    }
    return rec;
}

}  // namespace trivant::bench
